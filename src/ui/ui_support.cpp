#include "ui/ui_support.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>

#include "common/numtext.h"

namespace tarsek {

double numberIn(const QLineEdit* box) { return readNumber(box->text().toStdString()); }

QString windowCaption(const QString& wellNo) {
  QString caption = qs(kProgramTitle);
  if (!wellNo.isEmpty()) caption += QLatin1Char('[') + wellNo + QStringLiteral("井]");
  return caption;
}

bool isEnterKey(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

int typedCode(const QKeyEvent* key) {
  const QString t = key->text();
  if (t.isEmpty()) return -1;
  return static_cast<int>(t.at(0).unicode());
}

bool isEditingKey(const QKeyEvent* key) {
  return key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
         key->key() == Qt::Key_Delete;
}

bool isNumberCode(int code, NumberKeys keys) {
  if ((code >= '0' && code <= '9') || code == '.' || code > 127) return true;
  if (keys.signs && (code == '+' || code == '-')) return true;
  return keys.backspace && code == 8;
}

void showInformation(QWidget* parent, const QString& title, const std::string& text) {
  QMessageBox::information(parent, title, qs(text));
}

Answer askYesNo(QWidget* parent, const std::string& text) {
  const auto b = QMessageBox::question(parent, qs(kProgramTitle), qs(text),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer askYesNoCancel(QWidget* parent, const std::string& text) {
  const auto b = QMessageBox::question(parent, qs(kProgramTitle), qs(text),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::Yes);
  if (b == QMessageBox::Yes) return Answer::Yes;
  if (b == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

}  // namespace tarsek
