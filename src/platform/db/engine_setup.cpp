#include "platform/db/internal/engine_setup.h"

#include <sqlite3.h>

namespace morvane::db::internal {

void SetUpEngine() noexcept {
  // A function-local static: set once, safely, whichever thread opens first.
  static const bool done = [] {
    // SQLITE_MISUSE when the engine is initialised already: the statistics
    // then stay on, which costs time but nothing else.
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return true;
  }();
  (void)done;
}

}  // namespace morvane::db::internal
