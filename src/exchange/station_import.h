#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsek {

/// The kinds of file the station import reads.
enum class ImportFormat {
  Detect,  ///< from the content: a zip is .xlsx, XML is WITSML, anything else delimited text
  Text,    ///< CSV, TSV, semicolon- or whitespace-separated text
  Xlsx,    ///< an Excel workbook (Office Open XML)
  Witsml,  ///< a WITSML 1.4.1 trajectory document
};

/// Columns chosen by the caller when no header is recognised (or to override the header).
/// Indices are 0-based; -1 means not chosen. All three must be chosen to take effect.
struct ColumnChoice {
  int md = -1;            ///< column of the measured depth
  int inclination = -1;   ///< column of the inclination
  int azimuth = -1;       ///< column of the azimuth
  bool mdInFeet = false;  ///< true: the depth column is in feet and is converted to metres
  int skipRows = 0;       ///< leading non-empty rows to pass over (an unrecognised header)

  /// True when all three columns are chosen.
  bool complete() const noexcept { return md >= 0 && inclination >= 0 && azimuth >= 0; }
};

/// How to read a file.
struct ImportOptions {
  ImportFormat format = ImportFormat::Detect;
  ColumnChoice columns;   ///< used when complete(); otherwise the header decides
  std::string sheetName;  ///< .xlsx: the sheet of this name; empty: see sheetIndex
  int sheetIndex = 0;     ///< .xlsx: 0-based position of the sheet when sheetName is empty
};

/// A file bigger than this is refused before it is read, bytes.
inline constexpr std::size_t kMaxImportFileBytes = 64u << 20;
/// A line (text) or a cell longer than this is rejected without being copied, bytes.
inline constexpr std::size_t kMaxImportLineBytes = 4096;

/// The north a file's azimuths are measured from.
enum class AzimuthReference {
  Magnetic,   ///< as measured, like typed stations
  Corrected,  ///< grid or true north: the measured azimuth plus the well's magnetic declination
};

/// One accepted station: measured depth in metres, inclination and magnetic azimuth in degrees,
/// with the line (text, WITSML) or row (.xlsx) of the file it came from, 1-based.
struct ImportedRow {
  int line = 0;
  double md = 0;
  double inclination = 0;
  double azimuth = 0;
};

/// A line that did not become a station. reason is the whole Chinese text shown to the user,
/// line number included ("第12行：井斜不在0到180之间").
struct RejectedLine {
  int line = 0;
  std::string reason;
};

/// What reading a file gave. When ok is false the file was refused as a whole (message says
/// why) and rows and rejected are empty: a half-read file never yields stations.
struct ParseResult {
  bool ok = false;
  std::string message;                         ///< whole-file refusal, Chinese; empty when ok
  ImportFormat format = ImportFormat::Detect;  ///< the format actually read
  std::string encoding;       ///< text and WITSML: "UTF-8" or "GB18030"; .xlsx: "UTF-8"
  bool headerFound = false;   ///< a header naming all three columns was recognised
  bool needsColumns = false;  ///< no header recognised and no complete ColumnChoice given:
                              ///< rows is empty; ask the caller to choose columns
  int headerLine = 0;         ///< line/row of the recognised header, 0 when none
  ColumnChoice columns;       ///< the columns read (from the header or the caller)
  bool mdInFeet = false;      ///< the depths were converted from feet
  /// WITSML: the trajectory's aziRef; Corrected for "grid north" and "true north", whose
  /// azimuths the import takes the well's declination off again. Text and .xlsx: Magnetic.
  AzimuthReference azimuthReference = AzimuthReference::Magnetic;
  std::vector<std::string> sheetNames;            ///< .xlsx: every sheet, in workbook order
  std::vector<std::vector<std::string>> preview;  ///< the first rows' cells as text (up to 20
                                                  ///< rows), for a column chooser
  std::vector<ImportedRow> rows;                  ///< accepted stations in file order
  std::vector<RejectedLine> rejected;             ///< in file order

  explicit operator bool() const noexcept { return ok; }
};

/// Reads stations from a file on disk in any supported format. Never throws; a file that
/// cannot be opened, is too big, is binary or is not in UTF-8/GB18030 is refused (ok false).
ParseResult ReadStationFile(const std::string& path, const ImportOptions& options = {});

/// Reads stations from delimited text held in memory (a file's bytes or the clipboard):
/// UTF-8 with or without BOM, or GB18030; separator tab, semicolon, comma or blanks.
ParseResult ParseStationText(std::string_view bytes, const ImportOptions& options = {});

/// Reads the trajectoryStation entries of a WITSML 1.4.1 trajectory document held in memory;
/// md in m or ft, incl and azi in dega or rad by their uom. Documents with DOCTYPE or entity
/// declarations are refused.
ParseResult ParseWitsmlTrajectory(std::string_view bytes);

/// Reads one sheet (options.sheetName / sheetIndex) of an .xlsx workbook held in memory.
ParseResult ParseXlsxStations(std::string_view bytes, const ImportOptions& options = {});

}  // namespace tarsek
