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
#include "ui/painter_surface.h"
#include "ui/target_dialog.h"
#include "model/well_file_format.h"
#include "model/well_files.h"
#include "session/session_runs.h"
#include "session/well_io.h"

namespace tarsek {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }
double valueOf(const QLineEdit* box) { return readNumber(box->text().toStdString()); }
QString fixed2(double v) { return qs(formatFixed(v, 2)); }
QString plain(double v) { return qs(formatPlain(v)); }

bool isEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The character code a key press would type, or -1 for keys that type nothing (arrows, Home,
// Delete...), which the boxes leave to the editor.
int typedCode(const QKeyEvent* key) {
  const QString t = key->text();
  if (t.isEmpty()) return -1;
  return static_cast<int>(t.at(0).unicode());
}

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
    基本数据显示();
  });
}

void DesignView::buildControls() {
  panel_ = new QWidget(this);
  panel_->setObjectName(QStringLiteral("panel"));

  Label41 = makeLabel(QStringLiteral("井号"), panel_, QStringLiteral("Label41"));
  Text6 = makeBox(QStringLiteral("Text6"), panel_, 120);
  Option1 = new QRadioButton(QStringLiteral("单靶井"), panel_);
  Option1->setObjectName(QStringLiteral("Option1"));
  Option2 = new QRadioButton(QStringLiteral("双靶井"), panel_);
  Option2->setObjectName(QStringLiteral("Option2"));
  Option1->setChecked(true);

  // Grid coordinates run to eight digits before the point; their boxes are wider.
  for (int k = 0; k < 11; ++k) {
    const bool coordinate = k <= 3 || k >= 9;
    Text2[k] = makeBox(QStringLiteral("Text2(%1)").arg(k), panel_, coordinate ? 108 : 80);
  }
  for (int k = 0; k < 7; ++k) Text200[k] = makeBox(QStringLiteral("Text200(%1)").arg(k), panel_);
  Text1 = makeBox(QStringLiteral("Text1"), panel_);
  Text5 = makeBox(QStringLiteral("Text5"), panel_);
  Text3 = makeBox(QStringLiteral("Text3"), panel_);
  Text2[6]->setText(QStringLiteral("-3.067"));
  Text200[0]->setText(QStringLiteral("15"));
  Text200[1]->setText(QStringLiteral("10"));
  Text200[3]->setText(QStringLiteral("3"));
  Text200[6]->setText(QStringLiteral("3"));
  Text200[4]->setText(QStringLiteral("30"));

  L3 = makeLabel({}, panel_, QStringLiteral("L3"));
  L4 = makeLabel({}, panel_, QStringLiteral("L4"));
  for (QLabel* l : {L3, L4}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setFixedWidth(108);
    l->setMinimumHeight(Text1->sizeHint().height());
  }

  // 基本数据: the pad wellhead, the targets and this well's wellhead, then the rig and depths.
  Frame8 = new QGroupBox(QStringLiteral("基本数据"), panel_);
  Frame8->setObjectName(QStringLiteral("Frame8"));
  Frame6 = new QGroupBox(QStringLiteral("井组第一口井井口座标"), Frame8);
  Frame6->setObjectName(QStringLiteral("Frame6"));
  Frame5 = new QGroupBox(QStringLiteral("靶点地理座标"), Frame8);
  Frame5->setObjectName(QStringLiteral("Frame5"));
  Frame4 = new QGroupBox(QStringLiteral("本井井口实际座标"), Frame8);
  Frame4->setObjectName(QStringLiteral("Frame4"));
  Frame7 = new QGroupBox(QStringLiteral("剖面设计参数"), panel_);
  Frame7->setObjectName(QStringLiteral("Frame7"));

  auto* f6 = new QGridLayout(Frame6);
  addCaptioned(f6, QStringLiteral("纵(X)"), Text2[0], 0, 0);
  addCaptioned(f6, QStringLiteral("横(Y)"), Text2[1], 1, 0);

  Label2 = makeLabel(QStringLiteral("纵(X2)"), Frame5, QStringLiteral("Label2"));
  Label3 = makeLabel(QStringLiteral("横(Y2)"), Frame5, QStringLiteral("Label3"));
  auto* f5 = new QGridLayout(Frame5);
  addCaptioned(f5, QStringLiteral("纵(X1)"), Text2[2], 0, 0);
  addCaptioned(f5, QStringLiteral("横(Y1)"), Text2[3], 1, 0);
  f5->addWidget(Label2, 0, 2);
  f5->addWidget(Text2[9], 0, 3);
  f5->addWidget(Label3, 1, 2);
  f5->addWidget(Text2[10], 1, 3);

  auto* f4 = new QGridLayout(Frame4);
  addCaptioned(f4, QStringLiteral("纵(X)"), L3, 0, 0);
  addCaptioned(f4, QStringLiteral("横(Y)"), L4, 1, 0);

  Label1 = makeLabel(QStringLiteral("中靶2垂深"), Frame8, QStringLiteral("Label1"));
  Label5 = makeLabel(QStringLiteral("设计位移2"), Frame8, QStringLiteral("Label5"));
  for (QLineEdit* b : {Text2[4], Text2[5], Text2[6], Text2[7], Text2[8], Text1, Text5, Text3})
    b->setParent(Frame8);
  auto* f8 = new QGridLayout(Frame8);
  f8->addWidget(Frame6, 0, 0, 1, 2);
  f8->addWidget(Frame5, 0, 2, 1, 4);
  f8->addWidget(Frame4, 0, 6, 1, 2);
  addCaptioned(f8, QStringLiteral("大门方向"), Text2[4], 1, 0);
  addCaptioned(f8, QStringLiteral("井架拖动距离"), Text2[5], 1, 2);
  addCaptioned(f8, QStringLiteral("磁偏角(东正西负)"), Text2[6], 1, 4);
  addCaptioned(f8, QStringLiteral("中靶1垂深"), Text2[7], 2, 0);
  f8->addWidget(Label1, 2, 2);
  f8->addWidget(Text2[8], 2, 3);
  addCaptioned(f8, QStringLiteral("设计方位"), Text1, 3, 0);
  addCaptioned(f8, QStringLiteral("设计位移1"), Text5, 3, 2);
  f8->addWidget(Label5, 3, 4);
  f8->addWidget(Text3, 3, 5);

  Label4 = makeLabel(QStringLiteral("降斜率(。/100m)"), Frame7, QStringLiteral("Label4"));
  for (QLineEdit* b : Text200) b->setParent(Frame7);
  auto* f7 = new QGridLayout(Frame7);
  addCaptioned(f7, QStringLiteral("造斜率(。/100m)"), Text200[0], 0, 0);
  addCaptioned(f7, QStringLiteral("造到井斜"), Text200[1], 0, 2);
  addCaptioned(f7, QStringLiteral("造斜点"), Text200[2], 0, 4);
  addCaptioned(f7, QStringLiteral("增斜率(。/100m)"), Text200[3], 1, 0);
  f7->addWidget(Label4, 1, 2);
  f7->addWidget(Text200[6], 1, 3);
  addCaptioned(f7, QStringLiteral("允许半径"), Text200[4], 1, 4);
  addCaptioned(f7, QStringLiteral("完井垂深"), Text200[5], 2, 0);

  Command10 = new QPushButton(QStringLiteral("确定"), panel_);
  Command10->setObjectName(QStringLiteral("Command10"));
  Command20 = new QPushButton(QStringLiteral("保存"), panel_);
  Command20->setObjectName(QStringLiteral("Command20"));
  f7->addWidget(Command10, 2, 4);
  f7->addWidget(Command20, 2, 5);

  auto* top = new QHBoxLayout;
  top->addWidget(Label41);
  top->addWidget(Text6);
  top->addSpacing(24);
  top->addWidget(Option1);
  top->addWidget(Option2);
  top->addStretch(1);
  auto* column = new QVBoxLayout(panel_);
  column->setContentsMargins(6, 6, 6, 6);
  column->addLayout(top);
  column->addWidget(Frame8);
  column->addWidget(Frame7);
  panel_->adjustSize();

  Picture12 = new PictureBox(QStringLiteral("Picture12"), this);
  Picture12->onPaint = [this](Surface& s) { drawDesignSegmentTable(s, host_.session()); };
  Picture8 = new QWidget(this);
  Picture8->setObjectName(QStringLiteral("Picture8"));
  Picture9 = new PictureBox(QStringLiteral("Picture9"), Picture8);
  Picture9->onPaint = [](Surface& s) { drawDesignPointTitles(s); };
  Picture10 = new PictureBox(QStringLiteral("Picture10"), Picture8);
  VScroll1 = new QScrollBar(Qt::Vertical, this);
  VScroll1->setObjectName(QStringLiteral("VScroll1"));
  VScroll1->setRange(0, 100);
  VScroll1->setPageStep(10);
  Picture10->onPaint = [this](Surface& s) {
    drawDesignPointView(s, host_.session(), VScroll1->value() / 100.0);
  };
  connect(VScroll1, &QScrollBar::valueChanged, Picture10, qOverload<>(&QWidget::update));
  Picture10->installEventFilter(this);

  setTwoTargetGroupEnabled(false);

  // Events of the controls. Typing in a data box (not a change made by the display) is an
  // unsaved change to the design, kept in the boxes until "确定" takes it or a well is loaded.
  for (QLineEdit* b : Text2) b->installEventFilter(this);
  for (QLineEdit* b : Text200) b->installEventFilter(this);
  for (QLineEdit* b : Text2) connect(b, &QLineEdit::textEdited, this, [this] { markEdited(); });
  for (QLineEdit* b : Text200) connect(b, &QLineEdit::textEdited, this, [this] { markEdited(); });
  for (QRadioButton* b : {Option1, Option2})
    connect(b, &QRadioButton::clicked, this, [this] { markEdited(); });
  Text6->installEventFilter(this);
  Text1->installEventFilter(this);
  connect(Text6, &QLineEdit::textChanged, this,
          [this](const QString& t) { host_.setStatusText(ss(t) + "井基本数据输入"); });
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    host_.session().well.targetCount = 1;
    setTwoTargetGroupEnabled(false);
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    host_.session().well.targetCount = 2;
    setTwoTargetGroupEnabled(true);
  });
  connect(Command10, &QPushButton::clicked, this, [this] { accept(); });
  connect(Command20, &QPushButton::clicked, this, &DesignView::save);
}

void DesignView::setTwoTargetGroupEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{Text2[8], Text2[9], Text2[10], Text200[6],
                                                    Text3, Label1, Label2, Label3, Label4, Label5})
    w->setEnabled(enabled);
}

void DesignView::placeControls() {
  const QSize p = panel_->sizeHint();
  panel_->setGeometry(0, 0, p.width(), p.height());
  const int w = width();
  const int h = height();
  Picture12->setGeometry(p.width() + 4, 6, std::max(0, w - p.width() - 6), p.height() - 12);

  // The point table fills the rest, with its scroll bar at the right edge.
  const int sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int top = p.height() + 4;
  const int height = std::max(40, h - top - 4);
  const int left = std::max(0, w - sb * 3 / 2);
  VScroll1->setGeometry(left, top, sb, height);
  Picture8->setGeometry(0, top, left, height);
  const int titleHeight = fontMetrics().height() + 8;
  Picture9->setGeometry(0, 0, left, titleHeight);
  Picture10->setGeometry(0, titleHeight, left, std::max(0, height - titleHeight));
}

void DesignView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
  基本数据显示();
}

void DesignView::基本数据显示() {
  const Session& s = host_.session();
  const WellRecord& w = s.well;
  if (w.wellNo.empty()) return;
  if (Text6->text() != qs(w.wellNo)) Text6->setText(qs(w.wellNo));
  if (editsPending_) {
    Picture12->update();
    Picture9->update();
    Picture10->update();
    return;
  }
  if (w.targetCount == 2) {
    Option2->setChecked(true);
    Text2[9]->setText(plain(w.target2X));
    Text2[10]->setText(plain(w.target2Y));
    Text2[8]->setText(plain(w.target2Tvd));
    Text3->setText(fixed2(w.designDisplacement2));
  } else if (w.targetCount == 1) {
    Option1->setChecked(true);
  }
  Text2[0]->setText(plain(w.padWellheadX));
  Text2[1]->setText(plain(w.padWellheadY));
  // While a target set by bearing is in force the form keeps showing the design target.
  const bool kept = s.targetSaved;
  Text2[2]->setText(plain(kept ? s.savedTarget1X : w.target1X));
  Text2[3]->setText(plain(kept ? s.savedTarget1Y : w.target1Y));
  Text2[4]->setText(plain(w.gateDirection));
  Text2[5]->setText(plain(w.rigSkidDistance));
  Text2[6]->setText(plain(w.magDeclination));
  Text2[7]->setText(plain(w.target1Tvd));
  Text200[4]->setText(plain(w.targetRadius));
  L3->setText(fixed2(w.wellheadX));
  L4->setText(fixed2(w.wellheadY));
  Text1->setText(fixed2(w.designAzimuth));
  Text5->setText(fixed2(w.designDisplacement1));
  Text200[0]->setText(plain(w.buildRate));
  Text200[1]->setText(plain(w.buildToInclination));
  Text200[2]->setText(plain(w.kickoffDepth));
  Text200[3]->setText(plain(w.rotaryBuildRate));
  Text200[6]->setText(plain(w.rotaryDropRate));
  Text200[5]->setText(plain(w.designFinalTvd));
  Picture12->update();
  Picture9->update();
  Picture10->update();
}

DesignFormValues DesignView::readForm() const {
  DesignFormValues v;
  v.wellNo = ss(Text6->text());
  v.twoTargets = Option2->isChecked();
  v.padWellheadX = valueOf(Text2[0]);
  v.padWellheadY = valueOf(Text2[1]);
  v.target1X = valueOf(Text2[2]);
  v.target1Y = valueOf(Text2[3]);
  v.gateDirection = valueOf(Text2[4]);
  v.rigSkidDistance = valueOf(Text2[5]);
  v.magDeclination = valueOf(Text2[6]);
  v.target1Tvd = valueOf(Text2[7]);
  v.target2Tvd = valueOf(Text2[8]);
  v.target2X = valueOf(Text2[9]);
  v.target2Y = valueOf(Text2[10]);
  v.buildRate = valueOf(Text200[0]);
  v.buildToInclination = valueOf(Text200[1]);
  v.kickoffDepth = valueOf(Text200[2]);
  v.rotaryBuildRate = valueOf(Text200[3]);
  v.targetRadius = valueOf(Text200[4]);
  v.designFinalTvd = valueOf(Text200[5]);
  v.rotaryDropRate = valueOf(Text200[6]);
  return v;
}

void DesignView::markEdited() {
  editsPending_ = true;
  host_.session().designDirty = 2;
}

bool DesignView::accept() {
  if (Text6->text().isEmpty()) return false;
  Session& s = host_.session();
  if (!IsSafeWellNo(ss(Text6->text()))) {
    host_.showMessage(kBadWellNoMessage);
    Text6->setText(qs(s.well.wellNo));
    return false;
  }
  return designFromForm(ss(Text6->text())) == DesignFormResult::Designed;
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
  L3->setText(fixed2(w.wellheadX));
  L4->setText(fixed2(w.wellheadY));
  if (w.targetCount == 2) Text3->setText(fixed2(w.designDisplacement2));
  Text1->setText(fixed2(w.designAzimuth));
  Text5->setText(fixed2(w.designDisplacement1));

  const DesignFormOutcome out = runDesignForm(s, host_, v);
  refusal_.clear();
  if (out.result == DesignFormResult::Declined) {
    // The profile parameters were not read: typed ones stay in their boxes.
    refusal_ = kDesignDataInvalidText;
    Text2[0]->setFocus();
    return out.result;
  }
  if (out.result == DesignFormResult::Rejected) refusal_ = wellNo + designRuleText(out.rule);
  if (out.result == DesignFormResult::Failed) refusal_ = wellNo + designOutcomeText(out.outcome);
  // The record now holds every box, designed or not.
  editsPending_ = false;
  if (out.result != DesignFormResult::Designed) {
    // Show how far the failed design got, so the engineer sees where it went wrong.
    Picture12->update();
    Picture10->update();
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
  const bool confirm = s.designDirty != 0 && (editsPending_ || s.designInvalid == 1);
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
  main->setWindowTitle(QStringLiteral("Tarsek[") + qs(host_.session().well.wellNo) +
                       QStringLiteral("井]"));
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
  const std::string number = ss(Text6->text());
  if (number.empty() || number == s.well.wellNo) return;
  if (!IsSafeWellNo(number)) {
    host_.showMessage(kBadWellNoMessage);
    Text6->setText(qs(s.well.wellNo));
    return;
  }
  wellNumberBusy_ = true;
  s.predictStart = 0;
  // Leaving with unsaved changes: Cancel, or a save that failed, keeps the well open, since
  // loading the next well would throw those changes away.
  if (askToSaveChanges() < 0) {
    Text6->setText(qs(s.well.wellNo));
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
    Text6->setText(qs(previous));
    host_.showMessage(r.message);
  } else if (r.found) {
    dropUnconfirmedEdits();
    基本数据显示();
    WellOpened(s);
  }
  host_.setStatusText(s.well.wellNo + "井基本数据输入");
  wellNumberBusy_ = false;
}

void DesignView::openTargetDialog() {
  if (form2_ == nullptr) {
    form2_ = new TargetDialog(host_, this);
    form2_->setAttribute(Qt::WA_DeleteOnClose);
  }
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

bool DesignView::text2Key(int k, QKeyEvent* key) {
  if (isEnter(key)) {
    if (!Text2[k]->text().isEmpty()) {
      if (k + 1 > 7)
        Text200[0]->setFocus();
      else
        Text2[k + 1]->setFocus();
    }
    return true;
  }
  const int code = typedCode(key);
  if (code < 0 || designKeyAccepted(code)) return false;
  host_.setStatusText(kBadKeyText);
  return true;
}

bool DesignView::text200Key(int k, QKeyEvent* key) {
  if (isEnter(key)) {
    if (!Text200[k]->text().isEmpty()) {
      if (k + 1 > 5)
        Command10->setFocus();
      else
        Text200[k + 1]->setFocus();
    }
    return true;
  }
  const int code = typedCode(key);
  if (code < 0) return false;
  if (!designKeyAccepted(code)) return true;
  host_.setStatusText(host_.session().well.wellNo + "井设计数据");
  return false;
}

bool DesignView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == Text6) {
      if (isEnter(key)) {
        Text2[0]->setFocus();
        return true;
      }
      return false;
    }
    if (watched == Text1) {
      if (typedCode(key) == 'w') {
        openTargetDialog();
        return true;
      }
      return false;
    }
    for (int k = 0; k < static_cast<int>(Text2.size()); ++k)
      if (watched == Text2[k]) return text2Key(k, key);
    for (int k = 0; k < static_cast<int>(Text200.size()); ++k)
      if (watched == Text200[k]) return text200Key(k, key);
  } else if (event->type() == QEvent::Wheel && watched == Picture10) {
    // The wheel over the point table scrolls it, as the scroll bar does.
    QApplication::sendEvent(VScroll1, event);
    return true;
  } else if (event->type() == QEvent::FocusOut && watched == Text6) {
    // Switching to another program or opening a menu does not leave the box.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) wellNumberLeft();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarsek
