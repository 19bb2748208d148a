#include "app/gui/instance_lock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace morvane::gui {

QString InstanceLock::DefaultPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return {};
  return QDir(folder).filePath(QStringLiteral("morvane.lock"));
}

InstanceLock::InstanceLock(const QString& path) {
  if (path.isEmpty()) return;
  lock_ = std::make_unique<QLockFile>(path);
  // A run can hold the lock for hours: only a lock whose process is gone
  // counts as stale, never one that is merely old.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    held_elsewhere_ = lock_->error() == QLockFile::LockFailedError;
  }
}

InstanceLock::~InstanceLock() = default;

}  // namespace morvane::gui
