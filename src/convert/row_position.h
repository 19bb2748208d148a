// Which row a table recordset of the earth-station conversion stands on, so
// that a writer that comes back to the row it has just sought or edited
// takes it without another Seek.
//
// The recordset stands on the first row of a key after a Seek "=" that found
// it, and stays there through an Edit and Update of that row (the edit keeps
// the row's key, so it stays the first of its key). An added row does not
// move the recordset, and a Seek that found nothing leaves it nowhere: both
// forget the position. Only exactly the same key text counts as the same
// row, so a key that differs in letter case is sought again.
//
// Valid only while nothing but its owner moves the recordset or writes the
// table; owned next to the recordset, for the length of the step.
#pragma once

#include <string>

#include "platform/db/table_recordset.h"

namespace morvane::convert {

class RowPosition {
 public:
  // Seeks `key` ("=") unless the recordset stands on its row; true when the
  // recordset stands on a row of `key`.
  bool Seek(db::TableRecordset& rs, const std::string& key) {
    if (on_row_ && key == key_) return true;
    rs.Seek("=", key);
    on_row_ = !rs.NoMatch();
    key_ = key;
    return on_row_;
  }
  // The recordset was moved or the row written otherwise (AddNew, a refused
  // edit).
  void Forget() { on_row_ = false; }

 private:
  bool on_row_ = false;
  std::string key_;
};

}  // namespace morvane::convert
