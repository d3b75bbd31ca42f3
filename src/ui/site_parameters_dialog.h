#pragma once

#include <QDialog>
#include <array>

#include "session/session.h"
#include "uncertainty/site_params.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarsek {

/// "测量误差参数": edits the open well's uncertainty parameter file (井号.unc) beside its design
/// file. OK checks every value and writes the file whole; a refused value or a failed write
/// leaves the dialog open and the old file as it was.
class SiteParametersDialog : public QDialog {
  Q_OBJECT
 public:
  SiteParametersDialog(Session& session, QWidget* parent = nullptr);

  /// The number fields in order: btotal, dip, gravity, latitude, convergence, sigma, diameter,
  /// k, sm, sigmapa.
  static constexpr int kNumberFields = 10;
  QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
  QComboBox* modelBox() const { return model_; }

  /// Reads and checks the fields; empty with p set when they are usable, else the message.
  std::string readFields(unc::SiteParameters& p) const;

  void accept() override;

 protected:
  /// The message box of a refused value or write; tests override it.
  virtual void tell(const std::string& text);

 private:
  Session& session_;
  std::array<QLineEdit*, kNumberFields> fields_{};
  QComboBox* model_ = nullptr;
  QLabel* state_ = nullptr;
};

}  // namespace tarsek
