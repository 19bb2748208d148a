// Lets GoogleTest print database values readably in failure messages.
#pragma once

#include <ostream>

#include "platform/db/value.h"

namespace morvane::db {

inline void PrintTo(const Value& v, std::ostream* os) {
  if (v.IsNull()) *os << "Null";
  else if (v.IsInteger()) *os << v.Integer();
  else if (v.IsReal()) *os << v.Real() << " (real)";
  else *os << '"' << v.Text() << '"';
}

}  // namespace morvane::db
