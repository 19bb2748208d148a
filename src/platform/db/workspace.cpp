#include "platform/db/workspace.h"

#include <system_error>

#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/paths.h"
#include "platform/db/internal/workspace_impl.h"

namespace morvane::db {
namespace fs = std::filesystem;

namespace {

// Opens or creates the database at `path`; an error that names no file of
// its own names that one.
template <typename OpenFn>
Database NamingTheFile(const fs::path& path, OpenFn open) {
  try {
    return open();
  } catch (Error& e) {
    if (e.file().empty()) e.SetFile(path.string());
    throw;
  }
}

}  // namespace

Database Workspace::Impl::Open(const fs::path& path, bool create, Access access) {
  const fs::path target =
      create ? internal::NewFileTarget(path) : internal::ExistingDatabaseFile(path);
  // One connection per file, whatever its names: two connections to one
  // file would lock each other out of writing it.
  const std::string identity = internal::FileIdentity(target);
  std::shared_ptr<internal::Connection> connection;
  for (const auto& c : connections)
    if (c->identity() == identity) connection = c;
  if (connection && connection->read_only() && access != Access::kUserRead)
    throw Error("the database is open read-only in this run and cannot be written: " + target.string());
  if (!connection) {
    try {
      connection = std::make_shared<internal::Connection>(this, target, create, access);
    } catch (...) {
      std::error_code ec;
      if (create) fs::remove(target, ec);  // never leave a half-made file behind
      throw;
    }
    connections.push_back(connection);
  }
  auto handle = std::make_shared<Database::Impl>();
  handle->connection = connection;
  handle->path = target;
  connection->AddHandle(handle.get());
  return Database(std::move(handle));
}

void Workspace::Impl::Release(internal::Connection* connection) {
  if (connection->handle_count() > 0) return;
  std::shared_ptr<internal::Connection> keep;
  for (auto it = connections.begin(); it != connections.end(); ++it) {
    if (it->get() == connection) {
      keep = *it;
      connections.erase(it);
      break;
    }
  }
  connection->Close();
}

Workspace::Workspace() : impl_(std::make_shared<Impl>()) {}

Workspace::~Workspace() {
  try {
    Close();
  } catch (...) {
  }
}

Database Workspace::CreateDatabase(const fs::path& path, std::string_view /*locale*/) {
  // The general sort order is the only one: text compares without regard to
  // letter case, which every Text and Memo column declares.
  return NamingTheFile(path, [&] { return impl_->Open(path, true); });
}

Database Workspace::OpenDatabase(const fs::path& path, Access access) {
  return NamingTheFile(path, [&] { return impl_->Open(path, false, access); });
}

void Workspace::BeginTrans() { impl_->Begin(); }
void Workspace::CommitTrans(std::size_t counted) { impl_->Commit(counted); }
void Workspace::Rollback() { impl_->Rollback(); }
int Workspace::TransactionDepth() const { return impl_->depth; }
std::uint64_t Workspace::GroupNumber() const { return impl_->group_number; }
std::size_t Workspace::PendingCommits() const { return impl_->group_count; }
void Workspace::Flush() { impl_->Flush(); }

void Workspace::SetGroupLimit(std::size_t transactions) {
  impl_->group_limit = transactions == 0 ? 1 : transactions;
}

void Workspace::Close() { impl_->CloseAll(); }

}  // namespace morvane::db
