#include "ui/about_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "ui/main_window.h"

namespace tarsek {

namespace {
// "major.minor.revision" of the application's version, missing parts as 0.
QString versionText() {
  QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'));
  while (parts.size() < 3) parts << QStringLiteral("0");
  return parts.mid(0, 3).join(QLatin1Char('.'));
}
}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  const QString title = QString::fromUtf8(kProgramTitle);
  setWindowTitle(QStringLiteral("关于 ") + title);
  setModal(true);

  auto* titleLabel = new QLabel(QStringLiteral("程序标题:") + title, this);
  titleLabel->setObjectName(QStringLiteral("lblTitle"));
  QFont big = titleLabel->font();
  big.setPointSizeF(big.pointSizeF() + 4);
  big.setBold(true);
  titleLabel->setFont(big);
  auto* versionLabel = new QLabel(QStringLiteral("版本 ") + versionText(), this);
  versionLabel->setObjectName(QStringLiteral("lblVersion"));
  auto* descriptionLabel = new QLabel(
      QStringLiteral("程序描述:Tarsek二段式剖面设计、计算、            扭方位及防碰预测等"), this);
  descriptionLabel->setObjectName(QStringLiteral("lblDescription"));
  descriptionLabel->setWordWrap(true);
  auto* okButton = new QPushButton(QStringLiteral("确定"), this);
  okButton->setObjectName(QStringLiteral("cmdOK"));
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleLabel);
  layout->addWidget(versionLabel);
  layout->addWidget(descriptionLabel);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

}  // namespace tarsek
