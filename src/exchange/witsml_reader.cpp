// WITSML 1.4.1 trajectory documents: the stations of the first trajectory.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/station_import.h"
#include "exchange/station_rows.h"
#include "exchange/xml_names.h"

namespace tarsek {
namespace {

constexpr double kFeet = 0.3048;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

using exchange::child;
using exchange::localName;

pugi::xml_node findElement(const pugi::xml_node& root, std::string_view name) {
  for (pugi::xml_node n = root.first_child(); n;) {
    if (n.type() == pugi::node_element && localName(n) == name) return n;
    // Depth-first without recursion, so that deep nesting cannot exhaust the stack.
    if (n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n && !n.next_sibling() && n != root) n = n.parent();
    if (!n || n == root) break;
    n = n.next_sibling();
  }
  return {};
}

std::string lowered(const char* s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Reads a measure into the program's unit; false with the reason's wording.
bool readMeasure(const pugi::xml_node& station, const char* element, const char* what, bool length,
                 double& value, std::string& why) {
  const pugi::xml_node n = child(station, element);
  if (!n) {
    why = std::string("缺少") + what;
    return false;
  }
  const std::string text = n.child_value();
  if (text.size() > kMaxImportLineBytes || !exchange::parseNumber(text, false, value)) {
    why = std::string(what) + "不是数字";
    return false;
  }
  const std::string uom = lowered(n.attribute("uom").value());
  double scale = 0;
  if (length) {
    if (uom.empty() || uom == "m") scale = 1;
    if (uom == "ft" || uom == "usft" || uom == "ft(us)") scale = kFeet;
  } else {
    if (uom.empty() || uom == "dega" || uom == "deg") scale = 1;
    if (uom == "rad") scale = kDegreesPerRadian;
  }
  if (scale == 0) {
    why = std::string(what) + "的单位“" + uom.substr(0, 16) + "”无法识别";
    return false;
  }
  value *= scale;
  return true;
}

}  // namespace

ParseResult ParseWitsmlTrajectory(std::string_view bytes) {
  ParseResult result;
  result.format = ImportFormat::Witsml;
  result.headerFound = true;
  result.columns = {0, 1, 2};
  std::string text;
  if (!exchange::decodeImportText(bytes, result, text)) return result;
  if (exchange::declaresEntities(text)) {
    exchange::refuse(result, "文件含有DOCTYPE或实体声明，出于安全不予读取");
    return result;
  }
  // pugixml takes the text as UTF-8 whatever the declaration says: GB18030 was converted above.
  // Parsed in place: the text is ours already, and a second copy of a large file costs time.
  pugi::xml_document doc;
  const std::size_t size = text.size();
  // Lines are counted on a text the parser leaves alone: the bytes given when they were UTF-8
  // already (past a byte-order mark), else a copy of the converted text.
  std::string converted;
  std::string_view original = bytes;
  if (result.encoding == "UTF-8") {
    if (original.substr(0, 3) == "\xEF\xBB\xBF") original.remove_prefix(3);
  } else {
    converted = text;
    original = converted;
  }
  // Line numbers are counted forward from the last one asked for: stations come in file order.
  std::size_t countedTo = 0;
  int countedLine = 1;
  const auto lineAt = [&](std::ptrdiff_t offset) {
    if (offset < 0) return 0;
    const auto to = std::min(static_cast<std::size_t>(offset), size);
    if (to < countedTo) {
      countedTo = 0;
      countedLine = 1;
    }
    countedLine +=
        static_cast<int>(std::count(original.begin() + static_cast<std::ptrdiff_t>(countedTo),
                                    original.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
    countedTo = to;
    return countedLine;
  };
  const pugi::xml_parse_result parsed =
      doc.load_buffer_inplace(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    exchange::refuse(result, "第" + std::to_string(lineAt(parsed.offset)) + "行：XML格式错误（" +
                                 parsed.description() + "）");
    return result;
  }
  pugi::xml_node trajectory = findElement(doc, "trajectory");
  if (!trajectory) {
    exchange::refuse(result, "不是WITSML轨迹文件：找不到trajectory");
    return result;
  }
  const std::string aziRef = lowered(child(trajectory, "aziRef").child_value());
  if (aziRef == "grid north" || aziRef == "true north")
    result.azimuthReference = AzimuthReference::Corrected;
  for (pugi::xml_node s = trajectory.first_child(); s; s = s.next_sibling()) {
    if (s.type() != pugi::node_element || localName(s) != "trajectoryStation") continue;
    const int line = lineAt(s.offset_debug());
    double md = 0, inc = 0, azi = 0;
    std::string why;
    if (!readMeasure(s, "md", "测深", true, md, why) ||
        !readMeasure(s, "incl", "井斜", false, inc, why) ||
        !readMeasure(s, "azi", "方位", false, azi, why)) {
      result.rejected.push_back({line, exchange::lineReason(line, why)});
      continue;
    }
    exchange::acceptStation(line, md, inc, azi, result);
  }
  result.ok = true;
  return result;
}

}  // namespace tarsek
