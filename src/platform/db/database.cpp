#include "platform/db/database.h"

#include <algorithm>

#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/schema.h"
#include "platform/db/internal/sql_text.h"
#include "platform/db/internal/table_creation.h"
#include "platform/db/internal/workspace_impl.h"

namespace morvane::db {
namespace {

const std::filesystem::path& NoPath() {
  static const std::filesystem::path empty;
  return empty;
}

}  // namespace

// --- the handle ---

void Database::Impl::ThrowClosed(std::string_view table) {
  throw Error("the database is closed", std::string(table));
}

void Database::Impl::RemoveCursor(internal::Cursor* cursor) noexcept {
  cursors.erase(std::remove(cursors.begin(), cursors.end(), cursor), cursors.end());
}

void Database::Impl::Detach() noexcept {
  const auto all = std::move(cursors);
  cursors.clear();
  for (internal::Cursor* c : all) c->Detach();
  connection.reset();
}

void Database::Impl::Close() {
  if (!connection) return;
  std::shared_ptr<internal::Connection> keep = connection;
  Detach();
  keep->RemoveHandle(this);
  if (Workspace::Impl* workspace = keep->workspace())
    workspace->Release(keep.get());
  else if (keep->handle_count() == 0)
    keep->Close();
}

// --- Database ---

Database::Database(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

Database::~Database() {
  if (!impl_) return;
  try {
    impl_->Close();
  } catch (...) {
  }
}

Database::Database(Database&& other) noexcept = default;

Database& Database::operator=(Database&& other) noexcept {
  if (this != &other) {
    if (impl_) {
      try {
        impl_->Close();
      } catch (...) {
      }
    }
    impl_ = std::move(other.impl_);
  }
  return *this;
}

bool Database::IsOpen() const { return impl_ && impl_->IsOpen(); }

const std::filesystem::path& Database::Path() const { return impl_ ? impl_->path : NoPath(); }

std::vector<TableDef> Database::TableDefs() const {
  if (!impl_) throw Error("no database is open");
  const internal::Connection& c = impl_->Require();
  std::vector<TableDef> tables;
  for (const std::string& name : internal::TableNames(c))
    if (auto info = internal::ReadTable(c, name)) tables.push_back(std::move(info->def));
  return tables;
}

std::optional<TableDef> Database::FindTable(std::string_view name) const {
  if (!impl_) throw Error("no database is open");
  auto info = internal::ReadTable(impl_->Require(name), name);
  if (!info) return std::nullopt;
  return std::move(info->def);
}

void Database::AppendTable(const TableDef& table) {
  if (!impl_) throw Error("no database is open", table.name);
  internal::CreateTable(impl_->Require(table.name), table);
}

void Database::Execute(std::string_view sql, const std::vector<Value>& params) {
  if (!impl_) throw Error("no database is open");
  internal::Connection& c = impl_->Require();
  const std::string text(sql);
  internal::RefuseTransactionControl(text);
  const bool writes = !internal::InspectSql(c.handle(), text).read_only;
  internal::StatementPtr s = internal::Prepare(c.db(), text);
  internal::BindAll(*s, params);
  if (writes) c.BeforeWrite();
  try {
    while (internal::Step(*s)) {
    }
  } catch (...) {
    c.Resynchronise();
    throw;
  }
  if (writes) c.AfterWrite();
}

void Database::Close() {
  if (impl_) impl_->Close();
}

std::string QuoteName(std::string_view name) { return internal::QuoteName(name); }

}  // namespace morvane::db
