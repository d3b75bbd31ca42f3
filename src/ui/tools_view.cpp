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

namespace tarsek {
namespace {

constexpr const char* kStatusPrefix = "工具计算";
constexpr const char* kBadKey = "按键有误！请重新输入";
constexpr const char* kBadBuildRate = "请重新输入造斜率";
constexpr const char* kGroupProperty = "toolGroup";
constexpr const char* kIndexProperty = "toolIndex";
constexpr int kBoxWidth = 76;

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s); }

double valueOf(const QLineEdit* box) { return readNumber(box->text().toStdString()); }

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

  auto* frame1 = new QGroupBox(QStringLiteral("钻头水力参数"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  auto* frame3 = new QGroupBox(QStringLiteral("套管强度校核、替量"), this);
  frame3->setObjectName(QStringLiteral("Frame3"));
  auto* frame6 = new QGroupBox(QStringLiteral("关井基本数据、加重料重量"), this);
  frame6->setObjectName(QStringLiteral("Frame6"));
  auto* frame4 = new QGroupBox(QStringLiteral("卡点深度、泡油量"), this);
  frame4->setObjectName(QStringLiteral("Frame4"));
  auto* frame9 = new QGroupBox(QStringLiteral("扭方位"), this);
  frame9->setObjectName(QStringLiteral("Frame9"));

  buildHydraulics(frame1);
  buildCasing(frame3);
  buildKill(frame6);
  buildStuckPoint(frame4);
  buildTurn(frame9);

  auto* right = new QVBoxLayout;
  right->addWidget(frame3);
  right->addWidget(frame6);
  right->addWidget(frame4);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(frame1);
  top->addLayout(right);
  top->addStretch(1);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top);
  outer->addWidget(frame9);
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
  T8_->installEventFilter(this);
  T9_->installEventFilter(this);
}

void ToolsView::buildHydraulics(QWidget* frame) {
  static const char* const kCaptions[12][2] = {
      {"井深", "m"},      {"泵冲", "/min"},   {"缸套", "mm"},     {"容积效率", "%"},
      {"比重", "g/cm^3"}, {"1#喷嘴", "mm"},   {"2#喷嘴", "mm"},   {"3#喷嘴", "mm"},
      {"钻头直径", "mm"}, {"钻挺外径", "mm"}, {"钻挺内径", "mm"}, {"钻挺长度", "m"},
  };
  auto* grid = new QGridLayout;
  for (int i = 0; i < 12; ++i) {
    水力参数_[i] = makeBox(QStringLiteral("水力参数(%1)").arg(i), frame);
    addRow(grid, i, 0, kCaptions[i][0], 水力参数_[i], kCaptions[i][1]);
    groups_[k水力参数].push_back(水力参数_[i]);
  }
  水力参数_[3]->setText(QStringLiteral("80"));
  for (QLineEdit* box : 水力参数_)
    connect(box, &QLineEdit::textChanged, this, [this] { recomputeHydraulics(); });

  P1_ = makePicture(QStringLiteral("P1"), hydraulicsLines_, frame);
  P1_->setMinimumSize(230, 300);
  auto* layout = new QHBoxLayout(frame);
  layout->addLayout(grid);
  layout->addWidget(P1_, 1);
}

void ToolsView::buildCasing(QWidget* frame) {
  Combo1_ = makeCombo(QStringLiteral("Combo1"), frame);
  for (const CasingGrade& g : kCasingCatalogue) Combo1_->addItem(qs(g.text));
  // The list starts with no grade chosen, yet shows the first one as a hint.
  Combo1_->setCurrentIndex(-1);
  Combo1_->setEditText(qs(kCasingCatalogue[0].text));
  // The grade is what the user chose from the list or typed in full; completing a typed text to
  // an entry would choose a grade nobody asked for.
  // The box's own handling of a finished edit picks the entry its text matches, the hint
  // included, so leaving the box untouched would choose the first grade. The grade is decided
  // here instead, before that handling runs (connected first), and what it activates on the
  // way is ignored.
  auto* gradeEdit = new QLineEdit(Combo1_);
  connect(gradeEdit, &QLineEdit::editingFinished, this, [this] { onGradeEdited(); });
  Combo1_->setLineEdit(gradeEdit);
  Combo1_->setInsertPolicy(QComboBox::NoInsert);
  Combo1_->setCompleter(nullptr);
  Combo1_->setCurrentIndex(-1);
  Combo1_->setEditText(qs(kCasingCatalogue[0].text));
  connect(Combo1_, &QComboBox::activated, this, [this](int index) {
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
  grid->addWidget(Combo1_, 0, 1, 1, 2);
  for (int i = 0; i < 3; ++i) {
    套管_[i] = makeBox(QStringLiteral("套管(%1)").arg(i), frame);
    addRow(grid, i + 1, 0, kCaptions[i][0], 套管_[i], kCaptions[i][1]);
    groups_[k套管].push_back(套管_[i]);
    connect(套管_[i], &QLineEdit::textChanged, this, [this] { recomputeCasing(); });
  }
  Picture1_ = makePicture(QStringLiteral("Picture1"), casingLines_, frame);
  Picture1_->setMinimumSize(170, 100);
  auto* layout = new QHBoxLayout(frame);
  layout->addLayout(grid);
  layout->addWidget(Picture1_, 1);
}

void ToolsView::buildKill(QWidget* frame) {
  auto* grid = new QGridLayout;
  static const char* const kShutIn[2][2] = {{"井深", "m"}, {"关井立压", "MPa"}};
  for (int i = 0; i < 2; ++i) {
    关井基本数据_[i] = makeBox(QStringLiteral("关井基本数据(%1)").arg(i), frame);
    addRow(grid, i, 0, kShutIn[i][0], 关井基本数据_[i], kShutIn[i][1]);
    groups_[k关井基本数据].push_back(关井基本数据_[i]);
    connect(关井基本数据_[i], &QLineEdit::textChanged, this, [this] { onKillInputChanged(); });
  }
  原浆de比重_ = makeBox(QStringLiteral("原浆de比重"), frame);
  addRow(grid, 2, 0, "原浆比重", 原浆de比重_, "g/cm^3");
  groups_[k原浆de比重].push_back(原浆de比重_);
  connect(原浆de比重_, &QLineEdit::textChanged, this, [this] { onKillInputChanged(); });

  static const char* const kWeighting[3][2] = {
      {"预配比重", "g/cm^3"}, {"原浆体积", "m^3"}, {"加重料比重", "g/cm^3"}};
  for (int i = 0; i < 3; ++i) {
    加重剂用量_[i] = makeBox(QStringLiteral("加重剂用量(%1)").arg(i), frame);
    addRow(grid, i, 3, kWeighting[i][0], 加重剂用量_[i], kWeighting[i][1]);
    groups_[k加重剂用量].push_back(加重剂用量_[i]);
    connect(加重剂用量_[i], &QLineEdit::textChanged, this, [this] { onWeightingInputChanged(); });
  }
  加重剂重量_ = makeBox(QStringLiteral("加重剂重量"), frame);
  加重剂重量_->setReadOnly(true);
  addRow(grid, 3, 3, "加重料重量", 加重剂重量_, "T");

  auto* margin = new QPushButton(QStringLiteral("考虑附加压力"), frame);
  margin->setObjectName(QStringLiteral("考虑附加压力"));
  connect(margin, &QPushButton::clicked, this, [this] { onMarginClicked(); });
  grid->addWidget(margin, 3, 0, 1, 3);
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(grid);
}

void ToolsView::buildStuckPoint(QWidget* frame) {
  Combo2_ = makeCombo(QStringLiteral("Combo2"), frame);
  for (const DrillPipe& p : kDrillPipes) Combo2_->addItem(qs(p.text));
  Combo2_->setCurrentIndex(Combo2_->findText(QStringLiteral("φ127mm×9.19mm")));
  Combo2_->setEditText(QStringLiteral("φ127mm×9.19mm"));
  connect(Combo2_, &QComboBox::activated, this, [this] { recomputeStuckPoint(); });

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("钻杆规格")), 0, 0, Qt::AlignRight);
  grid->addWidget(Combo2_, 0, 1, 1, 5);
  static const char* const kCaptions[4][2] = {
      {"平均伸长", "cm"}, {"平均拉力", "T"}, {"井径", "mm"}, {"井深", "m"}};
  for (int i = 0; i < 4; ++i) {
    卡点深_[i] = makeBox(QStringLiteral("卡点深(%1)").arg(i), frame);
    groups_[k卡点深].push_back(卡点深_[i]);
    connect(卡点深_[i], &QLineEdit::textChanged, this, [this] { recomputeStuckPoint(); });
  }
  addRow(grid, 1, 0, kCaptions[0][0], 卡点深_[0], kCaptions[0][1]);
  addRow(grid, 2, 0, kCaptions[1][0], 卡点深_[1], kCaptions[1][1]);
  卡点_ = makeBox(QStringLiteral("卡点"), frame);
  卡点_->setReadOnly(true);
  addRow(grid, 3, 0, "卡点深度", 卡点_, "m");
  addRow(grid, 1, 3, kCaptions[2][0], 卡点深_[2], kCaptions[2][1]);
  addRow(grid, 2, 3, kCaptions[3][0], 卡点深_[3], kCaptions[3][1]);
  泡油_ = new QLabel(frame);
  泡油_->setObjectName(QStringLiteral("泡油"));
  泡油_->setFrameShape(QFrame::Panel);
  泡油_->setFrameShadow(QFrame::Sunken);
  泡油_->setFixedWidth(kBoxWidth);
  addRow(grid, 3, 3, "泡油量", 泡油_, "m^3");
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(grid);
}

void ToolsView::buildTurn(QWidget* frame) {
  static const char* const kSurvey[3][2] = {{"测深", "m"}, {"井斜", "°"}, {"方位", "°"}};
  auto* before = new QGroupBox(QStringLiteral("扭方位前"), frame);
  before->setObjectName(QStringLiteral("F扭方位前"));
  auto* beforeGrid = new QGridLayout(before);
  for (int i = 0; i < 3; ++i) {
    测深_[i] = makeBox(QStringLiteral("测深(%1)").arg(i), before);
    addRow(beforeGrid, i, 0, kSurvey[i][0], 测深_[i], kSurvey[i][1]);
    groups_[k测深].push_back(测深_[i]);
  }
  auto* after = new QGroupBox(QStringLiteral("扭方位后"), frame);
  after->setObjectName(QStringLiteral("F扭方位后"));
  auto* afterGrid = new QGridLayout(after);
  T8_ = makeBox(QStringLiteral("T8"), after);
  T9_ = makeBox(QStringLiteral("T9"), after);
  T10_ = makeBox(QStringLiteral("T10"), after);
  QLineEdit* afterBoxes[3] = {T8_, T9_, T10_};
  for (int i = 0; i < 3; ++i) addRow(afterGrid, i, 0, kSurvey[i][0], afterBoxes[i], kSurvey[i][1]);

  auto* grid = new QGridLayout;
  T4_ = makeBox(QStringLiteral("T4"), frame);
  T5_ = makeBox(QStringLiteral("T5"), frame);
  T6_ = makeBox(QStringLiteral("T6"), frame);
  T7_ = makeBox(QStringLiteral("T7"), frame);
  T7_->setReadOnly(true);
  addRow(grid, 0, 0, "定向方位角", T4_, "°");
  addRow(grid, 1, 0, "初始装置角", T5_, "°");
  addRow(grid, 2, 0, "造斜率(。/100m)", T6_, "°/100m");
  addRow(grid, 3, 0, "实际反扭角", T7_, "°");
  connect(T6_, &QLineEdit::textChanged, this, [this] { writeToolStatus(); });

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
  host_.setStatusText(kStatusPrefix + host_.session().well.wellNo);
}

void ToolsView::focusBox(QLineEdit* box) { box->setFocus(Qt::OtherFocusReason); }

bool ToolsView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == T8_ || watched == T9_) {
    if (!enter) return false;
    focusBox(watched == T8_ ? T9_ : T10_);
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
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  // Only keys that type a character take part, as they would in a plain text box; focus keys
  // and cursor keys keep their usual meaning.
  if (!enter && (key->text().isEmpty() || key->key() == Qt::Key_Tab ||
                 key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete))
    return false;

  writeToolStatus();
  if (enter) {
    if (group == k原浆de比重) {
      focusBox(加重剂用量_[0]);
      return true;
    }
    if (box->text().isEmpty()) return true;
    const std::vector<QLineEdit*>& boxes = groups_[group];
    const std::size_t next = static_cast<std::size_t>(index) + 1;
    if (next < boxes.size())
      focusBox(boxes[next]);
    else if (group == k关井基本数据)
      focusBox(原浆de比重_);
    else
      focusBox(boxes[0]);
    return true;
  }

  const int code = key->text().at(0).unicode();
  const bool accepted = code == 8 || code == '+' || code == '-' || code == '.' ||
                        (code >= '0' && code <= '9') || code > 127;
  if (accepted) return false;
  host_.setStatusText(kBadKey);
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
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = valueOf(水力参数_[i]);
  const std::string message = checkToolInputs(ToolCalculator::Hydraulics, in);
  if (!message.empty()) host_.setStatusText(message);
  const auto result = message.empty() ? computeHydraulics(in) : std::nullopt;
  hydraulicsLines_ = result ? hydraulicsLines(*result) : std::vector<std::string>{};
  P1_->update();
}

void ToolsView::showCasingGrade() {
  const int shown = casingGrade_ >= 0 ? casingGrade_ : 0;
  Combo1_->setCurrentIndex(casingGrade_);
  Combo1_->setEditText(qs(kCasingCatalogue[static_cast<std::size_t>(shown)].text));
}

void ToolsView::onGradeEdited() {
  QLineEdit* edit = Combo1_->lineEdit();
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
  const int typed = Combo1_->findText(edit->text(), Qt::MatchExactly);
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
  const double density = valueOf(套管_[0]);
  const double length = valueOf(套管_[1]);
  const double plug = valueOf(套管_[2]);
  const CasingCheck check = computeCasingCheck(casingGrade_, density, length, plug);
  if (check.outcome == CasingOutcome::NoGrade) return;
  const bool bad = refused(ToolCalculator::Casing, {density, length, plug});
  casingLines_ = !bad && check.outcome == CasingOutcome::Shown ? casingLines(check.result)
                                                              : std::vector<std::string>{};
  Picture1_->update();
}

void ToolsView::onKillInputChanged() {
  marginAdded_ = false;
  originalDensity_ = valueOf(原浆de比重_);
  if (refused(ToolCalculator::KillDensity,
              {valueOf(关井基本数据_[0]), valueOf(关井基本数据_[1]), originalDensity_}))
    return;
  const auto planned =
      computeKillDensity(valueOf(关井基本数据_[0]), valueOf(关井基本数据_[1]), originalDensity_);
  if (!planned) return;
  plannedDensity_ = *planned;
  // The weighting always follows on the rounded figure the user sees, even when the box already
  // showed it (a box raises no change for an identical text).
  const QString shown = qs(formatFixed(*planned, 2));
  if (加重剂用量_[0]->text() == shown)
    onWeightingInputChanged();
  else
    加重剂用量_[0]->setText(shown);
}

void ToolsView::onWeightingInputChanged() {
  marginAdded_ = false;
  originalDensity_ = valueOf(原浆de比重_);
  plannedDensity_ = valueOf(加重剂用量_[0]);
  if (refused(ToolCalculator::Weighting, {originalDensity_, plannedDensity_,
                                          valueOf(加重剂用量_[1]), valueOf(加重剂用量_[2])})) {
    加重剂重量_->clear();
    return;
  }
  const auto weight = computeWeightingMaterial(originalDensity_, plannedDensity_,
                                               valueOf(加重剂用量_[1]), valueOf(加重剂用量_[2]));
  加重剂重量_->setText(weight ? qs(formatFixed(*weight, 2)) : QString());
}

void ToolsView::onMarginClicked() {
  const auto planned = addPressureMargin(valueOf(关井基本数据_[0]), plannedDensity_, marginAdded_);
  if (!planned) return;
  加重剂用量_[0]->setText(qs(formatPlain(*planned)));
  // Set after the write: the box's own change clears the flag on the way.
  marginAdded_ = true;
}

void ToolsView::recomputeStuckPoint() {
  if (refused(ToolCalculator::StuckPoint, {valueOf(卡点深_[0]), valueOf(卡点深_[1]),
                                           valueOf(卡点深_[2]), valueOf(卡点深_[3])})) {
    // A depth worked from impossible input would be read as this string's stuck point.
    卡点_->clear();
    泡油_->clear();
    return;
  }
  const StuckPointResult r =
      computeStuckPoint(Combo2_->currentText().toStdString(), valueOf(卡点深_[0]),
                        valueOf(卡点深_[1]), valueOf(卡点深_[2]), valueOf(卡点深_[3]));
  if (r.depth) 卡点_->setText(qs(formatFixed(*r.depth, 2)));
  if (r.oilVolume) 泡油_->setText(qs(formatFixed(*r.oilVolume, 2)));
}

namespace {

TurnInput readTurn(const std::array<QLineEdit*, 3>& before, const QLineEdit* t8,
                   const QLineEdit* t9, const QLineEdit* t10, const QLineEdit* t4,
                   const QLineEdit* t5, const QLineEdit* t6) {
  TurnInput in;
  in.md1 = valueOf(before[0]);
  in.inclination1 = valueOf(before[1]);
  in.azimuth1 = valueOf(before[2]);
  in.md2 = valueOf(t8);
  in.inclination2 = valueOf(t9);
  in.azimuth2 = valueOf(t10);
  in.orientedAzimuth = valueOf(t4);
  in.toolface = valueOf(t5);
  in.buildRate = valueOf(t6);
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
  const TurnInput in = readTurn(测深_, T8_, T9_, T10_, T4_, T5_, T6_);
  if (turnRefused(in)) return;
  T7_->setText(fixedOrEmpty(findReactiveTorque(in), 2));
}

void ToolsView::onPredictTurnClicked() {
  const TurnInput in = readTurn(测深_, T8_, T9_, T10_, T4_, T5_, T6_);
  if (turnRefused(in)) return;
  const auto p = predictTurn(in);
  T9_->setText(p ? qs(formatFixed(p->inclination, 3)) : QString());
  T10_->setText(p ? qs(formatFixed(p->azimuth, 3)) : QString());
}

void ToolsView::onInitialToolfaceClicked() {
  const TurnInput in = readTurn(测深_, T8_, T9_, T10_, T4_, T5_, T6_);
  if (turnRefused(in)) return;
  const InitialToolface r = findInitialToolface(in);
  if (r.badBuildRate)
    host_.setStatusText(kBadBuildRate);
  else
    T8_->setText(fixedOrEmpty(r.drillToDepth, 2));
  T5_->setText(fixedOrEmpty(r.toolface, 2));
  T4_->setText(fixedOrEmpty(r.orientedAzimuth, 2));
}

}  // namespace tarsek
