// Stations in and out through the 数据交换 menu: the import preview, replace and merge, the
// clipboard, and files that read back as the stations they were written from.

#include "ui/station_exchange.h"

#include <xlsxwriter.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cmath>
#include <functional>
#include <memory>

#include "common/numtext.h"
#include "exchange/station_export.h"
#include "ui/main_window.h"
#include "ui/painter_surface.h"
#include "ui/station_import_dialog.h"
#include "ui/survey_view.h"

using namespace tarsek;

namespace {

class TestWindow : public MainWindow {
 public:
  explicit TestWindow(Session& s) : MainWindow(s) {}
  std::vector<std::string> messages;
  void showMessage(const std::string& text) override { messages.push_back(text); }
};

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// A single-target well with stations at 300, 325, ... 575 m.
void writeWell(const QString& dir) {
  writeFile(QDir(dir).filePath("A12.kvd"),
            "\"A12\"\r\n1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30\r\n"
            "3,30,300,2,-1.5,1800\r\n");
  QByteArray sur = "12\r\n";
  for (int i = 0; i < 12; ++i)
    sur += QStringLiteral("%1,%2,%3\r\n")
               .arg(300 + 25 * i)
               .arg(std::min(30.0, 0.75 * i))
               .arg(i == 0 ? 0 : 52.5)
               .toUtf8();
  writeFile(QDir(dir).filePath("A12.sur"), sur);
}

// Depth, inclination and azimuth of every station.
std::vector<std::array<double, 3>> stationsOf(const WellRecord& w) {
  std::vector<std::array<double, 3>> out;
  for (int i = 0; i < w.stationCount; ++i) {
    const SurveyStation& s = w.stations[static_cast<std::size_t>(i)];
    out.push_back({s.md, s.inclination, s.azimuth});
  }
  return out;
}

// Pictures for the reader of the test log, when asked for with TARSEK_SCREENSHOTS=dir.
void keepPicture(QWidget& w, const char* name) {
  const QString dir = qEnvironmentVariable("TARSEK_SCREENSHOTS");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  w.grab().save(QDir(dir).filePath(QString::fromUtf8(name)));
}

}  // namespace

class StationExchangeTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir tmp_;
  QString wells_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<TestWindow> w_;

  StationExchange& exchange() { return w_->stationExchange(); }
  QString path(const char* name) { return QDir(wells_).filePath(QString::fromUtf8(name)); }
  void trigger(const char* action) {
    QAction* a = w_->findChild<QAction*>(QString::fromUtf8(action));
    QVERIFY2(a != nullptr, action);
    a->trigger();
  }
  // Accepts the preview with the given mode, after `adjust` has worked the dialog.
  void acceptWith(const char* modeRadio,
                  std::function<void(StationImportDialog&)> adjust = nullptr) {
    exchange().runPreview = [modeRadio, adjust](StationImportDialog& d) {
      if (adjust) adjust(d);
      d.findChild<QRadioButton*>(QString::fromUtf8(modeRadio))->setChecked(true);
      QPushButton* ok = d.findChild<QPushButton*>("okButton");
      if (!ok->isEnabled()) return false;
      ok->click();
      return d.result() == QDialog::Accepted;
    };
  }

 private slots:
  void initTestCase() {
    QVERIFY(tmp_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp_.filePath("config"));
    QStandardPaths::setTestModeEnabled(true);
  }

  void init() {
    wells_ = tmp_.filePath(QStringLiteral("wells-%1").arg(QTest::currentTestFunction()));
    QDir(wells_).removeRecursively();
    QVERIFY(QDir().mkpath(wells_));
    writeWell(wells_);
    session_ = std::make_unique<Session>();
    session_->wellDirectory = wells_.toStdString();
    w_ = std::make_unique<TestWindow>(*session_);
    w_->resize(1100, 720);
    w_->show();
    QVERIFY(w_->openWellFile(path("A12.kvd")));
    QCOMPARE(int(session_->well.stationCount), 12);
    QCOMPARE(session_->surveyDirty, Unsaved::Nothing);
  }

  void cleanup() {
    session_->surveyDirty = Unsaved::Nothing;
    session_->designDirty = Unsaved::Nothing;
    w_.reset();
    session_.reset();
  }

  void menuCarriesTheExchangeItems() {
    auto* menu = w_->findChild<QMenu*>("exchangeMenu");
    QVERIFY(menu != nullptr);
    QStringList captions;
    for (const QAction* a : menu->actions()) captions << a->text();
    QCOMPARE(captions, QStringList({"导入测点…", "粘贴测点", "", "导出测点…", "导出设计数据…"}));
    menu->popup(w_->mapToGlobal(QPoint(200, 30)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    keepPicture(*menu, "exchange-menu.png");
    menu->hide();
  }

  void importCsvChangesTheStations_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QList<double>>("depths");
    QTest::addColumn<double>("inclinationAt325");

    const QByteArray survey = "MD,Inc,Azi\r\n0,0,0\r\n325,4.5,60\r\n1000,20,61\r\n";
    QTest::newRow("replace") << survey << "replaceRadio" << QList<double>{0, 325, 1000} << 4.5;
    QList<double> merged{0};
    for (int i = 0; i < 12; ++i) merged << 300 + 25 * i;
    merged << 1000;
    QTest::newRow("merge") << survey << "mergeRadio" << merged << 4.5;
    // Chinese headers in GB18030, a semicolon and a decimal comma.
    QTest::newRow("merge GB18030")
        << QByteArray("\xb2\xe2\xc9\xee;\xbe\xae\xd0\xb1;\xb7\xbd\xce\xbb\r\n325;2,5;52,5\r\n")
        << "mergeRadio" << QList<double>{300, 325, 350, 375, 400, 425, 450, 475, 500, 525, 550, 575}
        << 2.5;
  }

  void importCsvChangesTheStations() {
    QFETCH(QByteArray, file);
    QFETCH(QString, mode);
    QFETCH(QList<double>, depths);
    QFETCH(double, inclinationAt325);
    writeFile(path("import.csv"), file);
    exchange().chooseImportFile = [this] { return path("import.csv"); };
    const QByteArray radio = mode.toUtf8();
    acceptWith(radio.constData());
    trigger("importStationsAction");

    const WellRecord& well = session_->well;
    QList<double> got;
    for (const auto& s : stationsOf(well)) got << s[0];
    QCOMPARE(got, depths);
    const int at325 = static_cast<int>(depths.indexOf(325));
    QCOMPARE(well.stations[static_cast<std::size_t>(at325)].inclination, inclinationAt325);
    QCOMPARE(session_->surveyDirty, Unsaved::Stations);
    // Recomputed like typed stations: the vertical depth of 325 m follows its new angles.
    const double tvd = well.results[static_cast<std::size_t>(at325)].tvd;
    QVERIFY(tvd > 0 && tvd < 325);
    QCOMPARE(w_->currentView(), int(kSurveyView));
    QVERIFY(w_->statusText().startsWith(QStringLiteral("已导入测点：")));
    if (QByteArray(QTest::currentDataTag()) == "merge") keepPicture(*w_, "after-import.png");
    QVERIFY(w_->messages.empty());
  }

  void failedOrCancelledImportChangesNothing_data() {
    QTest::addColumn<QByteArray>("file");  // empty: no such file
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("message");  // what the message box starts with, "" for none

    QTest::newRow("cancel") << QByteArray("MD,Inc,Azi\n0,0,0\n100,1,2\n") << false << "";
    QTest::newRow("unreadable file") << QByteArray() << true << "";
    QTest::newRow("nothing importable")
        << QByteArray("MD,Inc,Azi\n100,200,0\n") << true << "文件中没有可以导入的测点。";
  }

  void failedOrCancelledImportChangesNothing() {
    QFETCH(QByteArray, file);
    QFETCH(bool, accept);
    QFETCH(QString, message);
    const QString name = file.isEmpty() ? path("missing.csv") : path("bad.csv");
    if (!file.isEmpty()) writeFile(name, file);
    const auto before = stationsOf(session_->well);
    int previews = 0;
    exchange().runPreview = [&previews, accept](StationImportDialog& d) {
      ++previews;
      if (!accept) d.findChild<QPushButton*>("cancelButton")->click();
      return accept;
    };
    QCOMPARE(exchange().importFile(name), false);

    QVERIFY(stationsOf(session_->well) == before);
    QCOMPARE(session_->surveyDirty, Unsaved::Nothing);
    QCOMPARE(previews, accept ? 0 : 1);
    QCOMPARE(w_->messages.size(), std::size_t(accept ? 1 : 0));
    if (!message.isEmpty()) QVERIFY(QString::fromStdString(w_->messages[0]).startsWith(message));
  }

  void previewShowsRejectedLinesAndStaysAModel() {
    writeFile(path("mixed.csv"), "测深,井斜,方位\n600,31,52\n612,190,52\n625,32,x\n650,33,53\n");
    StationImportDialog* shown = nullptr;
    exchange().runPreview = [&shown, this](StationImportDialog& d) {
      shown = &d;
      d.show();
      (void)QTest::qWaitForWindowExposed(&d);
      keepPicture(d, "import-preview.png");
      auto* rows = d.findChild<QTableView*>("rowsTable");
      auto* rejected = d.findChild<QTableView*>("rejectedTable");
      [&] {
        QCOMPARE(rows->model()->rowCount(), 2);
        QCOMPARE(rejected->model()->rowCount(), 2);
        QCOMPARE(rejected->model()->index(0, 0).data().toString(),
                 QStringLiteral("第3行：井斜不在0到180之间"));
        QVERIFY(rejected->model()->index(1, 0).data().toString().startsWith("第4行："));
        QVERIFY(d.findChild<QComboBox*>("sheetCombo")->isHidden());
        QVERIFY(d.findChild<QRadioButton*>("mergeRadio")->isChecked());
        QCOMPARE(d.findChild<QLabel*>("summaryLabel")->text().left(10),
                 QStringLiteral("新增2个测点，替换0"));
      }();
      return false;
    };
    exchange().importFile(path("mixed.csv"));
    QVERIFY(shown != nullptr);
  }

  void workbookSheetIsChosenInThePreview() {
    // The stations are on the second sheet; the first holds only a note.
    const QByteArray file = QFile::encodeName(path("two-sheets.xlsx"));
    lxw_workbook* book = workbook_new(file.constData());
    worksheet_write_string(workbook_add_worksheet(book, "说明"), 0, 0, "MWD 测斜", nullptr);
    lxw_worksheet* data = workbook_add_worksheet(book, "测斜");
    const char* titles[] = {"Depth", "Incl", "Azimuth"};
    const double rows[2][3] = {{600, 31, 52}, {650, 33, 53}};
    for (lxw_col_t c = 0; c < 3; ++c) {
      worksheet_write_string(data, 0, c, titles[c], nullptr);
      for (lxw_row_t r = 0; r < 2; ++r) worksheet_write_number(data, r + 1, c, rows[r][c], nullptr);
    }
    QCOMPARE(workbook_close(book), LXW_NO_ERROR);

    acceptWith("mergeRadio", [](StationImportDialog& d) {
      auto* sheets = d.findChild<QComboBox*>("sheetCombo");
      QVERIFY(!sheets->isHidden());
      QCOMPARE(sheets->count(), 2);
      sheets->setCurrentIndex(1);
      QCOMPARE(d.findChild<QTableView*>("rowsTable")->model()->rowCount(), 2);
    });
    QVERIFY(exchange().importFile(path("two-sheets.xlsx")));
    QCOMPARE(int(session_->well.stationCount), 14);
    QCOMPARE(session_->well.stations[13].md, 650.0);
  }

  void pasteFromTheClipboard() {
    // Copied from a spreadsheet without a header: the columns are chosen in the preview.
    QApplication::clipboard()->setText("0\t600\t31\t52\n0\t650\t33\t53\n");
    acceptWith("mergeRadio", [](StationImportDialog& d) {
      QVERIFY(!d.findChild<QPushButton*>("okButton")->isEnabled());
      d.show();
      keepPicture(d, "import-columns.png");
      d.findChild<QComboBox*>("mdColumnCombo")->setCurrentIndex(2);
      d.findChild<QComboBox*>("inclinationColumnCombo")->setCurrentIndex(3);
      d.findChild<QComboBox*>("azimuthColumnCombo")->setCurrentIndex(4);
    });
    // Ctrl+V on the station table, not in an entry box.
    w_->showView(kSurveyView);
    auto* table = w_->surveyView()->findChild<PictureBox*>("Picture6");
    table->setFocus();
    QTRY_VERIFY(table->hasFocus());
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);

    const auto got = stationsOf(session_->well);
    QCOMPARE(got.size(), std::size_t(14));
    QVERIFY((got[13] == std::array<double, 3>{650, 33, 53}));
    QCOMPARE(session_->surveyDirty, Unsaved::Stations);
  }

  void exportedFilesReadBack_data() {
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("file");  // a name without a suffix gets the chosen type's
    QTest::addColumn<bool>("design");
    const char* files[] = {"out-utf8.csv", "out-gb.csv", "out.xlsx", "out.xml"};
    for (int k = 0; k < 4; ++k) QTest::newRow(files[k]) << k << files[k] << false;
    QTest::newRow("design") << 2 << "design" << true;
  }

  void exportedFilesReadBack() {
    QFETCH(int, filter);
    QFETCH(QString, file);
    QFETCH(bool, design);
    exchange().chooseExportFile = [&](const QString&, const QString&, QString* chosen) {
      *chosen = StationExchange::exportFilters()[filter];
      return QDir(wells_).filePath(file);
    };
    trigger(design ? "exportDesignAction" : "exportStationsAction");
    const QString written = QDir(wells_).filePath(design ? file + ".xlsx" : file);
    QVERIFY(QFile::exists(written));

    // The design points come back as the stations of an emptied well.
    auto expected = stationsOf(session_->well);
    if (design) {
      const ExportTable t = DesignExportTable(*session_);
      expected.clear();
      for (std::size_t i = 0; i < t.rowCount(); ++i)
        expected.push_back(
            {t.columns[0].values[i], t.columns[1].values[i], t.columns[2].values[i]});
    }
    exchange().chooseImportFile = [&] { return written; };
    acceptWith("replaceRadio");
    session_->well.stationCount = 1;
    trigger("importStationsAction");
    const auto after = stationsOf(session_->well);
    QCOMPARE(after.size(), expected.size());
    for (std::size_t i = 0; i < after.size(); ++i)
      for (int k = 0; k < 3; ++k)  // every digit the survey file would keep
        QCOMPARE(formatGeneral(after[i][k]), formatGeneral(expected[i][k]));
    QVERIFY(w_->messages.empty());
  }
};

QTEST_MAIN(StationExchangeTest)
#include "station_exchange_test.moc"
