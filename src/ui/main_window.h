#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "survey/survey_calc.h"
#include "ui/help_window.h"
#include "ui/view_host.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QScrollArea;
class QStackedWidget;
class QToolBar;

namespace tarsek {

class PreviewPage;
class StationExchange;
class PageOutput;
class Surface;

/// View codes of the main window; 0 while no view is shown.
enum ViewCode : int {
  kNoView = 0,
  kSurveyView = 1,
  kDesignView = 2,
  kTrajectoryView = 3,
  kAntiCollisionView = 4,
  kToolsView = 5,
};

/// The program's title: window captions, message boxes and the settings store use it.
inline constexpr const char* kProgramTitle = "Tarsek";

/// The main window: menus, toolbar, status bar and the five views as MDI children, shown one
/// at a time. It owns no engineering data; everything lives in the Session it is given.
class MainWindow : public QMainWindow, public ViewHost {
  Q_OBJECT
 public:
  explicit MainWindow(Session& session, QWidget* parent = nullptr);
  ~MainWindow() override;

  // --- ViewHost ---------------------------------------------------------------------------
  Session& session() override { return session_; }
  void recomputeAndRefresh() override;
  void stationsChanged() override;
  void wellOpened() override;
  void showMessage(const std::string& text) override;
  SurveyView* surveyView() override { return survey_; }
  DesignView* designView() override { return design_; }
  TrajectoryView* trajectoryView() override { return trajectory_; }
  AntiCollisionView* antiCollisionView() override { return antiCollision_; }
  ToolsView* toolsView() override { return tools_; }

  // --- Host ---------------------------------------------------------------------------------
  void setStatusText(const std::string& text) override;
  void setBusy(bool busy) override;
  Answer askYesNoCancel(const std::string& text) override;
  Answer askYesNo(const std::string& text) override;

  // --- the shell ------------------------------------------------------------------------------
  /// Start-up: reads the remembered well number, loads that well and shows the trajectory
  /// view; with no remembered well and no well files, installs the sample wells first.
  void startUp();
  /// Shows the view of the given code (1..5); choosing the view already shown does nothing.
  void showView(int code);
  /// The code of the view shown, 0 for none.
  int currentView() const noexcept { return currentView_; }
  /// Status panel 1 from whichever view is visible.
  void refreshStatus();
  /// Text of status panel 1.
  QString statusText() const;
  /// "打开": asks for a design file and opens it.
  void openWell();
  /// Opens the design file at path as the open well, with the refresh and caption; false with
  /// a message box when the file was refused (the open well is then unchanged).
  bool openWellFile(const QString& path);
  /// A calculation-method menu item: sets the method, checks its item, recomputes everything.
  void chooseMethod(SurveyMethod method);
  /// Dispatches a toolbar button by its key; an unknown key does nothing.
  void toolbarClicked(const QString& key);
  /// ResetWellViews: clears the survey entry fields and the neighbour list, drops a saved
  /// temporary target and both change flags.
  void ResetWellViews();
  /// The remembered well number of the settings store ("" when none).
  static QString rememberedWellNo();
  /// Writes the open well number to the settings store.
  void rememberWellNo();

  // --- printing and preview ------------------------------------------------------------------
  /// Survey output, paged, onto the printer (preview == false) or into the preview pages.
  void 测斜数据输出(bool preview);
  /// Builds the print preview: the survey pages, then the plot on the last page.
  void buildPreview();
  /// Appends one preview page and makes it the active one.
  void appendPreviewPage();
  /// Prints the survey pages and the plot once.
  void printAll();
  /// "打印": asks for the number of copies and prints that many times.
  void printWithCopies();
  /// The survey report alone on the printer.
  void printSurveyOnly();
  /// The plot page alone on the printer.
  void printPlotOnly();
  /// The design report on the printer.
  void printDesignReport();
  /// The position-uncertainty report on the printer (a message when the well has none).
  void printUncertaintyReport();
  /// Works the open well's position uncertainty out again and shows its state in the status
  /// bar's second panel.
  void refreshUncertainty();
  /// Text of the status bar's uncertainty panel.
  QString uncertaintyStatusText() const;
  /// "显示误差椭圆": shows or hides the ellipses and the section band.
  void setUncertaintyShown(bool shown);
  /// "测量误差参数…": edits the open well's parameter file.
  void editSiteParameters();
  /// "打印预览": enters print preview (only with a well open).
  void enterPreview();
  /// "关闭预览": leaves print preview and restores the view, menus and toolbar.
  void leavePreview();
  /// "页面设置": the page setup dialog; rebuilds a shown preview.
  void pageSetup();
  /// A click on a preview page: next zoom (1.0, 1.5, 0.5, ...) and rebuild.
  void cyclePreviewZoom();
  /// True while the print preview is shown.
  bool previewing() const noexcept { return previewing_; }
  /// Current preview zoom.
  double previewZoom() const noexcept { return zoom_; }
  /// The preview pages built so far, in order.
  const std::vector<QPointer<PreviewPage>>& previewPages() const noexcept { return pages_; }
  /// The 数据交换 commands (import, paste, export of stations and design data).
  StationExchange& stationExchange() noexcept { return *exchange_; }
  /// The page printer (system printer, or a PDF printer when the system has none).
  QPrinter& printer();
  /// True when a system printer is installed.
  bool hasSystemPrinter() const;

  // --- help ------------------------------------------------------------------------------------
  /// "目录(&C)": the manual's contents.
  void helpContents();
  /// "搜索帮助主题(&S)...": the manual's index.
  void helpIndex();
  /// F1: the manual's page of the window, and where it has one of the control, that has focus.
  void helpForFocus(QWidget* focused);
  /// The help window once it has been opened, else null.
  HelpWindow* helpWindow() const { return help_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Seams for questions the user answers; tests override them.
  /// The design file chosen in the open dialog, empty when cancelled.
  virtual QString chooseWellFile();
  /// The copies answer; ok false when cancelled.
  virtual QString askCopies(bool* ok);
  /// The PDF file to print into, empty when cancelled.
  virtual QString choosePdfFile(const QString& suggested);
  /// Shows the page setup dialog; true when the page changed.
  virtual bool runPageSetupDialog();
  /// The Yes/No/Cancel question box itself.
  virtual Answer questionYesNoCancel(const std::string& text);
  /// The manual's help file.
  virtual QString helpFile() const;

 private:
  // The help window, opened on first use; null when the manual cannot be shown (told then).
  HelpWindow* openHelp();
  void buildMenus();
  void buildToolbar();
  void buildViews();
  void updateCaption();
  void fitView(QMdiSubWindow* window);
  // The four data views' displays, in the order the program has always refreshed them.
  void refreshDisplays();
  QString wellNoText() const;
  QWidget* viewWidget(int code) const;
  QMdiSubWindow* viewWindow(int code) const;
  void setMenusForPreview(bool preview);
  void rebuildPreview();
  void clearPreviewPages();
  void layoutPreviewPages();
  void runPlotOnPrinter();
  void previewUncertaintyPages();
  void disablePrinting();
  // A page the output would not start: a printer without pages is missing, a file says why.
  void pageRefused(PageOutput& out);
  // Closes the output; a file that could not be written says why.
  void finishOutput(PageOutput& out);
  // Runs a user command with the hourglass, never letting a failure escape the event loop.
  void guarded(const std::function<void()>& command);
  // A print run: one output, asks for the paper before every printer page.
  bool printSurveyRun(PageOutput& out);
  // dayin onto an output that is already open.
  void printAllOn(PageOutput& out);

  Session& session_;
  int currentView_ = kNoView;
  int busyDepth_ = 0;
  bool previewing_ = false;
  Answer lastAnswer_ = Answer::No;  // the last Yes/No/Cancel answer, to tell failure from Cancel
  double zoom_ = 1.0;

  QStackedWidget* centre_ = nullptr;
  QMdiArea* mdi_ = nullptr;
  QScrollArea* previewArea_ = nullptr;
  QWidget* previewCanvas_ = nullptr;
  QLabel* panel1_ = nullptr;
  QLabel* uncertaintyPanel_ = nullptr;
  QAction* showUncertaintyAction_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::array<QMenu*, 6> mainMenus_{};
  QAction* toolsMenu_ = nullptr;
  QAction* closePreviewMenu_ = nullptr;
  QAction* previewPageSetupMenu_ = nullptr;
  QAction* previewPrintMenu_ = nullptr;
  std::array<QAction*, kMethodCount> methodItems_{};

  SurveyView* survey_ = nullptr;
  DesignView* design_ = nullptr;
  TrajectoryView* trajectory_ = nullptr;
  AntiCollisionView* antiCollision_ = nullptr;
  ToolsView* tools_ = nullptr;
  std::array<QMdiSubWindow*, 6> windows_{};
  StationExchange* exchange_ = nullptr;

  QPointer<HelpWindow> help_;
  std::unique_ptr<QPrinter> printer_;
  std::vector<QPointer<PreviewPage>> pages_;
};

}  // namespace tarsek
