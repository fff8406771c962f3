#pragma once

#include "framework/classes/Component.h"
#include "framework/classes/Streams.h"

// Conversion between the binary component stream and the text form-file syntax:
//   object Form1: TForm1
//     Caption = 'Hello'
//     object Button1: TButton
//       Font.Name = 'Arial'
//     end
//   end
// Text errors are EParserError (an EReadError) naming the line.
void ObjectBinaryToText(TStream* Input, TStream* Output);
void ObjectTextToBinary(TStream* Input, TStream* Output);

// Reading a form file into Root (or into a new root of the file's registered class when Root
// is null), and writing Root with everything it owns. Reads raise EReadError (EClassNotFound, one
// of its kind, for an unknown class) and free every component the failed read created.
TComponent* ReadFormText(const String& Text, TComponent* Root = nullptr);
String WriteFormText(TComponent* Root);
TComponent* ReadFormStream(TStream* Stream, TComponent* Root = nullptr);
void WriteFormStream(TStream* Stream, TComponent* Root);
// Its read errors name the file.
TComponent* ReadFormFile(const String& FileName, TComponent* Root = nullptr);
// Replaces the file whole (temporary file and rename): never half a file.
void WriteFormFile(const String& FileName, TComponent* Root);
