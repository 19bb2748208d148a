// What a step can say about its rows when an engine error (a full disk)
// stops it while it writes: which of them are not in the file.
//
// The workspace groups commits (db::Workspace): when a group's real commit
// fails, or the engine rolls back after a failed write, every row written
// since the group began is lost together, while the groups before it are in
// the file. GroupStart follows, in the step's own terms (a line of its data
// set file, a row of its conversion), where the present group began;
// SaveWhatRemains, after the error, saves what the engine still holds and
// says whether that group survived.
//
// Lifetime: the workspace outlives the GroupStart. Not thread-safe.
#pragma once

#include <cstdint>

#include "platform/db/workspace.h"

namespace morvane::engine {

class GroupStart {
 public:
  explicit GroupStart(const db::Workspace& workspace) : workspace_(workspace) {}

  // `position` (counted from 1, in writing order) is about to write its
  // rows. Call it before each position writes anything.
  void Note(std::int64_t position);

  // The first position whose rows went into the present group (0: none
  // noted yet). The positions before it are wholly in the file.
  std::int64_t first() const { return first_; }
  // True when first() wrote some of its rows before the group began (a
  // position that writes several rows may see the group change after any
  // of them): those rows are in the file.
  bool split() const { return split_; }

 private:
  const db::Workspace& workspace_;
  std::uint64_t group_ = 0;
  std::int64_t first_ = 0, last_ = 0;
  bool split_ = false;
};

// After an engine error: rolls back every open transaction of `workspace`
// and makes the grouped commits durable. False when that fails, in the file
// of the error or another: the present group is lost. Never throws.
bool SaveWhatRemains(db::Workspace& workspace) noexcept;

}  // namespace morvane::engine
