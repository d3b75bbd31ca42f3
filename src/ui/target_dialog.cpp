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

  auto* label1 = new QLabel(QStringLiteral("设计方位"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  auto* label2 = new QLabel(QStringLiteral("设计位移"), this);
  label2->setObjectName(QStringLiteral("Label2"));
  Text3 = new QLineEdit(this);
  Text3->setObjectName(QStringLiteral("Text3"));
  Text5 = new QLineEdit(this);
  Text5->setObjectName(QStringLiteral("Text5"));
  Command1 = new QPushButton(QStringLiteral("确  定"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setDefault(true);
  Command2 = new QPushButton(QStringLiteral("取  消"), this);
  Command2->setObjectName(QStringLiteral("Command2"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1, 0, 0);
  grid->addWidget(Text3, 0, 1);
  grid->addWidget(label2, 1, 0);
  grid->addWidget(Text5, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  grid->addLayout(buttons, 2, 0, 1, 2);

  connect(Command1, &QPushButton::clicked, this, &TargetDialog::accept);
  connect(Command2, &QPushButton::clicked, this, &TargetDialog::reject);

  const WellRecord& w = host_.session().well;
  if (!w.wellNo.empty()) {
    Text3->setText(QString::fromStdString(formatFixed(w.designAzimuth, 2)));
    Text5->setText(QString::fromStdString(formatFixed(w.designDisplacement1, 2)));
  }
}

void TargetDialog::accept() {
  Session& s = host_.session();
  setTargetByBearing(s, readNumber(Text3->text().toStdString()),
                     readNumber(Text5->text().toStdString()));
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
