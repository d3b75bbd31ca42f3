#include "ui/design_view.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "common/numtext.h"
#include "design/design_tables.h"
#include "model/well_file_format.h"
#include "model/well_files.h"
#include "session/session_runs.h"
#include "session/well_io.h"
#include "ui/painter_surface.h"
#include "ui/target_dialog.h"
#include "ui/ui_support.h"

namespace tarsek {

namespace {

std::string ss(const QString& s) { return s.toStdString(); }
QString fixed2(double v) { return qs(formatFixed(v, 2)); }
QString plain(double v) { return qs(formatPlain(v)); }

QLineEdit* makeBox(const QString& name, QWidget* parent, int width = 80) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(width);
  return box;
}

QLabel* makeLabel(const QString& caption, QWidget* parent, const QString& name = {}) {
  auto* label = new QLabel(caption, parent);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

// The window's host while the save question is asked over typed values that wait for "确定":
// a Yes first makes them into a design, and when that fails the answer counts as Cancel, so that
// neither the old record nor the rejected values are written and the well stays open.
class ConfirmingHost : public Host {
 public:
  ConfirmingHost(Host& real, std::function<bool()> confirm)
      : real_(real), confirm_(std::move(confirm)) {}
  void setStatusText(const std::string& text) override { real_.setStatusText(text); }
  void setBusy(bool busy) override { real_.setBusy(busy); }
  Answer askYesNo(const std::string& text) override { return real_.askYesNo(text); }
  Answer askYesNoCancel(const std::string& text) override {
    const Answer a = real_.askYesNoCancel(text);
    if (a == Answer::Yes && !confirm_()) return Answer::Cancel;
    return a;
  }

 private:
  Host& real_;
  std::function<bool()> confirm_;
};

// A captioned box: the caption in one cell of the grid, the box in the cell to its right.
void addCaptioned(QGridLayout* grid, const QString& caption, QWidget* box, int row, int column) {
  grid->addWidget(makeLabel(caption, grid->parentWidget()), row, column);
  grid->addWidget(box, row, column + 1);
}

}  // namespace

DesignView::DesignView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P设计数据"));
  setWindowTitle(QStringLiteral("设计数据"));
  buildControls();
  placeControls();
  const ChangeSet shown{Change::WellOpened, Change::Design, Change::Method};
  changes_ = host_.session().changes.subscribe(shown, [this](Change change) {
    // The values typed for the well that was left go with it.
    if (change == Change::WellOpened) dropUnconfirmedEdits();
    showBasicData();
  });
}

void DesignView::buildControls() {
  panel_ = new QWidget(this);
  panel_->setObjectName(QStringLiteral("panel"));

  wellNumberCaption_ = makeLabel(QStringLiteral("井号"), panel_, QStringLiteral("Label41"));
  wellNumberEdit_ = makeBox(QStringLiteral("Text6"), panel_, 120);
  singleTargetOption_ = new QRadioButton(QStringLiteral("单靶井"), panel_);
  singleTargetOption_->setObjectName(QStringLiteral("Option1"));
  twoTargetOption_ = new QRadioButton(QStringLiteral("双靶井"), panel_);
  twoTargetOption_->setObjectName(QStringLiteral("Option2"));
  singleTargetOption_->setChecked(true);

  // Grid coordinates run to eight digits before the point; their boxes are wider.
  for (int k = 0; k < 11; ++k) {
    const bool coordinate = k <= 3 || k >= 9;
    basicDataEdits_[k] = makeBox(QStringLiteral("Text2(%1)").arg(k), panel_, coordinate ? 108 : 80);
  }
  for (int k = 0; k < 7; ++k)
    profileEdits_[k] = makeBox(QStringLiteral("Text200(%1)").arg(k), panel_);
  designAzimuthEdit_ = makeBox(QStringLiteral("Text1"), panel_);
  displacement1Edit_ = makeBox(QStringLiteral("Text5"), panel_);
  displacement2Edit_ = makeBox(QStringLiteral("Text3"), panel_);
  basicDataEdits_[6]->setText(QStringLiteral("-3.067"));
  profileEdits_[0]->setText(QStringLiteral("15"));
  profileEdits_[1]->setText(QStringLiteral("10"));
  profileEdits_[3]->setText(QStringLiteral("3"));
  profileEdits_[6]->setText(QStringLiteral("3"));
  profileEdits_[4]->setText(QStringLiteral("30"));

  wellheadXDisplay_ = makeLabel({}, panel_, QStringLiteral("L3"));
  wellheadYDisplay_ = makeLabel({}, panel_, QStringLiteral("L4"));
  for (QLabel* l : {wellheadXDisplay_, wellheadYDisplay_}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setFixedWidth(108);
    l->setMinimumHeight(designAzimuthEdit_->sizeHint().height());
  }

  // 基本数据: the pad wellhead, the targets and this well's wellhead, then the rig and depths.
  basicDataGroup_ = new QGroupBox(QStringLiteral("基本数据"), panel_);
  basicDataGroup_->setObjectName(QStringLiteral("Frame8"));
  padWellheadGroup_ = new QGroupBox(QStringLiteral("井组第一口井井口座标"), basicDataGroup_);
  padWellheadGroup_->setObjectName(QStringLiteral("Frame6"));
  targetGroup_ = new QGroupBox(QStringLiteral("靶点地理座标"), basicDataGroup_);
  targetGroup_->setObjectName(QStringLiteral("Frame5"));
  wellheadGroup_ = new QGroupBox(QStringLiteral("本井井口实际座标"), basicDataGroup_);
  wellheadGroup_->setObjectName(QStringLiteral("Frame4"));
  profileGroup_ = new QGroupBox(QStringLiteral("剖面设计参数"), panel_);
  profileGroup_->setObjectName(QStringLiteral("Frame7"));

  auto* padWellheadGrid = new QGridLayout(padWellheadGroup_);
  addCaptioned(padWellheadGrid, QStringLiteral("纵(X)"), basicDataEdits_[0], 0, 0);
  addCaptioned(padWellheadGrid, QStringLiteral("横(Y)"), basicDataEdits_[1], 1, 0);

  target2XCaption_ = makeLabel(QStringLiteral("纵(X2)"), targetGroup_, QStringLiteral("Label2"));
  target2YCaption_ = makeLabel(QStringLiteral("横(Y2)"), targetGroup_, QStringLiteral("Label3"));
  auto* targetGrid = new QGridLayout(targetGroup_);
  addCaptioned(targetGrid, QStringLiteral("纵(X1)"), basicDataEdits_[2], 0, 0);
  addCaptioned(targetGrid, QStringLiteral("横(Y1)"), basicDataEdits_[3], 1, 0);
  targetGrid->addWidget(target2XCaption_, 0, 2);
  targetGrid->addWidget(basicDataEdits_[9], 0, 3);
  targetGrid->addWidget(target2YCaption_, 1, 2);
  targetGrid->addWidget(basicDataEdits_[10], 1, 3);

  auto* wellheadGrid = new QGridLayout(wellheadGroup_);
  addCaptioned(wellheadGrid, QStringLiteral("纵(X)"), wellheadXDisplay_, 0, 0);
  addCaptioned(wellheadGrid, QStringLiteral("横(Y)"), wellheadYDisplay_, 1, 0);

  target2TvdCaption_ =
      makeLabel(QStringLiteral("中靶2垂深"), basicDataGroup_, QStringLiteral("Label1"));
  displacement2Caption_ =
      makeLabel(QStringLiteral("设计位移2"), basicDataGroup_, QStringLiteral("Label5"));
  for (QLineEdit* b :
       {basicDataEdits_[4], basicDataEdits_[5], basicDataEdits_[6], basicDataEdits_[7],
        basicDataEdits_[8], designAzimuthEdit_, displacement1Edit_, displacement2Edit_})
    b->setParent(basicDataGroup_);
  auto* basicDataGrid = new QGridLayout(basicDataGroup_);
  basicDataGrid->addWidget(padWellheadGroup_, 0, 0, 1, 2);
  basicDataGrid->addWidget(targetGroup_, 0, 2, 1, 4);
  basicDataGrid->addWidget(wellheadGroup_, 0, 6, 1, 2);
  addCaptioned(basicDataGrid, QStringLiteral("大门方向"), basicDataEdits_[4], 1, 0);
  addCaptioned(basicDataGrid, QStringLiteral("井架拖动距离"), basicDataEdits_[5], 1, 2);
  addCaptioned(basicDataGrid, QStringLiteral("磁偏角(东正西负)"), basicDataEdits_[6], 1, 4);
  addCaptioned(basicDataGrid, QStringLiteral("中靶1垂深"), basicDataEdits_[7], 2, 0);
  basicDataGrid->addWidget(target2TvdCaption_, 2, 2);
  basicDataGrid->addWidget(basicDataEdits_[8], 2, 3);
  addCaptioned(basicDataGrid, QStringLiteral("设计方位"), designAzimuthEdit_, 3, 0);
  addCaptioned(basicDataGrid, QStringLiteral("设计位移1"), displacement1Edit_, 3, 2);
  basicDataGrid->addWidget(displacement2Caption_, 3, 4);
  basicDataGrid->addWidget(displacement2Edit_, 3, 5);

  dropRateCaption_ =
      makeLabel(QStringLiteral("降斜率(。/100m)"), profileGroup_, QStringLiteral("Label4"));
  for (QLineEdit* b : profileEdits_) b->setParent(profileGroup_);
  auto* profileGrid = new QGridLayout(profileGroup_);
  addCaptioned(profileGrid, QStringLiteral("造斜率(。/100m)"), profileEdits_[0], 0, 0);
  addCaptioned(profileGrid, QStringLiteral("造到井斜"), profileEdits_[1], 0, 2);
  addCaptioned(profileGrid, QStringLiteral("造斜点"), profileEdits_[2], 0, 4);
  addCaptioned(profileGrid, QStringLiteral("增斜率(。/100m)"), profileEdits_[3], 1, 0);
  profileGrid->addWidget(dropRateCaption_, 1, 2);
  profileGrid->addWidget(profileEdits_[6], 1, 3);
  addCaptioned(profileGrid, QStringLiteral("允许半径"), profileEdits_[4], 1, 4);
  addCaptioned(profileGrid, QStringLiteral("完井垂深"), profileEdits_[5], 2, 0);

  confirmButton_ = new QPushButton(QStringLiteral("确定"), panel_);
  confirmButton_->setObjectName(QStringLiteral("Command10"));
  saveButton_ = new QPushButton(QStringLiteral("保存"), panel_);
  saveButton_->setObjectName(QStringLiteral("Command20"));
  profileGrid->addWidget(confirmButton_, 2, 4);
  profileGrid->addWidget(saveButton_, 2, 5);

  auto* top = new QHBoxLayout;
  top->addWidget(wellNumberCaption_);
  top->addWidget(wellNumberEdit_);
  top->addSpacing(24);
  top->addWidget(singleTargetOption_);
  top->addWidget(twoTargetOption_);
  top->addStretch(1);
  auto* column = new QVBoxLayout(panel_);
  column->setContentsMargins(6, 6, 6, 6);
  column->addLayout(top);
  column->addWidget(basicDataGroup_);
  column->addWidget(profileGroup_);
  panel_->adjustSize();

  segmentTable_ = new PictureBox(QStringLiteral("Picture12"), this);
  segmentTable_->onPaint = [this](Surface& s) { drawDesignSegmentTable(s, host_.session()); };
  pointTableFrame_ = new QWidget(this);
  pointTableFrame_->setObjectName(QStringLiteral("Picture8"));
  pointTableTitles_ = new PictureBox(QStringLiteral("Picture9"), pointTableFrame_);
  pointTableTitles_->onPaint = [](Surface& s) { drawDesignPointTitles(s); };
  pointTable_ = new PictureBox(QStringLiteral("Picture10"), pointTableFrame_);
  pointScrollBar_ = new QScrollBar(Qt::Vertical, this);
  pointScrollBar_->setObjectName(QStringLiteral("VScroll1"));
  pointScrollBar_->setRange(0, 100);
  pointScrollBar_->setPageStep(10);
  pointTable_->onPaint = [this](Surface& s) {
    drawDesignPointView(s, host_.session(), pointScrollBar_->value() / 100.0);
  };
  connect(pointScrollBar_, &QScrollBar::valueChanged, pointTable_, qOverload<>(&QWidget::update));
  pointTable_->installEventFilter(this);

  setTwoTargetGroupEnabled(false);

  // Events of the controls. Typing in a data box (not a change made by the display) is an
  // unsaved change to the design, kept in the boxes until "确定" takes it or a well is loaded.
  for (QLineEdit* b : basicDataEdits_) b->installEventFilter(this);
  for (QLineEdit* b : profileEdits_) b->installEventFilter(this);
  for (QLineEdit* b : basicDataEdits_)
    connect(b, &QLineEdit::textEdited, this, [this] { markEdited(); });
  for (QLineEdit* b : profileEdits_)
    connect(b, &QLineEdit::textEdited, this, [this] { markEdited(); });
  for (QRadioButton* b : {singleTargetOption_, twoTargetOption_})
    connect(b, &QRadioButton::clicked, this, [this] { markEdited(); });
  wellNumberEdit_->installEventFilter(this);
  designAzimuthEdit_->installEventFilter(this);
  connect(wellNumberEdit_, &QLineEdit::textChanged, this,
          [this](const QString& t) { host_.setStatusText(ss(t) + kBasicDataStatusSuffix); });
  connect(singleTargetOption_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    host_.session().well.targetCount = 1;
    setTwoTargetGroupEnabled(false);
  });
  connect(twoTargetOption_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    host_.session().well.targetCount = 2;
    setTwoTargetGroupEnabled(true);
  });
  connect(confirmButton_, &QPushButton::clicked, this, [this] { accept(); });
  connect(saveButton_, &QPushButton::clicked, this, &DesignView::save);
}

void DesignView::setTwoTargetGroupEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           basicDataEdits_[8], basicDataEdits_[9], basicDataEdits_[10], profileEdits_[6],
           displacement2Edit_, target2TvdCaption_, target2XCaption_, target2YCaption_,
           dropRateCaption_, displacement2Caption_})
    w->setEnabled(enabled);
}

void DesignView::placeControls() {
  const QSize p = panel_->sizeHint();
  panel_->setGeometry(0, 0, p.width(), p.height());
  const int w = width();
  const int h = height();
  segmentTable_->setGeometry(p.width() + 4, 6, std::max(0, w - p.width() - 6), p.height() - 12);

  // The point table fills the rest, with its scroll bar at the right edge.
  const int sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int top = p.height() + 4;
  const int height = std::max(40, h - top - 4);
  const int left = std::max(0, w - sb * 3 / 2);
  pointScrollBar_->setGeometry(left, top, sb, height);
  pointTableFrame_->setGeometry(0, top, left, height);
  const int titleHeight = fontMetrics().height() + 8;
  pointTableTitles_->setGeometry(0, 0, left, titleHeight);
  pointTable_->setGeometry(0, titleHeight, left, std::max(0, height - titleHeight));
}

void DesignView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
  showBasicData();
}

void DesignView::showBasicData() {
  const Session& s = host_.session();
  const WellRecord& w = s.well;
  if (w.wellNo.empty()) return;
  if (wellNumberEdit_->text() != qs(w.wellNo)) wellNumberEdit_->setText(qs(w.wellNo));
  if (editsPending_) {
    segmentTable_->update();
    pointTableTitles_->update();
    pointTable_->update();
    return;
  }
  if (w.targetCount == 2) {
    twoTargetOption_->setChecked(true);
    basicDataEdits_[9]->setText(plain(w.target2X));
    basicDataEdits_[10]->setText(plain(w.target2Y));
    basicDataEdits_[8]->setText(plain(w.target2Tvd));
    displacement2Edit_->setText(fixed2(w.designDisplacement2));
  } else if (w.targetCount == 1) {
    singleTargetOption_->setChecked(true);
  }
  basicDataEdits_[0]->setText(plain(w.padWellheadX));
  basicDataEdits_[1]->setText(plain(w.padWellheadY));
  // While a target set by bearing is in force the form keeps showing the design target.
  const bool kept = s.targetSaved;
  basicDataEdits_[2]->setText(plain(kept ? s.savedTarget1X : w.target1X));
  basicDataEdits_[3]->setText(plain(kept ? s.savedTarget1Y : w.target1Y));
  basicDataEdits_[4]->setText(plain(w.gateDirection));
  basicDataEdits_[5]->setText(plain(w.rigSkidDistance));
  basicDataEdits_[6]->setText(plain(w.magDeclination));
  basicDataEdits_[7]->setText(plain(w.target1Tvd));
  profileEdits_[4]->setText(plain(w.targetRadius));
  wellheadXDisplay_->setText(fixed2(w.wellheadX));
  wellheadYDisplay_->setText(fixed2(w.wellheadY));
  designAzimuthEdit_->setText(fixed2(w.designAzimuth));
  displacement1Edit_->setText(fixed2(w.designDisplacement1));
  profileEdits_[0]->setText(plain(w.buildRate));
  profileEdits_[1]->setText(plain(w.buildToInclination));
  profileEdits_[2]->setText(plain(w.kickoffDepth));
  profileEdits_[3]->setText(plain(w.rotaryBuildRate));
  profileEdits_[6]->setText(plain(w.rotaryDropRate));
  profileEdits_[5]->setText(plain(w.designFinalTvd));
  segmentTable_->update();
  pointTableTitles_->update();
  pointTable_->update();
}

DesignFormValues DesignView::readForm() const {
  DesignFormValues v;
  v.wellNo = ss(wellNumberEdit_->text());
  v.twoTargets = twoTargetOption_->isChecked();
  v.padWellheadX = numberIn(basicDataEdits_[0]);
  v.padWellheadY = numberIn(basicDataEdits_[1]);
  v.target1X = numberIn(basicDataEdits_[2]);
  v.target1Y = numberIn(basicDataEdits_[3]);
  v.gateDirection = numberIn(basicDataEdits_[4]);
  v.rigSkidDistance = numberIn(basicDataEdits_[5]);
  v.magDeclination = numberIn(basicDataEdits_[6]);
  v.target1Tvd = numberIn(basicDataEdits_[7]);
  v.target2Tvd = numberIn(basicDataEdits_[8]);
  v.target2X = numberIn(basicDataEdits_[9]);
  v.target2Y = numberIn(basicDataEdits_[10]);
  v.buildRate = numberIn(profileEdits_[0]);
  v.buildToInclination = numberIn(profileEdits_[1]);
  v.kickoffDepth = numberIn(profileEdits_[2]);
  v.rotaryBuildRate = numberIn(profileEdits_[3]);
  v.targetRadius = numberIn(profileEdits_[4]);
  v.designFinalTvd = numberIn(profileEdits_[5]);
  v.rotaryDropRate = numberIn(profileEdits_[6]);
  return v;
}

void DesignView::markEdited() {
  editsPending_ = true;
  host_.session().designDirty = Unsaved::Design;
}

bool DesignView::accept() {
  if (wellNumberEdit_->text().isEmpty()) return false;
  Session& s = host_.session();
  if (!IsSafeWellNo(ss(wellNumberEdit_->text()))) {
    host_.showMessage(kBadWellNoMessage);
    wellNumberEdit_->setText(qs(s.well.wellNo));
    return false;
  }
  return designFromForm(ss(wellNumberEdit_->text())) == DesignFormResult::Designed;
}

DesignFormResult DesignView::confirmEdits() {
  const std::string& number = host_.session().well.wellNo;
  if (number.empty()) return DesignFormResult::Declined;
  return designFromForm(number);
}

DesignFormResult DesignView::designFromForm(const std::string& wellNo) {
  Session& s = host_.session();
  DesignFormValues v = readForm();
  v.wellNo = wellNo;
  applyDesignGeometry(s.well, v);
  const WellRecord& w = s.well;
  wellheadXDisplay_->setText(fixed2(w.wellheadX));
  wellheadYDisplay_->setText(fixed2(w.wellheadY));
  if (w.targetCount == 2) displacement2Edit_->setText(fixed2(w.designDisplacement2));
  designAzimuthEdit_->setText(fixed2(w.designAzimuth));
  displacement1Edit_->setText(fixed2(w.designDisplacement1));

  const DesignFormOutcome out = runDesignForm(s, host_, v);
  refusal_.clear();
  if (out.result == DesignFormResult::Declined) {
    // The profile parameters were not read: typed ones stay in their boxes.
    refusal_ = kDesignDataInvalidText;
    basicDataEdits_[0]->setFocus();
    return out.result;
  }
  if (out.result == DesignFormResult::Rejected) refusal_ = wellNo + designRuleText(out.rule);
  if (out.result == DesignFormResult::Failed) refusal_ = wellNo + designOutcomeText(out.outcome);
  // The record now holds every box, designed or not.
  editsPending_ = false;
  if (out.result != DesignFormResult::Designed) {
    // Show how far the failed design got, so the engineer sees where it went wrong.
    segmentTable_->update();
    pointTable_->update();
    return out.result;
  }
  refreshCaption();
  host_.setBusy(true);
  DesignChanged(s);
  host_.setBusy(false);
  return out.result;
}

int DesignView::askToSaveChanges() {
  Session& s = host_.session();
  questionRefusal_.clear();
  // Only a question that covers the design confirms it; data that last failed to design are
  // not saved as they are either.
  const bool confirm = s.designDirty != Unsaved::Nothing && (editsPending_ || s.designInvalid == 1);
  if (!confirm) return AskToSaveChanges(s, s.wellDirectory);
  ConfirmingHost confirming(s.ui(), [this] {
    if (confirmEdits() == DesignFormResult::Designed) return true;
    questionRefusal_ = refusal_;
    return false;
  });
  Host* const previous = s.host;
  s.host = &confirming;
  const int answer = AskToSaveChanges(s, s.wellDirectory);
  s.host = previous;
  return answer;
}

void DesignView::refreshCaption() {
  QWidget* main = window();
  if (main == this) return;
  main->setWindowTitle(windowCaption(qs(host_.session().well.wellNo)));
}

void DesignView::save() {
  Session& s = host_.session();
  if (s.well.wellNo.empty()) return;
  // Typed values are saved as "确定" takes them, and only when they make a design.
  if (editsPending_) {
    const DesignFormResult r = confirmEdits();
    if (r == DesignFormResult::Declined) host_.setStatusText(kDesignDataInvalidText);
    if (r != DesignFormResult::Designed) return;
  }
  if (s.designInvalid == 1) {
    host_.setStatusText(kDesignDataInvalidText);
    return;
  }
  // A failed write leaves the file on disk and designDirty as they were, so the user can retry.
  const FileResult r = SaveDesignFile(s, s.wellDirectory);
  if (!r.ok) host_.showMessage(r.message);
}

void DesignView::wellNumberLeft() {
  // The save question below moves the focus about; one switch at a time.
  if (wellNumberBusy_) return;
  Session& s = host_.session();
  const std::string number = ss(wellNumberEdit_->text());
  if (number.empty() || number == s.well.wellNo) return;
  if (!IsSafeWellNo(number)) {
    host_.showMessage(kBadWellNoMessage);
    wellNumberEdit_->setText(qs(s.well.wellNo));
    return;
  }
  wellNumberBusy_ = true;
  s.predictStart = 0;
  // Leaving with unsaved changes: Cancel, or a save that failed, keeps the well open, since
  // loading the next well would throw those changes away.
  if (askToSaveChanges() < 0) {
    wellNumberEdit_->setText(qs(s.well.wellNo));
    // Yes with values that design nothing: say why the well was not left.
    if (!questionRefusal_.empty()) host_.showMessage(questionRefusal_);
    wellNumberBusy_ = false;
    return;
  }
  const std::string previous = s.well.wellNo;
  s.well.wellNo = number;
  const std::string path = WellFilePath(s.wellDirectory, number, kDesignExtension);
  // A number without a design file starts a new well from the data on the form.
  const WellLoadResult r = LoadWell(s, s.well, path, false, s.wellDirectory);
  if (!r.ok) {
    s.well.wellNo = previous;
    wellNumberEdit_->setText(qs(previous));
    host_.showMessage(r.message);
  } else if (r.found) {
    dropUnconfirmedEdits();
    showBasicData();
    WellOpened(s);
  }
  host_.setStatusText(s.well.wellNo + kBasicDataStatusSuffix);
  wellNumberBusy_ = false;
}

void DesignView::openTargetDialog() {
  if (targetDialog_ == nullptr) {
    targetDialog_ = new TargetDialog(host_, this);
    targetDialog_->setAttribute(Qt::WA_DeleteOnClose);
  }
  targetDialog_->show();
  targetDialog_->raise();
  targetDialog_->activateWindow();
}

bool DesignView::basicDataKey(int k, QKeyEvent* key) {
  if (isEnterKey(key)) {
    if (!basicDataEdits_[k]->text().isEmpty()) {
      if (k + 1 > 7)
        profileEdits_[0]->setFocus();
      else
        basicDataEdits_[k + 1]->setFocus();
    }
    return true;
  }
  const int code = typedCode(key);
  if (code < 0 || designKeyAccepted(code)) return false;
  host_.setStatusText(kBadKeyText);
  return true;
}

bool DesignView::profileKey(int k, QKeyEvent* key) {
  if (isEnterKey(key)) {
    if (!profileEdits_[k]->text().isEmpty()) {
      if (k + 1 > 5)
        confirmButton_->setFocus();
      else
        profileEdits_[k + 1]->setFocus();
    }
    return true;
  }
  const int code = typedCode(key);
  if (code < 0) return false;
  if (!designKeyAccepted(code)) return true;
  host_.setStatusText(host_.session().well.wellNo + kDesignStatusSuffix);
  return false;
}

bool DesignView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == wellNumberEdit_) {
      if (isEnterKey(key)) {
        basicDataEdits_[0]->setFocus();
        return true;
      }
      return false;
    }
    if (watched == designAzimuthEdit_) {
      if (typedCode(key) == 'w') {
        openTargetDialog();
        return true;
      }
      return false;
    }
    for (int k = 0; k < static_cast<int>(basicDataEdits_.size()); ++k)
      if (watched == basicDataEdits_[k]) return basicDataKey(k, key);
    for (int k = 0; k < static_cast<int>(profileEdits_.size()); ++k)
      if (watched == profileEdits_[k]) return profileKey(k, key);
  } else if (event->type() == QEvent::Wheel && watched == pointTable_) {
    // The wheel over the point table scrolls it, as the scroll bar does.
    QApplication::sendEvent(pointScrollBar_, event);
    return true;
  } else if (event->type() == QEvent::FocusOut && watched == wellNumberEdit_) {
    // Switching to another program or opening a menu does not leave the box.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) wellNumberLeft();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarsek
