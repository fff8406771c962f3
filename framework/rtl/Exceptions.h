#pragma once

#include "framework/rtl/Types.h"

#include <exception>

// Root of the run-time library's exception hierarchy. Every error the library raises
// is an Exception carrying a readable message.
class Exception : public std::exception {
public:
  explicit Exception(String message);
  const String& Message() const noexcept { return message_; }
  void SetMessage(String message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const noexcept { return "Exception"; }

private:
  String message_;
};

#define LUM_DECLARE_EXCEPTION(Name, Base)                                                          \
  class Name : public Base {                                                                       \
  public:                                                                                          \
    using Base::Base;                                                                              \
    const char* ClassName() const noexcept override { return #Name; }                              \
  }

LUM_DECLARE_EXCEPTION(EAbort, Exception);
LUM_DECLARE_EXCEPTION(EConvertError, Exception);
LUM_DECLARE_EXCEPTION(EInvalidCast, Exception);
LUM_DECLARE_EXCEPTION(EListError, Exception);
LUM_DECLARE_EXCEPTION(EOutOfResources, Exception);
LUM_DECLARE_EXCEPTION(EDatabaseError, Exception);
LUM_DECLARE_EXCEPTION(EComponentError, Exception);
LUM_DECLARE_EXCEPTION(EInOutError, Exception);

LUM_DECLARE_EXCEPTION(EIntError, Exception);
LUM_DECLARE_EXCEPTION(EDivByZero, EIntError);
LUM_DECLARE_EXCEPTION(ERangeError, EIntError);
LUM_DECLARE_EXCEPTION(EIntOverflow, EIntError);

LUM_DECLARE_EXCEPTION(EMathError, Exception);
LUM_DECLARE_EXCEPTION(EInvalidOp, EMathError);
LUM_DECLARE_EXCEPTION(EZeroDivide, EMathError);
LUM_DECLARE_EXCEPTION(EOverflow, EMathError);
LUM_DECLARE_EXCEPTION(EUnderflow, EMathError);

LUM_DECLARE_EXCEPTION(EStreamError, Exception);
LUM_DECLARE_EXCEPTION(EFCreateError, EStreamError);
LUM_DECLARE_EXCEPTION(EFOpenError, EStreamError);
LUM_DECLARE_EXCEPTION(EFilerError, EStreamError);
LUM_DECLARE_EXCEPTION(EReadError, EFilerError);
LUM_DECLARE_EXCEPTION(EWriteError, EFilerError);
LUM_DECLARE_EXCEPTION(EClassNotFound, EReadError); // an EFilerError, like its parent

// The framework's standard messages for the errors raised by the checked helpers.
namespace RtlMessages {
inline constexpr const char* RangeError = "Range check error";
inline constexpr const char* IntOverflow = "Integer overflow";
inline constexpr const char* DivByZero = "Division by zero";
inline constexpr const char* InvalidOp = "Invalid floating point operation";
inline constexpr const char* ZeroDivide = "Floating point division by zero";
inline constexpr const char* Overflow = "Floating point overflow";
inline constexpr const char* Underflow = "Floating point underflow";
inline constexpr const char* InvalidCast = "Invalid class typecast";
} // namespace RtlMessages
