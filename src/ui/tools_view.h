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
    kTurnBeforeGroup,
    kCasingGroup,
    kHydraulicsGroup,
    kStuckPointGroup,
    kShutInGroup,
    kWeightingGroup,
    kOriginalDensityGroup,
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
  /// Puts the chosen casing grade (or the hint of the first entry) back into casingGradeCombo_.
  void showCasingGrade();
  /// casingGradeCombo_'s text was edited and left: a catalogue entry is chosen, anything else
  /// reverts.
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
  std::array<QLineEdit*, 12> hydraulicsEdits_{};
  std::array<QLineEdit*, 3> casingEdits_{};
  std::array<QLineEdit*, 4> stuckPointEdits_{};
  std::array<QLineEdit*, 2> shutInEdits_{};
  std::array<QLineEdit*, 3> weightingEdits_{};
  std::array<QLineEdit*, 3> turnBeforeEdits_{};
  QLineEdit* originalDensityEdit_ = nullptr;
  QLineEdit* weightingResult_ = nullptr;
  QLineEdit* stuckDepthResult_ = nullptr;
  QLabel* oilVolumeResult_ = nullptr;
  QLineEdit* orientAzimuthEdit_ = nullptr;
  QLineEdit* initialToolfaceEdit_ = nullptr;
  QLineEdit* turnBuildRateEdit_ = nullptr;
  QLineEdit* reactiveTorqueResult_ = nullptr;
  QLineEdit* turnAfterMdEdit_ = nullptr;
  QLineEdit* turnAfterInclinationEdit_ = nullptr;
  QLineEdit* turnAfterAzimuthEdit_ = nullptr;
  QComboBox* casingGradeCombo_ = nullptr;
  QComboBox* drillPipeCombo_ = nullptr;
  PictureBox* hydraulicsPicture_ = nullptr;
  PictureBox* casingPicture_ = nullptr;

  std::vector<std::string> hydraulicsLines_;  ///< what hydraulicsPicture_ shows
  std::vector<std::string> casingLines_;      ///< what casingPicture_ shows

  // Kept between events of the kill frame.
  double originalDensity_ = 0;  ///< ρ0 as last read
  double plannedDensity_ = 0;   ///< ρp: the planned density as last read or computed
  bool marginAdded_ = false;    ///< the additional-pressure margin is in the planned density
  int casingGrade_ = -1;  ///< catalogue entry chosen in casingGradeCombo_, -1 before any choice
  bool finishingGradeEdit_ = false;  ///< casingGradeCombo_'s finished edit is being handled
};

}  // namespace tarsek
