#include "ui/site_parameters_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <charconv>
#include <cmath>

#include "common/numtext.h"
#include "model/well_files.h"
#include "ui/ui_support.h"
#include "uncertainty/error_model.h"

namespace tarsek {
namespace {

struct FieldInfo {
  const char* name;   // objectName
  const char* label;  // caption and how a message names the value
  const char* unit;
};

constexpr FieldInfo kFields[SiteParametersDialog::kNumberFields] = {
    {"btotalEdit", "磁场强度", "nT"},
    {"dipEdit", "磁倾角", "°"},
    {"gravityEdit", "重力加速度", "m/s²"},
    {"latitudeEdit", "纬度", "°（北纬为正）"},
    {"convergenceEdit", "子午线收敛角", "°（方位为网格方位时）"},
    {"sigmaEdit", "误差椭圆倍数", "σ"},
    {"diameterEdit", "井眼（套管）直径", "m"},
    {"kEdit", "分离系数比例因子k", ""},
    {"smEdit", "地面余量Sm", "m"},
    {"sigmaPaEdit", "预测误差σpa", "m"},
};

double* valueOf(unc::SiteParameters& p, int i) {
  double* fields[SiteParametersDialog::kNumberFields] = {
      &p.btotal,        &p.dip,      &p.gravity, &p.latitude, &p.convergence,
      &p.sigmaMultiple, &p.diameter, &p.k,       &p.sm,       &p.sigmaPa};
  return fields[i];
}

// The whole text must be one number: a stray letter is a typing slip, not a value to cut.
bool wholeNumber(const QString& text, double& v) {
  return readWholeNumber(text.trimmed().toStdString(), v);
}

std::string shown(double v) {
  std::array<char, 32> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), r.ptr);
}

}  // namespace

SiteParametersDialog::SiteParametersDialog(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("SiteParametersDialog"));
  setWindowTitle(qs(session.well.wellNo) + QStringLiteral("井测量误差参数"));

  unc::SiteParameters p;
  std::string message;
  const unc::SiteFile file =
      unc::LoadSiteParameters(session.wellDirectory, session.well.wellNo, p, message);
  const bool loaded = file == unc::SiteFile::Loaded;
  if (!loaded) p = unc::SiteParameters{};

  auto* grid = new QGridLayout(this);
  state_ = new QLabel(this);
  state_->setObjectName(QStringLiteral("stateLabel"));
  state_->setWordWrap(true);
  if (file == unc::SiteFile::Missing)
    state_->setText(QStringLiteral("本井") + qs(unc::kNoSiteParameters) +
                    QStringLiteral("：请输入磁场强度和磁倾角，其余可用默认值。"));
  else if (file == unc::SiteFile::Refused)
    state_->setText(qs(message) + QStringLiteral("确定后将用这里的数值重写该文件。"));
  grid->addWidget(state_, 0, 0, 1, 3);

  auto* modelLabel = new QLabel(QStringLiteral("测量仪器误差模型"), this);
  model_ = new QComboBox(this);
  model_->setObjectName(QStringLiteral("modelBox"));
  for (const unc::ErrorModel& m : unc::BuiltInModels()) model_->addItem(qs(m.name));
  model_->setCurrentText(qs(p.model));
  grid->addWidget(modelLabel, 1, 0);
  grid->addWidget(model_, 1, 1, 1, 2);

  for (int i = 0; i < kNumberFields; ++i) {
    auto* label = new QLabel(QString::fromUtf8(kFields[i].label), this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(kFields[i].name));
    // A well without the file has no field values to offer: the two the engineer must look
    // up stay empty rather than showing a made-up zero.
    const bool required = i < 2;
    if (loaded || !required) edit->setText(qs(shown(*valueOf(p, i))));
    grid->addWidget(label, i + 2, 0);
    grid->addWidget(edit, i + 2, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(kFields[i].unit), this), i + 2, 2);
    fields_[static_cast<std::size_t>(i)] = edit;
  }

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("确  定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("取  消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &SiteParametersDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SiteParametersDialog::reject);
  grid->addWidget(buttons, kNumberFields + 2, 0, 1, 3);
}

std::string SiteParametersDialog::readFields(unc::SiteParameters& p) const {
  unc::SiteParameters out;
  out.model = model_->currentText().toStdString();
  for (int i = 0; i < kNumberFields; ++i) {
    if (!wholeNumber(fields_[static_cast<std::size_t>(i)]->text(), *valueOf(out, i)))
      return std::string(kFields[i].label) + "有误，请重新输入！";
  }
  // The declination is the well's own: check the values with it in place.
  out.declination = session_.well.magDeclination;
  const std::string problem = unc::CheckSiteParameters(out);
  if (!problem.empty()) return problem + "，请重新输入！";
  out.declination = 0;
  p = out;
  return {};
}

void SiteParametersDialog::accept() {
  unc::SiteParameters p;
  const std::string problem = readFields(p);
  if (!problem.empty()) {
    tell(problem);
    return;
  }
  std::string message;
  if (!unc::SaveSiteParameters(session_.wellDirectory, session_.well.wellNo, p, message)) {
    tell(message);
    return;
  }
  QDialog::accept();
}

void SiteParametersDialog::tell(const std::string& text) {
  showInformation(this, windowTitle(), text);
}

}  // namespace tarsek
