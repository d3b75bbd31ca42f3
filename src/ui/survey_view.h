#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include "ui/painter_surface.h"
#include "ui/view_host.h"

namespace tarsek {

/// The 测斜数据 view (P测斜数据) of the main window: the entry row for survey stations, the
/// prediction of the hole still to drill, the guidance panel and the station table.
class SurveyView : public QWidget {
  Q_OBJECT
 public:
  explicit SurveyView(ViewHost& host, QWidget* parent = nullptr);
  /// Redraws the guidance panel and the station table from the open well.
  void refreshSurvey();
  /// Clears the inclination and azimuth boxes and the vertical depth of the entry row.
  void clearEntry();

  /// Pixel offset of the first visible table row (the table scrolls through tableScrollBar_).
  int tableScrollOffset() const;
  /// Height in pixels that all rows of the table would take.
  int tableContentHeight() const { return tableHeight_; }

 signals:
  /// Ctrl+V while the station table has the focus: stations from the clipboard are wanted.
  void pasteRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildControls();
  void layoutTable();
  void refresh();

  void onStationNumberChanged();
  void onMdChanged();
  void onTvdChanged();
  void onTvdEditLeft();
  void onTvdClicked();
  void onAdd();
  void onStore();
  void onDelete();
  void onSave();
  void onPredict();
  void onCancelPrediction();

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  double lineHeightPx() const;

  PictureBox* guidancePanel_ = nullptr;
  PictureBox* tableFrame_ = nullptr;
  PictureBox* tableHeader_ = nullptr;
  PictureBox* tableRows_ = nullptr;
  QScrollBar* tableScrollBar_ = nullptr;
  QScrollBar* stationScrollBar_ = nullptr;
  QLabel* stationNumberCaption_ = nullptr;
  QLabel* mdCaption_ = nullptr;
  QLabel* inclinationCaption_ = nullptr;
  QLabel* azimuthCaption_ = nullptr;
  QLabel* tvdCaption_ = nullptr;
  QLabel* buildRateCaption_ = nullptr;
  QLabel* walkRateCaption_ = nullptr;
  QLineEdit* stationNumberEdit_ = nullptr;
  QLineEdit* mdEdit_ = nullptr;
  QLineEdit* inclinationEdit_ = nullptr;
  QLineEdit* azimuthEdit_ = nullptr;
  QLabel* tvdDisplay_ = nullptr;
  QLineEdit* tvdEdit_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* storeButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QGroupBox* predictionGroup_ = nullptr;
  QLineEdit* buildRateEdit_ = nullptr;
  QLineEdit* walkRateEdit_ = nullptr;
  QPushButton* predictButton_ = nullptr;
  QPushButton* cancelPredictionButton_ = nullptr;

  int tableHeight_ = 0;  // virtual height of tableRows_, pixels
};

}  // namespace tarsek
