// The workspace's logical transactions, carried out on each connection as
// savepoints inside one real transaction per group of commits.
#include <exception>

#include "platform/db/error.h"
#include "platform/db/internal/workspace_impl.h"

namespace morvane::db {
namespace {

// Runs `f` on every connection; the first error is rethrown after all ran.
template <typename F>
void ForEach(const std::vector<std::shared_ptr<internal::Connection>>& connections, F&& f) {
  std::exception_ptr first;
  for (const auto& c : connections) {
    try {
      f(*c);
    } catch (...) {
      c->Resynchronise();
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

}  // namespace

void Workspace::Impl::Join(internal::Connection& connection, bool single_insert) {
  try {
    connection.BeginGroup();
    connection.JoinLevels(depth, single_insert);
  } catch (...) {
    connection.Resynchronise();
    throw;
  }
}

void Workspace::Impl::Wrote(internal::Connection& /*connection*/, std::size_t rows) {
  if (depth == 0) CountCommit(rows);
}

void Workspace::Impl::CountCommit(std::size_t counted) {
  group_count += counted;
  if (group_count >= group_limit) Flush();
}

void Workspace::Impl::Begin() { ++depth; }

void Workspace::Impl::Commit(std::size_t counted) {
  if (depth == 0) throw Error("CommitTrans without an open transaction");
  const int level = depth;
  --depth;
  ForEach(connections, [level](internal::Connection& c) { c.CommitLevel(level); });
  if (depth == 0) CountCommit(counted);
}

void Workspace::Impl::Rollback() {
  if (depth == 0) throw Error("Rollback without an open transaction");
  const int level = depth;
  --depth;
  ForEach(connections, [level](internal::Connection& c) { c.RollbackLevel(level); });
}

void Workspace::Impl::Flush() {
  group_count = 0;
  // A connection inside an open logical transaction keeps its group: its
  // real commit would make the open transaction's rows durable too.
  ForEach(connections, [](internal::Connection& c) {
    if (!c.InTransaction()) c.CommitGroup();
  });
  ++group_number;
}

void Workspace::Impl::CloseAll() {
  std::exception_ptr first;
  auto note = [&first] {
    if (!first) first = std::current_exception();
  };
  while (depth > 0) {
    try {
      Rollback();
    } catch (...) {
      note();
    }
  }
  try {
    Flush();
  } catch (...) {
    note();
  }
  const auto all = std::move(connections);
  connections.clear();
  for (const auto& c : all) {
    try {
      c->Close();
    } catch (...) {
      note();
    }
  }
  depth = 0;
  group_count = 0;
  if (first) std::rethrow_exception(first);
}

}  // namespace morvane::db
