// tarsek: the windowed program.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

#include "exchange/uncertainty_columns.h"
#include "model/well_files.h"
#include "ui/instance_lock.h"
#include "ui/main_window.h"
#include "ui/screenshots.h"
#include "ui/splash.h"

#ifndef TARSEK_VERSION
#define TARSEK_VERSION "0.0.0"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarsek"));
  QApplication::setOrganizationName(QStringLiteral("Tarsek"));
  QApplication::setApplicationVersion(QStringLiteral(TARSEK_VERSION));

  tarsek::AddUncertaintyToExports();
  const QStringList args = QApplication::arguments();
  const qsizetype shots = args.indexOf(QStringLiteral("--screenshots"));
  if (shots >= 0) {
    if (shots + 1 >= args.size()) {
      std::fprintf(stderr, "tarsek: --screenshots needs a directory\n");
      return 2;
    }
    return tarsek::writeScreenshots(args.at(shots + 1));
  }

  const auto lock = tarsek::acquireInstanceLock();
  if (!lock) {
    QMessageBox::warning(nullptr, QStringLiteral("Tarsek"), QStringLiteral("本程序正在运行！"));
    return 0;
  }

  tarsek::Session session;
  session.wellDirectory = tarsek::DefaultWellDirectory();
  session.neighbourWells.clear();
  tarsek::MainWindow window(session);
  tarsek::SplashScreen splash([&window] {
    window.show();
    window.startUp();
  });
  splash.show();
  return QApplication::exec();
}
