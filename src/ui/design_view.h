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
  void 基本数据显示();

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
  bool accept();                    // Command10 "确定"; true when it designed the well
  DesignFormResult confirmEdits();  // "确定" for the open well's number, whatever Text6 holds
  DesignFormResult designFromForm(const std::string& wellNo);
  void save();            // Command20 "保存"
  void wellNumberLeft();  // Text6 lost the focus
  void openTargetDialog();
  bool text2Key(int k, QKeyEvent* key);
  bool text200Key(int k, QKeyEvent* key);
  void refreshCaption();
  void markEdited();

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  bool wellNumberBusy_ = false;
  bool editsPending_ = false;    // typed values not yet made into a design
  std::string refusal_;          // why the last "确定" made no design, as the status said
  std::string questionRefusal_;  // why a Yes to the save question saved nothing

  QWidget* panel_ = nullptr;
  QLabel* Label41 = nullptr;
  QLineEdit* Text6 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QGroupBox* Frame8 = nullptr;
  QGroupBox* Frame6 = nullptr;
  QGroupBox* Frame5 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QGroupBox* Frame7 = nullptr;
  std::array<QLineEdit*, 11> Text2{};
  std::array<QLineEdit*, 7> Text200{};
  QLabel* L3 = nullptr;
  QLabel* L4 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* Command10 = nullptr;
  QPushButton* Command20 = nullptr;
  PictureBox* Picture12 = nullptr;
  QWidget* Picture8 = nullptr;
  PictureBox* Picture9 = nullptr;
  PictureBox* Picture10 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QPointer<TargetDialog> form2_;
};

}  // namespace tarsek
