#include "run/unsaved_rows.h"

#include <exception>

namespace morvane::engine {

void GroupStart::Note(std::int64_t position) {
  const std::uint64_t group = workspace_.GroupNumber();
  if (first_ == 0 || group != group_) {
    group_ = group;
    // Commits in the group already, and no position noted since it began:
    // the previous position went on writing after the group changed.
    split_ = last_ != 0 && last_ != position && workspace_.PendingCommits() > 0;
    first_ = split_ ? last_ : position;
  }
  last_ = position;
}

bool SaveWhatRemains(db::Workspace& workspace) noexcept {
  try {
    while (workspace.TransactionDepth() > 0) workspace.Rollback();
    workspace.Flush();
    return true;
  } catch (const std::exception&) {  // the group is lost; the caller has the cause
    return false;
  }
}

}  // namespace morvane::engine
