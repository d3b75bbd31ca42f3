#include "ui/survey_view.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "model/well_files.h"
#include "session/session_runs.h"
#include "session/well_io.h"
#include "survey/survey_display.h"
#include "survey/survey_entry.h"
#include "ui/ui_support.h"

namespace tarsek {
namespace {

// Left edge of the entry controls and the table, right of the guidance panel.
constexpr int kRightColumn = 312;
constexpr int kTableTop = 168;

// Replaces a box's text only when it differs, so that a change handler that writes back the
// text it was given does not run again.
void setText(QLineEdit* box, const std::string& text) {
  const QString t = qs(text);
  if (box->text() != t) box->setText(t);
}

// The hourglass for as long as a handler runs, also when it leaves early.
class Busy {
 public:
  explicit Busy(Host& host) : host_(host) { host_.setBusy(true); }
  ~Busy() { host_.setBusy(false); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  Host& host_;
};

// Keys a number box takes: digits, signs, the point, Backspace and anything outside ASCII.
// Keys that type no character (arrows, Delete, Tab) and shortcuts are not typing.
bool acceptsKey(const QKeyEvent* e) {
  if (isEditingKey(e) || e->key() == Qt::Key_Backspace) return true;
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
  return isNumberCode(typedCode(e));
}

}  // namespace

SurveyView::SurveyView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P测斜数据"));
  setWindowTitle(QStringLiteral("测斜数据"));
  buildControls();
  resize(1040, 620);
  const ChangeSet shown{Change::WellOpened, Change::Stations, Change::BasicData, Change::Design,
                        Change::Method};
  changes_ = host_.session().changes.subscribe(shown, [this](Change change) {
    refreshSurvey();
    // The row typed for the well left behind goes with it.
    if (change == Change::WellOpened) clearEntry();
  });
}

void SurveyView::buildControls() {
  auto label = [this](QLabel*& l, const char* name, const char* caption, QRect r,
                      QWidget* parent = nullptr) {
    l = new QLabel(QString::fromUtf8(caption), parent ? parent : this);
    l->setObjectName(QString::fromUtf8(name));
    l->setGeometry(r);
  };
  auto edit = [this](QLineEdit*& e, const char* name, QRect r, QWidget* parent = nullptr) {
    e = new QLineEdit(parent ? parent : this);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(r);
    e->installEventFilter(this);
  };
  auto button = [this](QPushButton*& b, const char* name, const char* caption, QRect r,
                       QWidget* parent = nullptr) {
    b = new QPushButton(QString::fromUtf8(caption), parent ? parent : this);
    b->setObjectName(QString::fromUtf8(name));
    b->setGeometry(r);
    b->setAutoDefault(false);
  };

  guidancePanel_ = new PictureBox(QStringLiteral("Picture1"), this);
  guidancePanel_->setGeometry(4, 4, 300, 540);
  guidancePanel_->onPaint = [this](Surface& s) { drawGuidancePanel(s, host_.session()); };

  const int x0 = kRightColumn;
  label(stationNumberCaption_, "Label12", "序号", QRect(x0, 8, 36, 22));
  edit(stationNumberEdit_, "序号", QRect(x0 + 40, 6, 60, 24));
  stationScrollBar_ = new QScrollBar(Qt::Vertical, this);
  stationScrollBar_->setObjectName(QStringLiteral("VScroll2"));
  stationScrollBar_->setGeometry(x0 + 102, 6, 16, 24);
  stationScrollBar_->setRange(0, 0);

  label(mdCaption_, "Label4", "测 深", QRect(x0, 38, 36, 22));
  edit(mdEdit_, "T测深", QRect(x0 + 40, 36, 90, 24));
  label(inclinationCaption_, "Label5", "井 斜", QRect(x0 + 142, 38, 36, 22));
  edit(inclinationEdit_, "T井斜", QRect(x0 + 180, 36, 70, 24));
  label(azimuthCaption_, "Label6", "方 位", QRect(x0 + 262, 38, 36, 22));
  edit(azimuthEdit_, "T方位", QRect(x0 + 300, 36, 70, 24));
  label(tvdCaption_, "Label14", "垂 深", QRect(x0 + 382, 38, 36, 22));
  label(tvdDisplay_, "L垂深", "", QRect(x0 + 420, 36, 90, 24));
  tvdDisplay_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  tvdDisplay_->setToolTip(QStringLiteral("单击垂深可推导斜深"));
  tvdDisplay_->installEventFilter(this);
  edit(tvdEdit_, "T垂深", QRect(x0 + 420, 36, 90, 24));
  tvdEdit_->hide();

  button(addButton_, "增加", "增加", QRect(x0, 68, 72, 26));
  button(storeButton_, "确定", "确定", QRect(x0 + 80, 68, 72, 26));
  button(deleteButton_, "删除", "删除", QRect(x0 + 160, 68, 72, 26));
  button(saveButton_, "Command4", "保存", QRect(x0 + 240, 68, 72, 26));

  predictionGroup_ = new QGroupBox(QStringLiteral("待钻井眼的轨迹预算"), this);
  predictionGroup_->setObjectName(QStringLiteral("Frame2"));
  predictionGroup_->setGeometry(x0, 98, 420, 66);
  label(walkRateCaption_, "Label15", "方位漂移率(o/100m)", QRect(10, 18, 130, 22),
        predictionGroup_);
  edit(walkRateEdit_, "T10", QRect(142, 17, 70, 22), predictionGroup_);
  label(buildRateCaption_, "Label3", "井斜增率(o/100m)", QRect(10, 41, 130, 22), predictionGroup_);
  edit(buildRateEdit_, "T11", QRect(142, 40, 70, 22), predictionGroup_);
  button(predictButton_, "Command3", "确定", QRect(232, 17, 72, 24), predictionGroup_);
  button(cancelPredictionButton_, "Command1", "取消", QRect(232, 40, 72, 24), predictionGroup_);

  tableFrame_ = new PictureBox(QStringLiteral("Picture4"), this);
  tableHeader_ = new PictureBox(QStringLiteral("Picture5"), tableFrame_);
  tableHeader_->onPaint = [](Surface& s) { drawStationTableHeader(s); };
  tableRows_ = new PictureBox(QStringLiteral("Picture6"), tableFrame_);
  tableRows_->onPaint = [this](Surface& s) {
    s.clear();
    const Session& session = host_.session();
    if (!HasReadableStations(session.well)) return;
    // Only the band of rows the frame shows is drawn: the picture never grows as tall as
    // a long table.
    const double top = tableScrollOffset() * kScreenTwipsPerPixel;
    s.setScaleTop(top);
    drawStationTableRows(s, session, stationTableEntries(session), top, top + s.deviceHeight());
  };
  tableScrollBar_ = new QScrollBar(Qt::Vertical, this);
  tableScrollBar_->setObjectName(QStringLiteral("VScroll1"));

  // A click in the table gives it the focus, so that Ctrl+V there pastes stations while the
  // entry boxes keep their ordinary text paste.
  tableFrame_->setFocusPolicy(Qt::ClickFocus);
  tableRows_->setFocusPolicy(Qt::ClickFocus);
  auto* paste = new QShortcut(QKeySequence::Paste, tableFrame_);
  paste->setObjectName(QStringLiteral("pasteStationsShortcut"));
  paste->setContext(Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, &SurveyView::pasteRequested);

  connect(tableScrollBar_, &QScrollBar::valueChanged, this, [this] { tableRows_->update(); });
  connect(stationScrollBar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!host_.session().well.wellNo.empty()) setText(stationNumberEdit_, std::to_string(v));
  });
  connect(stationNumberEdit_, &QLineEdit::textChanged, this, [this] { onStationNumberChanged(); });
  connect(mdEdit_, &QLineEdit::textChanged, this, [this] { onMdChanged(); });
  connect(inclinationEdit_, &QLineEdit::textChanged, this, [this] {
    if (host_.session().well.wellNo.empty() || numberIn(inclinationEdit_) >= 90)
      inclinationEdit_->clear();
  });
  connect(azimuthEdit_, &QLineEdit::textChanged, this, [this] {
    if (host_.session().well.wellNo.empty() || numberIn(azimuthEdit_) >= 360) azimuthEdit_->clear();
  });
  connect(tvdEdit_, &QLineEdit::textChanged, this, [this] { onTvdChanged(); });
  connect(addButton_, &QPushButton::clicked, this, [this] { onAdd(); });
  connect(storeButton_, &QPushButton::clicked, this, [this] { onStore(); });
  connect(deleteButton_, &QPushButton::clicked, this, [this] { onDelete(); });
  connect(saveButton_, &QPushButton::clicked, this, [this] { onSave(); });
  connect(predictButton_, &QPushButton::clicked, this, [this] { onPredict(); });
  connect(cancelPredictionButton_, &QPushButton::clicked, this, [this] { onCancelPrediction(); });
}

double SurveyView::lineHeightPx() const {
  // The rows are drawn in the surface's default font; measure that font on the rows' device.
  const QFontMetricsF fm(programFont("宋体", 9, false), tableRows_);
  return std::max(1.0, fm.height());
}

int SurveyView::tableScrollOffset() const {
  const int visible = tableRows_->height();
  const int max = tableScrollBar_->maximum();
  if (max <= 0 || tableHeight_ <= visible) return 0;
  return static_cast<int>(static_cast<long long>(tableHeight_ - visible) *
                          tableScrollBar_->value() / max);
}

void SurveyView::layoutTable() {
  const int w = width();
  const int h = height();
  const int barWidth = tableScrollBar_->sizeHint().width();
  if (w > 1.5 * barWidth) {
    const int barLeft = w - static_cast<int>(1.5 * barWidth);
    const int frameWidth = std::max(barLeft - kRightColumn, 40);
    const int frameHeight = std::max(h - kTableTop - 4, 60);
    tableFrame_->setGeometry(kRightColumn, kTableTop, frameWidth, frameHeight);
    tableScrollBar_->setGeometry(barLeft, kTableTop, barWidth, frameHeight);
  }
  guidancePanel_->setGeometry(4, 4, 300, std::max(h - 8, 200));
  const double line = lineHeightPx();
  const int headerHeight = static_cast<int>(std::ceil(2 * line + 4));
  tableHeader_->setGeometry(0, 0, tableFrame_->width(), headerHeight);
  const int visible = std::max(tableFrame_->height() - headerHeight, 1);
  tableRows_->setGeometry(0, headerHeight, tableFrame_->width(), visible);
  const WellRecord& well = host_.session().well;
  const int count = HasReadableStations(well) ? well.stationCount : 0;
  const double needed = (count + 3) * 2 * line;
  tableHeight_ = static_cast<int>(std::min(std::max<double>(visible, needed), 2.0e9));
  tableScrollBar_->setMaximum(tableHeight_);
  tableScrollBar_->setPageStep(std::max(tableHeight_ / 4, 1));
  tableScrollBar_->setSingleStep(static_cast<int>(std::ceil(line)));
}

void SurveyView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  refreshSurvey();
}

void SurveyView::refreshSurvey() {
  const WellRecord& w = host_.session().well;
  if (HasReadableStations(w)) stationScrollBar_->setMaximum(w.stationCount - 1);
  layoutTable();
  guidancePanel_->update();
  tableHeader_->update();
  tableRows_->update();
}

void SurveyView::clearEntry() {
  inclinationEdit_->clear();
  azimuthEdit_->clear();
  tvdDisplay_->clear();
}

void SurveyView::refresh() { StationsRecalculated(host_.session()); }

bool SurveyView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tvdDisplay_ && event->type() == QEvent::MouseButtonPress) {
    onTvdClicked();
    return true;
  }
  if (watched == tvdEdit_ && event->type() == QEvent::FocusOut) onTvdEditLeft();
  if (event->type() == QEvent::KeyPress) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (isEnterKey(key)) {
        QWidget* next = box == mdEdit_              ? static_cast<QWidget*>(inclinationEdit_)
                        : box == inclinationEdit_   ? static_cast<QWidget*>(azimuthEdit_)
                        : box == azimuthEdit_       ? static_cast<QWidget*>(storeButton_)
                        : box == stationNumberEdit_ ? static_cast<QWidget*>(mdEdit_)
                        : box == walkRateEdit_      ? static_cast<QWidget*>(buildRateEdit_)
                        : box == buildRateEdit_     ? static_cast<QWidget*>(predictButton_)
                                                    : nullptr;
        if (next != nullptr) next->setFocus();
        return true;
      }
      if (!acceptsKey(key)) {
        host_.setStatusText(kBadKeyText);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void SurveyView::onStationNumberChanged() {
  const WellRecord& w = host_.session().well;
  if (!HasReadableStations(w)) return;
  const double v = numberIn(stationNumberEdit_);
  if (!(v >= 0)) return;
  const int last = w.stationCount - 1;
  if (std::trunc(v) > last) {
    stationNumberEdit_->setFocus();
    setText(stationNumberEdit_, std::to_string(last));
    stationScrollBar_->setValue(last);
    return;
  }
  const int n = static_cast<int>(std::trunc(v));
  stationScrollBar_->setValue(n);
  setText(mdEdit_, formatGeneral(w.stations[static_cast<std::size_t>(n)].md));
}

void SurveyView::onMdChanged() {
  const Session& session = host_.session();
  const WellRecord& w = session.well;
  if (mdEdit_->text().isEmpty()) return;
  if (w.wellNo.empty() || w.stationCount == 0) {
    mdEdit_->clear();
    return;
  }
  // A pasted 1e999 would read as 0 and bring up the wellhead station as if 0 had been typed.
  if (readsOutOfRange(mdEdit_->text().toStdString())) {
    mdEdit_->clear();
    host_.setStatusText(kBadKeyText);
    return;
  }
  const DepthLookup l = lookupByMd(session, numberIn(mdEdit_));
  switch (l.kind) {
    case LookupKind::Clear:
      mdEdit_->clear();
      break;
    case LookupKind::Negative:
      mdEdit_->clear();
      mdEdit_->setFocus();
      break;
    case LookupKind::BelowLast:
      inclinationEdit_->clear();
      azimuthEdit_->clear();
      tvdDisplay_->clear();
      break;
    case LookupKind::Station:
      setText(stationNumberEdit_, std::to_string(l.index));
      stationScrollBar_->setValue(l.index);
      setText(inclinationEdit_, formatFixed(l.inclination, 1));
      setText(azimuthEdit_, formatFixed(l.azimuth, 1));
      tvdDisplay_->setText(qs(formatFixed(l.tvd, 2)));
      break;
    case LookupKind::Interpolated:
      stationNumberEdit_->setEnabled(false);
      setText(inclinationEdit_, formatFixed(l.inclination, 1));
      setText(azimuthEdit_, formatFixed(l.azimuth, 1));
      tvdDisplay_->setText(qs(formatFixed(l.tvd, 2)));
      stationNumberEdit_->setEnabled(true);
      break;
    case LookupKind::None:
      break;
  }
}

void SurveyView::onTvdClicked() {
  tvdEdit_->clear();
  tvdEdit_->show();
  tvdEdit_->setFocus();
  tvdDisplay_->hide();
  mdEdit_->setEnabled(false);
}

void SurveyView::onTvdChanged() {
  const Session& session = host_.session();
  const WellRecord& w = session.well;
  if (tvdEdit_->text().isEmpty()) return;
  const double tvd = numberIn(tvdEdit_);
  if (tvd >= 100000 || w.wellNo.empty() || w.stationCount == 0) {
    tvdEdit_->clear();
    return;
  }
  const DepthLookup l = lookupByTvd(session, tvd);
  switch (l.kind) {
    case LookupKind::Clear:
      tvdEdit_->clear();
      break;
    case LookupKind::Negative:
      tvdEdit_->clear();
      tvdEdit_->setFocus();
      break;
    case LookupKind::BelowLast:
      mdEdit_->clear();
      inclinationEdit_->clear();
      azimuthEdit_->clear();
      break;
    case LookupKind::Station:
      setText(stationNumberEdit_, std::to_string(l.index));
      stationScrollBar_->setValue(l.index);
      break;
    case LookupKind::Interpolated:
      setText(mdEdit_, formatFixed(l.md, 2));
      setText(inclinationEdit_, formatFixed(l.inclination, 2));
      setText(azimuthEdit_, formatFixed(l.azimuth, 2));
      break;
    case LookupKind::None:
      break;
  }
}

void SurveyView::onTvdEditLeft() {
  if (tvdEdit_->isHidden()) return;
  tvdEdit_->hide();
  tvdDisplay_->show();
  mdEdit_->setEnabled(true);
  // The derivation was a look-up: the row goes back to the station it showed.
  const WellRecord& w = host_.session().well;
  if (!HasReadableStations(w)) return;
  const double v = std::round(numberIn(stationNumberEdit_));
  const int n = static_cast<int>(std::clamp(v, 0.0, static_cast<double>(w.stationCount - 1)));
  setText(mdEdit_, formatGeneral(w.stations[static_cast<std::size_t>(n)].md));
}

void SurveyView::onAdd() {
  if (host_.session().well.wellNo.empty()) return;
  mdEdit_->clear();
  inclinationEdit_->clear();
  azimuthEdit_->clear();
  tvdDisplay_->clear();
  mdEdit_->setFocus();
}

void SurveyView::onStore() {
  Session& session = host_.session();
  if (session.well.wellNo.empty()) return;
  // A pasted 1e999 reads as 0 and would silently replace the station at the wellhead.
  for (const QLineEdit* box : {mdEdit_, inclinationEdit_, azimuthEdit_}) {
    if (readsOutOfRange(box->text().toStdString())) {
      host_.setStatusText(kBadKeyText);
      return;
    }
  }
  Busy busy(host_);
  const StoreOutcome out =
      storeEntry(session, numberIn(mdEdit_), numberIn(inclinationEdit_), numberIn(azimuthEdit_));
  if (!out.stored) {
    // A full table says so; otherwise the depth was not a usable number (1e999 and the like).
    host_.setStatusText(out.message.empty() ? kBadKeyText : out.message);
    return;
  }
  const WellRecord& w = session.well;
  tvdDisplay_->setText(qs(formatFixed(w.results[static_cast<std::size_t>(out.index)].tvd, 2)));
  stationScrollBar_->setMaximum(w.stationCount);
  const std::string number = std::to_string(out.index);
  if (stationNumberEdit_->text() == qs(number))
    onStationNumberChanged();  // same number: still fill the row from the stored station
  else
    stationNumberEdit_->setText(qs(number));
  refresh();
  addButton_->setFocus();
}

void SurveyView::onDelete() {
  Session& session = host_.session();
  if (session.well.wellNo.empty() || session.well.stationCount == 0) return;
  Busy busy(host_);
  const double md = numberIn(mdEdit_);
  const int k = deleteEntry(session, md);
  if (k < 0) {
    host_.setStatusText(kNoSuchStation);
    stationNumberEdit_->setFocus();
    return;
  }
  const WellRecord& w = session.well;
  stationScrollBar_->setMaximum(w.stationCount);
  if (w.stationCount > 0) {
    // Position k now holds the station that followed the deleted one; after the last station
    // it is the spare entry, which still holds the deleted depth, so the row offers that depth
    // again as a new station below the last. The display goes first: it narrows the station
    // scroll bar, which would otherwise move the row back to the new last station.
    refresh();
    const double shown = k < w.stationCount ? w.stations[static_cast<std::size_t>(k)].md : md;
    setText(mdEdit_, formatGeneral(shown));
    return;
  }
  stationNumberEdit_->clear();
  stationScrollBar_->setValue(0);
  mdEdit_->clear();
  inclinationEdit_->clear();
  azimuthEdit_->clear();
  tvdDisplay_->clear();
  mdEdit_->setFocus();
  refresh();
}

void SurveyView::onSave() {
  Session& session = host_.session();
  if (session.well.wellNo.empty()) return;
  session.surveyDirty = Unsaved::Nothing;
  const FileResult saved = SaveSurveyFile(session, session.wellDirectory);
  if (!saved.ok) {
    // The stations are still unsaved: keep the save question for when the well is left.
    session.surveyDirty = Unsaved::Stations;
    host_.showMessage(saved.message);
  }
}

void SurveyView::onPredict() {
  Session& session = host_.session();
  Busy busy(host_);
  const PredictOutcome out =
      predictTrajectory(session, numberIn(buildRateEdit_), numberIn(walkRateEdit_));
  if (out == PredictOutcome::TooSteep) host_.setStatusText(kBuildRateTooHigh);
  if (out == PredictOutcome::TableFull) host_.setStatusText(kTooManyStations);
  refresh();
}

void SurveyView::onCancelPrediction() {
  if (discardPrediction(host_.session())) refresh();
}

}  // namespace tarsek
