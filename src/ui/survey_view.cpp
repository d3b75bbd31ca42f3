#include "ui/survey_view.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "survey/survey_display.h"
#include "survey/survey_entry.h"
#include "model/well_files.h"
#include "session/session_runs.h"
#include "session/well_io.h"

namespace tarsek {
namespace {

constexpr const char* kWrongKey = "按键有误！请重新输入";

// Left edge of the entry controls and the table, right of the guidance panel.
constexpr int kRightColumn = 312;
constexpr int kTableTop = 168;

QString q(const std::string& s) { return QString::fromStdString(s); }
double valueOf(const QLineEdit* box) { return readNumber(box->text().toStdString()); }

// Replaces a box's text only when it differs, so that a change handler that writes back the
// text it was given does not run again.
void setText(QLineEdit* box, const std::string& text) {
  const QString t = q(text);
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

bool hasStations(const WellRecord& w) {
  return !w.wellNo.empty() && w.stationCount > 0 &&
         w.stations.size() >= static_cast<std::size_t>(w.stationCount) &&
         w.results.size() >= static_cast<std::size_t>(w.stationCount);
}

// Keys a number box takes: digits, signs, the point, Backspace and anything outside ASCII.
// Keys that type no character (arrows, Delete, Tab) and shortcuts are not typing.
bool acceptsKey(const QKeyEvent* e) {
  const QString text = e->text();
  if (text.isEmpty()) return true;
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
  switch (e->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
      return true;
    default:
      break;
  }
  const char16_t c = text.at(0).unicode();
  return c > 127 || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 8;
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
    测斜数据显示();
    // The row typed for the well left behind goes with it.
    if (change == Change::WellOpened) 测斜数据初始();
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

  Picture1 = new PictureBox(QStringLiteral("Picture1"), this);
  Picture1->setGeometry(4, 4, 300, 540);
  Picture1->onPaint = [this](Surface& s) { drawGuidancePanel(s, host_.session()); };

  const int x0 = kRightColumn;
  label(Label12, "Label12", "序号", QRect(x0, 8, 36, 22));
  edit(序号, "序号", QRect(x0 + 40, 6, 60, 24));
  VScroll2 = new QScrollBar(Qt::Vertical, this);
  VScroll2->setObjectName(QStringLiteral("VScroll2"));
  VScroll2->setGeometry(x0 + 102, 6, 16, 24);
  VScroll2->setRange(0, 0);

  label(Label4, "Label4", "测 深", QRect(x0, 38, 36, 22));
  edit(T测深, "T测深", QRect(x0 + 40, 36, 90, 24));
  label(Label5, "Label5", "井 斜", QRect(x0 + 142, 38, 36, 22));
  edit(T井斜, "T井斜", QRect(x0 + 180, 36, 70, 24));
  label(Label6, "Label6", "方 位", QRect(x0 + 262, 38, 36, 22));
  edit(T方位, "T方位", QRect(x0 + 300, 36, 70, 24));
  label(Label14, "Label14", "垂 深", QRect(x0 + 382, 38, 36, 22));
  label(L垂深, "L垂深", "", QRect(x0 + 420, 36, 90, 24));
  L垂深->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  L垂深->setToolTip(QStringLiteral("单击垂深可推导斜深"));
  L垂深->installEventFilter(this);
  edit(T垂深, "T垂深", QRect(x0 + 420, 36, 90, 24));
  T垂深->hide();

  button(增加, "增加", "增加", QRect(x0, 68, 72, 26));
  button(确定, "确定", "确定", QRect(x0 + 80, 68, 72, 26));
  button(删除, "删除", "删除", QRect(x0 + 160, 68, 72, 26));
  button(Command4, "Command4", "保存", QRect(x0 + 240, 68, 72, 26));

  Frame2 = new QGroupBox(QStringLiteral("待钻井眼的轨迹预算"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  Frame2->setGeometry(x0, 98, 420, 66);
  label(Label15, "Label15", "方位漂移率(o/100m)", QRect(10, 18, 130, 22), Frame2);
  edit(T10, "T10", QRect(142, 17, 70, 22), Frame2);
  label(Label3, "Label3", "井斜增率(o/100m)", QRect(10, 41, 130, 22), Frame2);
  edit(T11, "T11", QRect(142, 40, 70, 22), Frame2);
  button(Command3, "Command3", "确定", QRect(232, 17, 72, 24), Frame2);
  button(Command1, "Command1", "取消", QRect(232, 40, 72, 24), Frame2);

  Picture4 = new PictureBox(QStringLiteral("Picture4"), this);
  Picture5 = new PictureBox(QStringLiteral("Picture5"), Picture4);
  Picture5->onPaint = [](Surface& s) { drawStationTableHeader(s); };
  Picture6 = new PictureBox(QStringLiteral("Picture6"), Picture4);
  Picture6->onPaint = [this](Surface& s) {
    s.clear();
    const Session& session = host_.session();
    if (!hasStations(session.well)) return;
    // Only the band of rows the frame shows is drawn: the picture never grows as tall as
    // a long table.
    const double top = tableScrollOffset() * kScreenTwipsPerPixel;
    s.setScaleTop(top);
    drawStationTableRows(s, session, stationTableEntries(session), top, top + s.deviceHeight());
  };
  VScroll1 = new QScrollBar(Qt::Vertical, this);
  VScroll1->setObjectName(QStringLiteral("VScroll1"));

  // A click in the table gives it the focus, so that Ctrl+V there pastes stations while the
  // entry boxes keep their ordinary text paste.
  Picture4->setFocusPolicy(Qt::ClickFocus);
  Picture6->setFocusPolicy(Qt::ClickFocus);
  auto* paste = new QShortcut(QKeySequence::Paste, Picture4);
  paste->setObjectName(QStringLiteral("pasteStationsShortcut"));
  paste->setContext(Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, &SurveyView::pasteRequested);

  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { Picture6->update(); });
  connect(VScroll2, &QScrollBar::valueChanged, this, [this](int v) {
    if (!host_.session().well.wellNo.empty()) setText(序号, std::to_string(v));
  });
  connect(序号, &QLineEdit::textChanged, this, [this] { on序号Change(); });
  connect(T测深, &QLineEdit::textChanged, this, [this] { onT测深Change(); });
  connect(T井斜, &QLineEdit::textChanged, this, [this] {
    if (host_.session().well.wellNo.empty() || valueOf(T井斜) >= 90) T井斜->clear();
  });
  connect(T方位, &QLineEdit::textChanged, this, [this] {
    if (host_.session().well.wellNo.empty() || valueOf(T方位) >= 360) T方位->clear();
  });
  connect(T垂深, &QLineEdit::textChanged, this, [this] { onT垂深Change(); });
  connect(增加, &QPushButton::clicked, this, [this] { on增加(); });
  connect(确定, &QPushButton::clicked, this, [this] { on确定(); });
  connect(删除, &QPushButton::clicked, this, [this] { on删除(); });
  connect(Command4, &QPushButton::clicked, this, [this] { on保存(); });
  connect(Command3, &QPushButton::clicked, this, [this] { on预算(); });
  connect(Command1, &QPushButton::clicked, this, [this] { on取消预算(); });
}

double SurveyView::lineHeightPx() const {
  // The rows are drawn in the surface's default font; measure that font on the rows' device.
  const QFontMetricsF fm(programFont("宋体", 9, false), Picture6);
  return std::max(1.0, fm.height());
}

int SurveyView::tableScrollOffset() const {
  const int visible = Picture6->height();
  const int max = VScroll1->maximum();
  if (max <= 0 || tableHeight_ <= visible) return 0;
  return static_cast<int>(static_cast<long long>(tableHeight_ - visible) * VScroll1->value() / max);
}

void SurveyView::layoutTable() {
  const int w = width();
  const int h = height();
  const int barWidth = VScroll1->sizeHint().width();
  if (w > 1.5 * barWidth) {
    const int barLeft = w - static_cast<int>(1.5 * barWidth);
    const int frameWidth = std::max(barLeft - kRightColumn, 40);
    const int frameHeight = std::max(h - kTableTop - 4, 60);
    Picture4->setGeometry(kRightColumn, kTableTop, frameWidth, frameHeight);
    VScroll1->setGeometry(barLeft, kTableTop, barWidth, frameHeight);
  }
  Picture1->setGeometry(4, 4, 300, std::max(h - 8, 200));
  const double line = lineHeightPx();
  const int headerHeight = static_cast<int>(std::ceil(2 * line + 4));
  Picture5->setGeometry(0, 0, Picture4->width(), headerHeight);
  const int visible = std::max(Picture4->height() - headerHeight, 1);
  Picture6->setGeometry(0, headerHeight, Picture4->width(), visible);
  const WellRecord& well = host_.session().well;
  const int count = hasStations(well) ? well.stationCount : 0;
  const double needed = (count + 3) * 2 * line;
  tableHeight_ = static_cast<int>(std::min(std::max<double>(visible, needed), 2.0e9));
  VScroll1->setMaximum(tableHeight_);
  VScroll1->setPageStep(std::max(tableHeight_ / 4, 1));
  VScroll1->setSingleStep(static_cast<int>(std::ceil(line)));
}

void SurveyView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  测斜数据显示();
}

void SurveyView::测斜数据显示() {
  const WellRecord& w = host_.session().well;
  if (hasStations(w)) VScroll2->setMaximum(w.stationCount - 1);
  layoutTable();
  Picture1->update();
  Picture5->update();
  Picture6->update();
}

void SurveyView::测斜数据初始() {
  T井斜->clear();
  T方位->clear();
  L垂深->clear();
}

void SurveyView::refresh() { StationsRecalculated(host_.session()); }

bool SurveyView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == L垂深 && event->type() == QEvent::MouseButtonPress) {
    onL垂深Click();
    return true;
  }
  if (watched == T垂深 && event->type() == QEvent::FocusOut) onT垂深Leave();
  if (event->type() == QEvent::KeyPress) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        QWidget* next = box == T测深   ? static_cast<QWidget*>(T井斜)
                        : box == T井斜 ? static_cast<QWidget*>(T方位)
                        : box == T方位 ? static_cast<QWidget*>(确定)
                        : box == 序号  ? static_cast<QWidget*>(T测深)
                        : box == T10   ? static_cast<QWidget*>(T11)
                        : box == T11   ? static_cast<QWidget*>(Command3)
                                       : nullptr;
        if (next != nullptr) next->setFocus();
        return true;
      }
      if (!acceptsKey(key)) {
        host_.setStatusText(kWrongKey);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void SurveyView::on序号Change() {
  const WellRecord& w = host_.session().well;
  if (w.wellNo.empty() || !hasStations(w)) return;
  const double v = valueOf(序号);
  if (!(v >= 0)) return;
  const int last = w.stationCount - 1;
  if (std::trunc(v) > last) {
    序号->setFocus();
    setText(序号, std::to_string(last));
    VScroll2->setValue(last);
    return;
  }
  const int n = static_cast<int>(std::trunc(v));
  VScroll2->setValue(n);
  setText(T测深, formatGeneral(w.stations[static_cast<std::size_t>(n)].md));
}

void SurveyView::onT测深Change() {
  const Session& session = host_.session();
  const WellRecord& w = session.well;
  if (T测深->text().isEmpty()) return;
  if (w.wellNo.empty() || w.stationCount == 0) {
    T测深->clear();
    return;
  }
  // A pasted 1e999 would read as 0 and bring up the wellhead station as if 0 had been typed.
  if (readsOutOfRange(T测深->text().toStdString())) {
    T测深->clear();
    host_.setStatusText(kWrongKey);
    return;
  }
  const DepthLookup l = lookupByMd(session, valueOf(T测深));
  switch (l.kind) {
    case LookupKind::Clear:
      T测深->clear();
      break;
    case LookupKind::Negative:
      T测深->clear();
      T测深->setFocus();
      break;
    case LookupKind::BelowLast:
      T井斜->clear();
      T方位->clear();
      L垂深->clear();
      break;
    case LookupKind::Station:
      setText(序号, std::to_string(l.index));
      VScroll2->setValue(l.index);
      setText(T井斜, formatFixed(l.inclination, 1));
      setText(T方位, formatFixed(l.azimuth, 1));
      L垂深->setText(q(formatFixed(l.tvd, 2)));
      break;
    case LookupKind::Interpolated:
      序号->setEnabled(false);
      setText(T井斜, formatFixed(l.inclination, 1));
      setText(T方位, formatFixed(l.azimuth, 1));
      L垂深->setText(q(formatFixed(l.tvd, 2)));
      序号->setEnabled(true);
      break;
    case LookupKind::None:
      break;
  }
}

void SurveyView::onL垂深Click() {
  T垂深->clear();
  T垂深->show();
  T垂深->setFocus();
  L垂深->hide();
  T测深->setEnabled(false);
}

void SurveyView::onT垂深Change() {
  const Session& session = host_.session();
  const WellRecord& w = session.well;
  if (T垂深->text().isEmpty()) return;
  const double tvd = valueOf(T垂深);
  if (tvd >= 100000 || w.wellNo.empty() || w.stationCount == 0) {
    T垂深->clear();
    return;
  }
  const DepthLookup l = lookupByTvd(session, tvd);
  switch (l.kind) {
    case LookupKind::Clear:
      T垂深->clear();
      break;
    case LookupKind::Negative:
      T垂深->clear();
      T垂深->setFocus();
      break;
    case LookupKind::BelowLast:
      T测深->clear();
      T井斜->clear();
      T方位->clear();
      break;
    case LookupKind::Station:
      setText(序号, std::to_string(l.index));
      VScroll2->setValue(l.index);
      break;
    case LookupKind::Interpolated:
      setText(T测深, formatFixed(l.md, 2));
      setText(T井斜, formatFixed(l.inclination, 2));
      setText(T方位, formatFixed(l.azimuth, 2));
      break;
    case LookupKind::None:
      break;
  }
}

void SurveyView::onT垂深Leave() {
  if (T垂深->isHidden()) return;
  T垂深->hide();
  L垂深->show();
  T测深->setEnabled(true);
  // The derivation was a look-up: the row goes back to the station it showed.
  const WellRecord& w = host_.session().well;
  if (!hasStations(w)) return;
  const double v = std::round(valueOf(序号));
  const int n = static_cast<int>(std::clamp(v, 0.0, static_cast<double>(w.stationCount - 1)));
  setText(T测深, formatGeneral(w.stations[static_cast<std::size_t>(n)].md));
}

void SurveyView::on增加() {
  if (host_.session().well.wellNo.empty()) return;
  T测深->clear();
  T井斜->clear();
  T方位->clear();
  L垂深->clear();
  T测深->setFocus();
}

void SurveyView::on确定() {
  Session& session = host_.session();
  if (session.well.wellNo.empty()) return;
  // A pasted 1e999 reads as 0 and would silently replace the station at the wellhead.
  for (const QLineEdit* box : {T测深, T井斜, T方位}) {
    if (readsOutOfRange(box->text().toStdString())) {
      host_.setStatusText(kWrongKey);
      return;
    }
  }
  Busy busy(host_);
  const StoreOutcome out = storeEntry(session, valueOf(T测深), valueOf(T井斜), valueOf(T方位));
  if (!out.stored) {
    // A full table says so; otherwise the depth was not a usable number (1e999 and the like).
    host_.setStatusText(out.message.empty() ? kWrongKey : out.message);
    return;
  }
  const WellRecord& w = session.well;
  L垂深->setText(q(formatFixed(w.results[static_cast<std::size_t>(out.index)].tvd, 2)));
  VScroll2->setMaximum(w.stationCount);
  const std::string number = std::to_string(out.index);
  if (序号->text() == q(number))
    on序号Change();  // same number: still fill the row from the stored station
  else
    序号->setText(q(number));
  refresh();
  增加->setFocus();
}

void SurveyView::on删除() {
  Session& session = host_.session();
  if (session.well.wellNo.empty() || session.well.stationCount == 0) return;
  Busy busy(host_);
  const double md = valueOf(T测深);
  const int k = deleteEntry(session, md);
  if (k < 0) {
    host_.setStatusText(kNoSuchStation);
    序号->setFocus();
    return;
  }
  const WellRecord& w = session.well;
  VScroll2->setMaximum(w.stationCount);
  if (w.stationCount > 0) {
    // Position k now holds the station that followed the deleted one; after the last station
    // it is the spare entry, which still holds the deleted depth, so the row offers that depth
    // again as a new station below the last. The display goes first: it narrows the station
    // scroll bar, which would otherwise move the row back to the new last station.
    refresh();
    const double shown = k < w.stationCount ? w.stations[static_cast<std::size_t>(k)].md : md;
    setText(T测深, formatGeneral(shown));
    return;
  }
  序号->clear();
  VScroll2->setValue(0);
  T测深->clear();
  T井斜->clear();
  T方位->clear();
  L垂深->clear();
  T测深->setFocus();
  refresh();
}

void SurveyView::on保存() {
  Session& session = host_.session();
  if (session.well.wellNo.empty()) return;
  session.surveyDirty = 0;
  const FileResult saved = SaveSurveyFile(session, session.wellDirectory);
  if (!saved.ok) {
    // The stations are still unsaved: keep the save question for when the well is left.
    session.surveyDirty = 1;
    host_.showMessage(saved.message);
  }
}

void SurveyView::on预算() {
  Session& session = host_.session();
  Busy busy(host_);
  const PredictOutcome out = predictTrajectory(session, valueOf(T11), valueOf(T10));
  if (out == PredictOutcome::TooSteep) host_.setStatusText(kBuildRateTooHigh);
  if (out == PredictOutcome::TableFull) host_.setStatusText(kTooManyStations);
  refresh();
}

void SurveyView::on取消预算() {
  if (discardPrediction(host_.session())) refresh();
}

}  // namespace tarsek
