#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "common/host.h"
#include "ui/ui_texts.h"

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace tarsek {

// Pieces every window of the program shares: the core's texts as Qt strings, the key rules of
// the number boxes and the program's message boxes.

/// A text of the core (UTF-8) as a Qt string.
inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString qs(const char* text) { return QString::fromUtf8(text); }

/// The number a box holds, read as every typed number is read (readNumber).
double numberIn(const QLineEdit* box);

/// The main window's caption: the program's name and, while a well is open, its number.
QString windowCaption(const QString& wellNo);

// --- keys of the number boxes ------------------------------------------------------------------

/// Return or the keypad's Enter.
bool isEnterKey(const QKeyEvent* key);
/// The character code a key press types (its first UTF-16 unit), or -1 for keys that type
/// nothing (arrows, Home, function keys...).
int typedCode(const QKeyEvent* key);
/// Keys a box leaves to the editor and the focus chain: those that type nothing, Tab, Backtab
/// and Delete.
bool isEditingKey(const QKeyEvent* key);

/// What a number box takes besides digits, the point and anything outside ASCII (the Chinese
/// input methods deliver their characters so).
struct NumberKeys {
  bool signs = true;      ///< '+' and '-'
  bool backspace = true;  ///< the Backspace character (8)
};
/// True when a number box takes the typed character code.
bool isNumberCode(int code, NumberKeys keys = {});

// --- the program's message boxes -------------------------------------------------------------

/// An information box with an OK button over parent.
void showInformation(QWidget* parent, const QString& title, const std::string& text);
/// A question under the program's name with Yes (the default) and No.
Answer askYesNo(QWidget* parent, const std::string& text);
/// A question under the program's name with Yes (the default), No and Cancel; closing the box
/// counts as Cancel.
Answer askYesNoCancel(QWidget* parent, const std::string& text);

}  // namespace tarsek
