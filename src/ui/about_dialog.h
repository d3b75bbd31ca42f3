#pragma once

#include <QDialog>

namespace tarsek {

/// The About box (frmAbout): program title, version and description; 确定 closes it.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace tarsek
