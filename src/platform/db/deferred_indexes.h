// A table's indexes built once its rows are in, rather than kept up row by
// row: sorting the keys once is several times cheaper than placing each key
// of a large load in its index as the row arrives.
//
// The constructor drops every index of the table but those named in `keep`
// (names compare without regard to case), remembering how each was made:
// an index that the work seeks on stays. Rebuild() makes them again, with the same names, fields and
// collations, in the same order. The destructor rebuilds them too when
// Rebuild() was not reached (an error, a stop), so the table has its
// indexes whatever way the work ends; an error there is swallowed, since
// the error that ended the work is the one to report.
//
// Meanwhile the table has only the kept indexes: a recordset on it must not
// SetIndex or Seek on another until Rebuild(). The drops and the builds are written through the
// workspace like any other change and are made durable with the group of
// commits they fall into; a process killed in between leaves a consistent
// file whose table lacks its indexes, as it lacks the rows not yet loaded.
//
// `database` must stay open for the guard's lifetime. Throws db::Error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"

namespace morvane::db {

class DeferredIndexes {
 public:
  DeferredIndexes(Database& database, std::string_view table,
                  const std::vector<std::string_view>& keep = {});
  ~DeferredIndexes();
  DeferredIndexes(const DeferredIndexes&) = delete;
  DeferredIndexes& operator=(const DeferredIndexes&) = delete;

  void Rebuild();

 private:
  Database& database_;
  std::vector<std::string> creates_;  // in creation order; empty once rebuilt
};

}  // namespace morvane::db
