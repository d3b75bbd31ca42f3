// .xlsx workbooks: a zip of XML parts, opened with minizip and read with pugixml.

#include <minizip/unzip.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/station_import.h"
#include "exchange/station_rows.h"
#include "exchange/xml_names.h"

namespace tarsek {
namespace {

using exchange::Cell;
using exchange::CellKind;
using exchange::RawRow;

// Columns beyond this are never station data; cells there are passed over, so that a cell
// reference such as XFD1 cannot make every row sixteen thousand cells wide.
constexpr int kMaxColumns = 256;
// The rows of the largest sheet a spreadsheet program makes.
constexpr int kMaxRows = 1 << 20;
// Marking merged cells costs one step per covered cell of an existing row.
constexpr std::size_t kMaxMergeWork = 10'000'000;

struct ZipCloser {
  void operator()(void* z) const noexcept { unzClose(z); }
};
using Zip = std::unique_ptr<void, ZipCloser>;

// The workbook's bytes as the zip reader's file: the file has been read once already, to tell
// its kind, and is not opened a second time.
struct MemoryFile {
  std::string_view bytes;
  std::size_t at = 0;
};

voidpf memoryOpen(voidpf opaque, const void*, int) { return opaque; }

uLong memoryRead(voidpf, voidpf stream, void* buf, uLong size) {
  auto* f = static_cast<MemoryFile*>(stream);
  const std::size_t n = std::min<std::size_t>(size, f->bytes.size() - f->at);
  std::copy_n(f->bytes.data() + f->at, n, static_cast<char*>(buf));
  f->at += n;
  return static_cast<uLong>(n);
}

uLong memoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T memoryTell(voidpf, voidpf stream) { return static_cast<MemoryFile*>(stream)->at; }

long memorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* f = static_cast<MemoryFile*>(stream);
  ZPOS64_T base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = f->at;
  if (origin == ZLIB_FILEFUNC_SEEK_END) base = f->bytes.size();
  if (offset > f->bytes.size() - base) return -1;
  f->at = static_cast<std::size_t>(base + offset);
  return 0;
}

int memoryClose(voidpf, voidpf) { return 0; }

int memoryError(voidpf, voidpf) { return 0; }

// One part of the workbook, at most kMaxImportFileBytes uncompressed whatever the directory
// claims: a zip bomb stops at the cap. Missing parts give found = false.
bool readPart(void* zip, const std::string& name, std::string& out, bool& found,
              std::string& message) {
  found = unzLocateFile(zip, name.c_str(), 2) == UNZ_OK;
  out.clear();
  if (!found) return true;
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
      unzOpenCurrentFile(zip) != UNZ_OK) {
    message = "工作簿中的“" + name + "”无法读取";
    return false;
  }
  if (info.uncompressed_size > kMaxImportFileBytes) {
    unzCloseCurrentFile(zip);
    message = "工作簿中的“" + name + "”太大，不予读取";
    return false;
  }
  // Deflate expands at most about a thousandfold; a directory claiming more is not believed.
  out.reserve(static_cast<std::size_t>(
      std::min<ZPOS64_T>(info.uncompressed_size, info.compressed_size * 1032 + 4096)));
  char buf[65536];
  for (;;) {
    const int n = unzReadCurrentFile(zip, buf, sizeof buf);
    if (n < 0) {
      unzCloseCurrentFile(zip);
      message = "工作簿中的“" + name + "”已损坏";
      return false;
    }
    if (n == 0) break;
    if (out.size() + static_cast<std::size_t>(n) > kMaxImportFileBytes) {
      unzCloseCurrentFile(zip);
      message = "工作簿中的“" + name + "”太大，不予读取";
      return false;
    }
    out.append(buf, static_cast<std::size_t>(n));
  }
  if (unzCloseCurrentFile(zip) != UNZ_OK) {
    message = "工作簿中的“" + name + "”已损坏（校验不符）";
    return false;
  }
  return true;
}

bool parseXml(const std::string& xml, pugi::xml_document& doc, const std::string& name,
              std::string& message) {
  if (exchange::declaresEntities(xml)) {
    message = "工作簿中的“" + name + "”含有DOCTYPE或实体声明，出于安全不予读取";
    return false;
  }
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
    message = "工作簿中的“" + name + "”不是有效的XML";
    return false;
  }
  return true;
}

using exchange::child;
using exchange::localName;

template <typename F>
void forChildren(const pugi::xml_node& parent, std::string_view name, F&& f) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && localName(c) == name) f(c);
}

// The text of a string item: <t>, or the runs <r><t> of rich text.
std::string stringItem(const pugi::xml_node& si) {
  if (const pugi::xml_node t = child(si, "t")) return t.child_value();
  std::string out;
  forChildren(si, "r", [&](const pugi::xml_node& r) { out += child(r, "t").child_value(); });
  return out;
}

// "B12" → column 1, row 12; false when the reference is malformed.
bool cellRef(std::string_view ref, int& column, int& row) {
  std::size_t i = 0;
  long c = 0, r = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && c < 100000)
    c = c * 26 + (ref[i++] - 'A' + 1);
  if (i == 0 || i == ref.size()) return false;
  for (; i < ref.size(); ++i) {
    if (ref[i] < '0' || ref[i] > '9' || r > 10'000'000) return false;
    r = r * 10 + (ref[i] - '0');
  }
  if (r < 1) return false;
  column = static_cast<int>(c - 1);
  row = static_cast<int>(r);
  return true;
}

// Built-in number formats that show dates and times.
bool builtinDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

// A custom format code shows a date or time when, outside quoted text, escapes and colour or
// locale brackets, it uses a date or time letter.
bool dateFormatCode(std::string_view code) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') {
      const std::size_t close = code.find('"', i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;
    } else if (c == '[') {
      const std::size_t close = code.find(']', i + 1);
      if (close == std::string_view::npos) return false;
      const std::string_view inside = code.substr(i + 1, close - i - 1);
      // [h], [mm], [ss]: elapsed time, still a time.
      if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'H' || inside[0] == 'm' ||
                              inside[0] == 'M' || inside[0] == 's' || inside[0] == 'S'))
        return true;
      i = close;
    } else {
      switch (c) {
        case 'y':
        case 'Y':
        case 'm':
        case 'M':
        case 'd':
        case 'D':
        case 'h':
        case 'H':
        case 's':
        case 'S':
          return true;
        default:
          break;
      }
    }
  }
  return false;
}

// For each cell style (the s attribute), whether it shows numbers as dates.
std::vector<bool> dateStyles(const pugi::xml_document& styles) {
  const pugi::xml_node sheet = child(styles, "styleSheet");
  std::vector<std::pair<int, bool>> custom;
  forChildren(child(sheet, "numFmts"), "numFmt", [&](const pugi::xml_node& f) {
    custom.emplace_back(f.attribute("numFmtId").as_int(),
                        dateFormatCode(f.attribute("formatCode").value()));
  });
  std::vector<bool> out;
  forChildren(child(sheet, "cellXfs"), "xf", [&](const pugi::xml_node& xf) {
    const int id = xf.attribute("numFmtId").as_int();
    bool date = builtinDateFormat(id);
    for (const auto& [cid, isDate] : custom)
      if (cid == id) date = isDate;
    out.push_back(date);
  });
  return out;
}

std::string resolveTarget(std::string target) {
  if (!target.empty() && target[0] == '/') return target.substr(1);
  if (target.rfind("xl/", 0) == 0) return target;
  return "xl/" + target;
}

struct Sheet {
  std::string name;
  std::string part;
};

bool listSheets(void* zip, std::vector<Sheet>& sheets, std::string& message) {
  std::string xml;
  bool found = false;
  pugi::xml_document workbook, rels;
  if (!readPart(zip, "xl/workbook.xml", xml, found, message)) return false;
  if (!found) {
    message = "不是Excel工作簿（缺少xl/workbook.xml）";
    return false;
  }
  if (!parseXml(xml, workbook, "xl/workbook.xml", message)) return false;
  if (!readPart(zip, "xl/_rels/workbook.xml.rels", xml, found, message)) return false;
  if (found && !parseXml(xml, rels, "xl/_rels/workbook.xml.rels", message)) return false;
  int position = 0;
  forChildren(child(child(workbook, "workbook"), "sheets"), "sheet", [&](const pugi::xml_node& s) {
    ++position;
    Sheet sheet{s.attribute("name").value(), ""};
    // The relationship id attribute carries a namespace prefix chosen by the writer.
    std::string rid;
    for (pugi::xml_attribute a = s.first_attribute(); a; a = a.next_attribute()) {
      const std::string_view n = a.name();
      if (n.size() >= 3 && n.substr(n.size() - 3) == ":id") rid = a.value();
    }
    forChildren(child(rels, "Relationships"), "Relationship", [&](const pugi::xml_node& r) {
      if (rid == r.attribute("Id").value())
        sheet.part = resolveTarget(r.attribute("Target").value());
    });
    if (sheet.part.empty()) sheet.part = "xl/worksheets/sheet" + std::to_string(position) + ".xml";
    sheets.push_back(std::move(sheet));
  });
  return true;
}

bool readSheetRows(const pugi::xml_document& doc, const std::vector<std::string>& shared,
                   const std::vector<bool>& dates, std::vector<RawRow>& rows,
                   std::string& message) {
  const pugi::xml_node worksheet = child(doc, "worksheet");
  int nextRow = 1;
  forChildren(child(worksheet, "sheetData"), "row", [&](const pugi::xml_node& r) {
    RawRow row;
    row.line = r.attribute("r").as_int(nextRow);
    // Rows out of order are taken in file order; a number past the last row a sheet can have
    // is no row number at all.
    if (row.line < nextRow || row.line > kMaxRows) row.line = nextRow;
    nextRow = row.line + 1;
    int nextColumn = 0;
    forChildren(r, "c", [&](const pugi::xml_node& c) {
      int column = nextColumn, rowNo = 0;
      if (const pugi::xml_attribute ref = c.attribute("r");
          ref && !cellRef(ref.value(), column, rowNo))
        column = nextColumn;
      nextColumn = column + 1;
      if (column < 0 || column >= kMaxColumns) return;
      Cell cell;
      const std::string_view type = c.attribute("t").value();
      const pugi::xml_node v = child(c, "v");
      const bool formula = static_cast<bool>(child(c, "f"));
      if (type == "inlineStr") {
        cell = {CellKind::Value, stringItem(child(c, "is"))};
      } else if (formula && !v) {
        cell.kind = CellKind::FormulaWithoutValue;
      } else if (type == "e") {
        cell = {CellKind::Error, v.child_value()};
      } else if (type == "s") {
        const int index = v.text().as_int(-1);
        if (index >= 0 && static_cast<std::size_t>(index) < shared.size())
          cell = {CellKind::Value, shared[static_cast<std::size_t>(index)]};
        else
          cell = {CellKind::Error, "共享字符串缺失"};
      } else if (type == "d") {
        cell = {CellKind::Date, v.child_value()};
      } else if (v) {
        const int style = c.attribute("s").as_int(0);
        const bool date = type.empty() || type == "n"
                              ? style >= 0 && static_cast<std::size_t>(style) < dates.size() &&
                                    dates[static_cast<std::size_t>(style)]
                              : false;
        cell = {date ? CellKind::Date : CellKind::Value, v.child_value()};
      }
      if (cell.text.size() > kMaxImportLineBytes) cell.text.resize(kMaxImportLineBytes);
      if (row.cells.size() <= static_cast<std::size_t>(column))
        row.cells.resize(static_cast<std::size_t>(column) + 1);
      row.cells[static_cast<std::size_t>(column)] = std::move(cell);
    });
    rows.push_back(std::move(row));
  });

  std::size_t work = 0;
  bool tooMany = false;
  forChildren(child(worksheet, "mergeCells"), "mergeCell", [&](const pugi::xml_node& m) {
    if (tooMany) return;
    const std::string_view ref = m.attribute("ref").value();
    const std::size_t colon = ref.find(':');
    int c1, r1, c2, r2;
    if (colon == std::string_view::npos || !cellRef(ref.substr(0, colon), c1, r1) ||
        !cellRef(ref.substr(colon + 1), c2, r2))
      return;
    if (c2 < c1) std::swap(c1, c2);
    if (r2 < r1) std::swap(r1, r2);
    c2 = std::min(c2, kMaxColumns - 1);
    auto it = std::lower_bound(rows.begin(), rows.end(), r1,
                               [](const RawRow& row, int line) { return row.line < line; });
    for (; it != rows.end() && it->line <= r2; ++it) {
      for (int c = c1; c <= c2; ++c) {
        if (++work > kMaxMergeWork) {
          tooMany = true;
          return;
        }
        if (it->line == r1 && c == c1) continue;  // the merged range's value lives here
        if (it->cells.size() <= static_cast<std::size_t>(c))
          it->cells.resize(static_cast<std::size_t>(c) + 1);
        it->cells[static_cast<std::size_t>(c)] = {CellKind::Merged, ""};
      }
    }
  });
  if (tooMany) {
    message = "工作表的合并单元格太多，不予读取";
    return false;
  }
  return true;
}

}  // namespace

ParseResult ParseXlsxStations(std::string_view bytes, const ImportOptions& options) {
  ParseResult result;
  result.format = ImportFormat::Xlsx;
  result.encoding = "UTF-8";
  if (bytes.size() > kMaxImportFileBytes) {
    exchange::refuse(
        result, "工作簿太大（超过" + std::to_string(kMaxImportFileBytes >> 20) + "MB），不予读取");
    return result;
  }
  MemoryFile file{bytes};
  zlib_filefunc64_def io{memoryOpen, memoryRead,  memoryWrite, memoryTell,
                         memorySeek, memoryClose, memoryError, &file};
  Zip zip(unzOpen2_64("", &io));
  if (!zip) {
    exchange::refuse(result, "不是有效的Excel工作簿（.xlsx）");
    return result;
  }
  std::string message;
  std::vector<Sheet> sheets;
  if (!listSheets(zip.get(), sheets, message)) {
    exchange::refuse(result, message);
    return result;
  }
  for (const Sheet& s : sheets) result.sheetNames.push_back(s.name);
  const Sheet* chosen = nullptr;
  if (!options.sheetName.empty()) {
    for (const Sheet& s : sheets)
      if (s.name == options.sheetName) chosen = &s;
    if (chosen == nullptr) {
      exchange::refuse(result, "工作簿中没有名为“" + options.sheetName + "”的工作表");
      return result;
    }
  } else if (options.sheetIndex >= 0 &&
             static_cast<std::size_t>(options.sheetIndex) < sheets.size()) {
    chosen = &sheets[static_cast<std::size_t>(options.sheetIndex)];
  } else {
    exchange::refuse(result,
                     sheets.empty()
                         ? "工作簿中没有工作表"
                         : "工作簿中没有第" + std::to_string(options.sheetIndex + 1) + "个工作表");
    return result;
  }

  std::string xml;
  bool found = false;
  std::vector<std::string> shared;
  if (!readPart(zip.get(), "xl/sharedStrings.xml", xml, found, message)) {
    exchange::refuse(result, message);
    return result;
  }
  if (found) {
    pugi::xml_document doc;
    if (!parseXml(xml, doc, "xl/sharedStrings.xml", message)) {
      exchange::refuse(result, message);
      return result;
    }
    forChildren(child(doc, "sst"), "si",
                [&](const pugi::xml_node& si) { shared.push_back(stringItem(si)); });
  }
  std::vector<bool> dates;
  if (!readPart(zip.get(), "xl/styles.xml", xml, found, message)) {
    exchange::refuse(result, message);
    return result;
  }
  if (found) {
    pugi::xml_document doc;
    if (!parseXml(xml, doc, "xl/styles.xml", message)) {
      exchange::refuse(result, message);
      return result;
    }
    dates = dateStyles(doc);
  }
  if (!readPart(zip.get(), chosen->part, xml, found, message) || !found) {
    exchange::refuse(result, found ? message : "工作表“" + chosen->name + "”在工作簿中缺失");
    return result;
  }
  pugi::xml_document sheet;
  std::vector<RawRow> rows;
  if (!parseXml(xml, sheet, chosen->part, message) ||
      !readSheetRows(sheet, shared, dates, rows, message)) {
    exchange::refuse(result, message);
    return result;
  }
  xml.clear();
  exchange::interpretRows(rows, options, true, result);
  result.ok = true;
  return result;
}

}  // namespace tarsek
