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
  void 测斜数据显示();
  /// Clears the inclination and azimuth boxes and the vertical depth of the entry row.
  void 测斜数据初始();

  /// Pixel offset of the first visible table row (the table scrolls through VScroll1).
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

  void on序号Change();
  void onT测深Change();
  void onT垂深Change();
  void onT垂深Leave();
  void onL垂深Click();
  void on增加();
  void on确定();
  void on删除();
  void on保存();
  void on预算();
  void on取消预算();

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  double lineHeightPx() const;

  PictureBox* Picture1 = nullptr;
  PictureBox* Picture4 = nullptr;
  PictureBox* Picture5 = nullptr;
  PictureBox* Picture6 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QScrollBar* VScroll2 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label15 = nullptr;
  QLineEdit* 序号 = nullptr;
  QLineEdit* T测深 = nullptr;
  QLineEdit* T井斜 = nullptr;
  QLineEdit* T方位 = nullptr;
  QLabel* L垂深 = nullptr;
  QLineEdit* T垂深 = nullptr;
  QPushButton* 增加 = nullptr;
  QPushButton* 确定 = nullptr;
  QPushButton* 删除 = nullptr;
  QPushButton* Command4 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLineEdit* T11 = nullptr;
  QLineEdit* T10 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command1 = nullptr;

  int tableHeight_ = 0;  // virtual height of Picture6, pixels
};

}  // namespace tarsek
