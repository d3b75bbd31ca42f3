#include "ui/station_import_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/numtext.h"
#include "ui/ui_support.h"

namespace tarsek {

namespace {

constexpr const char* kNoHeader = "未识别出表头，请选择测深、井斜、方位所在的列。";

QString formatName(ImportFormat f) {
  switch (f) {
    case ImportFormat::Xlsx:
      return QStringLiteral("Excel 工作簿");
    case ImportFormat::Witsml:
      return QStringLiteral("WITSML 轨迹");
    default:
      return QStringLiteral("文本");
  }
}

// The header row keeps its cells narrow; long cells would push the chooser off the screen.
QTableView* makeTable(QWidget* parent, const char* name) {
  auto* t = new QTableView(parent);
  t->setObjectName(QString::fromUtf8(name));
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->verticalHeader()->setVisible(false);
  // Fixed row heights: the view then never measures a hundred thousand rows.
  t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
  t->horizontalHeader()->setStretchLastSection(true);
  return t;
}

}  // namespace

// --- models --------------------------------------------------------------------------------------

void ImportedRowsModel::setRows(std::vector<ImportedRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ImportedRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ImportedRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant ImportedRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const ImportedRow& r = rows_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case 0:
      return r.line;
    case 1:
      return qs(formatGeneral(r.md));
    case 2:
      return qs(formatGeneral(r.inclination));
    case 3:
      return qs(formatGeneral(r.azimuth));
    default:
      return {};
  }
}

QVariant ImportedRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* titles[] = {"行号", "测深(m)", "井斜(°)", "方位(°)"};
  return section >= 0 && section < 4 ? QString::fromUtf8(titles[section]) : QVariant();
}

void RejectedLinesModel::setLines(std::vector<RejectedLine> lines) {
  beginResetModel();
  lines_ = std::move(lines);
  endResetModel();
}

int RejectedLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int RejectedLinesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1;
}

QVariant RejectedLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
  return qs(lines_[static_cast<std::size_t>(index.row())].reason);
}

QVariant RejectedLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section != 0) return {};
  return QStringLiteral("原因");
}

// --- the dialog ----------------------------------------------------------------------------------

StationImportDialog::StationImportDialog(const WellRecord& well, const QString& source,
                                         StationReader read, ParseResult first, QWidget* parent)
    : QDialog(parent), well_(well), read_(std::move(read)), parse_(std::move(first)) {
  setObjectName(QStringLiteral("stationImportDialog"));
  setWindowTitle(qs(kImportStationsTitle));
  buildControls(source);
  // An empty well has nothing to lose; otherwise the stations already there are kept unless
  // the user chooses to replace them.
  (well_.stationCount > 0 ? merge_ : replace_)->setChecked(true);
  filling_ = true;
  fillSheets();
  fillColumnChoices();
  filling_ = false;
  showParse();
  replan();
  resize(720, 640);
}

void StationImportDialog::buildControls(const QString& source) {
  auto* layout = new QVBoxLayout(this);

  sourceLabel_ = new QLabel(this);
  sourceLabel_->setObjectName(QStringLiteral("sourceLabel"));
  sourceLabel_->setText(QStringLiteral("来源：") + source);
  sourceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long path with the format notes wraps rather than widening the dialog past the screen.
  sourceLabel_->setWordWrap(true);
  layout->addWidget(sourceLabel_);

  auto* sheetRow = new QHBoxLayout;
  sheetLabel_ = new QLabel(QStringLiteral("工作表"), this);
  sheetCombo_ = new QComboBox(this);
  sheetCombo_->setObjectName(QStringLiteral("sheetCombo"));
  sheetRow->addWidget(sheetLabel_);
  sheetRow->addWidget(sheetCombo_, 1);
  layout->addLayout(sheetRow);

  auto* columns = new QGroupBox(QStringLiteral("列"), this);
  columns->setObjectName(QStringLiteral("columnsGroup"));
  auto* columnsLayout = new QVBoxLayout(columns);
  cellsTable_ = new QTableWidget(columns);
  cellsTable_->setObjectName(QStringLiteral("cellsTable"));
  cellsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  cellsTable_->setMaximumHeight(130);
  cellsTable_->verticalHeader()->setDefaultSectionSize(cellsTable_->fontMetrics().height() + 4);
  columnsLayout->addWidget(cellsTable_);
  auto* choices = new QHBoxLayout;
  auto combo = [&](QComboBox*& c, const char* name, const char* caption) {
    choices->addWidget(new QLabel(QString::fromUtf8(caption), columns));
    c = new QComboBox(columns);
    c->setObjectName(QString::fromUtf8(name));
    choices->addWidget(c);
  };
  combo(mdColumn_, "mdColumnCombo", "测深");
  combo(inclinationColumn_, "inclinationColumnCombo", "井斜");
  combo(azimuthColumn_, "azimuthColumnCombo", "方位");
  choices->addWidget(new QLabel(QStringLiteral("跳过行数"), columns));
  skipRows_ = new QSpinBox(columns);
  skipRows_->setObjectName(QStringLiteral("skipRowsSpin"));
  skipRows_->setRange(0, 1000);
  choices->addWidget(skipRows_);
  feet_ = new QCheckBox(QStringLiteral("测深为英尺"), columns);
  feet_->setObjectName(QStringLiteral("feetCheck"));
  choices->addWidget(feet_);
  choices->addStretch(1);
  columnsLayout->addLayout(choices);
  columnsHint_ = new QLabel(columns);
  columnsHint_->setObjectName(QStringLiteral("columnsHint"));
  columnsLayout->addWidget(columnsHint_);
  layout->addWidget(columns);

  rowsLabel_ = new QLabel(this);
  rowsLabel_->setObjectName(QStringLiteral("rowsLabel"));
  layout->addWidget(rowsLabel_);
  rowsModel_ = new ImportedRowsModel(this);
  rowsTable_ = makeTable(this, "rowsTable");
  rowsTable_->setModel(rowsModel_);
  rowsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  layout->addWidget(rowsTable_, 3);

  rejectedLabel_ = new QLabel(this);
  rejectedLabel_->setObjectName(QStringLiteral("rejectedLabel"));
  layout->addWidget(rejectedLabel_);
  rejectedModel_ = new RejectedLinesModel(this);
  rejectedTable_ = makeTable(this, "rejectedTable");
  rejectedTable_->horizontalHeader()->setVisible(false);
  rejectedTable_->setModel(rejectedModel_);
  layout->addWidget(rejectedTable_, 1);

  auto* mode = new QGroupBox(QStringLiteral("导入方式"), this);
  mode->setObjectName(QStringLiteral("modeGroup"));
  auto* modeLayout = new QHBoxLayout(mode);
  replace_ = new QRadioButton(QStringLiteral("替换现有测点"), mode);
  replace_->setObjectName(QStringLiteral("replaceRadio"));
  merge_ = new QRadioButton(QStringLiteral("合并到现有测点（同一测深的测点被替换）"), mode);
  merge_->setObjectName(QStringLiteral("mergeRadio"));
  modeLayout->addWidget(replace_);
  modeLayout->addWidget(merge_);
  modeLayout->addStretch(1);
  layout->addWidget(mode);

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("summaryLabel"));
  summary_->setWordWrap(true);
  layout->addWidget(summary_);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("okButton"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(replace_, &QRadioButton::toggled, this, [this] { replan(); });
  connect(sheetCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0) return;
    options_.sheetName.clear();
    options_.sheetIndex = index;
    // Another sheet has its own header; columns chosen for the last one mean nothing there.
    options_.columns = ColumnChoice{};
    reread();
  });
  for (QComboBox* c : {mdColumn_, inclinationColumn_, azimuthColumn_})
    connect(c, &QComboBox::currentIndexChanged, this, [this] { onColumnsChosen(); });
  connect(skipRows_, &QSpinBox::valueChanged, this, [this] { onColumnsChosen(); });
  connect(feet_, &QCheckBox::toggled, this, [this] { onColumnsChosen(); });
}

void StationImportDialog::fillSheets() {
  sheetCombo_->clear();
  for (const std::string& name : parse_.sheetNames) sheetCombo_->addItem(qs(name));
  if (!parse_.sheetNames.empty())
    sheetCombo_->setCurrentIndex(
        std::clamp<int>(options_.sheetIndex, 0, static_cast<int>(parse_.sheetNames.size()) - 1));
  const bool several = parse_.sheetNames.size() > 1;
  sheetLabel_->setVisible(several);
  sheetCombo_->setVisible(several);
}

void StationImportDialog::fillColumnChoices() {
  std::size_t count = 0;
  for (const auto& row : parse_.preview) count = std::max(count, row.size());
  const ColumnChoice& c = parse_.columns;
  count = static_cast<std::size_t>(
      std::max<int>(static_cast<int>(count), std::max({c.md, c.inclination, c.azimuth}) + 1));

  cellsTable_->clear();
  cellsTable_->setRowCount(static_cast<int>(parse_.preview.size()));
  cellsTable_->setColumnCount(static_cast<int>(count));
  QStringList titles;
  for (std::size_t k = 0; k < count; ++k) titles << QStringLiteral("第%1列").arg(k + 1);
  cellsTable_->setHorizontalHeaderLabels(titles);
  for (std::size_t r = 0; r < parse_.preview.size(); ++r)
    for (std::size_t k = 0; k < parse_.preview[r].size(); ++k)
      cellsTable_->setItem(static_cast<int>(r), static_cast<int>(k),
                           new QTableWidgetItem(qs(parse_.preview[r][k])));

  const auto fill = [&](QComboBox* combo, int chosen) {
    combo->clear();
    combo->addItem(QStringLiteral("未选"), -1);
    for (std::size_t k = 0; k < count; ++k) combo->addItem(titles[static_cast<int>(k)], int(k));
    combo->setCurrentIndex(chosen + 1);
  };
  fill(mdColumn_, c.md);
  fill(inclinationColumn_, c.inclination);
  fill(azimuthColumn_, c.azimuth);
  // Over a recognised header the reading starts below it whatever columns are chosen.
  skipRows_->setValue(c.skipRows);
  skipRows_->setEnabled(!parse_.headerFound);
  feet_->setChecked(parse_.mdInFeet);

  // A WITSML document names its values; there are no columns to choose.
  const bool columnsMatter = parse_.format != ImportFormat::Witsml;
  findChild<QGroupBox*>(QStringLiteral("columnsGroup"))->setVisible(columnsMatter);
}

void StationImportDialog::showParse() {
  QString source = sourceLabel_->text().section(QStringLiteral("    "), 0, 0);
  if (parse_.ok) {
    source += QStringLiteral("    格式：") + formatName(parse_.format);
    if (!parse_.encoding.empty()) source += QStringLiteral("    编码：") + qs(parse_.encoding);
    if (parse_.azimuthReference == AzimuthReference::Corrected)
      source += QStringLiteral("    方位以网格北或真北为准，导入时减去磁偏角");
  }
  sourceLabel_->setText(source);

  if (!parse_.ok)
    columnsHint_->setText(qs(parse_.message));
  else if (parse_.needsColumns)
    columnsHint_->setText(QString::fromUtf8(kNoHeader));
  else if (parse_.headerFound && !options_.columns.complete())
    columnsHint_->setText(QStringLiteral("已按第%1行的表头识别各列。").arg(parse_.headerLine));
  else
    columnsHint_->setText(QStringLiteral("按所选的列读取。"));

  rowsModel_->setRows(parse_.rows);
  rowsLabel_->setText(QStringLiteral("读出的测点：%1个").arg(parse_.rows.size()));
}

void StationImportDialog::replan() {
  const ImportMode mode = replace_->isChecked() ? ImportMode::Replace : ImportMode::Merge;
  if (parse_.ok && !parse_.needsColumns) {
    plan_ = PlanImport(well_, parse_.rows, mode, parse_.azimuthReference);
  } else {
    plan_ = ImportPlan{};
    plan_.mode = mode;
    plan_.message = parse_.ok ? kNoHeader : parse_.message;
  }

  // The reader's refusals and the plan's (a depth given twice) in the order of the file.
  std::vector<RejectedLine> rejected = parse_.rejected;
  rejected.insert(rejected.end(), plan_.rejected.begin(), plan_.rejected.end());
  std::stable_sort(rejected.begin(), rejected.end(),
                   [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });
  rejectedLabel_->setText(QStringLiteral("未导入的行：%1行").arg(rejected.size()));
  rejectedModel_->setLines(std::move(rejected));

  if (!plan_.ok) {
    summary_->setText(qs(plan_.message));
  } else if (!plan_.changesAnything()) {
    summary_->setText(qs(DescribePlan(plan_)) + QStringLiteral("。测点没有变化。"));
  } else {
    summary_->setText(qs(DescribePlan(plan_)) +
                      QStringLiteral("。确定后测点数为%1个。").arg(plan_.stations.size()));
  }
  ok_->setEnabled(plan_.ok && plan_.changesAnything());
}

void StationImportDialog::onColumnsChosen() {
  if (filling_) return;
  ColumnChoice c;
  c.md = mdColumn_->currentData().toInt();
  c.inclination = inclinationColumn_->currentData().toInt();
  c.azimuth = azimuthColumn_->currentData().toInt();
  c.mdInFeet = feet_->isChecked();
  c.skipRows = skipRows_->value();
  options_.columns = c;
  // Until all three are chosen the header, if any, still decides; nothing to read again.
  if (c.complete() || parse_.headerFound) reread();
}

void StationImportDialog::reread() {
  if (!read_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  parse_ = read_(options_);
  QApplication::restoreOverrideCursor();
  filling_ = true;
  if (parse_.ok) fillColumnChoices();
  filling_ = false;
  showParse();
  replan();
}

}  // namespace tarsek
