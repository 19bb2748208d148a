// One SQL statement prepared once and run many times with new parameters,
// for work that repeats per row and needs only a few columns: a walk over a
// table in slices ("... WHERE rowid > ?1 ORDER BY rowid LIMIT 500"), or a
// write of a few fields of one row by its row id.
//
// A query reads all its result rows into memory when it runs (keep them few
// with LIMIT): no statement stays open between runs, so the caller may write
// to the database while it goes through the rows. A write joins the
// workspace's open transactions as a recordset's Update does; outside a
// transaction it counts as one commit.
//
// Parameters are bound to ?1, ?2 ... in order, never spliced into the text.
// Values are written as given: no field conversion and no check of a text
// against its field's size (the recordsets' work), so a caller writes only
// values that it knows fit their fields. Errors: db::Error (an engine error
// names the engine's message; the handle stays usable). Every call but
// Close() throws once the database is closed. Not thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/db/value.h"

namespace morvane::db {

class PreparedSql {
 public:
  PreparedSql();  // holds no statement
  ~PreparedSql();
  PreparedSql(PreparedSql&&) noexcept;
  PreparedSql& operator=(PreparedSql&&) noexcept;

  // Runs the statement with `params` (as many as it takes). A query: the
  // number of result rows, which Get() then reads. A write: the number of
  // rows it changed.
  std::int64_t Run(const std::vector<Value>& params = {});

  // The 0-based `column` of the 0-based result `row` of the last run.
  // Throws for a row or column outside the result.
  const Value& Get(std::int64_t row, int column) const;

  void Close();

  struct Impl;
  explicit PreparedSql(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvane::db
