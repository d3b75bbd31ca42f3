#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>
#include <vector>

#include "exchange/import_plan.h"
#include "exchange/station_import.h"
#include "model/well_record.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace tarsek {

/// The rows a file gave, as a table model: 行号, 测深, 井斜, 方位. A view over the parse result,
/// so that a file of a hundred thousand lines costs no widget per row.
class ImportedRowsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  /// Shows rows (copied) in place of what was shown.
  void setRows(std::vector<ImportedRow> rows);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<ImportedRow> rows_;
};

/// The lines refused while reading or planning, one reason per row.
class RejectedLinesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  /// Shows lines (copied) in place of what was shown.
  void setLines(std::vector<RejectedLine> lines);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<RejectedLine> lines_;
};

/// Reads the import source again with other options (a sheet, chosen columns).
using StationReader = std::function<ParseResult(const ImportOptions&)>;

/// The preview before an import changes anything: the rows read, every refused line with its
/// reason, the sheet and column choices, replace or merge, and what the import would change.
/// The dialog only plans; the caller applies plan() when it is accepted.
class StationImportDialog : public QDialog {
  Q_OBJECT
 public:
  /// well: the open well the plan is made against; source: the file name or "剪贴板" shown
  /// at the top; read: reads the source with given options; first: the first reading.
  StationImportDialog(const WellRecord& well, const QString& source, StationReader read,
                      ParseResult first, QWidget* parent = nullptr);

  /// The plan for the current choices; apply it only when the dialog was accepted.
  const ImportPlan& plan() const noexcept { return plan_; }
  /// The last reading of the source.
  const ParseResult& parse() const noexcept { return parse_; }
  /// The options the source was last read with.
  const ImportOptions& options() const noexcept { return options_; }

 private:
  void buildControls(const QString& source);
  void fillSheets();
  void fillColumnChoices();
  void showParse();
  void replan();
  void reread();
  void onColumnsChosen();

  const WellRecord& well_;
  StationReader read_;
  ParseResult parse_;
  ImportOptions options_;
  ImportPlan plan_;
  bool filling_ = false;  // true while the controls are filled from a reading

  QLabel* sourceLabel_ = nullptr;
  QLabel* sheetLabel_ = nullptr;
  QComboBox* sheetCombo_ = nullptr;
  QTableWidget* cellsTable_ = nullptr;
  QComboBox* mdColumn_ = nullptr;
  QComboBox* inclinationColumn_ = nullptr;
  QComboBox* azimuthColumn_ = nullptr;
  QSpinBox* skipRows_ = nullptr;
  QCheckBox* feet_ = nullptr;
  QLabel* columnsHint_ = nullptr;
  QLabel* rowsLabel_ = nullptr;
  QTableView* rowsTable_ = nullptr;
  ImportedRowsModel* rowsModel_ = nullptr;
  QLabel* rejectedLabel_ = nullptr;
  QTableView* rejectedTable_ = nullptr;
  RejectedLinesModel* rejectedModel_ = nullptr;
  QRadioButton* replace_ = nullptr;
  QRadioButton* merge_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace tarsek
