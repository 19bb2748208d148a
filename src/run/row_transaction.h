// One transaction of the run's workspace around the rows that one record or
// one conversion row writes.
//
// Begins on construction; Commit() ends it. If the object goes out of scope
// uncommitted (an exception, a refused value), the transaction is rolled
// back, so nothing of a half-written record stays. The destructor never
// throws: when the rollback itself fails the step is already failing and its
// own error is the one reported.
#pragma once

#include "platform/db/workspace.h"

namespace morvane::engine {

class RowTransaction {
 public:
  explicit RowTransaction(db::Workspace& workspace) : workspace_(workspace) {
    workspace_.BeginTrans();
  }
  ~RowTransaction() {
    if (!open_) return;
    try {
      workspace_.Rollback();
    } catch (...) {  // see above: the step's own error is reported
    }
  }
  RowTransaction(const RowTransaction&) = delete;
  RowTransaction& operator=(const RowTransaction&) = delete;

  // `counted`: the records whose rows this transaction stored (see
  // db::Workspace::CommitTrans).
  void Commit(std::size_t counted = 1) {
    workspace_.CommitTrans(counted);
    open_ = false;
  }

 private:
  db::Workspace& workspace_;
  bool open_ = true;
};

}  // namespace morvane::engine
