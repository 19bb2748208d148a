// Process-wide settings of the SQLite engine, made once before the first
// database is opened.
#pragma once

namespace morvane::db::internal {

// Turns off the engine's memory statistics: with them on, every allocation
// and release inside SQLite takes a global lock and updates counters, and
// nothing in Morvane reads them. Must run before the engine initialises
// itself (at the first open); later calls, and a call after something else
// initialised the engine, change nothing. Never throws.
void SetUpEngine() noexcept;

}  // namespace morvane::db::internal
