#include "ui/target_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/numtext.h"
#include "design/design_input.h"
#include "session/session_runs.h"

namespace tarsek {

TargetDialog::TargetDialog(ViewHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("按方位定靶点"));
  setModal(false);

  auto* azimuthCaption = new QLabel(QStringLiteral("设计方位"), this);
  azimuthCaption->setObjectName(QStringLiteral("Label1"));
  auto* displacementCaption = new QLabel(QStringLiteral("设计位移"), this);
  displacementCaption->setObjectName(QStringLiteral("Label2"));
  azimuthEdit_ = new QLineEdit(this);
  azimuthEdit_->setObjectName(QStringLiteral("Text3"));
  displacementEdit_ = new QLineEdit(this);
  displacementEdit_->setObjectName(QStringLiteral("Text5"));
  okButton_ = new QPushButton(QStringLiteral("确  定"), this);
  okButton_->setObjectName(QStringLiteral("Command1"));
  okButton_->setDefault(true);
  cancelButton_ = new QPushButton(QStringLiteral("取  消"), this);
  cancelButton_->setObjectName(QStringLiteral("Command2"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(azimuthCaption, 0, 0);
  grid->addWidget(azimuthEdit_, 0, 1);
  grid->addWidget(displacementCaption, 1, 0);
  grid->addWidget(displacementEdit_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  grid->addLayout(buttons, 2, 0, 1, 2);

  connect(okButton_, &QPushButton::clicked, this, &TargetDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &TargetDialog::reject);

  const WellRecord& w = host_.session().well;
  if (!w.wellNo.empty()) {
    azimuthEdit_->setText(QString::fromStdString(formatFixed(w.designAzimuth, 2)));
    displacementEdit_->setText(QString::fromStdString(formatFixed(w.designDisplacement1, 2)));
  }
}

void TargetDialog::accept() {
  Session& s = host_.session();
  setTargetByBearing(s, readNumber(azimuthEdit_->text().toStdString()),
                     readNumber(displacementEdit_->text().toStdString()));
  // The guidance, plots and clearances all measure against target 1: recompute and show them.
  BasicDataChanged(s);
  QDialog::accept();
}

void TargetDialog::reject() {
  restoreDesignTarget(host_.session());
  BasicDataChanged(host_.session());
  QDialog::reject();
}

}  // namespace tarsek
