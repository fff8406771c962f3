#pragma once

#include "framework/rtl/Types.h"

// The run-time library's file and directory routines. The queries and operations answer
// false when the system refuses; none of them raises, except ForceDirectories for an empty
// name. Paths use '/' as their delimiter.

inline constexpr char PathDelim = '/';

bool FileExists(const String& FileName);       // an existing file that is no directory
bool DirectoryExists(const String& Directory); // an existing directory
bool RenameFile(const String& OldName, const String& NewName); // never replaces NewName
bool DeleteFile(const String& FileName);                       // files only, never a directory
bool CreateDir(const String& Dir);                             // the last level only
// Creates every missing level; true when the directory exists afterwards. An empty name
// raises EInOutError "Unable to create directory".
bool ForceDirectories(const String& Dir);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);

// Name parts: the path keeps its trailing delimiter, the extension its leading point.
String ExtractFilePath(const String& FileName);
String ExtractFileDir(const String& FileName); // the path without its trailing delimiter
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// An absolute name: relative names start at the current directory; "." and ".." levels
// and doubled delimiters are resolved in the text, without asking the disk.
String ExpandFileName(const String& FileName);
