// A table-type recordset: one table, walked in stored order or in the order
// of one of its indexes, with Seek, AddNew, Edit and Update.
//
// Order. Stored order is insertion order; it stays stable when rows are
// edited and after compaction. After SetIndex, MoveFirst/MoveLast/MoveNext
// and Seek follow the index: text keys compare without regard to letter case,
// rows with equal keys come in stored order, Null keys first.
//
// Current row. Every move reads the row it lands on; Get() returns its
// values. Eof() is true when the recordset stands past the last row (or on
// an empty table). A row added by AddNew/Update does not move the recordset.
// A row written earlier in the step, committed or not, is found by later
// moves and Seeks.
//
// Writing. AddNew() or Edit() opens an edit buffer (AddNew: every field
// Null; Edit: the current row); Set() and AppendChunk() change it; Update()
// stores it, CancelUpdate() drops it. Update() after Edit() writes the
// fields that were set (fields not set keep what is stored, even when
// another recordset changed them meanwhile); the row stays current, and
// Get() shows it as stored. An AddNew() or Edit() while an edit
// is open drops the open one; a move, Seek or SetIndex while an edit is open
// throws. Set() converts the value to the field's type and refuses, with a
// db::Error naming table and field:
//  - Text(n): a text longer than n characters; a number is stored as its
//    shortest text (12.5 -> "12.5", 7 -> "7").
//  - Integer / Long: a number outside -32768..32767 / -2147483648..2147483647;
//    a real number is rounded to the nearest whole number first (halves to
//    even); a text must be a whole number, blanks around it allowed.
//  - Single: stored with single precision (as a float, read back as double).
//  - Double / Single given a text: the text must be a number.
//  - Memo: any text; AppendChunk appends to the buffer's current text (Null
//    counts as "").
// Null is accepted by every field.
//
// Loading. QueueNew() takes a new row as AddNew/Set would make it (values
// converted, a refused value throws and nothing is queued) without writing
// it; WriteQueued() adds the queued rows, in the order queued, with one
// statement, and empties the queue. Many rows a statement cost far less
// than one statement a row. The statement is whole or nothing: when it
// fails, none of the queued rows is stored, and the queue is emptied all
// the same. Outside a transaction the write counts as one grouped commit
// per row. At most QueueCapacity() rows wait; QueueNew throws beyond. A
// queued row belongs to no transaction until it is written; rows still
// queued when the recordset closes are dropped unwritten.
//
// Statements are prepared once per recordset. Not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/db/table_def.h"
#include "platform/db/value.h"

namespace morvane::db {
namespace internal {
struct RecordsetAccess;
}

class TableRecordset {
 public:
  TableRecordset();  // holds no recordset
  ~TableRecordset();
  TableRecordset(TableRecordset&&) noexcept;
  TableRecordset& operator=(TableRecordset&&) noexcept;

  const TableDef& Definition() const;

  // Index order. SetIndex("") returns to stored order. Throws for an
  // unknown index. Leaves the position undefined until the next move/Seek.
  void SetIndex(std::string_view index_name);

  void MoveFirst();
  void MoveLast();
  void MoveNext();      // from EOF: stays at EOF; from before the first row: the first
  void MovePrevious();  // before the first row: Eof(); from EOF: the last row
  bool Eof() const;
  std::int64_t RecordCount();  // exact, whatever the position

  // Seek on the current index (SetIndex first; throws without one).
  // `op` is one of "=", ">=", ">", "<=", "<". "=" lands on the first row of
  // that key in index order; the others on the nearest row in the direction
  // of the comparison. The key is converted to the indexed field's type
  // ("0001234567" finds the Long 1234567); a key that cannot be converted,
  // or Null, gives NoMatch(). After a NoMatch the position is undefined
  // (Eof() is true). MoveNext after a Seek walks on in index order.
  void Seek(std::string_view op, const Value& key);
  bool NoMatch() const;

  // Field values of the current row (or of the edit buffer while editing).
  // Throws for an unknown field or when there is no current row.
  Value Get(std::string_view field) const;
  Value Get(int field_index) const;
  int FieldIndex(std::string_view field) const;  // throws for unknown fields

  void AddNew();
  void Edit();  // throws at EOF
  void Set(std::string_view field, const Value& value);
  void Set(int field_index, const Value& value);
  void Set(int field_index, Value&& value);  // the same, without a copy of a text
  void AppendChunk(std::string_view field, std::string_view text);
  void AppendChunk(int field_index, std::string_view text);
  void Update();
  void CancelUpdate();
  bool Editing() const;
  // The row id of the row that the last Update after AddNew stored, so that
  // a caller can write that row later by its row id (db::PreparedSql);
  // 0 before the first.
  std::int64_t LastAddedRowId() const;

  // See "Loading" above. `values[i]` is the value of field `fields[i]`
  // (moved from); the other fields are Null. Throws while an edit is open.
  void QueueNew(std::span<const int> fields, std::span<Value> values);
  std::size_t QueuedRows() const;
  std::size_t QueueCapacity() const;  // 16, fewer for a table of very many fields
  void WriteQueued();

  void Close();

  struct Impl;
  explicit TableRecordset(std::unique_ptr<Impl> impl);

 private:
  friend struct internal::RecordsetAccess;  // tests: statements and query plans
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvane::db
