#pragma once

#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

// Expects Action to raise an E with exactly this message.
template <class E, class F> void ExpectError(F Action, const String& Message) {
  try {
    Action();
    ADD_FAILURE() << "nothing raised, expected \"" << Message << "\"";
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), Message);
  }
}

// Expects Action to raise an E whose message holds Part.
template <class E, class F> void ExpectErrorContaining(F Action, const String& Part) {
  try {
    Action();
    ADD_FAILURE() << "nothing raised, expected \"" << Part << "\"";
  } catch (const E& e) {
    EXPECT_NE(e.Message().find(Part), String::npos) << e.Message();
  }
}
