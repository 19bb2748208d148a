// The workspace's state: its connections and its transactions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/db/internal/connection.h"
#include "platform/db/workspace.h"

namespace morvane::db {

struct Workspace::Impl {
  int depth = 0;                 // open logical transactions
  std::size_t group_count = 0;   // completed ones not yet really committed
  std::size_t group_limit = kDefaultGroupLimit;
  std::uint64_t group_number = 0;  // real commits (Flush) made so far
  std::vector<std::shared_ptr<internal::Connection>> connections;

  // A new handle on `path`; `create` makes a new file, else the file must
  // exist. Shares the connection when the file is open already (see
  // Workspace::OpenDatabase).
  Database Open(const std::filesystem::path& path, bool create, Access access = Access::kOwn);

  // A connection is about to write: open its group and join every open
  // logical transaction (`single_insert`: as Connection::JoinLevels).
  void Join(internal::Connection& connection, bool single_insert);
  // A connection wrote: outside a logical transaction that is one commit.
  void Wrote(internal::Connection& connection, std::size_t rows = 1);

  void Begin();
  void Commit(std::size_t counted = 1);
  void Rollback();
  void Flush();
  void CloseAll();

  // The last handle of `connection` closed: close the file.
  void Release(internal::Connection* connection);

 private:
  void CountCommit(std::size_t counted = 1);
};

}  // namespace morvane::db
