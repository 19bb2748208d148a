// A Database handle: one open use of a connection, with the recordsets that
// were opened through it.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/internal/connection.h"

namespace morvane::db {

struct Database::Impl {
  std::shared_ptr<internal::Connection> connection;  // null once closed
  std::filesystem::path path;
  std::vector<internal::Cursor*> cursors;

  bool IsOpen() const { return connection && connection->IsOpen(); }
  // The connection; throws db::Error when the database is closed.
  internal::Connection& Require(std::string_view table = {}) const {
    if (IsOpen()) [[likely]] return *connection;  // every field read and write asks
    ThrowClosed(table);
  }
  [[noreturn]] static void ThrowClosed(std::string_view table);

  void AddCursor(internal::Cursor* cursor) { cursors.push_back(cursor); }
  void RemoveCursor(internal::Cursor* cursor) noexcept;

  // The connection is closing under the handle: detach the recordsets.
  void Detach() noexcept;
  // Closes the handle, and the file when no other handle holds it.
  void Close();
};

}  // namespace morvane::db
