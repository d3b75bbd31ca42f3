#pragma once

#include <QWidget>
#include <random>
#include <string>

#include "anticollision/anticollision_chart.h"
#include "anticollision/clearance_scan.h"
#include "ui/view_host.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollBar;
class QTimer;

namespace tarsek {

class PictureBox;

/// The 防碰图 view (P防碰图) of the main window: picks neighbour wells, scans the clearance to
/// each and draws the spacing or the trend chart.
class AntiCollisionView : public QWidget {
  Q_OBJECT
 public:
  explicit AntiCollisionView(ViewHost& host, QWidget* parent = nullptr);
  /// Runs the scan with the step in stepEdit_ ("Text步长"), refreshes the texts and redraws the
  /// chart.
  void rescan();
  /// Empties the neighbour list, the texts and both pictures; stops both timers.
  void clearNeighbours();
  /// Redraws the chart on show: spacing or trend by chartSwitchButton_'s caption.
  void redrawChart();
  /// Shows the spacing chart (the open well fixed at the centre).
  void showSpacingChart();
  /// Shows the trend chart with the pan offsets.
  void showTrendChart(double& panX, double& panY);
  /// Reads the design file fileName of the well directory as a new neighbour and, when it is
  /// accepted, draws its legend line and runs the scan.
  void addNeighbour(const QString& fileName);
  /// Re-reads the "*.kvd" names of the well directory into neighbourFileList_.
  void refreshFileList();

  /// Replaces how neighbour files are read (tests) and the colour engine's seed.
  void setNeighbourLoader(NeighbourLoader loader) { loader_ = std::move(loader); }
  void seedColours(std::uint32_t seed) { colourEngine_.seed(seed); }

  /// The scan results the charts are drawn from.
  const ClearanceScan& scan() const noexcept { return scan_; }
  double panOffsetX() const noexcept { return panOffsetX_; }
  double panOffsetY() const noexcept { return panOffsetY_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool spacingOnShow() const;
  bool separationShown() const;
  void showSeparationOffer();
  ChartFrame currentFrame() const;
  void paintChart(Surface& s);
  void placeMarker();
  void showTexts();
  void setClosestCaptionColour(Colour c);
  bool stepKey(QKeyEvent* key);
  void chartMouse(QEvent* event);
  void onFileClicked(QListWidgetItem* item);
  void onZoomChanged(int value);
  void onSwitch();
  void onPanTick();
  void onBlink();

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  QListWidget* neighbourFileList_ = nullptr;
  QLineEdit* stepEdit_ = nullptr;
  QScrollBar* zoomScrollBar_ = nullptr;
  QLabel* zoomDisplay_ = nullptr;
  QPushButton* chartSwitchButton_ = nullptr;
  QPushButton* sfChartButton_ = nullptr;
  PictureBox* chart_ = nullptr;
  QLabel* tvdTip_ = nullptr;
  QLabel* detailLabels_[5] = {};
  QWidget* closestMarker_ = nullptr;
  PictureBox* legend_ = nullptr;
  QLabel* closestText_ = nullptr;
  QLabel* closestCaption_ = nullptr;
  QTimer* blinkTimer_ = nullptr;
  QTimer* panTimer_ = nullptr;

  ClearanceScan scan_;
  NeighbourLoader loader_;
  std::mt19937 colourEngine_;
  int zoom_ = 25;
  bool chartDrawn_ = false;
  double panOffsetX_ = 0;
  double panOffsetY_ = 0;
  PanDirection panDir_;
};

}  // namespace tarsek
