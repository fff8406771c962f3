#pragma once

#include "framework/rtl/Types.h"

#include <initializer_list>
#include <variant>

// One argument of Format, as the framework's array of const: Format("%d: %s", {n, name}).
class TVarRec {
public:
  using Value = std::variant<Int64, Extended, String, const void*, char>;

  TVarRec(int v) : value_(Int64{v}) {}
  TVarRec(long v) : value_(Int64{v}) {}
  TVarRec(long long v) : value_(Int64{v}) {}
  TVarRec(unsigned v) : value_(Int64{v}) {}
  TVarRec(unsigned long v) : value_(static_cast<Int64>(v)) {}
  TVarRec(unsigned long long v) : value_(static_cast<Int64>(v)) {}
  TVarRec(double v) : value_(Extended{v}) {}
  TVarRec(long double v) : value_(v) {}
  TVarRec(const char* v) : value_(String(v)) {}
  TVarRec(String v) : value_(std::move(v)) {}
  TVarRec(char v) : value_(v) {}
  TVarRec(const void* v) : value_(v) {}

  const Value& value() const { return value_; }

private:
  Value value_;
};

// The framework's Format: %d %u %x %s %f %e %g %n %m %p with index ("%1:s"), left
// alignment ("-"), width and precision (either may be "*"), and "%%". A mismatch of
// specifier and argument, or a missing argument, raises EConvertError.
// "." is always the decimal separator.
String Format(const String& format, std::initializer_list<TVarRec> args);
