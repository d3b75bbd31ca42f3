#pragma once

#include <QDialog>

#include "ui/view_host.h"

class QLineEdit;
class QPushButton;

namespace tarsek {

/// The target-by-bearing dialog ("Form2"): puts target 1 at a design azimuth and displacement
/// from the wellhead for the time being, keeping the design target so that it can be restored.
class TargetDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TargetDialog(ViewHost& host, QWidget* parent = nullptr);

 private:
  void accept() override;  // okButton_ "确  定"
  void reject() override;  // cancelButton_ "取  消"

  ViewHost& host_;
  QLineEdit* azimuthEdit_ = nullptr;
  QLineEdit* displacementEdit_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace tarsek
