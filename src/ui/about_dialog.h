#pragma once

#include <QDialog>

namespace tarsek {

/// The About box (AboutDialog): program title, version and description; 确定 closes it.
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tarsek
