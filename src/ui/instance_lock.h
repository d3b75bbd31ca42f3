#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tarsek {

/// Path of the lock file that marks a running instance: in the user's runtime directory, or
/// the temporary directory when there is none.
QString instanceLockPath();

/// Takes the single-instance lock. Null when another live instance holds it; a lock left
/// behind by a crashed instance is taken over. The lock is released when the object goes.
std::unique_ptr<QLockFile> acquireInstanceLock(const QString& path = instanceLockPath());

}  // namespace tarsek
