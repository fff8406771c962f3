#pragma once

#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

// Expects action to raise EListError with exactly this message.
template <typename F> void ExpectListError(F action, const String& message) {
  try {
    action();
    ADD_FAILURE() << "no EListError, expected \"" << message << "\"";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

inline String IndexError(int index) {
  return "List index out of bounds (" + std::to_string(index) + ")";
}
