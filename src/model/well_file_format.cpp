#include "model/well_file_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "common/codepage.h"
#include "common/constants.h"
#include "common/numtext.h"

namespace tarsek {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

std::string_view trimBlanks(std::string_view s) noexcept {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The text of a file split into lines, CR LF or LF, with blank lines at the end dropped (an
// editor often leaves one). No byte of a GB18030 multi-byte character is LF, CR, a comma or a
// double quote, so the split is safe on the raw bytes.
struct FileText {
  bool utf8 = false;
  std::vector<std::string_view> lines;
};

FileText splitLines(std::string_view bytes) {
  FileText text;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    text.utf8 = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  while (!bytes.empty()) {
    const auto nl = bytes.find('\n');
    std::string_view line = bytes.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text.lines.push_back(line);
    if (nl == std::string_view::npos) break;
    bytes.remove_prefix(nl + 1);
  }
  while (!text.lines.empty() && trimBlanks(text.lines.back()).empty()) text.lines.pop_back();
  return text;
}

std::vector<std::string_view> splitItems(std::string_view line) {
  std::vector<std::string_view> items;
  while (true) {
    const auto comma = line.find(',');
    items.push_back(trimBlanks(line.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return items;
}

// The number forms of a well file: optional sign, digits with an optional point (".25", "2.",
// "0.25"), optional exponent. Nothing else: "nan", "inf", hex and blanks inside are refused.
bool isNumberForm(std::string_view s, bool integerOnly) noexcept {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (integerOnly) return digits > 0 && i == s.size();
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

enum class ItemFault { None, Missing, NotNumber, NotInteger, OutOfRange };

ItemFault parseReal(std::string_view s, double& value) {
  if (s.empty()) return ItemFault::Missing;
  if (!isNumberForm(s, false)) return ItemFault::NotNumber;
  std::string_view body = s;
  bool negative = false;
  if (body.front() == '+' || body.front() == '-') {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  double v = 0;
  // from_chars is locale-free: the windowed program runs under the user's locale.
  const auto r = std::from_chars(body.data(), body.data() + body.size(), v);
  if (r.ec == std::errc::result_out_of_range || !std::isfinite(v)) return ItemFault::OutOfRange;
  if (r.ec != std::errc() || r.ptr != body.data() + body.size()) return ItemFault::NotNumber;
  value = negative ? -v : v;
  return ItemFault::None;
}

ItemFault parseInt16(std::string_view s, long& value) {
  if (s.empty()) return ItemFault::Missing;
  if (!isNumberForm(s, true)) {
    return isNumberForm(s, false) ? ItemFault::NotInteger : ItemFault::NotNumber;
  }
  std::string_view body = s;
  if (body.front() == '+') body.remove_prefix(1);
  long v = 0;
  const auto r = std::from_chars(body.data(), body.data() + body.size(), v);
  if (r.ec != std::errc() || v < std::numeric_limits<std::int16_t>::min() ||
      v > std::numeric_limits<std::int16_t>::max()) {
    return ItemFault::OutOfRange;
  }
  value = v;
  return ItemFault::None;
}

std::string where(const std::string& fileName, std::size_t line) {
  return "文件“" + fileName + "”第" + std::to_string(line) + "行";
}

constexpr const char* kCannotRead = "，无法读取该井！";

std::string itemMessage(const std::string& fileName, std::size_t line, std::size_t item,
                        ItemFault fault) {
  const std::string at = where(fileName, line);
  const std::string k = std::to_string(item);
  switch (fault) {
    case ItemFault::Missing:
      return at + "缺少第" + k + "项数据" + kCannotRead;
    case ItemFault::NotNumber:
      return at + "第" + k + "项不是数字" + kCannotRead;
    case ItemFault::NotInteger:
      return at + "第" + k + "项不是整数" + kCannotRead;
    case ItemFault::OutOfRange:
    case ItemFault::None:
      break;
  }
  return at + "第" + k + "项数值超出范围" + kCannotRead;
}

// Reads the reals of one line into the given fields, in order. Items beyond them are ignored.
bool readReals(std::string_view line, std::size_t lineNo, std::size_t firstItem,
               std::initializer_list<double*> fields, const std::string& fileName,
               std::string& error) {
  const auto items = splitItems(line);
  std::size_t k = firstItem;
  for (double* field : fields) {
    const ItemFault fault = k < items.size() ? parseReal(items[k], *field) : ItemFault::Missing;
    if (fault != ItemFault::None) {
      error = itemMessage(fileName, lineNo, k + 1, fault);
      return false;
    }
    ++k;
  }
  return true;
}

// The well number of line 1: a quoted string, or for hand-made files the text up to the first
// comma. Decoded to UTF-8 from GB18030 unless the file began with a UTF-8 byte-order mark.
bool readWellNo(std::string_view line, bool utf8, const std::string& fileName, std::string& wellNo,
                std::string& error) {
  line = trimBlanks(line);
  std::string_view raw;
  if (!line.empty() && line.front() == '"') {
    const auto close = line.find('"', 1);
    if (close == std::string_view::npos) {
      error = where(fileName, 1) + "井号缺少结束的引号" + kCannotRead;
      return false;
    }
    raw = line.substr(1, close - 1);
  } else {
    raw = trimBlanks(line.substr(0, line.find(',')));
  }
  std::string decoded;
  const bool ok =
      utf8 ? (isValidUtf8(raw) && (decoded = std::string(raw), true)) : gb18030ToUtf8(raw, decoded);
  if (!ok) {
    error = where(fileName, 1) + "井号编码无效" + kCannotRead;
    return false;
  }
  // The number names the survey file to read next: it must not lead out of the well directory.
  if (!IsSafeWellNo(decoded)) {
    error = where(fileName, 1) + "：" + kBadWellNoMessage;
    return false;
  }
  wellNo = std::move(decoded);
  return true;
}

// Values from here up round, at the fifteen digits a file holds, past the largest double: the
// file could be written but never read again.
constexpr double kUnwritable = 1.797693134862315e308;

template <typename Values>
bool allFinite(const Values& values) noexcept {
  for (double v : values)
    if (!std::isfinite(v) || std::fabs(v) >= kUnwritable) return false;
  return true;
}

bool allFinite(std::initializer_list<double> values) noexcept {
  return allFinite<std::initializer_list<double>>(values);
}

// Physical ranges of what a well file holds. A value outside them is a damaged or foreign file,
// and would overflow the calculations. Grid coordinates are large numbers (a zone prefix puts
// Y near 2e7 on the shipped wells), so they get far more room than depths.
constexpr double kMaxDepth = 1e7;       // depths and lengths along the hole, m
constexpr double kMaxCoordinate = 1e8;  // grid coordinates, m
constexpr double kMaxDistance = 3e8;    // horizontal distances between two such points, m
constexpr double kMaxRate = 90;         // build and drop rates, degrees per 100 m

struct Range {
  const char* name;
  double low;
  double high;
};

constexpr Range kCoordinate{"坐标", -kMaxCoordinate, kMaxCoordinate};
constexpr Range kDepthRange{"深度", -kMaxDepth, kMaxDepth};
constexpr Range kDistance{"位移", 0, kMaxDistance};
constexpr Range kLength{"长度", -kMaxDepth, kMaxDepth};
// One whole turn either way is still a bearing written the long way round.
constexpr Range kBearing{"方位", -360, 360};
constexpr Range kDeclination{"磁偏角", -180, 180};
constexpr Range kInclination{"井斜", 0, 180};
constexpr Range kRate{"变化率", -kMaxRate, kMaxRate};
constexpr Range kRadius{"半径", 0, kMaxDepth};

// The seventeen reals of the design file's line 2 and the six of line 3, in file order.
constexpr Range kLine2Ranges[17] = {
    kCoordinate, kCoordinate, kCoordinate, kCoordinate, kCoordinate,  kCoordinate,
    kCoordinate, kCoordinate, kBearing,    kLength,     kDeclination, kDepthRange,
    kDepthRange, kBearing,    kDistance,   kDistance,   kRadius};
constexpr Range kLine3Ranges[6] = {kRate, kInclination, kDepthRange, kRate, kRate, kDepthRange};
constexpr Range kStationRanges[3] = {{"测深", -kMaxDepth, kMaxDepth}, kInclination, kBearing};

std::string rangeText(double v) {
  std::string t = formatFileNumber(v);
  // The file form drops the zero before the point; a message reads better with it.
  if (t.size() > 1 && t[0] == '.') t.insert(0, "0");
  return t;
}

// Empty when v lies in r; else the fault, naming the quantity and its range.
std::string outOfRange(double v, const Range& r) {
  if (v >= r.low && v <= r.high) return {};
  return std::string(r.name) + "超出范围(" + rangeText(r.low) + "～" + rangeText(r.high) + ")";
}

// The value a reader gets back from a number the writer put down as text.
double readBack(const std::string& text) {
  double back = 0;
  const bool negative = !text.empty() && text[0] == '-';
  const char* first = text.data() + (negative ? 1 : 0);
  std::from_chars(first, text.data() + text.size(), back);
  return negative ? -back : back;
}

// The value a reader gets back from the text the writer puts down for v.
double asWritten(double v) { return readBack(formatFileNumber(v)); }

// The fault of one station as a file holds it, checked alike on reading and before writing;
// empty when the station is sound. previousMd is the depth of the station above, or null.
std::string stationFault(const SurveyStation& s, const double* previousMd) {
  const double values[3] = {s.md, s.inclination, s.azimuth};
  for (int k = 0; k < 3; ++k) {
    std::string fault = outOfRange(values[k], kStationRanges[k]);
    if (!fault.empty()) return "第" + std::to_string(k + 1) + "项" + fault;
  }
  // Equal depths would make a zero-length course and divide the dogleg by zero.
  if (previousMd != nullptr && !(s.md > *previousMd)) return "测深不大于上一测点的测深";
  return {};
}

// The first value of a design file line outside its range, as "第k项..." (items counted from
// 1 on the line); empty when all lie in range.
std::string lineFault(const double* values, const Range* ranges, std::size_t count,
                      std::size_t firstItem) {
  for (std::size_t k = 0; k < count; ++k) {
    std::string fault = outOfRange(values[k], ranges[k]);
    if (!fault.empty()) return "第" + std::to_string(firstItem + k + 1) + "项" + fault;
  }
  return {};
}

std::array<double, 17> line2Values(const BasicData& b) {
  return {b.padWellheadX,
          b.padWellheadY,
          b.wellheadX,
          b.wellheadY,
          b.target1X,
          b.target1Y,
          b.target2X,
          b.target2Y,
          b.gateDirection,
          b.rigSkidDistance,
          b.magDeclination,
          b.target1Tvd,
          b.target2Tvd,
          b.designAzimuth,
          b.designDisplacement1,
          b.designDisplacement2,
          b.targetRadius};
}

std::array<double, 6> line3Values(const BasicData& b) {
  return {b.buildRate,       b.buildToInclination, b.kickoffDepth,
          b.rotaryBuildRate, b.rotaryDropRate,     b.designFinalTvd};
}

template <std::size_t N>
std::array<double, N> asWritten(std::array<double, N> values) {
  for (double& v : values) v = asWritten(v);
  return values;
}

void appendReals(std::string& out, std::initializer_list<double> values, bool leadingComma) {
  bool first = !leadingComma;
  for (double v : values) {
    if (!first) out += ',';
    out += formatFileNumber(v);
    first = false;
  }
}

}  // namespace

bool IsSafeWellNo(std::string_view wellNo) {
  if (trimBlanks(wellNo).empty()) return false;
  std::u32string cps;
  if (!decodeUtf8(wellNo, cps)) return false;
  if (cps.size() > static_cast<std::size_t>(kMaxWellNoLength)) return false;
  if (wellNo.find("..") != std::string_view::npos) return false;
  for (char32_t c : cps) {
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) return false;
    switch (c) {
      case U'/':
      case U'\\':
      case U':':
      case U'*':
      case U'?':
      case U'"':
      case U'<':
      case U'>':
      case U'|':
        return false;
      default:
        break;
    }
  }
  std::string encoded;
  return utf8ToGb18030(wellNo, encoded);
}

bool FormatDesignFile(const WellRecord& well, std::string& bytes, std::string& error) {
  std::string encodedNo;
  if (!IsSafeWellNo(well.wellNo) || !utf8ToGb18030(well.wellNo, encodedNo)) {
    error = kBadWellNoMessage;
    return false;
  }
  const BasicData& b = well.basic();
  if (!allFinite(line2Values(b)) || !allFinite(line3Values(b))) {
    error = "设计数据中有无效数值";
    return false;
  }
  // Nothing is written that the reader would refuse: the well could never be opened again.
  if (b.targetCount != 1 && b.targetCount != 2) {
    error = "靶点数应为1或2";
    return false;
  }
  const std::array<double, 17> line2 = asWritten(line2Values(b));
  const std::array<double, 6> line3 = asWritten(line3Values(b));
  std::string fault = lineFault(line2.data(), kLine2Ranges, line2.size(), 1);
  if (!fault.empty()) {
    error = "设计数据第2行" + fault;
    return false;
  }
  fault = lineFault(line3.data(), kLine3Ranges, line3.size(), 0);
  if (!fault.empty()) {
    error = "设计数据第3行" + fault;
    return false;
  }
  std::string out = "\"" + encodedNo + "\"";
  out += kCrLf;
  out += std::to_string(b.targetCount);
  appendReals(
      out,
      {b.padWellheadX, b.padWellheadY, b.wellheadX, b.wellheadY, b.target1X, b.target1Y, b.target2X,
       b.target2Y, b.gateDirection, b.rigSkidDistance, b.magDeclination, b.target1Tvd, b.target2Tvd,
       b.designAzimuth, b.designDisplacement1, b.designDisplacement2, b.targetRadius},
      true);
  out += kCrLf;
  appendReals(out,
              {b.buildRate, b.buildToInclination, b.kickoffDepth, b.rotaryBuildRate,
               b.rotaryDropRate, b.designFinalTvd},
              false);
  out += kCrLf;
  bytes = std::move(out);
  return true;
}

bool FormatSurveyFile(const WellRecord& well, std::string& bytes, std::string& error) {
  const int count = std::max<int>(0, well.stationCount);
  if (static_cast<std::size_t>(count) > well.stations.size()) {
    error = "测点数与测点表不符";
    return false;
  }
  std::string out = std::to_string(count);
  out += kCrLf;
  double previousMd = 0;
  for (int i = 0; i < count; ++i) {
    const SurveyStation& s = well.stations[static_cast<std::size_t>(i)];
    if (!allFinite({s.md, s.inclination, s.azimuth})) {
      error = "第" + std::to_string(i + 1) + "个测点有无效数值";
      return false;
    }
    // Checked as the reader will see it: two depths apart in memory can be one in the file.
    const std::string texts[3] = {formatFileNumber(s.md), formatFileNumber(s.inclination),
                                  formatFileNumber(s.azimuth)};
    const SurveyStation written{s.index, readBack(texts[0]), readBack(texts[1]), readBack(texts[2]),
                                0};
    const std::string fault = stationFault(written, i > 0 ? &previousMd : nullptr);
    if (!fault.empty()) {
      error = "第" + std::to_string(i + 1) + "个测点" + fault;
      return false;
    }
    previousMd = written.md;
    out += texts[0];
    out += ',';
    out += texts[1];
    out += ',';
    out += texts[2];
    out += kCrLf;
  }
  bytes = std::move(out);
  return true;
}

bool ParseDesignFile(std::string_view bytes, const std::string& fileName, bool neighbourOnly,
                     WellRecord& well, std::string& error) {
  const FileText text = splitLines(bytes);
  // Faults are reported in reading order, so the first line named is the first one wrong.
  auto missing = [&](std::size_t lineNo) {
    if (text.lines.size() >= lineNo) return false;
    error = where(fileName, lineNo) + "缺失" + kCannotRead;
    return true;
  };
  if (missing(1)) return false;
  if (!readWellNo(text.lines[0], text.utf8, fileName, well.wellNo, error)) return false;
  if (missing(2)) return false;

  const auto items = splitItems(text.lines[1]);
  long targetCount = 0;
  const ItemFault fault = parseInt16(items[0], targetCount);
  if (fault != ItemFault::None) {
    error = itemMessage(fileName, 2, 1, fault);
    return false;
  }
  if (targetCount != 1 && targetCount != 2) {
    error = where(fileName, 2) + "靶点数应为1或2" + kCannotRead;
    return false;
  }
  BasicData& b = well.basic();
  b.targetCount = static_cast<std::int16_t>(targetCount);
  if (!readReals(text.lines[1], 2, 1,
                 {&b.padWellheadX, &b.padWellheadY, &b.wellheadX, &b.wellheadY, &b.target1X,
                  &b.target1Y, &b.target2X, &b.target2Y, &b.gateDirection, &b.rigSkidDistance,
                  &b.magDeclination, &b.target1Tvd, &b.target2Tvd, &b.designAzimuth,
                  &b.designDisplacement1, &b.designDisplacement2, &b.targetRadius},
                 fileName, error)) {
    return false;
  }
  const std::array<double, 17> line2 = line2Values(b);
  std::string rangeFault = lineFault(line2.data(), kLine2Ranges, line2.size(), 1);
  if (!rangeFault.empty()) {
    error = where(fileName, 2) + rangeFault + kCannotRead;
    return false;
  }
  if (neighbourOnly) return true;
  if (missing(3)) return false;
  if (!readReals(text.lines[2], 3, 0,
                 {&b.buildRate, &b.buildToInclination, &b.kickoffDepth, &b.rotaryBuildRate,
                  &b.rotaryDropRate, &b.designFinalTvd},
                 fileName, error)) {
    return false;
  }
  const std::array<double, 6> line3 = line3Values(b);
  rangeFault = lineFault(line3.data(), kLine3Ranges, line3.size(), 0);
  if (!rangeFault.empty()) {
    error = where(fileName, 3) + rangeFault + kCannotRead;
    return false;
  }
  return true;
}

bool ParseSurveyFile(std::string_view bytes, const std::string& fileName, WellRecord& well,
                     std::string& error) {
  const FileText text = splitLines(bytes);
  if (text.lines.empty()) {
    error = where(fileName, 1) + "缺失" + kCannotRead;
    return false;
  }
  const auto countItems = splitItems(text.lines[0]);
  long count = 0;
  const ItemFault fault = parseInt16(countItems[0], count);
  if (fault != ItemFault::None && fault != ItemFault::OutOfRange) {
    error = itemMessage(fileName, 1, 1, fault);
    return false;
  }
  if (fault == ItemFault::OutOfRange || count < 0) {
    error =
        where(fileName, 1) + "测点数超出范围(0～" + std::to_string(kMaxCount) + ")" + kCannotRead;
    return false;
  }
  const std::size_t present = text.lines.size() - 1;
  if (present < static_cast<std::size_t>(count)) {
    error = where(fileName, present + 2) + "缺失：测点数为" + std::to_string(count) + "，只有" +
            std::to_string(present) + "个测点" + kCannotRead;
    return false;
  }
  // Lines beyond the count are stations all the same (the file is read to its end).
  if (present > static_cast<std::size_t>(kMaxCount)) {
    error = where(fileName, static_cast<std::size_t>(kMaxCount) + 2) + "：测点数超过" +
            std::to_string(kMaxCount) + kCannotRead;
    return false;
  }
  const std::size_t n = present;
  std::vector<SurveyStation> stations(n + 1);
  for (std::size_t i = 0; i < n; ++i) {
    SurveyStation& s = stations[i];
    if (!readReals(text.lines[i + 1], i + 2, 0, {&s.md, &s.inclination, &s.azimuth}, fileName,
                   error)) {
      return false;
    }
    const std::string fault = stationFault(s, i > 0 ? &stations[i - 1].md : nullptr);
    if (!fault.empty()) {
      error = where(fileName, i + 2) + fault + kCannotRead;
      return false;
    }
    s.index = static_cast<std::int16_t>(i);
    s.gridAzimuth = well.magDeclination + s.azimuth;
  }
  well.stationCount = static_cast<std::int16_t>(n);
  well.stations = std::move(stations);
  well.results.assign(n + 1, StationResult{});
  return true;
}

}  // namespace tarsek
