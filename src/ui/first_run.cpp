#include "ui/first_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarsek {

namespace {

// The target count is the first item of the design file's second line; one means a
// single-target well. Read as bytes: the line holds only ASCII numbers.
int targetCountOf(const QString& designPath) {
  QFile f(designPath);
  if (!f.open(QIODevice::ReadOnly)) return 0;
  f.readLine(4096);
  const QByteArray second = f.readLine(4096).trimmed();
  bool ok = false;
  const int count = second.split(',').value(0).trimmed().toInt(&ok);
  return ok ? count : 0;
}

}  // namespace

QString sampleWellsDirectory() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/samples");
}

QString installSampleWells(const QString& wellDirectory, const QString& samplesDir) {
  const QDir target(wellDirectory);
  if (wellDirectory.isEmpty() || !target.exists()) return {};
  if (!target.entryList({QStringLiteral("*.kvd")}, QDir::Files).isEmpty()) return {};
  const QDir source(samplesDir.isEmpty() ? sampleWellsDirectory() : samplesDir);
  const QStringList files =
      source.entryList({QStringLiteral("*.kvd"), QStringLiteral("*.sur"), QStringLiteral("*.unc")},
                       QDir::Files, QDir::Name);
  if (files.isEmpty()) return {};
  QString single;
  for (const QString& name : files) {
    const QString to = target.filePath(name);
    if (QFileInfo::exists(to)) continue;  // never overwrite a well the user already has
    if (!QFile::copy(source.filePath(name), to)) continue;
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    if (single.isEmpty() && name.endsWith(QStringLiteral(".kvd")) && targetCountOf(to) == 1) {
      single = QFileInfo(name).completeBaseName();
    }
  }
  return single;
}

}  // namespace tarsek
