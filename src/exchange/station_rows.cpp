#include "exchange/station_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

#include "common/codepage.h"
#include "common/constants.h"

namespace tarsek::exchange {
namespace {

constexpr double kFeet = 0.3048;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
// Header and title rows are looked for this far down; a units row may follow the header.
constexpr std::size_t kHeaderSearchRows = 20;
constexpr std::size_t kPreviewRows = 20;
// No well is this deep; it also keeps absurd numbers out of the survey file.
constexpr double kMaxDepth = 100000;

bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) noexcept {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  // The full-width blank of Chinese input methods.
  while (s.size() >= 3 && s.substr(0, 3) == "\xE3\x80\x80") s = trim(s.substr(3));
  while (s.size() >= 3 && s.substr(s.size() - 3) == "\xE3\x80\x80")
    s = trim(s.substr(0, s.size() - 3));
  return s;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

enum class Column { None, Md, Inclination, Azimuth };
enum class Unit { None, Metre, Foot, Degree, Radian, Unknown };

Column columnNamed(const std::string& name) {
  static const char* const kMd[] = {"测深",  "井深",           "斜深",          "md",
                                    "depth", "measured depth", "measureddepth", "mdepth"};
  static const char* const kInc[] = {"井斜", "井斜角", "inc", "incl", "inclination"};
  static const char* const kAzi[] = {"方位", "方位角", "azi", "az", "azimuth", "azim"};
  for (const char* n : kMd)
    if (name == n) return Column::Md;
  for (const char* n : kInc)
    if (name == n) return Column::Inclination;
  for (const char* n : kAzi)
    if (name == n) return Column::Azimuth;
  return Column::None;
}

Unit unitNamed(const std::string& u) {
  if (u.empty()) return Unit::None;
  if (u == "m" || u == "米" || u == "metres" || u == "meters" || u == "metre" || u == "meter")
    return Unit::Metre;
  if (u == "ft" || u == "feet" || u == "foot" || u == "英尺" || u == "usft") return Unit::Foot;
  if (u == "°" || u == "deg" || u == "dega" || u == "度" || u == "degrees" || u == "degree")
    return Unit::Degree;
  if (u == "rad" || u == "弧度" || u == "radians") return Unit::Radian;
  return Unit::Unknown;
}

// Splits a header cell into its name and unit: "MD (ft)", "测深(m)", "测深/m", "Depth [m]",
// "井斜（°）", "MD ft".
void splitHeader(std::string_view cell, std::string& name, std::string& unit) {
  std::string s = lower(trim(cell));
  // Full-width brackets of Chinese input.
  for (const char* fw : {"（", "）", "【", "】"}) {
    for (std::size_t p; (p = s.find(fw)) != std::string::npos;) {
      const bool open = std::string_view(fw) == "（" || std::string_view(fw) == "【";
      s.replace(p, 3, open ? "(" : ")");
    }
  }
  name = s;
  unit.clear();
  const std::size_t open = s.find_first_of("([");
  if (open != std::string::npos) {
    const std::size_t close = s.find_first_of(")]", open);
    name = std::string(trim(std::string_view(s).substr(0, open)));
    unit = std::string(trim(std::string_view(s).substr(
        open + 1, close == std::string::npos ? std::string::npos : close - open - 1)));
    return;
  }
  const std::size_t slash = s.find('/');
  if (slash != std::string::npos) {
    name = std::string(trim(std::string_view(s).substr(0, slash)));
    unit = std::string(trim(std::string_view(s).substr(slash + 1)));
    return;
  }
  const std::size_t space = s.rfind(' ');
  if (space != std::string::npos && columnNamed(s) == Column::None) {
    const std::string tail(trim(std::string_view(s).substr(space + 1)));
    if (unitNamed(tail) != Unit::None && unitNamed(tail) != Unit::Unknown) {
      name = std::string(trim(std::string_view(s).substr(0, space)));
      unit = tail;
    }
  }
}

struct Layout {
  ColumnChoice columns;
  Unit mdUnit = Unit::Metre;
  Unit incUnit = Unit::Degree;
  Unit aziUnit = Unit::Degree;
};

// A row naming all three columns; units taken from the cells.
bool readHeader(const RawRow& row, Layout& layout) {
  Layout l;
  l.columns = ColumnChoice{};
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (row.cells[i].kind != CellKind::Value) continue;
    std::string name, unit;
    splitHeader(row.cells[i].text, name, unit);
    const Column c = columnNamed(name);
    const Unit u = unitNamed(unit);
    const int index = static_cast<int>(i);
    if (c == Column::Md && l.columns.md < 0) {
      l.columns.md = index;
      if (u == Unit::Foot) l.mdUnit = Unit::Foot;
    } else if (c == Column::Inclination && l.columns.inclination < 0) {
      l.columns.inclination = index;
      if (u == Unit::Radian) l.incUnit = Unit::Radian;
    } else if (c == Column::Azimuth && l.columns.azimuth < 0) {
      l.columns.azimuth = index;
      if (u == Unit::Radian) l.aziUnit = Unit::Radian;
    }
  }
  if (!l.columns.complete()) return false;
  layout = l;
  return true;
}

// A row of units under the header ("m", "°", "ft"): no numbers, and at least one unit.
bool readUnitsRow(const RawRow& row, Layout& layout) {
  bool any = false;
  Layout l = layout;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (row.cells[i].kind == CellKind::Empty) continue;
    std::string u = lower(trim(row.cells[i].text));
    if (u.size() >= 2 && (u.front() == '(' || u.front() == '[')) u = u.substr(1, u.size() - 2);
    const Unit unit = unitNamed(u);
    double ignored;
    if (parseNumber(row.cells[i].text, true, ignored)) return false;
    if (unit == Unit::None || unit == Unit::Unknown) continue;
    any = true;
    const int index = static_cast<int>(i);
    if (index == l.columns.md && unit == Unit::Foot) l.mdUnit = Unit::Foot;
    if (index == l.columns.inclination && unit == Unit::Radian) l.incUnit = Unit::Radian;
    if (index == l.columns.azimuth && unit == Unit::Radian) l.aziUnit = Unit::Radian;
  }
  if (any) layout = l;
  return any;
}

bool rowIsEmpty(const RawRow& row) {
  if (!row.reason.empty()) return false;
  for (const Cell& c : row.cells)
    if (c.kind != CellKind::Empty && !(c.kind == CellKind::Value && trim(c.text).empty()))
      return false;
  return true;
}

std::string shown(std::string_view text) {
  text = trim(text);
  if (text.size() > 24) {
    std::size_t cut = 24;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "…";
  }
  return std::string(text);
}

// Reads one of the three values of a data row; false with the reason's wording.
bool readValue(const RawRow& row, int column, const char* what, bool decimalComma, double& value,
               std::string& why) {
  const Cell empty;
  const Cell& cell = column < static_cast<int>(row.cells.size())
                         ? row.cells[static_cast<std::size_t>(column)]
                         : empty;
  switch (cell.kind) {
    case CellKind::Empty:
      why = std::string("缺少") + what;
      return false;
    case CellKind::Date:
      why = std::string(what) + "是日期，不是数字";
      return false;
    case CellKind::FormulaWithoutValue:
      why = std::string(what) + "是没有计算结果的公式";
      return false;
    case CellKind::Error:
      why = std::string(what) + "是错误值“" + shown(cell.text) + "”";
      return false;
    case CellKind::Merged:
      why = std::string(what) + "在合并单元格中";
      return false;
    case CellKind::Value:
      break;
  }
  if (trim(cell.text).empty()) {
    why = std::string("缺少") + what;
    return false;
  }
  if (!parseNumber(cell.text, decimalComma, value)) {
    why = std::string(what) + "“" + shown(cell.text) + "”不是数字";
    return false;
  }
  return true;
}

}  // namespace

std::string lineReason(int line, std::string_view what) {
  return "第" + std::to_string(line) + "行：" + std::string(what);
}

bool parseNumber(std::string_view text, bool decimalComma, double& out) noexcept {
  text = trim(text);
  if (text.empty() || text.size() > 64) return false;
  char buf[72];
  std::size_t n = 0;
  bool sawDot = text.find('.') != std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '+' && i == 0) continue;
    if (c == ',') {
      if (!decimalComma || sawDot) return false;
      c = '.';
      sawDot = true;
    }
    buf[n++] = c;
  }
  if (n == 0) return false;
  double v = 0;
  const auto [end, ec] = std::from_chars(buf, buf + n, v, std::chars_format::general);
  if (ec != std::errc() || end != buf + n || !std::isfinite(v)) return false;
  out = v;
  return true;
}

void acceptStation(int line, double md, double inclination, double azimuth, ParseResult& result) {
  const char* why = nullptr;
  if (!std::isfinite(md) || !std::isfinite(inclination) || !std::isfinite(azimuth))
    why = "数值无效";
  else if (md < 0)
    why = "测深不能为负";
  else if (md >= kMaxDepth)
    why = "测深超过100000米";
  else if (inclination < 0 || inclination > 180)
    why = "井斜不在0到180之间";
  else if (azimuth < 0 || azimuth > 360)
    why = "方位不在0到360之间";
  if (why != nullptr) {
    result.rejected.push_back({line, lineReason(line, why)});
    return;
  }
  result.rows.push_back({line, md, inclination, azimuth});
}

void interpretRows(const std::vector<RawRow>& rows, const ImportOptions& options, bool decimalComma,
                   ParseResult& result) {
  for (std::size_t i = 0; i < rows.size() && result.preview.size() < kPreviewRows; ++i) {
    if (rowIsEmpty(rows[i])) continue;
    std::vector<std::string> cells;
    cells.reserve(rows[i].cells.size());
    for (const Cell& c : rows[i].cells) cells.push_back(shown(c.text));
    result.preview.push_back(std::move(cells));
  }

  Layout layout;
  std::size_t first = 0;  // the first row that may hold data
  std::size_t seen = 0;
  for (std::size_t i = 0; i < rows.size() && seen < kHeaderSearchRows; ++i) {
    if (rowIsEmpty(rows[i])) continue;
    ++seen;
    if (rows[i].reason.empty() && readHeader(rows[i], layout)) {
      result.headerFound = true;
      result.headerLine = rows[i].line;
      first = i + 1;
      while (first < rows.size() && rowIsEmpty(rows[first])) ++first;
      if (first < rows.size() && readUnitsRow(rows[first], layout)) ++first;
      break;
    }
  }
  if (options.columns.complete()) {
    const Unit keptMd = layout.mdUnit;
    layout.columns = options.columns;
    layout.mdUnit =
        options.columns.mdInFeet ? Unit::Foot : (result.headerFound ? keptMd : Unit::Metre);
    if (!result.headerFound) {
      layout.incUnit = layout.aziUnit = Unit::Degree;
      first = 0;
      for (int skipped = 0; first < rows.size() && skipped < options.columns.skipRows; ++first)
        if (!rowIsEmpty(rows[first])) ++skipped;
    }
  } else if (!result.headerFound) {
    result.needsColumns = true;
    return;
  }
  result.columns = layout.columns;
  result.columns.mdInFeet = layout.mdUnit == Unit::Foot;
  result.mdInFeet = result.columns.mdInFeet;

  const double mdScale = layout.mdUnit == Unit::Foot ? kFeet : 1.0;
  const double incScale = layout.incUnit == Unit::Radian ? kDegreesPerRadian : 1.0;
  const double aziScale = layout.aziUnit == Unit::Radian ? kDegreesPerRadian : 1.0;
  result.rows.reserve(rows.size() - std::min(first, rows.size()));
  for (std::size_t i = first; i < rows.size(); ++i) {
    const RawRow& row = rows[i];
    if (rowIsEmpty(row)) continue;
    if (!row.reason.empty()) {
      result.rejected.push_back({row.line, lineReason(row.line, row.reason)});
      continue;
    }
    double md = 0, inc = 0, azi = 0;
    std::string why;
    if (!readValue(row, layout.columns.md, "测深", decimalComma, md, why) ||
        !readValue(row, layout.columns.inclination, "井斜", decimalComma, inc, why) ||
        !readValue(row, layout.columns.azimuth, "方位", decimalComma, azi, why)) {
      result.rejected.push_back({row.line, lineReason(row.line, why)});
      continue;
    }
    acceptStation(row.line, md * mdScale, inc * incScale, azi * aziScale, result);
  }
}

void refuse(ParseResult& result, std::string message) {
  result.ok = false;
  result.message = std::move(message);
  result.rows.clear();
  result.rejected.clear();
  result.preview.clear();
}

bool decodeImportText(std::string_view bytes, ParseResult& result, std::string& text) {
  if (bytes.size() > kMaxImportFileBytes) {
    refuse(result,
           "文件太大（超过" + std::to_string(kMaxImportFileBytes >> 20) + "MB），不是测斜数据");
    return false;
  }
  std::string message;
  if (!decodeText(bytes, text, result.encoding, message)) {
    refuse(result, message);
    return false;
  }
  return true;
}

bool decodeText(std::string_view bytes, std::string& text, std::string& encoding,
                std::string& message) {
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    message = "文件是UTF-16编码，请另存为UTF-8或GB18030编码的文本后再导入";
    return false;
  }
  // Text never holds control bytes other than blanks and line ends (and the old end-of-file
  // mark); anything else is a binary file picked by mistake.
  const bool binary = std::any_of(bytes.begin(), bytes.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A;
  });
  if (binary) {
    message = "文件含有二进制数据，不是文本文件";
    return false;
  }
  const bool bom = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (bom) bytes.remove_prefix(3);
  if (isValidUtf8(bytes)) {
    text.assign(bytes);
    encoding = "UTF-8";
    return true;
  }
  if (!bom && gb18030ToUtf8(bytes, text)) {
    encoding = "GB18030";
    return true;
  }
  message =
      bom ? "文件标明为UTF-8编码，但含有无效的UTF-8字节" : "文件既不是UTF-8也不是GB18030编码的文本";
  return false;
}

bool declaresEntities(std::string_view xml) noexcept {
  for (std::size_t at = xml.find("<!"); at != std::string_view::npos; at = xml.find("<!", at + 2)) {
    const std::string_view rest = xml.substr(at + 2, 7);
    if (rest.substr(0, 6) == "ENTITY" || rest == "DOCTYPE" || rest == "doctype") return true;
  }
  return false;
}

}  // namespace tarsek::exchange
