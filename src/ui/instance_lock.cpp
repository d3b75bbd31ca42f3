#include "ui/instance_lock.h"

#include <QDir>
#include <QStandardPaths>

namespace tarsek {

QString instanceLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return QDir(dir).filePath(QStringLiteral("tarsek.lock"));
}

std::unique_ptr<QLockFile> acquireInstanceLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  // A running program never gives the lock up, so a holder that is old is not stale; only a
  // holder whose process is gone is (QLockFile checks the process id itself).
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

}  // namespace tarsek
