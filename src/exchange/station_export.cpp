#include "exchange/station_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "common/codepage.h"
#include "common/numtext.h"
#include "exchange/xlsx_writer.h"
#include "model/well_files.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

std::vector<std::pair<int, ExportColumnSource>>& columnSources() {
  static std::vector<std::pair<int, ExportColumnSource>> sources;
  return sources;
}

double parsed(const std::string& text) {
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

ExportTable buildTable(const WellState& session, bool design,
                       const std::vector<SurveyStation>& points,
                       const std::vector<StationResult>& results, int count,
                       const std::vector<ExportColumn>& extra) {
  const std::size_t n = static_cast<std::size_t>(std::max(
      0, std::min({count, static_cast<int>(points.size()), static_cast<int>(results.size())})));
  ExportTable t;
  const auto column = [&](const char* title, const char* unit, auto value) {
    ExportColumn c{title, unit, 2, {}};
    c.values.reserve(n);
    for (std::size_t i = 0; i < n; ++i) c.values.push_back(value(points[i], results[i]));
    t.columns.push_back(std::move(c));
  };
  using S = const SurveyStation&;
  using R = const StationResult&;
  column("测深", "m", [](S s, R) { return s.md; });
  column("井斜", "°", [](S s, R) { return s.inclination; });
  column("方位", "°", [](S s, R) { return s.azimuth; });
  for (ExportColumn& c : t.columns) c.exact = true;
  column("网格方位", "°", [](S s, R) { return s.gridAzimuth; });
  column("垂深", "m", [](S, R r) { return r.tvd; });
  column("北坐标", "m", [](S, R r) { return r.north; });
  column("东坐标", "m", [](S, R r) { return r.east; });
  column("水平长度", "m", [](S, R r) { return r.planLength; });
  column("闭合距", "m", [](S, R r) { return r.closureDistance; });
  column("闭合方位", "°", [](S, R r) { return r.closureAzimuth; });
  column("视位移", "m", [](S, R r) { return r.verticalSection; });
  column("偏移距", "m", [](S, R r) { return r.lateralOffset; });
  column("狗腿度", "°/30m", [](S, R r) { return r.doglegSeverity; });
  const auto append = [&](const std::vector<ExportColumn>& columns) {
    for (const ExportColumn& c : columns)
      if (c.values.size() == n) t.columns.push_back(c);
  };
  // A copy: a source may register or remove sources while it runs.
  const auto sources = columnSources();
  for (const auto& [id, source] : sources)
    if (source) append(source(session, design));
  append(extra);
  return t;
}

std::string cellText(const ExportColumn& c) {
  return c.unit.empty() ? c.title : c.title + "(" + c.unit + ")";
}

// A field needs quotes when it holds the separator, a quote or a line end.
void appendCsvField(std::string& out, const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) {
    out += s;
    return;
  }
  out += '"';
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void appendEscaped(std::string& out, std::string_view s) {
  for (char c : s) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
}

const ExportColumn* find(const ExportTable& t, std::string_view title) {
  for (const ExportColumn& c : t.columns)
    if (c.title == title) return &c;
  return nullptr;
}

std::string lowerExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string e = path.substr(dot);
  for (char& c : e)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return e;
}

}  // namespace

std::string ExportCellText(const ExportColumn& column, double value) {
  if (!std::isfinite(value)) return "";
  std::string text = formatFixed(value, column.decimals);
  if (!column.exact) return text;
  // The survey file keeps 15 significant digits; the export keeps no fewer.
  std::string full = formatGeneral(value);
  if (parsed(text) == parsed(full)) return text;
  return full;
}

int AddExportColumnSource(ExportColumnSource source) {
  static int next = 0;
  columnSources().emplace_back(++next, std::move(source));
  return next;
}

void RemoveExportColumnSource(int id) {
  auto& sources = columnSources();
  sources.erase(
      std::remove_if(sources.begin(), sources.end(), [id](const auto& s) { return s.first == id; }),
      sources.end());
}

ExportTable SurveyExportTable(const WellState& session,
                              const std::vector<ExportColumn>& extraColumns) {
  const WellRecord& w = session.well;
  ExportTable t = buildTable(session, false, w.stations, w.results, w.stationCount, extraColumns);
  t.wellNo = w.wellNo;
  t.name = std::string("测斜数据 ") + MethodName(session.calcMethod);
  return t;
}

ExportTable DesignExportTable(const WellState& session,
                              const std::vector<ExportColumn>& extraColumns) {
  const WellRecord& w = session.well;
  ExportTable t =
      buildTable(session, true, w.designPoints, w.designResults, w.designPointCount, extraColumns);
  t.wellNo = w.wellNo;
  t.name = "设计轨迹";
  t.design = true;
  return t;
}

bool FormatCsv(const ExportTable& table, TextEncoding encoding, std::string& out,
               std::string& message) {
  std::string text;
  const std::size_t rows = table.rowCount();
  text.reserve((rows + 1) * table.columns.size() * 10);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (c > 0) text += ',';
    appendCsvField(text, cellText(table.columns[c]));
  }
  text += "\r\n";
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      if (c > 0) text += ',';
      const ExportColumn& col = table.columns[c];
      if (r < col.values.size()) text += ExportCellText(col, col.values[r]);
    }
    text += "\r\n";
  }
  if (encoding == TextEncoding::Utf8Bom) {
    out = "\xEF\xBB\xBF" + text;
    return true;
  }
  if (!utf8ToGb18030(text, out)) {
    message = "表头含有GB18030无法表示的字符，请改用UTF-8导出";
    return false;
  }
  return true;
}

std::string FormatWitsml(const ExportTable& table) {
  std::string x;
  x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  x += "<trajectorys xmlns=\"http://www.witsml.org/schemas/1series\" version=\"1.4.1.1\">\n";
  x += "  <trajectory uidWell=\"";
  appendEscaped(x, table.wellNo);
  x += "\" uidWellbore=\"";
  appendEscaped(x, table.wellNo);
  x += table.design ? "\" uid=\"design\">\n" : "\" uid=\"survey\">\n";
  x += "    <nameWell>";
  appendEscaped(x, table.wellNo);
  x += "</nameWell>\n    <nameWellbore>";
  appendEscaped(x, table.wellNo);
  x += "</nameWellbore>\n    <name>";
  appendEscaped(x, table.name);
  x += "</name>\n";
  x += "    <aziRef>magnetic north</aziRef>\n";
  struct Field {
    const char* element;
    const char* title;
    const char* uom;
  };
  static const Field kFields[] = {{"md", "测深", "m"},         {"tvd", "垂深", "m"},
                                  {"incl", "井斜", "dega"},    {"azi", "方位", "dega"},
                                  {"dispNs", "北坐标", "m"},   {"dispEw", "东坐标", "m"},
                                  {"vertSect", "视位移", "m"}, {"dls", "狗腿度", "dega/30m"}};
  const ExportColumn* columns[std::size(kFields)];
  for (std::size_t f = 0; f < std::size(kFields); ++f) columns[f] = find(table, kFields[f].title);
  const std::size_t rows = table.rowCount();
  for (std::size_t r = 0; r < rows; ++r) {
    x += "    <trajectoryStation uid=\"s" + std::to_string(r + 1) + "\">\n";
    x += table.design ? "      <typeTrajStation>unknown</typeTrajStation>\n"
                      : (r == 0 ? "      <typeTrajStation>tie in point</typeTrajStation>\n"
                                : "      <typeTrajStation>unknown</typeTrajStation>\n");
    for (std::size_t f = 0; f < std::size(kFields); ++f) {
      const ExportColumn* c = columns[f];
      if (c == nullptr || r >= c->values.size() || !std::isfinite(c->values[r])) continue;
      x += "      <";
      x += kFields[f].element;
      x += " uom=\"";
      x += kFields[f].uom;
      x += "\">";
      x += ExportCellText(*c, c->values[r]);
      x += "</";
      x += kFields[f].element;
      x += ">\n";
    }
    x += "    </trajectoryStation>\n";
  }
  x += "  </trajectory>\n</trajectorys>\n";
  return x;
}

bool WriteStationFile(const ExportTable& table, const std::string& path, ExportFormat format,
                      TextEncoding encoding, std::string& message) {
  if (format == ExportFormat::FromExtension) {
    const std::string e = lowerExtension(path);
    if (e == ".csv" || e == ".txt")
      format = ExportFormat::Csv;
    else if (e == ".xlsx")
      format = ExportFormat::Xlsx;
    else if (e == ".xml")
      format = ExportFormat::Witsml;
    else {
      message = "无法按扩展名“" + e + "”导出“" + path + "”：请用.csv、.xlsx或.xml";
      return false;
    }
  }
  std::string bytes;
  switch (format) {
    case ExportFormat::Csv:
      if (!FormatCsv(table, encoding, bytes, message)) return false;
      break;
    case ExportFormat::Xlsx:
      if (!exchange::formatXlsx(table, path, bytes, message)) return false;
      break;
    default:
      bytes = FormatWitsml(table);
      break;
  }
  return WriteFileAtomically(path, bytes, message);
}

}  // namespace tarsek
