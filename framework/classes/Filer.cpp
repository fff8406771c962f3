#include "framework/classes/Filer.h"

#include "framework/classes/Collection.h"
#include "framework/classes/Registry.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int MaxNesting = 256;
constexpr const char* InvalidValue = "Invalid property value";
constexpr const char* InvalidFormat = "Invalid stream format";

// A read error that already names the property it happened in.
class EPropertyReadError : public EReadError {
public:
  using EReadError::EReadError;
};

[[noreturn]] void PropValueError() { throw EReadError(InvalidValue); }

bool IsIntegerValue(TValueType v) {
  return v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64;
}

bool IsOrdinalKind(TTypeKind k) {
  return k == tkInteger || k == tkChar || k == tkEnumeration || k == tkSet || k == tkInt64;
}

template <class T> T ReadRaw(TStream* AStream) {
  T value;
  AStream->ReadBuffer(&value, sizeof value);
  return value;
}

// The 80-bit extended format: sign, 15-bit exponent, 64-bit mantissa with explicit integer bit.
double DecodeExtended(const std::uint8_t* ABytes) {
  std::uint64_t mantissa;
  std::memcpy(&mantissa, ABytes, 8);
  const int exponent = (ABytes[8] | (ABytes[9] & 0x7F) << 8);
  const bool negative = (ABytes[9] & 0x80) != 0;
  double value;
  if (exponent == 0x7FFF)
    value = mantissa << 1 ? NAN : INFINITY;
  else
    value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return negative ? -value : value;
}

std::vector<std::uint8_t> CollectionBytes(TCollection* ACollection) {
  TMemoryStream stream;
  TWriter(&stream).WriteCollection(ACollection);
  return {stream.Bytes().begin(), stream.Bytes().end()};
}

// Equal when both store the same items; with no ancestor collection, when there are none.
bool CollectionsEqual(TCollection* ACollection, TObject* AAncestor) {
  if (!AAncestor || !AAncestor->InheritsFrom(TCollection::StaticClass()))
    return ACollection->Count() == 0;
  auto* ancestor = static_cast<TCollection*>(AAncestor);
  return ACollection->ClassType() == ancestor->ClassType() &&
         CollectionBytes(ACollection) == CollectionBytes(ancestor);
}

// The bytes of a binary value inside the filer's stream, seen as a stream of their own whose
// positions count from the first byte. A part being read holds the value's length and cannot
// be written; a part being written is the end of the stream and grows with what is written.
class TBinaryPart : public TStream {
public:
  TBinaryPart(TStream* ABase, Int64 ALength)
      : FBase(ABase), FStart(ABase->Position()), FLength(ALength), FWritable(false) {}
  explicit TBinaryPart(TStream* ABase)
      : FBase(ABase), FStart(ABase->Position()), FLength(0), FWritable(true) {}

  Int64 Read(void* Buffer, Int64 Count) override {
    const Int64 n = std::min(std::max<Int64>(Count, 0), FLength - FPosition);
    if (n <= 0) return 0;
    FBase->SetPosition(FStart + FPosition);
    const Int64 got = FBase->Read(Buffer, n);
    FPosition += got;
    return got;
  }
  Int64 Write(const void* Buffer, Int64 Count) override {
    if (!FWritable || Count <= 0) return 0;
    FBase->SetPosition(FStart + FPosition);
    const Int64 put = FBase->Write(Buffer, Count);
    FPosition += put;
    FLength = std::max(FLength, FPosition);
    return put;
  }
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override {
    const Int64 from = Origin == soFromBeginning ? 0
                       : Origin == soFromCurrent ? FPosition
                                                 : FLength;
    FPosition = std::max<Int64>(0, from + Offset);
    return FPosition;
  }
  void SetSize(Int64 NewSize) override {
    if (!FWritable) throw EWriteError("Stream write error");
    FLength = std::max<Int64>(0, NewSize);
    FBase->SetSize(FStart + FLength);
    FPosition = std::min(FPosition, FLength);
  }
  Int64 Size() override { return FLength; }

private:
  TStream* FBase;
  Int64 FStart;
  Int64 FLength;
  bool FWritable;
  Int64 FPosition = 0;
};

} // namespace

class TNestingGuard {
public:
  explicit TNestingGuard(int& ADepth) : FDepth(ADepth) {
    if (++FDepth > MaxNesting) {
      --FDepth;
      throw EReadError(InvalidFormat);
    }
  }
  ~TNestingGuard() { --FDepth; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
  int& FDepth;
};

// ---- reading values ----

TValueType TReader::ReadValue() {
  const auto v = ReadRaw<std::uint8_t>(FStream);
  if (v > vaDouble) throw EReadError(InvalidFormat);
  return static_cast<TValueType>(v);
}

// The tag ahead without taking it; a component's flag prefix (0xF0 and above) is answered
// as it stands.
TValueType TReader::NextValue() {
  const auto v = ReadRaw<std::uint8_t>(FStream);
  FStream->Seek(-1, soFromCurrent);
  return static_cast<TValueType>(v);
}

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) PropValueError();
}

bool TReader::EndOfList() { return NextValue() == vaNull; }
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

Int64 TReader::ReadLength() {
  const auto length = ReadRaw<std::int32_t>(FStream);
  if (length < 0 || length > FStream->Size() - FStream->Position()) throw EReadError(InvalidFormat);
  return length;
}

String TReader::ReadStr() {
  const auto length = ReadRaw<std::uint8_t>(FStream);
  String s(length, '\0');
  Read(s.data(), length);
  return s;
}

String TReader::ReadStringPayload(TValueType Value) {
  if (Value == vaString) return ReadStr();
  if (Value != vaLString && Value != vaUTF8String) PropValueError();
  String s(static_cast<std::size_t>(ReadLength()), '\0');
  Read(s.data(), static_cast<Int64>(s.size()));
  return s;
}

String TReader::ReadString() { return ReadStringPayload(ReadValue()); }

Int64 TReader::ReadIntegerPayload(TValueType Value) {
  switch (Value) {
  case vaInt8:
    return ReadRaw<std::int8_t>(FStream);
  case vaInt16:
    return ReadRaw<std::int16_t>(FStream);
  case vaInt32:
    return ReadRaw<std::int32_t>(FStream);
  case vaInt64:
    return ReadRaw<std::int64_t>(FStream);
  default:
    PropValueError();
  }
}

Int64 TReader::ReadInt64() { return ReadIntegerPayload(ReadValue()); }

Integer TReader::ReadInteger() {
  const Int64 v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) PropValueError();
  return static_cast<Integer>(v);
}

bool TReader::ReadBoolean() {
  const TValueType v = ReadValue();
  if (v != vaTrue && v != vaFalse) PropValueError();
  return v == vaTrue;
}

double TReader::ReadFloatPayload(TValueType Value) {
  if (IsIntegerValue(Value)) return static_cast<double>(ReadIntegerPayload(Value));
  double v;
  if (Value == vaSingle) {
    v = ReadRaw<float>(FStream);
  } else if (Value == vaDouble) {
    v = ReadRaw<double>(FStream);
  } else if (Value == vaExtended) {
    std::uint8_t bytes[10];
    Read(bytes, 10);
    v = DecodeExtended(bytes);
  } else {
    PropValueError();
  }
  if (!std::isfinite(v)) PropValueError();
  return v;
}

Extended TReader::ReadFloat() { return ReadFloatPayload(ReadValue()); }

float TReader::ReadSingle() {
  CheckValue(vaSingle);
  const auto v = ReadRaw<float>(FStream);
  if (!std::isfinite(v)) PropValueError();
  return v;
}

Currency TReader::ReadCurrency() {
  CheckValue(vaCurrency);
  return Currency{ReadRaw<std::int64_t>(FStream)};
}

TDateTime TReader::ReadDate() {
  CheckValue(vaDate);
  const auto v = ReadRaw<double>(FStream);
  if (!std::isfinite(v)) PropValueError();
  return v;
}

Variant TReader::ReadVariant() {
  const TValueType v = NextValue();
  switch (v) {
  case vaNil:
    ReadValue();
    return Unassigned();
  case vaNull:
    ReadValue();
    return Null();
  case vaInt8: {
    const Int64 i = ReadInt64();
    return i >= 0 ? Variant(static_cast<Byte>(i)) : Variant(static_cast<SmallInt>(i));
  }
  case vaInt16:
    return static_cast<SmallInt>(ReadInt64());
  case vaInt32:
    return static_cast<Integer>(ReadInt64());
  case vaInt64:
    return ReadInt64();
  case vaExtended:
  case vaDouble:
    return static_cast<double>(ReadFloat());
  case vaSingle:
    return ReadSingle();
  case vaCurrency:
    return ReadCurrency();
  case vaDate:
    return VarFromDateTime(ReadDate());
  case vaString:
  case vaLString:
  case vaUTF8String:
    return ReadString();
  case vaFalse:
  case vaTrue:
    return ReadBoolean();
  default:
    PropValueError();
  }
}

char TReader::ReadChar() {
  const String s = ReadString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

String TReader::ReadIdent() {
  switch (ReadValue()) {
  case vaIdent:
    return ReadStr();
  case vaFalse:
    return "False";
  case vaTrue:
    return "True";
  case vaNil:
    return "nil";
  case vaNull:
    return "Null";
  default:
    PropValueError();
  }
}

std::vector<std::uint8_t> TReader::ReadBinaryPayload() {
  std::vector<std::uint8_t> data(static_cast<std::size_t>(ReadLength()));
  Read(data.data(), static_cast<Int64>(data.size()));
  return data;
}

std::vector<std::uint8_t> TReader::ReadBinary() {
  CheckValue(vaBinary);
  return ReadBinaryPayload();
}

std::uint64_t TReader::ReadSet(const TTypeInfo* SetType) {
  CheckValue(vaSet);
  std::uint64_t bits = 0;
  for (String name = ReadStr(); !name.empty(); name = ReadStr()) {
    const int v = GetEnumValue(SetType->CompType, name);
    if (v < 0 || v >= 64) PropValueError();
    bits |= std::uint64_t{1} << v;
  }
  return bits;
}

void TReader::ReadSignature() {
  char signature[4];
  Read(signature, 4);
  if (std::memcmp(signature, FilerSignature, 4) != 0) throw EReadError(InvalidFormat);
}

void TReader::ReadPrefix(TFilerFlags& Flags, int& ChildPos) {
  Flags = {};
  ChildPos = 0;
  std::uint8_t b;
  Read(&b, 1);
  if ((b & 0xF0) != 0xF0) {
    FStream->Seek(-1, soFromCurrent);
    return;
  }
  Flags = TFilerFlags::FromBits(b & 0x07);
  if (Flags.Contains(ffChildPos)) ChildPos = ReadInteger();
}

void TReader::SkipValue() {
  const TNestingGuard guard(FDepth);
  const TValueType v = ReadValue();
  switch (v) {
  case vaList:
    while (!EndOfList()) SkipValue();
    ReadListEnd();
    break;
  case vaInt8:
  case vaInt16:
  case vaInt32:
  case vaInt64:
    ReadIntegerPayload(v);
    break;
  case vaExtended:
  case vaSingle:
  case vaDouble:
    ReadFloatPayload(v);
    break;
  case vaCurrency:
  case vaDate:
    ReadRaw<std::int64_t>(FStream);
    break;
  case vaString:
  case vaIdent:
    ReadStr();
    break;
  case vaLString:
  case vaUTF8String:
  case vaBinary:
    ReadBinaryPayload();
    break;
  case vaWString:
    FStream->Seek(ReadLength() / 2 * 2, soFromCurrent);
    break;
  case vaSet:
    while (!ReadStr().empty()) {
    }
    break;
  case vaCollection:
    while (!EndOfList()) {
      if (IsIntegerValue(NextValue())) SkipValue();
      ReadListBegin();
      while (!EndOfList()) {
        ReadStr();
        SkipValue();
      }
      ReadListEnd();
    }
    ReadListEnd();
    break;
  default:
    break;
  }
}

// ---- reading components ----

TComponent* TReader::ReadRootComponent(TComponent* ARoot) {
  ReadSignature();
  TFilerFlags flags;
  int childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  const bool ownRoot = ARoot == nullptr;
  const auto cleanUp = [&] {
    for (TComponent* c : FLoaded) {
      c->SetComponentStateItem(csLoading, false);
      c->SetComponentStateItem(csReading, false);
    }
    while (!FCreated.empty()) {
      delete FCreated.back();
      FCreated.pop_back();
    }
    FLoaded.clear();
    if (ownRoot) delete ARoot;
  };
  try {
    try {
      if (ownRoot) ARoot = CreateRoot(className);
      FRoot = ARoot;
      FLookupRoot = ARoot;
      FOwner = ARoot;
      FCurrent = ARoot;
      ARoot->SetComponentStateItem(csLoading, true);
      ARoot->SetComponentStateItem(csReading, true);
      FLoaded.push_back(ARoot);
      if (!name.empty()) ARoot->SetName(name);
      ARoot->ReadState(this);
      ARoot->SetComponentStateItem(csReading, false);
      FixupReferences();
      for (std::size_t i = 0; i < FLoaded.size(); ++i) FLoaded[i]->Loaded();
    } catch (const EFilerError&) {
      throw;
    } catch (const EStreamError& e) {
      throw EReadError(e.Message());
    } catch (const Exception& e) {
      throw EReadError(e.Message());
    }
  } catch (...) {
    cleanUp();
    throw;
  }
  FLoaded.clear();
  FCreated.clear();
  return ARoot;
}

TComponent* TReader::CreateRoot(const String& ClassName) {
  const TClass cls = FindClass(ClassName);
  if (!cls->InheritsFrom(TComponent::StaticClass()))
    throw EReadError("Class " + ClassName + " is no component class");
  return cls->Create(nullptr);
}

TComponent* TReader::CreateComponent(const String& ClassName, const String& Name,
                                     TFilerFlags Flags) {
  TComponent* c = nullptr;
  if (Flags.Contains(ffInherited)) {
    c = FOwner ? FOwner->FindComponent(Name) : nullptr;
    if (!c) throw EReadError("Ancestor for '" + Name + "' not found");
  } else {
    const TClass cls = FindClass(ClassName);
    if (!cls->InheritsFrom(TComponent::StaticClass()))
      throw EClassNotFound("Class " + ClassName + " not found");
    TComponent::FConstructingForReader = true;
    try {
      c = cls->Create(FOwner);
    } catch (...) {
      TComponent::FConstructingForReader = false;
      throw;
    }
    TComponent::FConstructingForReader = false;
    FCreated.push_back(c);
  }
  c->SetComponentStateItem(csLoading, true);
  c->SetComponentStateItem(csReading, true);
  FLoaded.push_back(c);
  if (!Flags.Contains(ffInherited)) {
    c->SetName(Name);
    if (FParent) c->SetParentComponent(FParent);
  }
  return c;
}

TComponent* TReader::ReadComponent(TComponent*) {
  const TNestingGuard guard(FDepth);
  TFilerFlags flags;
  int childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  TComponent* c = CreateComponent(className, name, flags);
  TComponent* const savedCurrent = FCurrent;
  FCurrent = c;
  c->ReadState(this);
  c->SetComponentStateItem(csReading, false);
  FCurrent = savedCurrent;
  return c;
}

void TReader::ReadData(TComponent* Instance) {
  ReadProperties(Instance);
  TComponent* const savedParent = FParent;
  TComponent* const savedOwner = FOwner;
  FParent = Instance->GetChildParent();
  TComponent* childOwner = Instance->GetChildOwner();
  FOwner = childOwner ? childOwner : FRoot;
  while (!EndOfList()) ReadComponent(nullptr);
  ReadListEnd();
  FParent = savedParent;
  FOwner = savedOwner;
}

void TReader::ReadProperties(TPersistent* Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
}

String TReader::ErrorPath(const String& PropPath) const {
  const String owner = FCurrent ? FCurrent->Name() : String();
  return owner + "." + FPropPrefix + PropPath;
}

void TReader::ReadProperty(TPersistent* Instance) {
  const String path = ReadStr();
  const String* const savedPath = FPropPath;
  FPropPath = &path;
  try {
    String last;
    TPersistent* target = ResolvePropPath(Instance, path, last);
    if (const TPropInfo* p = GetPropInfo(target, last)) {
      ReadPropValue(target, p);
    } else {
      FPropName = last;
      target->DefineProperties(this);
      if (!FPropName.empty()) {
        FPropName.clear();
        throw EReadError("Property " + last + " does not exist");
      }
    }
  } catch (const EPropertyReadError&) {
    throw;
  } catch (const EClassNotFound&) {
    throw;
  } catch (const Exception& e) {
    throw EPropertyReadError("Error reading " + ErrorPath(path) + ": " + e.Message());
  }
  FPropPath = savedPath;
}

TPersistent* TReader::ResolvePropPath(TPersistent* Instance, const String& Path, String& LastName) {
  TPersistent* target = Instance;
  std::size_t start = 0;
  for (std::size_t dot = Path.find('.'); dot != String::npos; dot = Path.find('.', start)) {
    const String part = Path.substr(start, dot - start);
    const TPropInfo* p = GetPropInfo(target, part);
    if (!p) throw EReadError("Property " + part + " does not exist");
    TObject* o = p->PropType->Kind == tkClass ? GetObjectProp(target, p) : nullptr;
    if (!o || !o->InheritsFrom(TPersistent::StaticClass()))
      throw EReadError("Invalid property path");
    target = static_cast<TPersistent*>(o);
    start = dot + 1;
  }
  LastName = Path.substr(start);
  return target;
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop) {
  const TTypeInfo* type = Prop->PropType;
  switch (type->Kind) {
  case tkInteger:
  case tkInt64:
    SetOrdProp(Instance, Prop, NextValue() == vaIdent ? ReadIntegerIdent(Prop) : ReadInt64());
    break;
  case tkChar:
    SetOrdProp(Instance, Prop, static_cast<unsigned char>(ReadChar()));
    break;
  case tkEnumeration: {
    const int v = GetEnumValue(type, ReadIdent());
    if (v < 0) PropValueError();
    SetOrdProp(Instance, Prop, v);
    break;
  }
  case tkSet:
    SetOrdProp(Instance, Prop, static_cast<Int64>(ReadSet(type)));
    break;
  case tkFloat:
    SetFloatProp(Instance, Prop, ReadFloat());
    break;
  case tkString:
  case tkLString:
    SetStrProp(Instance, Prop, ReadString());
    break;
  case tkMethod:
    ReadMethodValue(Instance, Prop);
    break;
  case tkVariant:
    SetVariantProp(Instance, Prop, ReadVariant());
    break;
  case tkClass:
    ReadObjectValue(Instance, Prop);
    break;
  default:
    PropValueError();
  }
}

Int64 TReader::ReadIntegerIdent(const TPropInfo* Prop) {
  Int64 value;
  if (!IdentToInt(ReadIdent(), value, Prop->Idents)) PropValueError();
  return value;
}

void TReader::ReadMethodValue(TPersistent* Instance, const TPropInfo* Prop) {
  if (NextValue() == vaNil) {
    ReadValue();
    SetMethodProp(Instance, Prop, TMethod{});
    return;
  }
  const String name = ReadIdent();
  if (!FRoot->ClassType()->FindMethod(name)) throw EReadError("Method " + name + " does not exist");
  SetMethodProp(Instance, Prop, TMethod{FRoot, name});
}

void TReader::ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop) {
  const TValueType v = NextValue();
  if (v == vaNil) {
    ReadValue();
    SetObjectProp(Instance, Prop, nullptr);
  } else if (v == vaIdent) {
    FFixups.push_back(
        {Instance, Prop, ReadIdent(), ErrorPath(FPropPath ? *FPropPath : Prop->Name)});
  } else if (v == vaCollection) {
    ReadValue();
    TObject* o = GetObjectProp(Instance, Prop);
    if (!o || !o->InheritsFrom(TCollection::StaticClass())) PropValueError();
    ReadCollectionItems(static_cast<TCollection*>(o), Prop->Name);
  } else {
    PropValueError();
  }
}

void TReader::ReadCollection(TCollection* Collection) { ReadCollectionItems(Collection, ""); }

void TReader::ReadCollectionItems(TCollection* Collection, const String& Path) {
  const TNestingGuard guard(FDepth);
  const String savedPrefix = FPropPrefix;
  Collection->BeginUpdate();
  try {
    if (!EndOfList()) Collection->Clear();
    for (int index = 0; !EndOfList(); ++index) {
      if (IsIntegerValue(NextValue())) ReadInt64();
      TCollectionItem* item = Collection->Add();
      FPropPrefix = savedPrefix + Path + "[" + IntToStr(index) + "].";
      ReadListBegin();
      ReadProperties(item);
    }
    ReadListEnd();
  } catch (...) {
    FPropPrefix = savedPrefix;
    Collection->EndUpdate();
    throw;
  }
  FPropPrefix = savedPrefix;
  Collection->EndUpdate();
}

TComponent* TReader::FindReference(const String& Name) const {
  String local = Name;
  const std::size_t dot = Name.find('.');
  if (dot != String::npos) {
    if (!SameText(Name.substr(0, dot), FRoot->Name())) return nullptr;
    local = Name.substr(dot + 1);
  }
  if (SameText(local, FRoot->Name())) return FRoot;
  return FRoot->FindComponent(local);
}

void TReader::FixupReferences() {
  for (const TFixup& f : FFixups) {
    try {
      TComponent* c = FindReference(f.Name);
      if (!c) throw EReadError("Component " + f.Name + " does not exist");
      SetObjectProp(f.Instance, f.Prop, c);
    } catch (const Exception& e) {
      throw EPropertyReadError("Error reading " + f.Path + ": " + e.Message());
    }
  }
  FFixups.clear();
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&,
                             bool) {
  if (FPropName.empty() || !SameText(Name, FPropName) || !ReadData) return;
  FPropName.clear();
  ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                   const TStreamProc&, bool) {
  if (FPropName.empty() || !SameText(Name, FPropName) || !ReadData) return;
  FPropName.clear();
  CheckValue(vaBinary);
  const Int64 length = ReadLength();
  const Int64 end = FStream->Position() + length;
  TBinaryPart part(FStream, length);
  ReadData(&part);
  FStream->SetPosition(end);
}

// ---- writing values ----

void TWriter::WriteValue(TValueType Value) {
  const auto b = static_cast<std::uint8_t>(Value);
  Write(&b, 1);
}

void TWriter::WriteStr(const String& Value) {
  if (Value.size() > 255) throw EWriteError("Name too long: " + Value.substr(0, 32) + "…");
  const auto length = static_cast<std::uint8_t>(Value.size());
  Write(&length, 1);
  Write(Value.data(), length);
}

void TWriter::WriteString(const String& Value) {
  if (Value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(Value);
    return;
  }
  if (Value.size() > INT32_MAX) throw EWriteError("Stream write error");
  WriteValue(vaLString);
  const auto length = static_cast<std::int32_t>(Value.size());
  Write(&length, 4);
  Write(Value.data(), length);
}

void TWriter::WriteInteger(Int64 Value) {
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    WriteValue(vaInt8);
    const auto v = static_cast<std::int8_t>(Value);
    Write(&v, 1);
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    WriteValue(vaInt16);
    const auto v = static_cast<std::int16_t>(Value);
    Write(&v, 2);
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValue(vaInt32);
    const auto v = static_cast<std::int32_t>(Value);
    Write(&v, 4);
  } else {
    WriteValue(vaInt64);
    Write(&Value, 8);
  }
}

void TWriter::WriteFloat(Extended Value) {
  const auto v = static_cast<double>(Value);
  if (!std::isfinite(v))
    throw EWriteError("Cannot write the floating point value " + FloatToStr(v));
  WriteValue(vaDouble);
  Write(&v, 8);
}

void TWriter::WriteSingle(float Value) {
  if (!std::isfinite(Value))
    throw EWriteError("Cannot write the floating point value " + FloatToStr(Value));
  WriteValue(vaSingle);
  Write(&Value, 4);
}

void TWriter::WriteCurrency(Currency Value) {
  WriteValue(vaCurrency);
  Write(&Value.Scaled, 8);
}

void TWriter::WriteDate(TDateTime Value) {
  if (!std::isfinite(Value))
    throw EWriteError("Cannot write the floating point value " + FloatToStr(Value));
  WriteValue(vaDate);
  Write(&Value, 8);
}

void TWriter::WriteVariant(const Variant& Value) {
  switch (VarType(Value)) {
  case varEmpty:
    WriteValue(vaNil);
    break;
  case varNull:
    WriteValue(vaNull);
    break;
  case varSmallint:
  case varInteger:
  case varByte:
  case varInt64:
    WriteInteger(Value.AsInt64());
    break;
  case varBoolean:
    WriteBoolean(Value.AsBoolean());
    break;
  case varSingle:
    WriteSingle(Value.AsSingle());
    break;
  case varDouble:
    WriteFloat(Value.AsDouble());
    break;
  case varCurrency:
    WriteCurrency(Value.AsCurrency());
    break;
  case varDate:
    WriteDate(Value.AsDateTime());
    break;
  default:
    WriteString(Value.AsString());
    break;
  }
}

void TWriter::WriteIdent(const String& Ident) {
  if (SameText(Ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(Ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(Ident, "nil"))
    WriteValue(vaNil);
  else if (SameText(Ident, "Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteBinary(const std::vector<std::uint8_t>& Data) {
  if (Data.size() > INT32_MAX) throw EWriteError("Stream write error");
  WriteValue(vaBinary);
  const auto length = static_cast<std::int32_t>(Data.size());
  Write(&length, 4);
  Write(Data.data(), length);
}

void TWriter::WriteSet(const TTypeInfo* SetType, std::uint64_t Bits) {
  WriteValue(vaSet);
  const auto& names = SetType->CompType->EnumNames;
  for (std::size_t i = 0; i < names.size() && i < 64; ++i)
    if (Bits >> i & 1) WriteStr(names[i]);
  WriteStr("");
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }

void TWriter::WritePrefix(TFilerFlags Flags, int ChildPos) {
  if (Flags.Empty()) return;
  const auto b = static_cast<std::uint8_t>(0xF0 | Flags.Bits());
  Write(&b, 1);
  if (Flags.Contains(ffChildPos)) WriteInteger(ChildPos);
}

// ---- writing components ----

void TWriter::WriteDescendent(TComponent* ARoot, TComponent* AAncestor) {
  FRoot = ARoot;
  FLookupRoot = ARoot;
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  WriteSignature();
  WriteComponent(ARoot);
}

void TWriter::WriteComponent(TComponent* Component) {
  Component->SetComponentStateItem(csWriting, true);
  try {
    WritePrefix(FAncestor ? TFilerFlags{ffInherited} : TFilerFlags{}, 0);
    WriteStr(Component->ClassName());
    WriteStr(Component->Name());
    Component->WriteState(this);
  } catch (...) {
    Component->SetComponentStateItem(csWriting, false);
    throw;
  }
  Component->SetComponentStateItem(csWriting, false);
}

TComponent* TWriter::AncestorChild(TComponent* Child) const {
  return FRootAncestor ? FRootAncestor->FindComponent(Child->Name()) : nullptr;
}

void TWriter::WriteData(TComponent* Instance) {
  WriteProperties(Instance);
  WriteListEnd();
  TPersistent* const savedAncestor = FAncestor;
  Instance->GetChildren(
      [this](TComponent* child) {
        FAncestor = AncestorChild(child);
        WriteComponent(child);
      },
      FRoot);
  FAncestor = savedAncestor;
  WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const TPropInfo* p : GetPropList(Instance, tkAny))
    if (IsStoredProp(Instance, p)) WriteProperty(Instance, p);
  Instance->DefineProperties(this);
}

bool TWriter::DiffersFromAncestor(TPersistent* Instance, const TPropInfo* Prop) const {
  if (!FAncestor || GetPropInfo(FAncestor, Prop->Name) != Prop)
    return !IsDefaultPropValue(Instance, Prop);
  const TTypeKind kind = Prop->PropType->Kind;
  if (IsOrdinalKind(kind)) return Prop->GetOrd(Instance) != Prop->GetOrd(FAncestor);
  if (kind == tkFloat) return Prop->GetFloat(Instance) != Prop->GetFloat(FAncestor);
  if (kind == tkLString) return Prop->GetStr(Instance) != Prop->GetStr(FAncestor);
  if (kind == tkMethod) return Prop->GetMethod(Instance).Name != Prop->GetMethod(FAncestor).Name;
  if (kind == tkVariant) return !(Prop->GetVariant(Instance) == Prop->GetVariant(FAncestor));
  return true;
}

void TWriter::WritePropName(const String& Name) { WriteStr(FPropPath + Name); }

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop) {
  const TTypeInfo* type = Prop->PropType;
  if (type->Kind == tkClass) {
    WriteObjectProperty(Instance, Prop);
    return;
  }
  if (!DiffersFromAncestor(Instance, Prop)) return;
  if (type->Kind == tkMethod) {
    const TMethod m = Prop->GetMethod(Instance);
    WritePropName(Prop->Name);
    if (m.Assigned())
      WriteIdent(m.Name);
    else
      WriteValue(vaNil);
    return;
  }
  WritePropName(Prop->Name);
  switch (type->Kind) {
  case tkInteger:
  case tkInt64: {
    const Int64 value = Prop->GetOrd(Instance);
    String ident;
    if (IntToIdent(value, ident, Prop->Idents))
      WriteIdent(ident);
    else
      WriteInteger(value);
    break;
  }
  case tkChar:
    WriteChar(static_cast<char>(Prop->GetOrd(Instance)));
    break;
  case tkEnumeration:
    if (type == lum::BooleanTypeInfo())
      WriteBoolean(Prop->GetOrd(Instance) != 0);
    else
      WriteIdent(GetEnumName(type, Prop->GetOrd(Instance)));
    break;
  case tkSet:
    WriteSet(type, static_cast<std::uint64_t>(Prop->GetOrd(Instance)));
    break;
  case tkFloat:
    WriteFloat(Prop->GetFloat(Instance));
    break;
  case tkVariant:
    WriteVariant(Prop->GetVariant(Instance));
    break;
  default:
    WriteString(Prop->GetStr(Instance));
    break;
  }
}

String TWriter::ReferenceName(TComponent* Value) const {
  if (Value == FLookupRoot || Value->Owner() == FLookupRoot || !Value->Owner())
    return Value->Name();
  return Value->Owner()->Name() + "." + Value->Name();
}

void TWriter::WriteObjectProperty(TPersistent* Instance, const TPropInfo* Prop) {
  TObject* value = Prop->GetObject(Instance);
  const bool hasAncestor = FAncestor && GetPropInfo(FAncestor, Prop->Name) == Prop;
  TObject* ancestorValue = hasAncestor ? Prop->GetObject(FAncestor) : nullptr;
  const bool isReference = Prop->PropType->ClassType()->InheritsFrom(TComponent::StaticClass());
  if (isReference) {
    auto* component = static_cast<TComponent*>(value);
    auto* ancestorComponent = static_cast<TComponent*>(ancestorValue);
    if (!component || component->Name().empty()) {
      if (ancestorComponent) {
        WritePropName(Prop->Name);
        WriteValue(vaNil);
      }
      return;
    }
    if (ancestorComponent && SameText(ancestorComponent->Name(), component->Name())) return;
    WritePropName(Prop->Name);
    WriteIdent(ReferenceName(component));
    return;
  }
  if (!value) return;
  if (value->InheritsFrom(TCollection::StaticClass())) {
    auto* collection = static_cast<TCollection*>(value);
    if (CollectionsEqual(collection, ancestorValue)) return;
    WritePropName(Prop->Name);
    WriteCollection(collection);
    return;
  }
  const String savedPath = FPropPath;
  TPersistent* const savedAncestor = FAncestor;
  FPropPath = savedPath + Prop->Name + ".";
  FAncestor = ancestorValue && ancestorValue->InheritsFrom(TPersistent::StaticClass())
                  ? static_cast<TPersistent*>(ancestorValue)
                  : nullptr;
  try {
    WriteProperties(static_cast<TPersistent*>(value));
  } catch (...) {
    FPropPath = savedPath;
    FAncestor = savedAncestor;
    throw;
  }
  FPropPath = savedPath;
  FAncestor = savedAncestor;
}

void TWriter::WriteCollection(TCollection* Collection) {
  WriteValue(vaCollection);
  const String savedPath = FPropPath;
  TPersistent* const savedAncestor = FAncestor;
  FPropPath.clear();
  FAncestor = nullptr;
  try {
    for (int i = 0; i < Collection->Count(); ++i) {
      WriteListBegin();
      WriteProperties(Collection->Items(i));
      WriteListEnd();
    }
  } catch (...) {
    FPropPath = savedPath;
    FAncestor = savedAncestor;
    throw;
  }
  FPropPath = savedPath;
  FAncestor = savedAncestor;
  WriteListEnd();
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&,
                                   const TStreamProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteValue(vaBinary);
  const Int64 lengthAt = FStream->Position();
  std::int32_t length = 0;
  Write(&length, 4);
  TBinaryPart part(FStream);
  WriteData(&part);
  if (part.Size() > INT32_MAX) throw EWriteError("Stream write error");
  length = static_cast<std::int32_t>(part.Size());
  FStream->SetPosition(lengthAt);
  Write(&length, 4);
  FStream->SetPosition(lengthAt + 4 + length);
}
