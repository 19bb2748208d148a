// Writes one row of a KTB table or of a user's database as one logical
// commit of its own, setting a record aside instead of stopping the step
// when a field refuses a value.
//
// The row is one INSERT or UPDATE statement, which SQLite applies whole or
// not at all, so it needs no transaction (and no savepoint) around it: it
// counts as a commit of the workspace like a committed transaction would.
//
// `fill` sets the fields of the row (after AddNew or Edit). When a field
// refuses its value (db::ValueRefused: a text longer than the field, a
// number out of range), nothing of the row is written, one line goes to the rejected-data file naming the table,
// `where` (the filing, site or key concerned), the field and the value, and
// false is returned so the conversion goes on (without the line when `report`
// is false: the caller reported that record already). Any other error propagates,
// with nothing of the row written, and ends the step.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/error.h"
#include "platform/db/table_recordset.h"
#include "run/rejected_data.h"
#include "run/run_context.h"

namespace morvane::convert {

enum class RowWrite { kAdd, kEdit };

// Reports a refused value like WriteRow does.
inline void ReportRefused(engine::RunContext& run, const db::ValueRefused& refused,
                          std::string_view where) {
  engine::RecordRejected(run, refused.table(), where,
                         "the field " + refused.field() + " refuses the value (" +
                             refused.message() + ")",
                         refused.value());
}

template <typename Fill>
bool WriteRow(engine::RunContext& run, db::TableRecordset& recordset, RowWrite how,
              std::string_view where, Fill fill, bool report = true) {
  try {
    if (how == RowWrite::kAdd)
      recordset.AddNew();
    else
      recordset.Edit();
    fill(recordset);
    recordset.Update();
  } catch (const db::ValueRefused& refused) {
    if (recordset.Editing()) recordset.CancelUpdate();
    if (report) ReportRefused(run, refused, where);
    return false;
  } catch (...) {
    if (recordset.Editing()) recordset.CancelUpdate();
    throw;
  }
  return true;
}

// Whether `field` takes `value`, asked of the recordset before the value is
// written by other means (db::PreparedSql, which checks nothing): a value
// the field refuses is reported as WriteRow reports it and false returned.
// Nothing is written; the recordset must not be editing.
inline bool FieldTakes(engine::RunContext& run, db::TableRecordset& recordset, int field,
                       const db::Value& value, std::string_view where) {
  recordset.AddNew();
  try {
    recordset.Set(field, value);
  } catch (const db::ValueRefused& refused) {
    recordset.CancelUpdate();
    ReportRefused(run, refused, where);
    return false;
  }
  recordset.CancelUpdate();
  return true;
}

}  // namespace morvane::convert
