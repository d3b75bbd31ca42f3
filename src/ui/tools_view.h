#pragma once

#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/azimuth_turn.h"
#include "tools/tool_limits.h"
#include "ui/view_host.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarsek {

class PictureBox;

/// The 工具箱 view (p工具) of the main window: five drilling calculators that recompute as the
/// numbers are typed and never touch the open well.
class ToolsView : public QWidget {
  Q_OBJECT
 public:
  explicit ToolsView(ViewHost& host, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// The input groups that share the key filter and the Enter chain.
  enum Group {
    k测深,
    k套管,
    k水力参数,
    k卡点深,
    k关井基本数据,
    k加重剂用量,
    k原浆de比重,
    kGroupCount
  };

  void buildHydraulics(QWidget* frame);
  void buildCasing(QWidget* frame);
  void buildKill(QWidget* frame);
  void buildStuckPoint(QWidget* frame);
  void buildTurn(QWidget* frame);

  /// "工具计算" and the well number in the status bar.
  void writeToolStatus();
  /// Key filter and Enter navigation of a filtered box; true when the key is consumed.
  bool filterKey(QLineEdit* box, Group group, int index, QKeyEvent* key);
  void focusBox(QLineEdit* box);

  /// Shows the refusal of out-of-range inputs in the status bar; true when refused.
  bool refused(ToolCalculator calculator, std::initializer_list<double> values);
  bool turnRefused(const TurnInput& in);
  /// Puts the chosen casing grade (or the hint of the first entry) back into Combo1.
  void showCasingGrade();
  /// Combo1's text was edited and left: a catalogue entry is chosen, anything else reverts.
  void onGradeEdited();

  void recomputeHydraulics();
  void recomputeCasing();
  void onKillInputChanged();
  void onWeightingInputChanged();
  void onMarginClicked();
  void recomputeStuckPoint();
  void onReactiveTorqueClicked();
  void onPredictTurnClicked();
  void onInitialToolfaceClicked();

  ViewHost& host_;

  std::array<std::vector<QLineEdit*>, kGroupCount> groups_;
  std::array<QLineEdit*, 12> 水力参数_{};
  std::array<QLineEdit*, 3> 套管_{};
  std::array<QLineEdit*, 4> 卡点深_{};
  std::array<QLineEdit*, 2> 关井基本数据_{};
  std::array<QLineEdit*, 3> 加重剂用量_{};
  std::array<QLineEdit*, 3> 测深_{};
  QLineEdit* 原浆de比重_ = nullptr;
  QLineEdit* 加重剂重量_ = nullptr;
  QLineEdit* 卡点_ = nullptr;
  QLabel* 泡油_ = nullptr;
  QLineEdit* T4_ = nullptr;
  QLineEdit* T5_ = nullptr;
  QLineEdit* T6_ = nullptr;
  QLineEdit* T7_ = nullptr;
  QLineEdit* T8_ = nullptr;
  QLineEdit* T9_ = nullptr;
  QLineEdit* T10_ = nullptr;
  QComboBox* Combo1_ = nullptr;
  QComboBox* Combo2_ = nullptr;
  PictureBox* P1_ = nullptr;
  PictureBox* Picture1_ = nullptr;

  std::vector<std::string> hydraulicsLines_;  ///< what P1 shows
  std::vector<std::string> casingLines_;      ///< what Picture1 shows

  // Kept between events of the kill frame.
  double originalDensity_ = 0;  ///< ρ0 as last read
  double plannedDensity_ = 0;   ///< ρp: the planned density as last read or computed
  bool marginAdded_ = false;    ///< the additional-pressure margin is in the planned density
  int casingGrade_ = -1;        ///< catalogue entry chosen in Combo1, -1 before any choice
  bool finishingGradeEdit_ = false;  ///< Combo1's finished edit is being handled
};

}  // namespace tarsek
