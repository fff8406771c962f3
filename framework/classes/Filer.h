#pragma once

#include "framework/classes/Component.h"
#include "framework/classes/Streams.h"

#include <functional>
#include <vector>

class TCollection;

// Tags of the values in a component stream.
enum TValueType : Byte {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble
};

enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// Shared part of the component stream reader and writer. Objects store values beyond their
// published properties by overriding DefineProperties and calling DefineProperty or
// DefineBinaryProperty; HasData tells the writer whether there is anything to store (it may
// compare with Ancestor, the object this one is written as a difference to). A binary
// property's procedures get a stream of its bytes alone, over the filer's own stream.
class TFiler : public TObject {
  LUM_CLASS(TFiler, TObject)
public:
  explicit TFiler(TStream* AStream) : FStream(AStream) {}

  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;

  TStream* Stream() const { return FStream; }
  TComponent* Root() const { return FRoot; }
  void SetRoot(TComponent* Value) { FRoot = Value; }
  TComponent* LookupRoot() const { return FLookupRoot; }
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }

protected:
  TStream* FStream;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};

// Reads a component stream: values, and whole component trees. A value of another kind than
// asked for raises EReadError "Invalid property value".
class TReader : public TFiler {
  LUM_CLASS(TReader, TFiler)
public:
  explicit TReader(TStream* AStream) : TFiler(AStream) {}

  void Read(void* Buffer, Int64 Count) { FStream->ReadBuffer(Buffer, Count); }
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType Value);
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  String ReadString();
  Integer ReadInteger();
  Int64 ReadInt64();
  bool ReadBoolean();
  Extended ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  // The variant a value stands for: integers as Byte (0..127), Smallint, Integer or Int64 by
  // their stored size, vaNil as Empty, vaNull as Null; lists, identifiers, sets, binary data
  // and collections raise EReadError.
  Variant ReadVariant();
  char ReadChar();
  String ReadIdent();
  std::vector<std::uint8_t> ReadBinary();
  std::uint64_t ReadSet(const TTypeInfo* SetType);
  String ReadStr(); // a short string without tag, as names are stored
  void ReadSignature();
  void ReadPrefix(TFilerFlags& Flags, int& ChildPos);
  void SkipValue();
  // The payload of a value whose tag was read already.
  String ReadStringPayload(TValueType Value);
  Int64 ReadIntegerPayload(TValueType Value);
  double ReadFloatPayload(TValueType Value);
  std::vector<std::uint8_t> ReadBinaryPayload();
  // The length before a long string or binary value, checked against the bytes left.
  Int64 ReadLength();

  // Reads the stream's component into Root (created from the class registry when null),
  // creating its children, fixing up references and calling Loaded on every component. On
  // failure every component the read created is freed again and the error passed on.
  TComponent* ReadRootComponent(TComponent* ARoot);
  TComponent* ReadComponent(TComponent* Component);
  void ReadData(TComponent* Instance);
  void ReadCollection(TCollection* Collection);

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* Value) { FOwner = Value; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* Value) { FParent = Value; }

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    String Name;
    String Path;
  };

  void ReadProperties(TPersistent* Instance);
  void ReadProperty(TPersistent* Instance);
  void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop);
  void ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop);
  void ReadMethodValue(TPersistent* Instance, const TPropInfo* Prop);
  Int64 ReadIntegerIdent(const TPropInfo* Prop);
  void ReadCollectionItems(TCollection* Collection, const String& Path);
  TPersistent* ResolvePropPath(TPersistent* Instance, const String& Path, String& LastName);
  TComponent* CreateRoot(const String& ClassName); // EReadError for a class that is no component
  TComponent* CreateComponent(const String& ClassName, const String& Name, TFilerFlags Flags);
  void FixupReferences();
  TComponent* FindReference(const String& Name) const;
  String ErrorPath(const String& PropPath) const;
  void EnterNesting();

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  TComponent* FCurrent = nullptr;
  String FPropName;
  String FPropPrefix;
  const String* FPropPath = nullptr; // of the property being read, for messages
  int FDepth = 0;
  std::vector<TComponent*> FLoaded;
  std::vector<TComponent*> FCreated;
  std::vector<TFixup> FFixups;

  friend class TNestingGuard;
};

// Writes a component stream. A property is stored when its stored predicate allows and its
// value differs from the declared default (strings: from empty, floats: from zero) or, when
// writing as a difference to an ancestor, from the ancestor's value.
class TWriter : public TFiler {
  LUM_CLASS(TWriter, TFiler)
public:
  explicit TWriter(TStream* AStream) : TFiler(AStream) {}

  void Write(const void* Buffer, Int64 Count) { FStream->WriteBuffer(Buffer, Count); }
  void WriteValue(TValueType Value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteString(const String& Value);
  void WriteInteger(Int64 Value); // the smallest integer kind that holds Value
  void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
  void WriteFloat(Extended Value); // EWriteError for a value that is not finite
  void WriteSingle(float Value);   // also
  void WriteCurrency(Currency Value);
  void WriteDate(TDateTime Value); // also
  // By the variant's type: integers as the smallest integer kind, Empty as vaNil.
  void WriteVariant(const Variant& Value);
  void WriteChar(char Value) { WriteString(String(1, Value)); }
  void WriteIdent(const String& Ident);
  void WriteBinary(const std::vector<std::uint8_t>& Data);
  void WriteSet(const TTypeInfo* SetType, std::uint64_t Bits);
  void WriteStr(const String& Value); // a short string without tag (at most 255 bytes)
  void WriteSignature();
  void WritePrefix(TFilerFlags Flags, int ChildPos);

  void WriteRootComponent(TComponent* ARoot) { WriteDescendent(ARoot, nullptr); }
  void WriteDescendent(TComponent* ARoot, TComponent* AAncestor);
  void WriteComponent(TComponent* Component);
  void WriteData(TComponent* Instance);
  void WriteProperties(TPersistent* Instance);
  void WriteCollection(TCollection* Collection);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

private:
  void WriteProperty(TPersistent* Instance, const TPropInfo* Prop);
  void WriteObjectProperty(TPersistent* Instance, const TPropInfo* Prop);
  void WritePropName(const String& Name);
  bool DiffersFromAncestor(TPersistent* Instance, const TPropInfo* Prop) const;
  String ReferenceName(TComponent* Value) const;
  TComponent* AncestorChild(TComponent* Child) const;

  String FPropPath;
  TComponent* FRootAncestor = nullptr;
};

// Signature at the start of a component stream.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};
