#include "platform/db/table_recordset.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/field_conversion.h"
#include "platform/db/internal/recordset_access.h"
#include "platform/db/internal/schema.h"
#include "platform/db/internal/sql_text.h"
#include "platform/db/internal/statement.h"

namespace morvane::db {
namespace {

using internal::StatementPtr;

// The statements that walk one order. Navigation is keyset-based: every move
// is one LIMIT 1 query from the current row's key and row id, so rows that
// are written during a walk never confuse it.
enum Walk {
  kFirst,
  kLast,
  kEqual,         // Seek "=": first row of the key
  kSameAfter,     // the next row of the same key
  kSameBefore,
  kGreater,       // Seek ">", and the first row of the next key
  kGreaterEqual,
  kLess,          // Seek "<", and the last row of the previous key
  kLessEqual,
  kNullAfter,     // Null keys come first and need their own steps
  kNullBefore,
  kFirstNotNull,
  kLastNull,
  kWalkCount
};

using WalkStatements = std::array<StatementPtr, kWalkCount>;

// Looks a name up as it is spelled, without making a string of it.
struct SpellingHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

}  // namespace

struct TableRecordset::Impl final : internal::Cursor {
  Impl(std::shared_ptr<Database::Impl> database, internal::TableInfo table);
  ~Impl() override;

  void Detach() noexcept override;

  // State checks; each throws db::Error naming the table. Inline: a step
  // makes them for every field it reads or sets.
  internal::Connection& Require() const {
    if (!attached) [[unlikely]] ThrowClosed();
    return database->Require(info.def.name);
  }
  void RequireNotEditing(const char* action) const;
  const FieldDef& Field(int i) const {
    if (i < 0 || i >= static_cast<int>(info.def.fields.size())) [[unlikely]] ThrowNoField(i);
    return info.def.fields[i];
  }
  [[noreturn]] void ThrowClosed() const;
  [[noreturn]] void ThrowNoField(int i) const;

  internal::Statement& Stored(StatementPtr& slot, const char* tail);
  internal::Statement& IndexWalk(Walk walk);
  std::string IndexWalkSql(Walk walk) const;

  // Runs a bound query; on a row, makes it current. Always resets.
  bool Fetch(internal::Statement& s);
  bool FetchKey(Walk walk, const Value& key);
  bool FetchKeyAndRow(Walk walk, const Value& key);
  bool FetchRow(internal::Statement& s);
  void Land(bool found, bool after) {
    if (!found) position = after ? Position::kAfterLast : Position::kBeforeFirst;
  }

  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  void Seek(std::string_view op, const Value& key);
  void Update();
  int FieldBySpelling(std::string_view field) const;  // throws for unknown fields
  internal::Statement& UpdateOf(const std::vector<int>& fields);
  int Write(internal::Statement& s, const std::vector<int>* fields);
  template <typename BindAll>
  int RunWrite(internal::Statement& s, std::size_t new_rows, BindAll&& bind_all);
  internal::Statement& InsertRows(std::size_t rows);
  void WriteQueued();
  // Sixteen rows take most of the gain; the statement's parameters must
  // stay within the engine's limit.
  std::size_t QueueCapacity() const {
    constexpr std::size_t kMostQueued = 16;
    const int limit = sqlite3_limit(Require().handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1);
    const std::size_t fields = std::max<std::size_t>(info.def.fields.size(), 1);
    return std::clamp<std::size_t>(static_cast<std::size_t>(limit) / fields, 1, kMostQueued);
  }

  std::shared_ptr<Database::Impl> database;
  bool attached = true;
  internal::TableInfo info;
  std::string table_sql;   // quoted table name
  std::string select_sql;  // SELECT <rowid>, <fields> FROM <table>
  int index = -1;          // into info.indexes; -1: stored order

  enum class Position { kRow, kBeforeFirst, kAfterLast };
  Position position = Position::kAfterLast;
  std::int64_t rowid = 0;
  std::int64_t last_added = 0;  // row id of the last row AddNew stored
  std::vector<Value> row;
  std::uint64_t row_changes = 0;  // the connection's change count when `row` was read
  bool no_match = false;

  enum class Mode { kNone, kAdd, kEdit };
  Mode mode = Mode::kNone;
  std::vector<Value> buffer;
  std::vector<char> touched;        // per field: Set or appended to since AddNew/Edit
  std::vector<int> changed_fields;  // reused by every edit

  // Rows queued by QueueNew: the first queued_count of queued, whose
  // vectors are kept for the next rows. insert_rows[n - 1] adds n rows.
  std::vector<std::vector<Value>> queued;
  std::size_t queued_count = 0;
  std::vector<StatementPtr> insert_rows;

  // Prepared once each, on first use.
  StatementPtr first, last, next, previous, at, count;
  std::vector<WalkStatements> walks;  // per index
  // One UPDATE per set of fields that edits changed, in ascending order.
  std::vector<std::pair<std::vector<int>, StatementPtr>> updates;
  // Field positions by the spellings callers used: a step reads fields by
  // name on every row, and comparing names without regard to case field by
  // field would cost more than the read.
  mutable std::unordered_map<std::string, int, SpellingHash, std::equal_to<>> field_by_spelling;
  // Before that map, the spellings last used, by where their text lies: a
  // step passes the same text for the same field on every row, so its
  // address picks the slot and one comparison of the text confirms it
  // (without hashing the name).
  struct RecentSpelling {
    const char* data = nullptr;
    std::string text;
    int field = -1;
  };
  mutable std::array<RecentSpelling, 64> recent_spellings;
};

TableRecordset::Impl::Impl(std::shared_ptr<Database::Impl> db, internal::TableInfo table)
    : database(std::move(db)), info(std::move(table)) {
  table_sql = internal::QuoteName(info.def.name);
  select_sql = "SELECT " + info.rowid;
  for (const FieldDef& f : info.def.fields) select_sql += ", " + internal::QuoteName(f.name);
  select_sql += " FROM " + table_sql;
  row.resize(info.def.fields.size());
  touched.resize(row.size());
  walks.resize(info.indexes.size());
  database->AddCursor(this);
}

TableRecordset::Impl::~Impl() {
  if (attached) database->RemoveCursor(this);
}

void TableRecordset::Impl::Detach() noexcept {
  first.reset();
  last.reset();
  next.reset();
  previous.reset();
  at.reset();
  count.reset();
  updates.clear();
  insert_rows.clear();
  queued_count = 0;
  for (WalkStatements& w : walks)
    for (StatementPtr& statement : w) statement.reset();
  attached = false;
  mode = Mode::kNone;
}

void TableRecordset::Impl::ThrowClosed() const {
  throw Error("the recordset is closed", info.def.name);
}

void TableRecordset::Impl::RequireNotEditing(const char* action) const {
  if (mode != Mode::kNone)
    throw Error(std::string("cannot ") + action + " while an edit is open (Update or CancelUpdate first)",
                info.def.name);
}

void TableRecordset::Impl::ThrowNoField(int i) const {
  throw Error("no field at position " + std::to_string(i), info.def.name);
}

internal::Statement& TableRecordset::Impl::Stored(StatementPtr& slot, const char* tail) {
  if (!slot) {
    std::string sql = select_sql + " " + tail;
    std::size_t p;
    while ((p = sql.find("$R")) != std::string::npos) sql.replace(p, 2, info.rowid);
    slot = internal::Prepare(Require().db(), sql, info.def.name);
  }
  return *slot;
}

std::string TableRecordset::Impl::IndexWalkSql(Walk walk) const {
  const internal::IndexInfo& x = info.indexes[index];
  std::string key = internal::QuoteName(info.def.fields[x.field].name);
  if (!x.collation.empty()) key += " COLLATE " + internal::QuoteName(x.collation);
  const std::string& r = info.rowid;
  const std::string up = " ORDER BY " + key + ", " + r + " LIMIT 1";
  const std::string down = " ORDER BY " + key + " DESC, " + r + " DESC LIMIT 1";
  std::string where;
  bool ascending = true;
  switch (walk) {
    case kFirst: break;
    case kLast: ascending = false; break;
    case kEqual: where = key + " = ?1"; break;
    case kSameAfter: where = key + " = ?1 AND " + r + " > ?2"; break;
    case kSameBefore: where = key + " = ?1 AND " + r + " < ?2", ascending = false; break;
    case kGreater: where = key + " > ?1"; break;
    case kGreaterEqual: where = key + " >= ?1"; break;
    case kLess: where = key + " < ?1", ascending = false; break;
    case kLessEqual: where = key + " <= ?1", ascending = false; break;
    case kNullAfter: where = key + " IS NULL AND " + r + " > ?1"; break;
    case kNullBefore: where = key + " IS NULL AND " + r + " < ?1", ascending = false; break;
    case kFirstNotNull: where = key + " IS NOT NULL"; break;
    case kLastNull: where = key + " IS NULL", ascending = false; break;
    case kWalkCount: break;
  }
  // INDEXED BY: the statement fails to prepare rather than scan the table.
  return select_sql + " INDEXED BY " + internal::QuoteName(x.physical) +
         (where.empty() ? "" : " WHERE " + where) + (ascending ? up : down);
}

internal::Statement& TableRecordset::Impl::IndexWalk(Walk walk) {
  StatementPtr& slot = walks[index][walk];
  if (!slot) slot = internal::Prepare(Require().db(), IndexWalkSql(walk), info.def.name);
  return *slot;
}

bool TableRecordset::Impl::Fetch(internal::Statement& s) {
  database->connection->BeforeRead();
  bool found = false;
  try {
    found = internal::Step(s, info.def.name);
  } catch (...) {
    position = Position::kAfterLast;
    throw;
  }
  if (found) {
    rowid = s.getColumn(0).getInt64();
    for (std::size_t i = 0; i < row.size(); ++i) internal::ReadColumnInto(s, static_cast<int>(i) + 1, row[i]);
    position = Position::kRow;
    row_changes = database->connection->change_count();
  }
  internal::Reset(s);
  return found;
}

bool TableRecordset::Impl::FetchKey(Walk walk, const Value& key) {
  internal::Statement& s = IndexWalk(walk);
  internal::Bind(s, 1, key);
  return Fetch(s);
}

bool TableRecordset::Impl::FetchKeyAndRow(Walk walk, const Value& key) {
  internal::Statement& s = IndexWalk(walk);
  internal::Bind(s, 1, key);
  internal::Bind(s, 2, Value(rowid));
  return Fetch(s);
}

bool TableRecordset::Impl::FetchRow(internal::Statement& s) {
  internal::Bind(s, 1, Value(rowid));
  return Fetch(s);
}

void TableRecordset::Impl::MoveFirst() {
  Require();
  RequireNotEditing("move");
  Land(Fetch(index < 0 ? Stored(first, "ORDER BY $R LIMIT 1") : IndexWalk(kFirst)), true);
}

void TableRecordset::Impl::MoveLast() {
  Require();
  RequireNotEditing("move");
  Land(Fetch(index < 0 ? Stored(last, "ORDER BY $R DESC LIMIT 1") : IndexWalk(kLast)), true);
}

void TableRecordset::Impl::MoveNext() {
  Require();
  RequireNotEditing("move");
  if (position == Position::kAfterLast) return;
  if (position == Position::kBeforeFirst) return MoveFirst();
  bool found;
  if (index < 0) {
    found = FetchRow(Stored(next, "WHERE $R > ?1 ORDER BY $R LIMIT 1"));
  } else {
    const Value key = row[info.indexes[index].field];
    if (key.IsNull()) {
      internal::Statement& s = IndexWalk(kNullAfter);
      found = FetchRow(s) || Fetch(IndexWalk(kFirstNotNull));
    } else {
      found = FetchKeyAndRow(kSameAfter, key) || FetchKey(kGreater, key);
    }
  }
  Land(found, true);
}

void TableRecordset::Impl::MovePrevious() {
  Require();
  RequireNotEditing("move");
  if (position == Position::kBeforeFirst) return;
  if (position == Position::kAfterLast) return MoveLast();
  bool found;
  if (index < 0) {
    found = FetchRow(Stored(previous, "WHERE $R < ?1 ORDER BY $R DESC LIMIT 1"));
  } else {
    const Value key = row[info.indexes[index].field];
    if (key.IsNull()) {
      found = FetchRow(IndexWalk(kNullBefore));
    } else {
      found = FetchKeyAndRow(kSameBefore, key) || FetchKey(kLess, key) ||
              Fetch(IndexWalk(kLastNull));
    }
  }
  Land(found, false);
}

void TableRecordset::Impl::Seek(std::string_view op, const Value& key) {
  Require();
  RequireNotEditing("seek");
  if (index < 0) throw Error("Seek needs an index (SetIndex first)", info.def.name);
  Walk walk;
  if (op == "=") walk = kEqual;
  else if (op == ">=") walk = kGreaterEqual;
  else if (op == ">") walk = kGreater;
  else if (op == "<=") walk = kLessEqual;
  else if (op == "<") walk = kLess;
  else throw Error("unknown Seek comparison \"" + std::string(op) + "\"", info.def.name);
  IndexWalk(walk);  // prepared even when the key cannot match
  no_match = true;
  position = Position::kAfterLast;
  const auto converted = internal::ConvertKey(info.def.fields[info.indexes[index].field], key);
  if (converted && FetchKey(walk, *converted)) no_match = false;
}

internal::Statement& TableRecordset::Impl::UpdateOf(const std::vector<int>& fields) {
  for (auto& [set, statement] : updates)
    if (set == fields) return *statement;
  // Callers edit a few fixed sets of fields; a caller that changes ever other
  // sets does not make the cache grow without end.
  constexpr std::size_t kMostSets = 16;
  if (updates.size() == kMostSets) updates.erase(updates.begin());
  std::string sql = "UPDATE " + table_sql + " SET ";
  for (std::size_t i = 0; i < fields.size(); ++i)
    sql += (i ? ", " : "") + internal::QuoteName(info.def.fields[fields[i]].name) + " = ?" +
           std::to_string(i + 1);
  sql += " WHERE " + info.rowid + " = ?" + std::to_string(fields.size() + 1);
  updates.emplace_back(fields, internal::Prepare(Require().db(), sql, info.def.name));
  return *updates.back().second;
}

namespace {

// The same value to the bit: a changed sign of zero counts as a change.
bool Identical(const Value& a, const Value& b) {
  if (a.IsReal() && b.IsReal()) return std::bit_cast<std::uint64_t>(a.Real()) ==
                                       std::bit_cast<std::uint64_t>(b.Real());
  return a == b;
}

}  // namespace

// Runs the write statement `s` whose parameters `bind_all` binds; an
// INSERT says how many rows it adds (0 for an UPDATE). Returns the number of
// rows that changed. An INSERT of one row into a rowid table joins the open
// transactions as a lone insert, which a rollback undoes by deleting the
// row; every other write takes their savepoints (a trigger may write other
// rows, which deleting the inserted one would not undo). Outside a
// transaction the write counts as one grouped commit per row it adds. The
// bindings are cleared after every run, whatever way it ends: texts are
// bound without a copy.
template <typename BindAll>
int TableRecordset::Impl::RunWrite(internal::Statement& s, std::size_t new_rows, BindAll&& bind_all) {
  internal::Connection& c = Require();
  if (new_rows == 1 && info.has_rowid && !info.has_triggers) c.BeforeInsert(table_sql, info.rowid);
  else c.BeforeWrite();
  try {
    bind_all();
    internal::Step(s, info.def.name);
  } catch (...) {
    s.clearBindings();
    c.Resynchronise();
    throw;
  }
  const int changed = sqlite3_changes(c.handle());
  internal::Reset(s);
  s.clearBindings();
  c.AfterWrite(std::max<std::size_t>(new_rows, 1));
  return changed;
}

// Runs the INSERT or UPDATE `s` with the buffer's values at `fields` (every
// field for an INSERT) as parameters 1..n; the UPDATE's row id follows them.
// Null values are not bound: the statement's parameters are all Null when it
// is prepared, and RunWrite clears them again after every run.
int TableRecordset::Impl::Write(internal::Statement& s, const std::vector<int>* fields) {
  auto bind = [&](int parameter, const Value& value) {
    if (!value.IsNull()) internal::BindNoCopy(s, parameter, value);
  };
  return RunWrite(s, fields ? 0 : 1, [&] {
    if (fields) {
      for (std::size_t i = 0; i < fields->size(); ++i)
        bind(static_cast<int>(i) + 1, buffer[(*fields)[i]]);
      internal::Bind(s, static_cast<int>(fields->size()) + 1, Value(rowid));
    } else {
      for (std::size_t i = 0; i < buffer.size(); ++i) bind(static_cast<int>(i) + 1, buffer[i]);
    }
  });
}

void TableRecordset::Impl::Update() {
  internal::Connection& c = Require();
  if (mode == Mode::kNone) throw Error("Update without AddNew or Edit", info.def.name);
  if (mode == Mode::kAdd) {
    Write(InsertRows(1), nullptr);
    last_added = sqlite3_last_insert_rowid(c.handle());
    mode = Mode::kNone;
    return;
  }
  // The row as read is the row as stored when nothing changed the file
  // since: only the fields set to another value are written then, and the
  // row needs no second read when each of them reads back as it was bound.
  // Otherwise every field that was set is written and the row read again;
  // so too on a table with triggers, which may change the row beyond the
  // values bound (and fire for a value set as it stands, as they always did).
  const bool current = row_changes == c.change_count() && !info.has_triggers;
  changed_fields.clear();
  bool reads_back = current;
  for (int i = 0; i < static_cast<int>(buffer.size()); ++i) {
    if (!touched[i] || (current && Identical(buffer[i], row[i]))) continue;
    changed_fields.push_back(i);
    reads_back = reads_back && internal::ReadsBackUnchanged(info.affinities[i], buffer[i]);
  }
  const std::uint64_t before = c.change_count();
  const bool gone = !changed_fields.empty() && Write(UpdateOf(changed_fields), &changed_fields) == 0;
  mode = Mode::kNone;
  if (gone) {
    position = Position::kAfterLast;
    throw Error("the row being edited no longer exists", info.def.name);
  }
  if (reads_back) {
    // The position follows the row's values: a changed index key moves it.
    std::swap(row, buffer);
    // Current when this write is the only change since: a real commit that
    // the write completed (a full group) unlocks the file for others.
    if (c.change_count() > before + 1) row_changes = before;
    else row_changes = c.change_count();
    return;
  }
  if (!FetchRow(Stored(at, "WHERE $R = ?1"))) {
    position = Position::kAfterLast;
    throw Error("the row being edited no longer exists", info.def.name);
  }
}

// The INSERT of `rows` new rows, every field a parameter: AddNew's with one
// row, WriteQueued's with more.
internal::Statement& TableRecordset::Impl::InsertRows(std::size_t rows) {
  if (insert_rows.size() < rows) insert_rows.resize(rows);
  StatementPtr& slot = insert_rows[rows - 1];
  if (!slot) {
    const std::size_t fields = info.def.fields.size();
    std::string sql = "INSERT INTO " + table_sql + " (";
    for (std::size_t i = 0; i < fields; ++i)
      sql += (i ? ", " : "") + internal::QuoteName(info.def.fields[i].name);
    sql += ") VALUES ";
    for (std::size_t r = 0; r < rows; ++r) {
      sql += r ? ", (" : "(";
      for (std::size_t i = 0; i < fields; ++i) sql += (i ? ", ?" : "?") + std::to_string(r * fields + i + 1);
      sql += ")";
    }
    slot = internal::Prepare(Require().db(), sql, info.def.name);
  }
  return *slot;
}

// The queued rows as one INSERT; a failing statement stores none of them
// (SQLite makes every statement atomic).
void TableRecordset::Impl::WriteQueued() {
  const std::size_t rows = queued_count;
  if (rows == 0) return;
  queued_count = 0;  // emptied whatever way the write ends
  internal::Statement& s = InsertRows(rows);
  const std::size_t fields = info.def.fields.size();
  RunWrite(s, rows, [&] {
    for (std::size_t r = 0; r < rows; ++r)
      for (std::size_t i = 0; i < fields; ++i)
        if (const Value& v = queued[r][i]; !v.IsNull())
          internal::BindNoCopy(s, static_cast<int>(r * fields + i + 1), v);
  });
}

int TableRecordset::Impl::FieldBySpelling(std::string_view field) const {
  if (const auto known = field_by_spelling.find(field); known != field_by_spelling.end())
    return known->second;
  const auto& fields = info.def.fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (NamesEqual(fields[i].name, field)) {
      field_by_spelling.emplace(std::string(field), static_cast<int>(i));
      return static_cast<int>(i);
    }
  }
  throw Error("no such field", info.def.name, std::string(field));
}

// --- TableRecordset ---

TableRecordset::TableRecordset() = default;
TableRecordset::TableRecordset(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TableRecordset::~TableRecordset() = default;
TableRecordset::TableRecordset(TableRecordset&&) noexcept = default;
TableRecordset& TableRecordset::operator=(TableRecordset&&) noexcept = default;

namespace {

[[noreturn]] void ThrowNotOpen() { throw Error("no recordset is open"); }

TableRecordset::Impl& Open(const std::unique_ptr<TableRecordset::Impl>& impl) {
  if (!impl) [[unlikely]] ThrowNotOpen();
  impl->Require();
  return *impl;
}

}  // namespace

const TableDef& TableRecordset::Definition() const {
  if (!impl_) throw Error("no recordset is open");
  return impl_->info.def;
}

void TableRecordset::SetIndex(std::string_view index_name) {
  Impl& r = Open(impl_);
  r.RequireNotEditing("change the index");
  if (index_name.empty()) {
    r.index = -1;
    return;
  }
  for (std::size_t i = 0; i < r.info.def.indexes.size(); ++i) {
    if (NamesEqual(r.info.def.indexes[i].name, index_name)) {
      r.index = static_cast<int>(i);
      return;
    }
  }
  throw Error("no index named " + std::string(index_name), r.info.def.name);
}

void TableRecordset::MoveFirst() { Open(impl_).MoveFirst(); }
void TableRecordset::MoveLast() { Open(impl_).MoveLast(); }
void TableRecordset::MoveNext() { Open(impl_).MoveNext(); }
void TableRecordset::MovePrevious() { Open(impl_).MovePrevious(); }

bool TableRecordset::Eof() const {
  return Open(impl_).position != Impl::Position::kRow;
}

std::int64_t TableRecordset::RecordCount() {
  Impl& r = Open(impl_);
  if (!r.count)
    r.count = internal::Prepare(r.Require().db(), "SELECT count(*) FROM " + r.table_sql, r.info.def.name);
  r.database->connection->BeforeRead();
  internal::Step(*r.count, r.info.def.name);
  const std::int64_t n = r.count->getColumn(0).getInt64();
  internal::Reset(*r.count);
  return n;
}

void TableRecordset::Seek(std::string_view op, const Value& key) { Open(impl_).Seek(op, key); }

bool TableRecordset::NoMatch() const { return Open(impl_).no_match; }

Value TableRecordset::Get(std::string_view field) const { return Get(FieldIndex(field)); }

Value TableRecordset::Get(int field_index) const {
  const Impl& r = Open(impl_);
  r.Field(field_index);
  if (r.mode != Impl::Mode::kNone) return r.buffer[field_index];
  if (r.position != Impl::Position::kRow) throw Error("no current row", r.info.def.name);
  return r.row[field_index];
}

int TableRecordset::FieldIndex(std::string_view field) const {
  const Impl& r = Open(impl_);
  const auto address = reinterpret_cast<std::uintptr_t>(field.data());
  Impl::RecentSpelling& recent = r.recent_spellings[(address >> 3) % r.recent_spellings.size()];
  // An unused slot (field -1) stands for no spelling, not for an empty name
  // without text.
  if (recent.data == field.data() && recent.field >= 0 && recent.text == field) return recent.field;
  const int found = r.FieldBySpelling(field);
  recent.data = field.data();
  recent.text.assign(field);
  recent.field = found;
  return found;
}


void TableRecordset::AddNew() {
  Impl& r = Open(impl_);
  r.buffer.assign(r.row.size(), Value());
  r.mode = Impl::Mode::kAdd;
}

void TableRecordset::Edit() {
  Impl& r = Open(impl_);
  if (r.position != Impl::Position::kRow) throw Error("no current row to edit", r.info.def.name);
  r.buffer = r.row;
  std::fill(r.touched.begin(), r.touched.end(), 0);
  r.mode = Impl::Mode::kEdit;
}

void TableRecordset::Set(std::string_view field, const Value& value) { Set(FieldIndex(field), value); }

void TableRecordset::Set(int field_index, const Value& value) {
  Impl& r = Open(impl_);
  const FieldDef& f = r.Field(field_index);
  if (r.mode == Impl::Mode::kNone) throw Error("Set without AddNew or Edit", r.info.def.name, f.name);
  internal::ConvertInto(f, value, r.info.def.name, r.buffer[field_index]);
  r.touched[field_index] = 1;
}

void TableRecordset::Set(int field_index, Value&& value) {
  Impl& r = Open(impl_);
  const FieldDef& f = r.Field(field_index);
  if (r.mode == Impl::Mode::kNone) throw Error("Set without AddNew or Edit", r.info.def.name, f.name);
  internal::MoveIntoField(f, std::move(value), r.info.def.name, r.buffer[field_index]);
  r.touched[field_index] = 1;
}

void TableRecordset::AppendChunk(std::string_view field, std::string_view text) {
  AppendChunk(FieldIndex(field), text);
}

void TableRecordset::AppendChunk(int field_index, std::string_view text) {
  Impl& r = Open(impl_);
  const FieldDef& f = r.Field(field_index);
  if (r.mode == Impl::Mode::kNone)
    throw Error("AppendChunk without AddNew or Edit", r.info.def.name, f.name);
  if (f.type != FieldType::kText && f.type != FieldType::kMemo)
    throw Error("AppendChunk needs a Text or Memo field", r.info.def.name, f.name);
  Value& current = r.buffer[field_index];
  std::string joined = current.IsNull() ? std::string() : current.AsText();
  joined.append(text);
  current = internal::ConvertForField(f, Value(std::move(joined)), r.info.def.name);
  r.touched[field_index] = 1;
}

void TableRecordset::Update() { Open(impl_).Update(); }

void TableRecordset::CancelUpdate() {
  Impl& r = Open(impl_);
  r.mode = Impl::Mode::kNone;
}

bool TableRecordset::Editing() const { return Open(impl_).mode != Impl::Mode::kNone; }

std::int64_t TableRecordset::LastAddedRowId() const { return Open(impl_).last_added; }

void TableRecordset::QueueNew(std::span<const int> fields, std::span<Value> values) {
  Impl& r = Open(impl_);
  r.Require();
  r.RequireNotEditing("queue a new row");
  if (fields.size() != values.size())
    throw Error("QueueNew needs one value for each field", r.info.def.name);
  if (r.queued_count == r.QueueCapacity())
    throw Error("QueueNew: the queue is full (WriteQueued first)", r.info.def.name);
  if (r.queued.size() == r.queued_count) r.queued.emplace_back();
  std::vector<Value>& row = r.queued[r.queued_count];
  row.assign(r.info.def.fields.size(), Value());
  for (std::size_t i = 0; i < fields.size(); ++i)
    internal::MoveIntoField(r.Field(fields[i]), std::move(values[i]), r.info.def.name, row[fields[i]]);
  ++r.queued_count;
}

std::size_t TableRecordset::QueuedRows() const { return Open(impl_).queued_count; }

std::size_t TableRecordset::QueueCapacity() const { return Open(impl_).QueueCapacity(); }

void TableRecordset::WriteQueued() { Open(impl_).WriteQueued(); }

void TableRecordset::Close() {
  if (!impl_) return;
  if (impl_->attached) {
    impl_->database->RemoveCursor(impl_.get());
    impl_->Detach();
  }
}

// --- opening ---

TableRecordset Database::OpenTable(std::string_view table) {
  if (!impl_) throw Error("no database is open", std::string(table));
  internal::Connection& c = impl_->Require(table);
  auto info = internal::ReadTable(c, table);
  if (!info) throw Error("no such table", std::string(table));
  if (!info->has_rowid || info->rowid.empty())
    throw Error("the table has no row ids and cannot be walked", info->def.name);
  TableRecordset recordset(std::make_unique<TableRecordset::Impl>(impl_, std::move(*info)));
  recordset.MoveFirst();
  return recordset;
}

// --- inspection ---

namespace internal {

std::string RecordsetAccess::SeekSql(TableRecordset& recordset, std::string_view op) {
  TableRecordset::Impl& r = Open(recordset.impl_);
  if (r.index < 0) throw Error("no index is set", r.info.def.name);
  const Walk walk = op == "=" ? kEqual : op == ">=" ? kGreaterEqual : op == ">" ? kGreater
                  : op == "<=" ? kLessEqual : kLess;
  return r.IndexWalk(walk).getQuery();
}

std::vector<std::string> RecordsetAccess::IndexWalkSql(TableRecordset& recordset) {
  TableRecordset::Impl& r = Open(recordset.impl_);
  if (r.index < 0) throw Error("no index is set", r.info.def.name);
  std::vector<std::string> all;
  for (int w = 0; w < kWalkCount; ++w) all.push_back(r.IndexWalk(static_cast<Walk>(w)).getQuery());
  return all;
}

std::string RecordsetAccess::QueryPlan(TableRecordset& recordset, const std::string& sql) {
  TableRecordset::Impl& r = Open(recordset.impl_);
  StatementPtr s = Prepare(r.Require().db(), "EXPLAIN QUERY PLAN " + sql, r.info.def.name);
  std::string plan;
  while (Step(*s)) plan += ReadColumn(*s, 3).AsText() + "\n";
  return plan;
}

}  // namespace internal
}  // namespace morvane::db
