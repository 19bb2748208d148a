// Tells whether another copy of the program is running: every copy tries to
// hold one lock file for as long as it runs; a copy that finds the lock held
// by a live process knows it is the second. A lock left behind by a copy
// that died is taken over (its process no longer runs).
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace morvane::gui {

class InstanceLock {
 public:
  // "morvane.lock" in the user's runtime folder; empty when there is none.
  static QString DefaultPath();

  // Takes the lock at `path` when no running copy holds it. An empty path,
  // or a lock file that cannot be written, detects nothing.
  explicit InstanceLock(const QString& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when another running copy holds the lock.
  bool HeldElsewhere() const { return held_elsewhere_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool held_elsewhere_ = false;
};

}  // namespace morvane::gui
