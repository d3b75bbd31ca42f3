#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>

#include "design/design_input.h"
#include "ui/view_host.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tarsek {

class PictureBox;
class TargetDialog;

/// The 设计数据 view (P设计数据) of the main window: the well number, the basic data and the
/// profile parameters of the open well, the design and its save, and the segment and point
/// tables of the design.
class DesignView : public QWidget {
  Q_OBJECT
 public:
  explicit DesignView(ViewHost& host, QWidget* parent = nullptr);
  /// Fills the form from the well record and redraws both tables; nothing while no well is open.
  /// Values typed and not yet taken by "确定" stay in their boxes: only the tables are redrawn.
  void showBasicData();

  /// True while the boxes hold typed values that "确定" has not yet made into a design.
  bool hasUnconfirmedEdits() const noexcept { return editsPending_; }
  /// The save question for the well being left (AskToSaveChanges), covering typed values too:
  /// Yes takes them through "确定" first and saves only when that designs the well; when it
  /// does not, the answer counts as Cancel and the status bar says why. No leaves them out of
  /// the files. -1 when the user cancelled or nothing could be saved, else 0.
  int askToSaveChanges();
  /// Forgets typed values, so that the next display shows the record (a well was loaded).
  void dropUnconfirmedEdits() noexcept { editsPending_ = false; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildControls();
  void placeControls();
  void setTwoTargetGroupEnabled(bool enabled);
  DesignFormValues readForm() const;
  bool accept();  // confirmButton_ "确定"; true when it designed the well
  DesignFormResult
  confirmEdits();  // "确定" for the open well's number, whatever wellNumberEdit_ holds
  DesignFormResult designFromForm(const std::string& wellNo);
  void save();            // saveButton_ "保存"
  void wellNumberLeft();  // wellNumberEdit_ lost the focus
  void openTargetDialog();
  bool basicDataKey(int k, QKeyEvent* key);
  bool profileKey(int k, QKeyEvent* key);
  void refreshCaption();
  void markEdited();

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  bool wellNumberBusy_ = false;
  bool editsPending_ = false;    // typed values not yet made into a design
  std::string refusal_;          // why the last "确定" made no design, as the status said
  std::string questionRefusal_;  // why a Yes to the save question saved nothing

  QWidget* panel_ = nullptr;
  QLabel* wellNumberCaption_ = nullptr;
  QLineEdit* wellNumberEdit_ = nullptr;
  QRadioButton* singleTargetOption_ = nullptr;
  QRadioButton* twoTargetOption_ = nullptr;
  QGroupBox* basicDataGroup_ = nullptr;
  QGroupBox* padWellheadGroup_ = nullptr;
  QGroupBox* targetGroup_ = nullptr;
  QGroupBox* wellheadGroup_ = nullptr;
  QGroupBox* profileGroup_ = nullptr;
  std::array<QLineEdit*, 11> basicDataEdits_{};
  std::array<QLineEdit*, 7> profileEdits_{};
  QLabel* wellheadXDisplay_ = nullptr;
  QLabel* wellheadYDisplay_ = nullptr;
  QLineEdit* designAzimuthEdit_ = nullptr;
  QLineEdit* displacement1Edit_ = nullptr;
  QLineEdit* displacement2Edit_ = nullptr;
  QLabel* target2TvdCaption_ = nullptr;
  QLabel* target2XCaption_ = nullptr;
  QLabel* target2YCaption_ = nullptr;
  QLabel* dropRateCaption_ = nullptr;
  QLabel* displacement2Caption_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  PictureBox* segmentTable_ = nullptr;
  QWidget* pointTableFrame_ = nullptr;
  PictureBox* pointTableTitles_ = nullptr;
  PictureBox* pointTable_ = nullptr;
  QScrollBar* pointScrollBar_ = nullptr;
  QPointer<TargetDialog> targetDialog_;
};

}  // namespace tarsek
