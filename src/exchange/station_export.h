#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/well_state.h"

namespace tarsek {

/// One column of an exported table: its Chinese title, its unit ("m", "°", "°/30m"; empty for
/// none), the decimals it is printed with, and one value per row. A value that is not finite
/// (not computed for that row) is written as an empty cell.
struct ExportColumn {
  std::string title;
  std::string unit;
  int decimals = 2;
  std::vector<double> values;
  /// Printed with every digit the value needs (at least decimals, up to the 15 significant
  /// digits of the survey file), so that the file reads back as the very same value. The
  /// measured depth, inclination and azimuth are exact: they are the stations themselves.
  bool exact = false;
};

/// The text a value of the column is written as in CSV and WITSML files: decimals places, or
/// for an exact column as many as the value needs; empty for a value that is not finite.
std::string ExportCellText(const ExportColumn& column, double value);

/// A table ready to write: every column has the same number of values. The first three
/// columns are always 测深 (m), 井斜 (°) and 方位 (°), so that the file reads back as stations.
struct ExportTable {
  std::string wellNo;  ///< the well's number, UTF-8
  std::string name;    ///< what the table holds ("测斜数据 平均角法", "设计轨迹")
  std::vector<ExportColumn> columns;
  bool design = false;  ///< design points rather than survey stations

  /// The number of rows (values of the first column; 0 without columns).
  std::size_t rowCount() const noexcept { return columns.empty() ? 0 : columns[0].values.size(); }
};

/// Supplies further columns for an exported table, computed elsewhere (position uncertainty,
/// say): called with the session and whether the design points are exported, it returns the
/// columns with one value per row, or none when it has nothing for this table.
using ExportColumnSource =
    std::function<std::vector<ExportColumn>(const WellState& session, bool design)>;

/// Registers a source whose columns every later SurveyExportTable and DesignExportTable call
/// appends, in the order the sources were added; the writers carry them like any other column.
/// Returns a number that RemoveExportColumnSource takes.
int AddExportColumnSource(ExportColumnSource source);

/// Stops consulting the source AddExportColumnSource returned id for.
void RemoveExportColumnSource(int id);

/// The open well's stations with every computed value of the session's current method:
/// 测深, 井斜, 方位, 网格方位, 垂深, 北坐标, 东坐标, 水平长度, 闭合距, 闭合方位, 视位移, 偏移距,
/// 狗腿度, then the columns of the registered sources, then extraColumns as given; a column
/// whose value count differs from the station count is left out.
ExportTable SurveyExportTable(const WellState& session,
                              const std::vector<ExportColumn>& extraColumns = {});

/// The open well's design points (the design trajectory every 30 m) with the same computed
/// columns as SurveyExportTable.
ExportTable DesignExportTable(const WellState& session,
                              const std::vector<ExportColumn>& extraColumns = {});

/// The kinds of file an export writes.
enum class ExportFormat {
  FromExtension,  ///< .csv/.txt → Csv, .xlsx → Xlsx, .xml → Witsml
  Csv,
  Xlsx,
  Witsml,
};

/// The code page of an exported CSV file.
enum class TextEncoding {
  Utf8Bom,  ///< UTF-8 with a byte-order mark, which Excel opens correctly
  Gb18030,  ///< for older spreadsheets
};

/// The table as CSV text: a header row "测深(m),井斜(°),…", then one row per station with each
/// value at its column's decimals; CRLF line ends. False with a message when the text cannot
/// be encoded (a character GB18030 lacks).
bool FormatCsv(const ExportTable& table, TextEncoding encoding, std::string& out,
               std::string& message);

/// The table as a WITSML 1.4.1 trajectory document (UTF-8): one trajectoryStation per row with
/// md, tvd, incl, azi (magnetic), dispNs, dispEw, vertSect and dls where the table has them.
std::string FormatWitsml(const ExportTable& table);

/// Writes the table to path in the format asked for (or the path's extension), atomically:
/// a temporary file beside it, then renamed over path, so that a failed write leaves the old
/// file as it was. False with a Chinese message naming the file on failure.
bool WriteStationFile(const ExportTable& table, const std::string& path, ExportFormat format,
                      TextEncoding encoding, std::string& message);

}  // namespace tarsek
