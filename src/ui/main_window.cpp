#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <exception>

#include "common/numtext.h"
#include "survey/survey_calc.h"
#include "ui/about_dialog.h"
#include "ui/anticollision_view.h"
#include "ui/busy_pointer.h"
#include "ui/design_view.h"
#include "ui/first_run.h"
#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/page_output.h"
#include "ui/preview_page.h"
#include "ui/shell_ops.h"
#include "ui/site_parameters_dialog.h"
#include "ui/station_exchange.h"
#include "ui/survey_view.h"
#include "ui/tools_view.h"
#include "ui/trajectory_view.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kSettingsKey = "本井井号";

// Status panel 1 of each view: the well number followed by this suffix.
const char* viewSuffix(int code) {
  switch (code) {
    case kSurveyView:
      return "井测斜计算数据";
    case kDesignView:
      return "井设计数据";
    case kTrajectoryView:
      return "井轨迹图";
    case kAntiCollisionView:
      return "井防碰图";
    case kToolsView:
      return "工具计算";
    default:
      return "";
  }
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

QSettings settingsStore() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(kProgramTitle),
                   QString::fromUtf8(kProgramTitle));
}

QString settingsKey() {
  return QString::fromUtf8(kSettingsSection) + QLatin1Char('/') + QString::fromUtf8(kSettingsKey);
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
  setObjectName(QStringLiteral("frm"));
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  session_.host = this;

  centre_ = new QStackedWidget(this);
  mdi_ = new QMdiArea(centre_);
  mdi_->setObjectName(QStringLiteral("mdiArea"));
  previewArea_ = new QScrollArea(centre_);
  previewArea_->setObjectName(QStringLiteral("previewArea"));
  previewArea_->setBackgroundRole(QPalette::Dark);
  previewCanvas_ = new QWidget;
  previewCanvas_->setObjectName(QStringLiteral("previewCanvas"));
  previewArea_->setWidget(previewCanvas_);
  previewArea_->setWidgetResizable(false);
  mdi_->viewport()->installEventFilter(this);
  centre_->addWidget(mdi_);
  centre_->addWidget(previewArea_);
  setCentralWidget(centre_);

  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("sbStatusBar"));
  panel1_ = new QLabel(bar);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  bar->addWidget(panel1_, 1);
  uncertaintyPanel_ = new QLabel(bar);
  uncertaintyPanel_->setObjectName(QStringLiteral("uncertaintyPanel"));
  bar->addPermanentWidget(uncertaintyPanel_);
  setStatusBar(bar);

  exchange_ = new StationExchange(*this, this);
  buildMenus();
  buildToolbar();
  buildViews();
  connect(survey_, &SurveyView::pasteRequested, this,
          [this] { guarded([this] { exchange_->pasteFromClipboard(); }); });
  connect(exchange_, &StationExchange::stationsImported, this, [this] { showView(kSurveyView); });
  setMenusForPreview(false);

  // The window opens over the whole screen, as the program always has.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    setGeometry(screen->availableGeometry());
  }
  methodItems_[0]->setChecked(true);
  // F1 wherever the focus is, in the views and in the dialogs above them.
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  delete help_;
  clearPreviewPages();
  if (session_.host == this) session_.host = nullptr;
}

// --- construction ------------------------------------------------------------------------------

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  auto item = [this](QMenu* menu, const char* caption, const char* name,
                     const std::function<void()>& action) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    if (action) connect(a, &QAction::triggered, this, [this, action] { guarded(action); });
    return a;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromUtf8(name));
  };
  auto menu = [bar](const char* caption, const char* name) {
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromUtf8(name));
    m->menuAction()->setObjectName(QString::fromUtf8(name) + QStringLiteral("Action"));
    return m;
  };

  QMenu* file = menu("井位", "mnuFile");
  item(file, "新增", "新增", [this] { showView(kDesignView); });
  item(file, "打开", "打开", [this] { openWell(); });
  separator(file, "mnuFileBar0");
  item(file, "页面设置", "mnuFilePageSetup", [this] { pageSetup(); });
  item(file, "打印预览", "mnuFilePrintPreview", [this] { enterPreview(); });
  item(file, "打印", "mnuFilePrint", [this] { printWithCopies(); });
  separator(file, "mnuFileBar5");
  item(file, "退出", "mnuFileExit", [this] { close(); });

  QMenu* method = menu("计算方法", "mnuEdit");
  const char* methodNames[kMethodCount] = {"mnuEditUndo", "mnuEditCut", "xb",
                                           "ph",          "zq",         "minimumCurvature"};
  for (SurveyMethod m : kSurveyMethods) {
    const auto k = static_cast<std::size_t>(MethodCode(m));
    methodItems_[k] = item(method, MethodName(m), methodNames[k], [this, m] { chooseMethod(m); });
    methodItems_[k]->setCheckable(true);
  }

  QMenu* view = menu("剖面设计及计算", "mnuView");
  item(view, "基本数据", "mnuViewToolbar", [this] { showView(kDesignView); });
  item(view, "测斜数据", "cxsj", [this] { showView(kSurveyView); });
  separator(view, "uncertaintySeparator");
  item(view, "测量误差参数…", "siteParametersAction", [this] { editSiteParameters(); });
  showUncertaintyAction_ = item(view, "显示误差椭圆", "showUncertaintyAction", nullptr);
  showUncertaintyAction_->setCheckable(true);
  showUncertaintyAction_->setChecked(session_.showUncertainty);
  connect(showUncertaintyAction_, &QAction::toggled, this,
          [this](bool on) { guarded([this, on] { setUncertaintyShown(on); }); });

  // Stations in and out; not the toolbar's 粘贴, which has always printed.
  QMenu* exchange = menu("数据交换", "exchangeMenu");
  item(exchange, "导入测点…", "importStationsAction", [this] { exchange_->importFromFile(); });
  item(exchange, "粘贴测点", "pasteStationsAction", [this] { exchange_->pasteFromClipboard(); });
  separator(exchange, "exchangeSeparator");
  item(exchange, "导出测点…", "exportStationsAction", [this] { exchange_->exportStations(); });
  item(exchange, "导出设计数据…", "exportDesignAction", [this] { exchange_->exportDesign(); });

  QMenu* print = menu("打印", "mnuTools");
  item(print, "基本数据", "mnuToolsOptions", [this] { printDesignReport(); });
  item(print, "测斜数据", "mnuWindowCascade", [this] { printSurveyOnly(); });
  item(print, "剖面图", "mnuWindowArrangeIcons", [this] { printPlotOnly(); });
  item(print, "位置误差", "printUncertaintyAction", [this] { printUncertaintyReport(); });
  // An item the menu has always carried without any action behind it; kept out of sight.
  item(print, "", "mnuWindowTileHorizontal", nullptr)->setVisible(false);

  toolsMenu_ = bar->addAction(QStringLiteral("工具"));
  toolsMenu_->setObjectName(QStringLiteral("工具"));
  connect(toolsMenu_, &QAction::triggered, this,
          [this] { guarded([this] { showView(kToolsView); }); });

  QMenu* help = menu("帮助", "mnuHelp");
  item(help, "目录(&C)", "mnuHelpContents", [this] { helpContents(); });
  item(help, "搜索帮助主题(&S)...", "mnuHelpSearchForHelpOn", [this] { helpIndex(); });
  separator(help, "mnuHelpBar0");
  item(help, "关于(&A) ", "mnuHelpAbout", [this] {
    AboutDialog about(this);
    about.exec();
  });
  mainMenus_ = {file, method, view, print, help, exchange};

  closePreviewMenu_ = bar->addAction(QStringLiteral("关闭预览"));
  closePreviewMenu_->setObjectName(QStringLiteral("关闭预览"));
  connect(closePreviewMenu_, &QAction::triggered, this,
          [this] { guarded([this] { leavePreview(); }); });
  previewPageSetupMenu_ = bar->addAction(QStringLiteral("页面设置"));
  previewPageSetupMenu_->setObjectName(QStringLiteral("页面设置"));
  connect(previewPageSetupMenu_, &QAction::triggered, this,
          [this] { guarded([this] { pageSetup(); }); });
  previewPrintMenu_ = bar->addAction(QStringLiteral("预览打印"));
  previewPrintMenu_->setObjectName(QStringLiteral("预览打印"));
  connect(previewPrintMenu_, &QAction::triggered, this,
          [this] { guarded([this] { printWithCopies(); }); });
}

void MainWindow::buildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("工具栏"));
  toolbar_->setObjectName(QStringLiteral("tbToolBar"));
  toolbar_->setMovable(false);
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  struct Key {
    const char* key;
    const char* caption;
  };
  // Key first, caption second: the keys are what the dispatcher knows, not the captions.
  const Key keys[] = {{"新增", "新增"},   {"打开", "打开"}, {nullptr, nullptr},
                      {"轨迹", "轨迹图"}, {"cx", "测斜"},   {"防碰计算", "防碰"},
                      {"复制", "工具"},   {"粘贴", "打印"}};
  for (const Key& k : keys) {
    if (k.key == nullptr) {
      toolbar_->addSeparator()->setObjectName(QStringLiteral("tbSeparator"));
      continue;
    }
    QAction* a = toolbar_->addAction(QString::fromUtf8(k.caption));
    const QString key = QString::fromUtf8(k.key);
    a->setObjectName(QStringLiteral("tb_") + key);
    a->setData(key);
    connect(a, &QAction::triggered, this, [this, key] { toolbarClicked(key); });
  }
}

void MainWindow::buildViews() {
  survey_ = new SurveyView(*this);
  design_ = new DesignView(*this);
  trajectory_ = new TrajectoryView(*this);
  antiCollision_ = new AntiCollisionView(*this);
  tools_ = new ToolsView(*this);
  QWidget* views[] = {nullptr, survey_, design_, trajectory_, antiCollision_, tools_};
  for (int code = kSurveyView; code <= kToolsView; ++code) {
    QMdiSubWindow* sub = mdi_->addSubWindow(views[code]);
    sub->setObjectName(views[code]->objectName() + QStringLiteral("Window"));
    sub->setWindowTitle(views[code]->windowTitle());
    // A view is closed by switching away from it; its window only ever hides.
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->hide();
    windows_[static_cast<std::size_t>(code)] = sub;
  }
}

// --- Host ----------------------------------------------------------------------------------------

void MainWindow::setStatusText(const std::string& text) { panel1_->setText(qs(text)); }

QString MainWindow::statusText() const { return panel1_->text(); }

void MainWindow::setBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busyDepth_;
  } else if (busyDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busyDepth_;
  }
}

Answer MainWindow::askYesNoCancel(const std::string& text) {
  lastAnswer_ = questionYesNoCancel(text);
  return lastAnswer_;
}

Answer MainWindow::questionYesNoCancel(const std::string& text) {
  const auto b = QMessageBox::question(this, QString::fromUtf8(kProgramTitle), qs(text),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::Yes);
  if (b == QMessageBox::Yes) return Answer::Yes;
  if (b == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

Answer MainWindow::askYesNo(const std::string& text) {
  const auto b = QMessageBox::question(this, QString::fromUtf8(kProgramTitle), qs(text),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MainWindow::showMessage(const std::string& text) {
  QMessageBox::information(this, windowTitle(), qs(text));
}

void MainWindow::guarded(const std::function<void()>& command) {
  // The hourglass goes however the command ends; a failure is told, never carried further.
  const int depth = busyDepth_;
  try {
    command();
  } catch (const std::exception& e) {
    while (busyDepth_ > depth) setBusy(false);
    showMessage(std::string("操作未能完成：") + e.what());
  } catch (...) {
    while (busyDepth_ > depth) setBusy(false);
    showMessage("操作未能完成。");
  }
  while (busyDepth_ > depth) setBusy(false);
}

// --- refresh sequences ---------------------------------------------------------------------------

void MainWindow::recomputeAndRefresh() {
  BusyPointer busy(*this);
  RecalculateAll(session_);
  RecalculateDesignTrajectory(session_);
  refreshDisplays();
}

void MainWindow::refreshUncertainty() {
  unc::UpdateUncertainty(session_);
  const auto& u = session_.uncertainty;
  QString text;
  if (u && u->ok) {
    text = QStringLiteral("误差模型：%1  %2σ")
               .arg(qs(u->site.model), qs(formatGeneral(u->site.sigmaMultiple)));
  } else if (u) {
    text = qs(u->status);
  }
  uncertaintyPanel_->setText(text);
}

QString MainWindow::uncertaintyStatusText() const { return uncertaintyPanel_->text(); }

void MainWindow::setUncertaintyShown(bool shown) {
  session_.showUncertainty = shown;
  if (showUncertaintyAction_->isChecked() != shown) showUncertaintyAction_->setChecked(shown);
  trajectory_->轨迹图();
  if (previewing_) rebuildPreview();
}

void MainWindow::editSiteParameters() {
  if (session_.well.wellNo.empty()) {
    showMessage("请先打开或新增一口井！");
    return;
  }
  SiteParametersDialog dialog(session_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  refreshUncertainty();
  refreshDisplays();
}

void MainWindow::refreshDisplays() {
  refreshUncertainty();
  design_->基本数据显示();
  survey_->测斜数据显示();
  trajectory_->轨迹图();
  antiCollision_->防碰数据处理();
}

void MainWindow::stationsChanged() {
  BusyPointer busy(*this);
  RecalculateAll(session_);
  refreshUncertainty();
  survey_->测斜数据显示();
  trajectory_->轨迹图();
  antiCollision_->防碰数据处理();
}

void MainWindow::ResetWellViews() {
  survey_->测斜数据初始();
  antiCollision_->防碰图初始();
  shellResetWell(session_);
}

void MainWindow::wellOpened() {
  BusyPointer busy(*this);
  // The values typed for the well that was left go with it.
  design_->dropUnconfirmedEdits();
  refreshUncertainty();
  survey_->测斜数据显示();
  trajectory_->轨迹图();
  design_->基本数据显示();
  antiCollision_->防碰数据处理();
  ResetWellViews();
  // The neighbours of the well left behind are gone with the reset.
  refreshUncertainty();
  refreshStatus();
  if (session_.designInvalid == 1) {
    showView(kDesignView);
    session_.designInvalid = 0;
  }
  updateCaption();
}

// --- views ---------------------------------------------------------------------------------------

QString MainWindow::wellNoText() const { return qs(session_.well.wellNo); }

QWidget* MainWindow::viewWidget(int code) const {
  switch (code) {
    case kSurveyView:
      return survey_;
    case kDesignView:
      return design_;
    case kTrajectoryView:
      return trajectory_;
    case kAntiCollisionView:
      return antiCollision_;
    case kToolsView:
      return tools_;
    default:
      return nullptr;
  }
}

QMdiSubWindow* MainWindow::viewWindow(int code) const {
  if (code < kSurveyView || code > kToolsView) return nullptr;
  return windows_[static_cast<std::size_t>(code)];
}

void MainWindow::showView(int code) {
  QMdiSubWindow* target = viewWindow(code);
  if (target == nullptr || code == currentView_) return;
  if (previewing_) leavePreview();
  if (QMdiSubWindow* shown = viewWindow(currentView_)) shown->hide();
  target->show();
  fitView(target);
  mdi_->setActiveSubWindow(target);
  currentView_ = code;
  // The neighbour list shows the well directory as it is now, wells saved since included.
  if (code == kAntiCollisionView) antiCollision_->refreshFileList();
  setStatusText(session_.well.wellNo + viewSuffix(code));
}

void MainWindow::fitView(QMdiSubWindow* window) {
  // The shown view fills the area but keeps its caption bar, so the user sees which it is.
  if (window != nullptr) window->setGeometry(mdi_->viewport()->rect());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
    QWidget* focused = QApplication::focusWidget();
    helpForFocus(focused != nullptr ? focused : static_cast<QWidget*>(watched));
    return true;
  }
  if (watched == mdi_->viewport() && event->type() == QEvent::Resize) {
    fitView(viewWindow(currentView_));
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::refreshStatus() {
  // The order decides when more than one view is visible, which only a preview leaves behind.
  const int order[] = {kSurveyView, kDesignView, kAntiCollisionView, kTrajectoryView};
  for (int code : order) {
    if (!viewWindow(code)->isHidden()) {
      setStatusText(session_.well.wellNo + viewSuffix(code));
      return;
    }
  }
  setStatusText(session_.well.wellNo + viewSuffix(kToolsView));
}

void MainWindow::updateCaption() {
  QString caption = QString::fromUtf8(kProgramTitle);
  if (!session_.well.wellNo.empty())
    caption += QLatin1Char('[') + wellNoText() + QStringLiteral("井]");
  setWindowTitle(caption);
}

void MainWindow::toolbarClicked(const QString& key) {
  guarded([this, key] {
    if (key == QStringLiteral("新增")) {
      showView(kDesignView);
    } else if (key == QStringLiteral("打开")) {
      openWell();
    } else if (key == QStringLiteral("轨迹")) {
      showView(kTrajectoryView);
    } else if (key == QStringLiteral("cx")) {
      showView(kSurveyView);
    } else if (key == QStringLiteral("防碰计算")) {
      showView(kAntiCollisionView);
    } else if (key == QStringLiteral("复制")) {
      showView(kToolsView);
    } else if (key == QStringLiteral("粘贴")) {
      printWithCopies();
    }
  });
}

// --- wells ---------------------------------------------------------------------------------------

QString MainWindow::chooseWellFile() {
  return QFileDialog::getOpenFileName(this, QStringLiteral("打开"), qs(session_.wellDirectory),
                                      QStringLiteral("井号 (*.kvd)"));
}

void MainWindow::openWell() {
  const QString path = chooseWellFile();
  if (path.isEmpty()) return;
  openWellFile(path);
}

bool MainWindow::openWellFile(const QString& path) {
  BusyPointer busy(*this);
  session_.predictStart = 0;
  // Leaving the well: its changes may be saved, and a Cancel does not stop the open; but a
  // save that was wanted and failed does, or the changes would be lost with the old well.
  lastAnswer_ = Answer::No;
  if (design_->askToSaveChanges() == -1 && lastAnswer_ == Answer::Yes) {
    showMessage(statusText().toStdString());
    return false;
  }
  const std::string refused = shellLoadWell(session_, path.toStdString());
  if (!refused.empty()) {
    showMessage(refused);
    return false;
  }
  wellOpened();
  return true;
}

void MainWindow::chooseMethod(SurveyMethod method) {
  BusyPointer busy(*this);
  for (SurveyMethod m : kSurveyMethods)
    methodItems_[static_cast<std::size_t>(MethodCode(m))]->setChecked(m == method);
  // Setting the method recomputes both trajectories; the displays follow in the usual order.
  shellSetCalcMethod(session_, method);
  refreshDisplays();
}

QString MainWindow::rememberedWellNo() {
  QSettings s = settingsStore();
  return s.value(settingsKey()).toString();
}

void MainWindow::rememberWellNo() {
  QSettings s = settingsStore();
  s.setValue(settingsKey(), wellNoText());
  s.sync();
}

void MainWindow::startUp() {
  BusyPointer busy(*this);
  QString wellNo;
  {
    QSettings s = settingsStore();
    const bool remembered = s.contains(settingsKey());
    wellNo = s.value(settingsKey(), wellNoText()).toString();
    if (!remembered) {
      // A newcomer gets the sample wells so that the program opens on a working well.
      const QString sample = installSampleWells(qs(session_.wellDirectory));
      if (!sample.isEmpty()) wellNo = sample;
    }
  }
  const QString path = qs(shellDesignPath(session_, wellNo.toStdString()));
  if (!wellNo.isEmpty() && QFileInfo::exists(path)) {
    const std::string refused = shellLoadWell(session_, path.toStdString());
    if (refused.empty()) {
      wellOpened();
      showView(kTrajectoryView);
      return;
    }
    showMessage(refused);
  }
  session_.well.wellNo.clear();
  updateCaption();
}

// --- help ----------------------------------------------------------------------------------------

QString MainWindow::helpFile() const { return helpFilePath(); }

HelpWindow* MainWindow::openHelp() {
  if (!QFileInfo(helpFile()).isFile()) {
    showMessage("该程序没有来得及作相关联的帮助。");
    return nullptr;
  }
  // A modal dialog blocks every window but its own: the help then opens as one of the dialog's.
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = this;
  if (help_ != nullptr && help_->parentWidget() != owner) {
    const QRect place = help_->geometry();
    help_->setParent(owner, Qt::Window);
    help_->setGeometry(place);
  }
  if (help_ == nullptr) {
    help_ = new HelpWindow(helpFile(), owner);
    if (!help_->ready()) {
      const QString why = help_->errorText();
      delete help_;
      showMessage(why.toStdString());
      return nullptr;
    }
  }
  return help_;
}

void MainWindow::helpContents() {
  if (HelpWindow* h = openHelp()) h->showContents();
}

void MainWindow::helpIndex() {
  if (HelpWindow* h = openHelp()) h->showIndex();
}

void MainWindow::helpForFocus(QWidget* focused) {
  const HelpLocation where = helpLocationFor(focused);
  if (HelpWindow* h = openHelp()) h->showLocation(where);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  lastAnswer_ = Answer::No;
  if (design_->askToSaveChanges() == -1) {
    // Cancel keeps the program open; so does a save that failed, whose data must not go.
    if (lastAnswer_ == Answer::Yes) showMessage(statusText().toStdString());
    event->ignore();
    return;
  }
  if (previewing_) leavePreview();
  rememberWellNo();
  if (help_ != nullptr) help_->close();
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (previewing_) layoutPreviewPages();
}

void MainWindow::setMenusForPreview(bool preview) {
  for (QMenu* m : mainMenus_) m->menuAction()->setVisible(!preview);
  toolsMenu_->setVisible(!preview);
  toolbar_->setVisible(!preview);
  closePreviewMenu_->setVisible(preview);
  previewPageSetupMenu_->setVisible(preview);
  previewPrintMenu_->setVisible(preview);
}

}  // namespace tarsek
