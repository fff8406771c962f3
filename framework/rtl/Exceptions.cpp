#include "framework/rtl/Exceptions.h"

Exception::Exception(String message) : message_(std::move(message)) {}
