#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "exchange/station_import.h"
#include "ui/view_host.h"

class QWidget;

namespace tarsek {

class StationImportDialog;

/// The 数据交换 commands of the main window: stations in from a file or the clipboard through
/// the import preview, stations and design data out to CSV, .xlsx or WITSML files.
class StationExchange : public QObject {
  Q_OBJECT
 public:
  /// host: the main window's services; window: the parent of the dialogs it shows.
  StationExchange(ViewHost& host, QWidget* window);

  /// "导入测点…": asks for a file, previews it and applies what the user accepts.
  void importFromFile();
  /// Previews the file at path and applies what the user accepts; true when stations changed.
  bool importFile(const QString& path);
  /// "粘贴测点": previews the clipboard's text and applies what the user accepts.
  void pasteFromClipboard();
  /// Previews text (as copied from a spreadsheet) and applies what the user accepts; true when
  /// stations changed.
  bool importText(const QString& text);
  /// "导出测点…": the stations with every computed value, to a file the user names.
  void exportStations();
  /// "导出设计数据…": the design trajectory, to a file the user names.
  void exportDesign();
  /// Writes the stations (design false) or the design trajectory to path in the format of the
  /// filter (one of exportFilters()); true when written, else a message box says why.
  bool exportTo(const QString& path, const QString& filter, bool design);

  /// The file-type filters of the export dialog, in the order shown.
  static QStringList exportFilters();
  /// The file-type filter of the import dialog.
  static QString importFilter();

  // Seams for the answers the user gives; tests replace them.
  /// The file to import, empty when cancelled.
  std::function<QString()> chooseImportFile;
  /// The file to export to and, through the pointer, the filter chosen; empty when cancelled.
  std::function<QString(const QString& title, const QString& suggested, QString* filter)>
      chooseExportFile;
  /// Runs the preview; true when accepted.
  std::function<bool(StationImportDialog&)> runPreview;

 signals:
  /// Stations were imported into the open well (it is now unsaved).
  void stationsImported();

 private:
  bool openWellOrSay();
  bool preview(const QString& source, const std::function<ParseResult(const ImportOptions&)>& read);
  void exportTable(bool design);

  ViewHost& host_;
  QWidget* window_;
  QString lastDirectory_;
};

}  // namespace tarsek
