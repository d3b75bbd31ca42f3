// Delimited text: CSV, TSV, semicolon- and blank-separated tables, from a file or the clipboard.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/station_import.h"
#include "exchange/station_rows.h"

namespace tarsek {
namespace {

using exchange::Cell;
using exchange::CellKind;
using exchange::RawRow;

enum class Separator { Tab, Semicolon, Comma, Blanks };

constexpr std::size_t kSampleLines = 20;
// A quoted cell spreads over at most this many further lines.
constexpr std::size_t kMaxLinesInCell = 8;

bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) noexcept {
  while (!s.empty() && (isBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Calls f(lineNumber, line) for each line; the line end (LF, CRLF) is not part of the line.
template <typename F>
void forEachLine(std::string_view text, F&& f) {
  int number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!f(++number, line)) return;
    pos = end + 1;
  }
}

// Tab and semicolon always separate; a comma does unless the fields it makes hold blanks inside
// (numbers with decimal commas separated by blanks); otherwise blanks do.
Separator detectSeparator(std::string_view text) {
  std::size_t sampled = 0, tabs = 0, semicolons = 0, commas = 0, commaFieldsWithBlanks = 0;
  forEachLine(text, [&](int, std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.size() > kMaxImportLineBytes) return true;
    ++sampled;
    if (line.find('\t') != std::string_view::npos) ++tabs;
    if (line.find(';') != std::string_view::npos) ++semicolons;
    if (line.find(',') != std::string_view::npos) {
      ++commas;
      std::size_t start = 0;
      for (;;) {
        const std::size_t comma = line.find(',', start);
        const std::string_view field =
            trimmed(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (field.find(' ') != std::string_view::npos &&
            field.find('"') == std::string_view::npos) {
          ++commaFieldsWithBlanks;
          break;
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
      }
    }
    return sampled < kSampleLines;
  });
  if (tabs > 0) return Separator::Tab;
  if (semicolons > 0) return Separator::Semicolon;
  if (commas > 0 && commaFieldsWithBlanks * 2 <= commas) return Separator::Comma;
  return Separator::Blanks;
}

// Splits one line; false when a quoted field is not closed.
bool splitLine(std::string_view line, Separator sep, std::vector<Cell>& cells) {
  cells.clear();
  if (sep == Separator::Blanks) {
    std::size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (isBlank(line[i]) || line[i] == '\r')) ++i;
      if (i >= line.size()) break;
      const std::size_t start = i;
      while (i < line.size() && !isBlank(line[i])) ++i;
      std::string_view field = line.substr(start, i - start);
      if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
      cells.push_back({CellKind::Value, std::string(field)});
    }
    return true;
  }
  const char delimiter = sep == Separator::Tab ? '\t' : sep == Separator::Semicolon ? ';' : ',';
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::string field;
    if (i < line.size() && line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        field += line[i++];
      }
      if (!closed) return false;
      while (i < line.size() && line[i] != delimiter) ++i;  // blanks after the closing quote
    } else {
      const std::size_t end = line.find(delimiter, i);
      field = std::string(line.substr(i, end == std::string_view::npos ? end : end - i));
      i = end == std::string_view::npos ? line.size() : end;
    }
    cells.push_back({CellKind::Value, std::move(field)});
    if (i >= line.size()) break;
    ++i;  // the delimiter
  }
  return true;
}

}  // namespace

ParseResult ParseStationText(std::string_view bytes, const ImportOptions& options) {
  ParseResult result;
  result.format = ImportFormat::Text;
  std::string text;
  if (!exchange::decodeImportText(bytes, result, text)) return result;
  const Separator sep = detectSeparator(text);
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  forEachLine(text, [&](int, std::string_view line) {
    lines.push_back(line);
    return true;
  });
  std::vector<RawRow> rows;
  rows.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    RawRow row;
    row.line = static_cast<int>(i) + 1;
    const std::string_view line = lines[i];
    // A line this long is no station; it is judged by its length alone, never copied.
    if (line.size() > kMaxImportLineBytes) {
      row.reason = "这一行太长（超过" + std::to_string(kMaxImportLineBytes) + "字节）";
    } else if (!splitLine(line, sep, row.cells)) {
      // A quoted cell may hold line breaks (a wrapped header cell copied from a spreadsheet):
      // the record goes on over the next few lines. Failing that, only this line is refused.
      std::string joined(line);
      std::size_t end = i + 1;
      bool closed = false;
      for (; end < lines.size() && end <= i + kMaxLinesInCell; ++end) {
        if (joined.size() + 1 + lines[end].size() > kMaxImportLineBytes) break;
        joined += '\n';
        joined += lines[end];
        if (splitLine(joined, sep, row.cells)) {
          closed = true;
          break;
        }
      }
      if (closed) {
        rows.push_back(std::move(row));
        i = end;  // the lines taken in belong to this record
        continue;
      }
      row.cells.clear();
      row.reason = "引号没有闭合";
    }
    rows.push_back(std::move(row));
  }
  exchange::interpretRows(rows, options, sep != Separator::Comma, result);
  result.ok = true;
  return result;
}

}  // namespace tarsek
