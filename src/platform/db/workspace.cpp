#include "platform/db/workspace.h"

#include <system_error>

#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/paths.h"
#include "platform/db/internal/workspace_impl.h"
#include "platform/files/files.h"

namespace morvane::db {
namespace fs = std::filesystem;
namespace {

bool AnythingAt(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// The file that a new database goes to: nothing may stand there, and its
// folder must exist.
fs::path CreationTarget(const fs::path& path) {
  const fs::path target = files::ResolveForWrite(path);
  if (files::Resolve(path) || AnythingAt(target))
    throw Error("a file already exists at " + target.string());
  const fs::path folder = target.parent_path();
  std::error_code ec;
  if (!folder.empty() && !fs::is_directory(folder, ec))
    throw Error("the folder does not exist: " + folder.string());
  return fs::absolute(target);
}

// The existing database file that `path` names.
fs::path OpeningTarget(const fs::path& path) {
  const auto found = files::Resolve(path);
  if (!found) throw Error("database file not found: " + path.string());
  std::error_code ec;
  if (!fs::is_regular_file(*found, ec)) throw Error("not a database file: " + found->string());
  if (fs::file_size(*found, ec) == 0 && !ec)
    throw Error("the file is empty, not a database: " + found->string());
  return fs::absolute(*found);
}

}  // namespace

Database Workspace::Impl::Open(const fs::path& path, bool create) {
  internal::RefuseSpecialName(path);
  const fs::path target = create ? CreationTarget(path) : OpeningTarget(path);
  const std::string identity = internal::FileIdentity(target);

  std::shared_ptr<internal::Connection> connection;
  for (const auto& c : connections)
    if (c->identity() == identity) connection = c;
  if (!connection) {
    try {
      connection = std::make_shared<internal::Connection>(this, target, identity, create);
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
  return impl_->Open(path, true);
}

Database Workspace::OpenDatabase(const fs::path& path) { return impl_->Open(path, false); }

void Workspace::BeginTrans() { impl_->Begin(); }
void Workspace::CommitTrans() { impl_->Commit(); }
void Workspace::Rollback() { impl_->Rollback(); }
int Workspace::TransactionDepth() const { return impl_->depth; }
void Workspace::Flush() { impl_->Flush(); }

void Workspace::SetGroupLimit(std::size_t transactions) {
  impl_->group_limit = transactions == 0 ? 1 : transactions;
}

void Workspace::Close() { impl_->CloseAll(); }

}  // namespace morvane::db
