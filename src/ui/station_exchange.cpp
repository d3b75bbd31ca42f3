#include "ui/station_exchange.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

#include "exchange/import_plan.h"
#include "exchange/station_export.h"
#include "session/session_runs.h"
#include "ui/busy_pointer.h"
#include "ui/station_import_dialog.h"
#include "ui/ui_support.h"

namespace tarsek {

namespace {

constexpr const char* kNoWell = "请先打开一口井。";
constexpr const char* kClipboardEmpty = "剪贴板中没有文字。";
constexpr const char* kNothingInFile = "文件中没有可以导入的测点。";
constexpr const char* kNothingOnClipboard = "剪贴板中没有可以导入的测点。";
constexpr const char* kNotApplied = "测点未能导入，现有测点没有改变。";
constexpr const char* kNoStationsToExport = "没有测点可以导出。";
constexpr const char* kNoDesignToExport = "没有设计数据可以导出。";
// A message box lists a few refusals; the preview is where all of them are read.
constexpr std::size_t kReasonsInMessage = 5;
// The name a preview of pasted stations goes by, which also tells the two sources apart.
constexpr const char* kClipboardSource = "剪贴板";

struct ExportKind {
  const char* filter;
  const char* suffix;
  ExportFormat format;
  TextEncoding encoding;
};

constexpr ExportKind kExportKinds[] = {
    {"CSV 文件，UTF-8 (*.csv)", "csv", ExportFormat::Csv, TextEncoding::Utf8Bom},
    {"CSV 文件，GB18030 (*.csv)", "csv", ExportFormat::Csv, TextEncoding::Gb18030},
    {"Excel 工作簿 (*.xlsx)", "xlsx", ExportFormat::Xlsx, TextEncoding::Utf8Bom},
    {"WITSML 1.4.1 轨迹 (*.xml)", "xml", ExportFormat::Witsml, TextEncoding::Utf8Bom},
};

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Why nothing could be imported: the first refused lines, so that the user sees the pattern.
std::string nothingImportable(const char* lead, const ParseResult& parse) {
  std::string text = lead;
  const std::size_t n = std::min(parse.rejected.size(), kReasonsInMessage);
  for (std::size_t k = 0; k < n; ++k) text += "\n" + parse.rejected[k].reason;
  if (parse.rejected.size() > n) text += "\n……";
  return text;
}

}  // namespace

StationExchange::StationExchange(ViewHost& host, QWidget* window)
    : QObject(window), host_(host), window_(window) {
  setObjectName(QStringLiteral("stationExchange"));
  chooseImportFile = [this] {
    return QFileDialog::getOpenFileName(window_, qs(kImportStationsTitle), lastDirectory_,
                                        importFilter());
  };
  chooseExportFile = [this](const QString& title, const QString& suggested, QString* filter) {
    return QFileDialog::getSaveFileName(window_, title, suggested,
                                        exportFilters().join(QStringLiteral(";;")), filter);
  };
  runPreview = [](StationImportDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
}

QString StationExchange::importFilter() {
  return QStringLiteral(
      "测点文件 (*.csv *.tsv *.txt *.xlsx *.xml);;CSV 文件 (*.csv);;TSV 文件 (*.tsv);;"
      "文本文件 (*.txt);;Excel 工作簿 (*.xlsx);;WITSML 轨迹 (*.xml);;所有文件 (*)");
}

QStringList StationExchange::exportFilters() {
  QStringList filters;
  for (const ExportKind& k : kExportKinds) filters << QString::fromUtf8(k.filter);
  return filters;
}

bool StationExchange::openWellOrSay() {
  if (!host_.session().well.wellNo.empty()) return true;
  host_.showMessage(kNoWell);
  return false;
}

// --- import --------------------------------------------------------------------------------------

void StationExchange::importFromFile() {
  if (!openWellOrSay()) return;
  if (lastDirectory_.isEmpty()) lastDirectory_ = qs(host_.session().wellDirectory);
  const QString path = chooseImportFile ? chooseImportFile() : QString();
  if (path.isEmpty()) return;
  lastDirectory_ = QFileInfo(path).absolutePath();
  importFile(path);
}

bool StationExchange::importFile(const QString& path) {
  if (!openWellOrSay()) return false;
  const std::string file = nativePath(path);
  return preview(QDir::toNativeSeparators(path),
                 [file](const ImportOptions& options) { return ReadStationFile(file, options); });
}

void StationExchange::pasteFromClipboard() {
  if (!openWellOrSay()) return;
  const QString text = QApplication::clipboard()->text();
  if (text.trimmed().isEmpty()) {
    host_.showMessage(kClipboardEmpty);
    return;
  }
  importText(text);
}

bool StationExchange::importText(const QString& text) {
  if (!openWellOrSay()) return false;
  const QByteArray bytes = text.toUtf8();
  const std::string copy(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return preview(qs(kClipboardSource),
                 [copy](const ImportOptions& options) { return ParseStationText(copy, options); });
}

bool StationExchange::preview(const QString& source,
                              const std::function<ParseResult(const ImportOptions&)>& read) {
  ParseResult first;
  {
    BusyPointer busy(host_);
    first = read(ImportOptions{});
  }
  if (!first.ok) {
    host_.showMessage(first.message);
    return false;
  }
  // With one sheet and a known header there is nothing to choose that would find more rows.
  if (first.rows.empty() && !first.needsColumns && first.sheetNames.size() <= 1) {
    const bool clipboard = source == qs(kClipboardSource);
    host_.showMessage(nothingImportable(clipboard ? kNothingOnClipboard : kNothingInFile, first));
    return false;
  }

  Session& session = host_.session();
  StationImportDialog dialog(session.well, source, read, std::move(first), window_);
  if (!runPreview || !runPreview(dialog)) return false;
  const ImportPlan& plan = dialog.plan();
  if (!plan.ok || !plan.changesAnything()) return false;

  BusyPointer busy(host_);
  if (!ApplyImport(session, plan)) {
    host_.showMessage(kNotApplied);
    return false;
  }
  // The survey display, plot and anti-collision scan follow the new stations.
  StationsChanged(session);
  // The survey entry row goes and the survey view comes up; showing it rewrites the status
  // panel, so the import's own status comes after.
  emit stationsImported();
  host_.setStatusText("已导入测点：" + DescribePlan(plan));
  return true;
}

// --- export --------------------------------------------------------------------------------------

void StationExchange::exportStations() { exportTable(false); }

void StationExchange::exportDesign() { exportTable(true); }

void StationExchange::exportTable(bool design) {
  if (!openWellOrSay()) return;
  const Session& session = host_.session();
  const ExportTable table = design ? DesignExportTable(session) : SurveyExportTable(session);
  if (table.rowCount() == 0) {
    host_.showMessage(design ? kNoDesignToExport : kNoStationsToExport);
    return;
  }
  if (lastDirectory_.isEmpty()) lastDirectory_ = qs(session.wellDirectory);
  const QString name =
      qs(session.well.wellNo) + (design ? QStringLiteral("设计数据") : QStringLiteral("测斜数据"));
  const QString suggested = QDir(lastDirectory_).filePath(name + QStringLiteral(".csv"));
  QString filter = exportFilters().front();
  const QString title = design ? QStringLiteral("导出设计数据") : QStringLiteral("导出测点");
  const QString path = chooseExportFile ? chooseExportFile(title, suggested, &filter) : QString();
  if (path.isEmpty()) return;
  lastDirectory_ = QFileInfo(path).absolutePath();
  exportTo(path, filter, design);
}

bool StationExchange::exportTo(const QString& path, const QString& filter, bool design) {
  if (!openWellOrSay()) return false;
  const Session& session = host_.session();
  const ExportTable table = design ? DesignExportTable(session) : SurveyExportTable(session);
  if (table.rowCount() == 0) {
    host_.showMessage(design ? kNoDesignToExport : kNoStationsToExport);
    return false;
  }
  const ExportKind* kind = &kExportKinds[0];
  for (const ExportKind& k : kExportKinds)
    if (filter == QString::fromUtf8(k.filter)) kind = &k;
  // A name typed without a suffix gets the one of the chosen type, so that it reads back.
  QString target = path;
  if (QFileInfo(target).suffix().isEmpty())
    target += QLatin1Char('.') + QString::fromUtf8(kind->suffix);

  std::string message;
  bool written = false;
  {
    BusyPointer busy(host_);
    written = WriteStationFile(table, nativePath(target), kind->format, kind->encoding, message);
  }
  if (!written) {
    host_.showMessage(message);
    return false;
  }
  host_.setStatusText("已导出到 " + QDir::toNativeSeparators(target).toStdString());
  return true;
}

}  // namespace tarsek
