#include "ui/tools_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/numtext.h"
#include "tools/azimuth_turn.h"
#include "tools/casing.h"
#include "tools/hydraulics.h"
#include "tools/kill_mud.h"
#include "tools/stuck_point.h"
#include "tools/tool_limits.h"
#include "ui/painter_surface.h"
#include "ui/ui_support.h"

namespace tarsek {
namespace {

constexpr const char* kBadBuildRate = "请重新输入造斜率";
constexpr const char* kGroupProperty = "toolGroup";
constexpr const char* kIndexProperty = "toolIndex";
constexpr int kBoxWidth = 76;

QLineEdit* makeBox(const QString& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(kBoxWidth);
  return box;
}

// One caption / box / unit row of a frame's grid.
void addRow(QGridLayout* grid, int row, int column, const char* caption, QWidget* field,
            const char* unit) {
  grid->addWidget(new QLabel(qs(caption)), row, column, Qt::AlignRight);
  grid->addWidget(field, row, column + 1);
  if (unit != nullptr && *unit != '\0') grid->addWidget(new QLabel(qs(unit)), row, column + 2);
}

QComboBox* makeCombo(const QString& name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  // An editable drop-down, so that a text can stand in the box with no entry chosen.
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumWidth(250);
  return combo;
}

PictureBox* makePicture(const QString& name, std::vector<std::string>& lines, QWidget* parent) {
  auto* picture = new PictureBox(name, parent);
  picture->onPaint = [&lines](Surface& s) {
    // The captions are padded with blanks to line up the colons: that needs a face whose
    // Latin letters are exactly half a Chinese character wide.
    s.setFontFace("WenQuanYi Micro Hei Mono");
    s.setFontSize(10);
    for (const std::string& line : lines) s.printLine(line);
  };
  return picture;
}

}  // namespace

ToolsView::ToolsView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("p工具"));
  setWindowTitle(QStringLiteral("工具箱"));

  auto* hydraulicsFrame = new QGroupBox(QStringLiteral("钻头水力参数"), this);
  hydraulicsFrame->setObjectName(QStringLiteral("Frame1"));
  auto* casingFrame = new QGroupBox(QStringLiteral("套管强度校核、替量"), this);
  casingFrame->setObjectName(QStringLiteral("Frame3"));
  auto* killFrame = new QGroupBox(QStringLiteral("关井基本数据、加重料重量"), this);
  killFrame->setObjectName(QStringLiteral("Frame6"));
  auto* stuckPointFrame = new QGroupBox(QStringLiteral("卡点深度、泡油量"), this);
  stuckPointFrame->setObjectName(QStringLiteral("Frame4"));
  auto* turnFrame = new QGroupBox(QStringLiteral("扭方位"), this);
  turnFrame->setObjectName(QStringLiteral("Frame9"));

  buildHydraulics(hydraulicsFrame);
  buildCasing(casingFrame);
  buildKill(killFrame);
  buildStuckPoint(stuckPointFrame);
  buildTurn(turnFrame);

  auto* right = new QVBoxLayout;
  right->addWidget(casingFrame);
  right->addWidget(killFrame);
  right->addWidget(stuckPointFrame);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(hydraulicsFrame);
  top->addLayout(right);
  top->addStretch(1);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top);
  outer->addWidget(turnFrame);
  outer->addStretch(1);

  // Every filtered box: remember its group and place for the key filter and the Enter chain.
  for (int g = 0; g < kGroupCount; ++g) {
    for (std::size_t i = 0; i < groups_[g].size(); ++i) {
      QLineEdit* box = groups_[g][i];
      box->setProperty(kGroupProperty, g);
      box->setProperty(kIndexProperty, static_cast<int>(i));
      box->installEventFilter(this);
    }
  }
  turnAfterMdEdit_->installEventFilter(this);
  turnAfterInclinationEdit_->installEventFilter(this);
}

void ToolsView::buildHydraulics(QWidget* frame) {
  static const char* const kCaptions[12][2] = {
      {"井深", "m"},      {"泵冲", "/min"},   {"缸套", "mm"},     {"容积效率", "%"},
      {"比重", "g/cm^3"}, {"1#喷嘴", "mm"},   {"2#喷嘴", "mm"},   {"3#喷嘴", "mm"},
      {"钻头直径", "mm"}, {"钻挺外径", "mm"}, {"钻挺内径", "mm"}, {"钻挺长度", "m"},
  };
  auto* grid = new QGridLayout;
  for (int i = 0; i < 12; ++i) {
    hydraulicsEdits_[i] = makeBox(QStringLiteral("水力参数(%1)").arg(i), frame);
    addRow(grid, i, 0, kCaptions[i][0], hydraulicsEdits_[i], kCaptions[i][1]);
    groups_[kHydraulicsGroup].push_back(hydraulicsEdits_[i]);
  }
  hydraulicsEdits_[3]->setText(QStringLiteral("80"));
  for (QLineEdit* box : hydraulicsEdits_)
    connect(box, &QLineEdit::textChanged, this, [this] { recomputeHydraulics(); });

  hydraulicsPicture_ = makePicture(QStringLiteral("P1"), hydraulicsLines_, frame);
  hydraulicsPicture_->setMinimumSize(230, 300);
  auto* layout = new QHBoxLayout(frame);
  layout->addLayout(grid);
  layout->addWidget(hydraulicsPicture_, 1);
}

void ToolsView::buildCasing(QWidget* frame) {
  casingGradeCombo_ = makeCombo(QStringLiteral("Combo1"), frame);
  for (const CasingGrade& g : kCasingCatalogue) casingGradeCombo_->addItem(qs(g.text));
  // The list starts with no grade chosen, yet shows the first one as a hint.
  casingGradeCombo_->setCurrentIndex(-1);
  casingGradeCombo_->setEditText(qs(kCasingCatalogue[0].text));
  // The grade is what the user chose from the list or typed in full; completing a typed text to
  // an entry would choose a grade nobody asked for.
  // The box's own handling of a finished edit picks the entry its text matches, the hint
  // included, so leaving the box untouched would choose the first grade. The grade is decided
  // here instead, before that handling runs (connected first), and what it activates on the
  // way is ignored.
  auto* gradeEdit = new QLineEdit(casingGradeCombo_);
  connect(gradeEdit, &QLineEdit::editingFinished, this, [this] { onGradeEdited(); });
  casingGradeCombo_->setLineEdit(gradeEdit);
  casingGradeCombo_->setInsertPolicy(QComboBox::NoInsert);
  casingGradeCombo_->setCompleter(nullptr);
  casingGradeCombo_->setCurrentIndex(-1);
  casingGradeCombo_->setEditText(qs(kCasingCatalogue[0].text));
  connect(casingGradeCombo_, &QComboBox::activated, this, [this](int index) {
    if (finishingGradeEdit_) return;
    casingGrade_ = index;
    showCasingGrade();
    recomputeCasing();
  });

  static const char* const kCaptions[3][2] = {
      {"密度", "g/cm^3"}, {"段长", "m"}, {"预留水泥塞面深", "m"}};
  auto* grid = new QGridLayout;
  auto* gradeLabel = new QLabel(QStringLiteral("规格："), frame);
  grid->addWidget(gradeLabel, 0, 0, Qt::AlignRight);
  grid->addWidget(casingGradeCombo_, 0, 1, 1, 2);
  for (int i = 0; i < 3; ++i) {
    casingEdits_[i] = makeBox(QStringLiteral("套管(%1)").arg(i), frame);
    addRow(grid, i + 1, 0, kCaptions[i][0], casingEdits_[i], kCaptions[i][1]);
    groups_[kCasingGroup].push_back(casingEdits_[i]);
    connect(casingEdits_[i], &QLineEdit::textChanged, this, [this] { recomputeCasing(); });
  }
  casingPicture_ = makePicture(QStringLiteral("Picture1"), casingLines_, frame);
  casingPicture_->setMinimumSize(170, 100);
  auto* layout = new QHBoxLayout(frame);
  layout->addLayout(grid);
  layout->addWidget(casingPicture_, 1);
}

void ToolsView::buildKill(QWidget* frame) {
  auto* grid = new QGridLayout;
  static const char* const kShutIn[2][2] = {{"井深", "m"}, {"关井立压", "MPa"}};
  for (int i = 0; i < 2; ++i) {
    shutInEdits_[i] = makeBox(QStringLiteral("关井基本数据(%1)").arg(i), frame);
    addRow(grid, i, 0, kShutIn[i][0], shutInEdits_[i], kShutIn[i][1]);
    groups_[kShutInGroup].push_back(shutInEdits_[i]);
    connect(shutInEdits_[i], &QLineEdit::textChanged, this, [this] { onKillInputChanged(); });
  }
  originalDensityEdit_ = makeBox(QStringLiteral("原浆de比重"), frame);
  addRow(grid, 2, 0, "原浆比重", originalDensityEdit_, "g/cm^3");
  groups_[kOriginalDensityGroup].push_back(originalDensityEdit_);
  connect(originalDensityEdit_, &QLineEdit::textChanged, this, [this] { onKillInputChanged(); });

  static const char* const kWeighting[3][2] = {
      {"预配比重", "g/cm^3"}, {"原浆体积", "m^3"}, {"加重料比重", "g/cm^3"}};
  for (int i = 0; i < 3; ++i) {
    weightingEdits_[i] = makeBox(QStringLiteral("加重剂用量(%1)").arg(i), frame);
    addRow(grid, i, 3, kWeighting[i][0], weightingEdits_[i], kWeighting[i][1]);
    groups_[kWeightingGroup].push_back(weightingEdits_[i]);
    connect(weightingEdits_[i], &QLineEdit::textChanged, this,
            [this] { onWeightingInputChanged(); });
  }
  weightingResult_ = makeBox(QStringLiteral("加重剂重量"), frame);
  weightingResult_->setReadOnly(true);
  addRow(grid, 3, 3, "加重料重量", weightingResult_, "T");

  auto* margin = new QPushButton(QStringLiteral("考虑附加压力"), frame);
  margin->setObjectName(QStringLiteral("考虑附加压力"));
  connect(margin, &QPushButton::clicked, this, [this] { onMarginClicked(); });
  grid->addWidget(margin, 3, 0, 1, 3);
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(grid);
}

void ToolsView::buildStuckPoint(QWidget* frame) {
  drillPipeCombo_ = makeCombo(QStringLiteral("Combo2"), frame);
  for (const DrillPipe& p : kDrillPipes) drillPipeCombo_->addItem(qs(p.text));
  drillPipeCombo_->setCurrentIndex(drillPipeCombo_->findText(QStringLiteral("φ127mm×9.19mm")));
  drillPipeCombo_->setEditText(QStringLiteral("φ127mm×9.19mm"));
  connect(drillPipeCombo_, &QComboBox::activated, this, [this] { recomputeStuckPoint(); });

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("钻杆规格")), 0, 0, Qt::AlignRight);
  grid->addWidget(drillPipeCombo_, 0, 1, 1, 5);
  static const char* const kCaptions[4][2] = {
      {"平均伸长", "cm"}, {"平均拉力", "T"}, {"井径", "mm"}, {"井深", "m"}};
  for (int i = 0; i < 4; ++i) {
    stuckPointEdits_[i] = makeBox(QStringLiteral("卡点深(%1)").arg(i), frame);
    groups_[kStuckPointGroup].push_back(stuckPointEdits_[i]);
    connect(stuckPointEdits_[i], &QLineEdit::textChanged, this, [this] { recomputeStuckPoint(); });
  }
  addRow(grid, 1, 0, kCaptions[0][0], stuckPointEdits_[0], kCaptions[0][1]);
  addRow(grid, 2, 0, kCaptions[1][0], stuckPointEdits_[1], kCaptions[1][1]);
  stuckDepthResult_ = makeBox(QStringLiteral("卡点"), frame);
  stuckDepthResult_->setReadOnly(true);
  addRow(grid, 3, 0, "卡点深度", stuckDepthResult_, "m");
  addRow(grid, 1, 3, kCaptions[2][0], stuckPointEdits_[2], kCaptions[2][1]);
  addRow(grid, 2, 3, kCaptions[3][0], stuckPointEdits_[3], kCaptions[3][1]);
  oilVolumeResult_ = new QLabel(frame);
  oilVolumeResult_->setObjectName(QStringLiteral("泡油"));
  oilVolumeResult_->setFrameShape(QFrame::Panel);
  oilVolumeResult_->setFrameShadow(QFrame::Sunken);
  oilVolumeResult_->setFixedWidth(kBoxWidth);
  addRow(grid, 3, 3, "泡油量", oilVolumeResult_, "m^3");
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(grid);
}

void ToolsView::buildTurn(QWidget* frame) {
  static const char* const kSurvey[3][2] = {{"测深", "m"}, {"井斜", "°"}, {"方位", "°"}};
  auto* before = new QGroupBox(QStringLiteral("扭方位前"), frame);
  before->setObjectName(QStringLiteral("F扭方位前"));
  auto* beforeGrid = new QGridLayout(before);
  for (int i = 0; i < 3; ++i) {
    turnBeforeEdits_[i] = makeBox(QStringLiteral("测深(%1)").arg(i), before);
    addRow(beforeGrid, i, 0, kSurvey[i][0], turnBeforeEdits_[i], kSurvey[i][1]);
    groups_[kTurnBeforeGroup].push_back(turnBeforeEdits_[i]);
  }
  auto* after = new QGroupBox(QStringLiteral("扭方位后"), frame);
  after->setObjectName(QStringLiteral("F扭方位后"));
  auto* afterGrid = new QGridLayout(after);
  turnAfterMdEdit_ = makeBox(QStringLiteral("T8"), after);
  turnAfterInclinationEdit_ = makeBox(QStringLiteral("T9"), after);
  turnAfterAzimuthEdit_ = makeBox(QStringLiteral("T10"), after);
  QLineEdit* afterBoxes[3] = {turnAfterMdEdit_, turnAfterInclinationEdit_, turnAfterAzimuthEdit_};
  for (int i = 0; i < 3; ++i) addRow(afterGrid, i, 0, kSurvey[i][0], afterBoxes[i], kSurvey[i][1]);

  auto* grid = new QGridLayout;
  orientAzimuthEdit_ = makeBox(QStringLiteral("T4"), frame);
  initialToolfaceEdit_ = makeBox(QStringLiteral("T5"), frame);
  turnBuildRateEdit_ = makeBox(QStringLiteral("T6"), frame);
  reactiveTorqueResult_ = makeBox(QStringLiteral("T7"), frame);
  reactiveTorqueResult_->setReadOnly(true);
  addRow(grid, 0, 0, "定向方位角", orientAzimuthEdit_, "°");
  addRow(grid, 1, 0, "初始装置角", initialToolfaceEdit_, "°");
  addRow(grid, 2, 0, "造斜率(。/100m)", turnBuildRateEdit_, "°/100m");
  addRow(grid, 3, 0, "实际反扭角", reactiveTorqueResult_, "°");
  connect(turnBuildRateEdit_, &QLineEdit::textChanged, this, [this] { writeToolStatus(); });

  auto* torque = new QPushButton(QStringLiteral("求反扭角"), frame);
  torque->setObjectName(QStringLiteral("求反扭角"));
  auto* predict = new QPushButton(QStringLiteral("预计扭方位结果"), frame);
  predict->setObjectName(QStringLiteral("预计扭方位结果"));
  auto* initial = new QPushButton(QStringLiteral("求初始装置角和钻达井深"), frame);
  initial->setObjectName(QStringLiteral("求初始装置角"));
  connect(torque, &QPushButton::clicked, this, [this] { onReactiveTorqueClicked(); });
  connect(predict, &QPushButton::clicked, this, [this] { onPredictTurnClicked(); });
  connect(initial, &QPushButton::clicked, this, [this] { onInitialToolfaceClicked(); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(initial);
  buttons->addWidget(torque);
  buttons->addWidget(predict);
  buttons->addStretch(1);

  auto* layout = new QHBoxLayout(frame);
  layout->addWidget(before);
  layout->addWidget(after);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addStretch(1);
}

void ToolsView::writeToolStatus() {
  host_.setStatusText(kToolsStatusText + host_.session().well.wellNo);
}

void ToolsView::focusBox(QLineEdit* box) { box->setFocus(Qt::OtherFocusReason); }

bool ToolsView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = isEnterKey(key);
  if (watched == turnAfterMdEdit_ || watched == turnAfterInclinationEdit_) {
    if (!enter) return false;
    focusBox(watched == turnAfterMdEdit_ ? turnAfterInclinationEdit_ : turnAfterAzimuthEdit_);
    return true;
  }
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  const QVariant group = box->property(kGroupProperty);
  if (!group.isValid()) return false;
  return filterKey(box, static_cast<Group>(group.toInt()), box->property(kIndexProperty).toInt(),
                   key);
}

bool ToolsView::filterKey(QLineEdit* box, Group group, int index, QKeyEvent* key) {
  const bool enter = isEnterKey(key);
  // Only keys that type a character take part, as they would in a plain text box; focus keys
  // and cursor keys keep their usual meaning.
  if (!enter && isEditingKey(key)) return false;

  writeToolStatus();
  if (enter) {
    if (group == kOriginalDensityGroup) {
      focusBox(weightingEdits_[0]);
      return true;
    }
    if (box->text().isEmpty()) return true;
    const std::vector<QLineEdit*>& boxes = groups_[group];
    const std::size_t next = static_cast<std::size_t>(index) + 1;
    if (next < boxes.size())
      focusBox(boxes[next]);
    else if (group == kShutInGroup)
      focusBox(originalDensityEdit_);
    else
      focusBox(boxes[0]);
    return true;
  }

  if (isNumberCode(typedCode(key))) return false;
  host_.setStatusText(kBadKeyText);
  return true;
}

bool ToolsView::refused(ToolCalculator calculator, std::initializer_list<double> values) {
  const std::vector<double> v(values);
  const std::string message = checkToolInputs(calculator, v);
  if (message.empty()) return false;
  host_.setStatusText(message);
  return true;
}

void ToolsView::recomputeHydraulics() {
  HydraulicsInput in{};
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = numberIn(hydraulicsEdits_[i]);
  const std::string message = checkToolInputs(ToolCalculator::Hydraulics, in);
  if (!message.empty()) host_.setStatusText(message);
  const auto result = message.empty() ? computeHydraulics(in) : std::nullopt;
  hydraulicsLines_ = result ? hydraulicsLines(*result) : std::vector<std::string>{};
  hydraulicsPicture_->update();
}

void ToolsView::showCasingGrade() {
  const int shown = casingGrade_ >= 0 ? casingGrade_ : 0;
  casingGradeCombo_->setCurrentIndex(casingGrade_);
  casingGradeCombo_->setEditText(qs(kCasingCatalogue[static_cast<std::size_t>(shown)].text));
}

void ToolsView::onGradeEdited() {
  QLineEdit* edit = casingGradeCombo_->lineEdit();
  finishingGradeEdit_ = true;
  QTimer::singleShot(0, this, [this] {
    finishingGradeEdit_ = false;
    showCasingGrade();
  });
  // Leaving the box without typing chooses nothing.
  if (!edit->isModified()) {
    showCasingGrade();
    return;
  }
  const int typed = casingGradeCombo_->findText(edit->text(), Qt::MatchExactly);
  if (typed < 0) {
    // Not a catalogue entry: the grade in force comes back into view, and the user is told.
    showCasingGrade();
    host_.setStatusText(kBadCasingGrade);
    return;
  }
  casingGrade_ = typed;
  showCasingGrade();
  recomputeCasing();
}

void ToolsView::recomputeCasing() {
  const double density = numberIn(casingEdits_[0]);
  const double length = numberIn(casingEdits_[1]);
  const double plug = numberIn(casingEdits_[2]);
  const CasingCheck check = computeCasingCheck(casingGrade_, density, length, plug);
  if (check.outcome == CasingOutcome::NoGrade) return;
  const bool bad = refused(ToolCalculator::Casing, {density, length, plug});
  casingLines_ = !bad && check.outcome == CasingOutcome::Shown ? casingLines(check.result)
                                                               : std::vector<std::string>{};
  casingPicture_->update();
}

void ToolsView::onKillInputChanged() {
  marginAdded_ = false;
  originalDensity_ = numberIn(originalDensityEdit_);
  if (refused(ToolCalculator::KillDensity,
              {numberIn(shutInEdits_[0]), numberIn(shutInEdits_[1]), originalDensity_}))
    return;
  const auto planned =
      computeKillDensity(numberIn(shutInEdits_[0]), numberIn(shutInEdits_[1]), originalDensity_);
  if (!planned) return;
  plannedDensity_ = *planned;
  // The weighting always follows on the rounded figure the user sees, even when the box already
  // showed it (a box raises no change for an identical text).
  const QString shown = qs(formatFixed(*planned, 2));
  if (weightingEdits_[0]->text() == shown)
    onWeightingInputChanged();
  else
    weightingEdits_[0]->setText(shown);
}

void ToolsView::onWeightingInputChanged() {
  marginAdded_ = false;
  originalDensity_ = numberIn(originalDensityEdit_);
  plannedDensity_ = numberIn(weightingEdits_[0]);
  if (refused(ToolCalculator::Weighting,
              {originalDensity_, plannedDensity_, numberIn(weightingEdits_[1]),
               numberIn(weightingEdits_[2])})) {
    weightingResult_->clear();
    return;
  }
  const auto weight =
      computeWeightingMaterial(originalDensity_, plannedDensity_, numberIn(weightingEdits_[1]),
                               numberIn(weightingEdits_[2]));
  weightingResult_->setText(weight ? qs(formatFixed(*weight, 2)) : QString());
}

void ToolsView::onMarginClicked() {
  const auto planned = addPressureMargin(numberIn(shutInEdits_[0]), plannedDensity_, marginAdded_);
  if (!planned) return;
  weightingEdits_[0]->setText(qs(formatPlain(*planned)));
  // Set after the write: the box's own change clears the flag on the way.
  marginAdded_ = true;
}

void ToolsView::recomputeStuckPoint() {
  if (refused(ToolCalculator::StuckPoint,
              {numberIn(stuckPointEdits_[0]), numberIn(stuckPointEdits_[1]),
               numberIn(stuckPointEdits_[2]), numberIn(stuckPointEdits_[3])})) {
    // A depth worked from impossible input would be read as this string's stuck point.
    stuckDepthResult_->clear();
    oilVolumeResult_->clear();
    return;
  }
  const StuckPointResult r = computeStuckPoint(
      drillPipeCombo_->currentText().toStdString(), numberIn(stuckPointEdits_[0]),
      numberIn(stuckPointEdits_[1]), numberIn(stuckPointEdits_[2]), numberIn(stuckPointEdits_[3]));
  if (r.depth) stuckDepthResult_->setText(qs(formatFixed(*r.depth, 2)));
  if (r.oilVolume) oilVolumeResult_->setText(qs(formatFixed(*r.oilVolume, 2)));
}

namespace {

TurnInput readTurn(const std::array<QLineEdit*, 3>& before, const QLineEdit* mdAfter,
                   const QLineEdit* inclinationAfter, const QLineEdit* azimuthAfter,
                   const QLineEdit* orientedAzimuth, const QLineEdit* toolface,
                   const QLineEdit* buildRate) {
  TurnInput in;
  in.md1 = numberIn(before[0]);
  in.inclination1 = numberIn(before[1]);
  in.azimuth1 = numberIn(before[2]);
  in.md2 = numberIn(mdAfter);
  in.inclination2 = numberIn(inclinationAfter);
  in.azimuth2 = numberIn(azimuthAfter);
  in.orientedAzimuth = numberIn(orientedAzimuth);
  in.toolface = numberIn(toolface);
  in.buildRate = numberIn(buildRate);
  return in;
}

QString fixedOrEmpty(const std::optional<double>& v, int decimals) {
  return v ? qs(formatFixed(*v, decimals)) : QString();
}

}  // namespace

bool ToolsView::turnRefused(const TurnInput& in) {
  return refused(ToolCalculator::Turn,
                 {in.md1, in.inclination1, in.azimuth1, in.md2, in.inclination2, in.azimuth2,
                  in.orientedAzimuth, in.toolface, in.buildRate});
}

void ToolsView::onReactiveTorqueClicked() {
  const TurnInput in =
      readTurn(turnBeforeEdits_, turnAfterMdEdit_, turnAfterInclinationEdit_, turnAfterAzimuthEdit_,
               orientAzimuthEdit_, initialToolfaceEdit_, turnBuildRateEdit_);
  if (turnRefused(in)) return;
  reactiveTorqueResult_->setText(fixedOrEmpty(findReactiveTorque(in), 2));
}

void ToolsView::onPredictTurnClicked() {
  const TurnInput in =
      readTurn(turnBeforeEdits_, turnAfterMdEdit_, turnAfterInclinationEdit_, turnAfterAzimuthEdit_,
               orientAzimuthEdit_, initialToolfaceEdit_, turnBuildRateEdit_);
  if (turnRefused(in)) return;
  const auto p = predictTurn(in);
  turnAfterInclinationEdit_->setText(p ? qs(formatFixed(p->inclination, 3)) : QString());
  turnAfterAzimuthEdit_->setText(p ? qs(formatFixed(p->azimuth, 3)) : QString());
}

void ToolsView::onInitialToolfaceClicked() {
  const TurnInput in =
      readTurn(turnBeforeEdits_, turnAfterMdEdit_, turnAfterInclinationEdit_, turnAfterAzimuthEdit_,
               orientAzimuthEdit_, initialToolfaceEdit_, turnBuildRateEdit_);
  if (turnRefused(in)) return;
  const InitialToolface r = findInitialToolface(in);
  if (r.badBuildRate)
    host_.setStatusText(kBadBuildRate);
  else
    turnAfterMdEdit_->setText(fixedOrEmpty(r.drillToDepth, 2));
  initialToolfaceEdit_->setText(fixedOrEmpty(r.toolface, 2));
  orientAzimuthEdit_->setText(fixedOrEmpty(r.orientedAzimuth, 2));
}

}  // namespace tarsek
