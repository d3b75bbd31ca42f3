#pragma once

// Shared by the readers: a file becomes rows of cells, and one routine turns rows of cells into
// stations, so that text, spreadsheets and the clipboard follow the same header, unit and range
// rules.

#include <string>
#include <string_view>
#include <vector>

#include "exchange/station_import.h"

namespace tarsek::exchange {

/// What a cell holds, as far as the reader could tell.
enum class CellKind {
  Empty,
  Value,                ///< text or a number written as text
  Date,                 ///< a number shown with a date format
  FormulaWithoutValue,  ///< a formula whose result the file does not hold
  Error,                ///< a spreadsheet error value (#DIV/0! ...)
  Merged,               ///< covered by a merged range that starts in another cell
};

struct Cell {
  CellKind kind = CellKind::Empty;
  std::string text;
};

/// One line of a text file or one row of a sheet. A non-empty reason rejects it outright
/// (a line too long to read, an unbalanced quote).
struct RawRow {
  int line = 0;
  std::vector<Cell> cells;
  std::string reason;
};

/// "第N行：" + what.
std::string lineReason(int line, std::string_view what);

/// Reads a number the way the import accepts it: blanks around, an optional sign, digits with
/// "." (or "," when decimalComma) as the decimal point, an optional exponent, nothing else.
bool parseNumber(std::string_view text, bool decimalComma, double& out) noexcept;

/// Checks one station already in metres and degrees and appends it to result.rows, or its
/// reason to result.rejected.
void acceptStation(int line, double md, double inclination, double azimuth, ParseResult& result);

/// Finds the header (or takes options.columns), reads the data rows into result.rows and
/// result.rejected, and fills result.preview. decimalComma: "," may be the decimal point.
void interpretRows(const std::vector<RawRow>& rows, const ImportOptions& options, bool decimalComma,
                   ParseResult& result);

/// The message of a file refused as a whole, with rows and rejected cleared.
void refuse(ParseResult& result, std::string message);

/// Converts file bytes to UTF-8 text: a UTF-8 byte-order mark is dropped, valid UTF-8 is taken
/// as it is, anything else is read as GB18030. False with a message for binary data or bytes
/// valid in neither.
bool decodeText(std::string_view bytes, std::string& text, std::string& encoding,
                std::string& message);

/// The text of a file's bytes for a reader: false, with the result refused, for a file over
/// kMaxImportFileBytes or bytes decodeText cannot read; result.encoding is set on success.
bool decodeImportText(std::string_view bytes, ParseResult& result, std::string& text);

/// True when an XML text declares a document type or entities, which an import never needs and
/// which is how entity-expansion bombs begin.
bool declaresEntities(std::string_view xml) noexcept;

}  // namespace tarsek::exchange
