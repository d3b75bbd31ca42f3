#include "ui/site_parameters_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "uncertainty/site_params.h"

using namespace tarsek;

namespace {

// Keeps what the dialog would have shown in a message box.
class QuietDialog : public SiteParametersDialog {
 public:
  using SiteParametersDialog::SiteParametersDialog;
  std::string told;

 protected:
  void tell(const std::string& text) override { told = text; }
};

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class SiteParametersDialogTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  Session session_;

  QString uncPath() const { return dir_.filePath(QStringLiteral("井1.unc")); }

 private slots:
  void init() {
    QFile::remove(uncPath());
    session_.wellDirectory = dir_.path().toStdString();
    session_.well.wellNo = "井1";
  }

  // A well without the file offers the defaults but leaves the two looked-up values empty.
  void missingFileLeavesTheFieldValuesEmpty() {
    QuietDialog d(session_);
    QVERIFY(d.field(0)->text().isEmpty());
    QVERIFY(d.field(1)->text().isEmpty());
    QCOMPARE(d.field(2)->text(), QStringLiteral("9.80665"));
    QCOMPARE(d.modelBox()->currentText(), QStringLiteral("ISCWSA MWD Rev4"));
    d.accept();
    QCOMPARE(d.told, std::string("磁场强度有误，请重新输入！"));
    QVERIFY(!QFile::exists(uncPath()));
  }

  // Each refused entry is named and the file on disk stays as it was.
  void refusedEntriesKeepTheOldFile() {
    const QByteArray old = "btotal=50000\ndip=55\n";
    {
      QFile f(uncPath());
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(old);
    }
    struct Case {
      int field;
      const char* text;
      const char* told;
    } cases[] = {
        {1, "58x", "磁倾角有误，请重新输入！"},
        {0, "5000", "磁场强度应在10000到100000 nT之间，请重新输入！"},
        {5, "0", "误差椭圆倍数应大于0且不超过10，请重新输入！"},
        {9, "", "预测误差σpa有误，请重新输入！"},
    };
    for (const Case& c : cases) {
      QuietDialog d(session_);
      QCOMPARE(d.field(0)->text(), QStringLiteral("50000"));
      d.field(c.field)->setText(QString::fromUtf8(c.text));
      d.accept();
      QCOMPARE(d.told, std::string(c.told));
      QCOMPARE(d.result(), int(QDialog::Rejected));
      QCOMPARE(readFile(uncPath()), old);
    }
  }

  // What the dialog writes reads back as the values entered.
  void acceptedValuesReadBack() {
    QuietDialog d(session_);
    const char* texts[SiteParametersDialog::kNumberFields] = {
        "54321", "-12.5", "9.81", "39.5", "1.25", "3", "0.3112", "3", "0.5", "1"};
    for (int i = 0; i < SiteParametersDialog::kNumberFields; ++i)
      d.field(i)->setText(QString::fromUtf8(texts[i]));
    d.accept();
    QVERIFY(d.told.empty());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    unc::SiteParameters p;
    std::string message;
    QCOMPARE(unc::LoadSiteParameters(session_.wellDirectory, "井1", p, message),
             unc::SiteFile::Loaded);
    const double want[] = {54321, -12.5, 9.81, 39.5, 1.25, 3, 0.3112, 3, 0.5, 1};
    const double got[] = {p.btotal,        p.dip,      p.gravity, p.latitude, p.convergence,
                          p.sigmaMultiple, p.diameter, p.k,       p.sm,       p.sigmaPa};
    for (int i = 0; i < SiteParametersDialog::kNumberFields; ++i) QCOMPARE(got[i], want[i]);
  }
};

QTEST_MAIN(SiteParametersDialogTest)
#include "site_parameters_dialog_test.moc"
