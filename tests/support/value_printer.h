// Lets GoogleTest show a field value in a failure message: Null, a whole
// number, a real number or a quoted text.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "platform/db/value.h"

namespace morvane::db {

inline void PrintTo(const Value& value, std::ostream* os) {
  if (value.IsNull()) {
    *os << "Null";
  } else if (value.IsInteger()) {
    *os << value.Integer();
  } else if (value.IsReal()) {
    *os << value.Real() << " (real)";
  } else {
    *os << ::testing::PrintToString(value.Text());
  }
}

}  // namespace morvane::db
