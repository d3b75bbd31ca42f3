#include "exchange/xlsx_writer.h"

#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace tarsek::exchange {

bool formatXlsx(const ExportTable& table, const std::string& path, std::string& bytes,
                std::string& message) {
  const std::string temp = path + ".build.xlsx";
  lxw_workbook* book = workbook_new(temp.c_str());
  if (book == nullptr) {
    message = "无法写入“" + path + "”";
    return false;
  }
  lxw_worksheet* sheet = workbook_add_worksheet(book, table.design ? "设计轨迹" : "测斜数据");
  lxw_format* header = workbook_add_format(book);
  format_set_bold(header);
  format_set_align(header, LXW_ALIGN_CENTER);
  format_set_bottom(header, LXW_BORDER_THIN);
  std::vector<lxw_format*> numbers;
  for (const ExportColumn& c : table.columns) {
    lxw_format* f = workbook_add_format(book);
    std::string code =
        c.decimals > 0 ? "0." + std::string(static_cast<std::size_t>(c.decimals), '0') : "0";
    // A cell holds the whole value; an exact column also shows the digits beyond its decimals.
    if (c.exact) code += c.decimals > 0 ? "#####" : ".#####";
    format_set_num_format(f, code.c_str());
    numbers.push_back(f);
  }
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const ExportColumn& col = table.columns[c];
    const std::string title = col.unit.empty() ? col.title : col.title + "(" + col.unit + ")";
    const auto cc = static_cast<lxw_col_t>(c);
    worksheet_write_string(sheet, 0, cc, title.c_str(), header);
    worksheet_set_column(sheet, cc, cc, 12, nullptr);
    for (std::size_t r = 0; r < col.values.size(); ++r) {
      // A value not computed for a row stays an empty cell rather than a spreadsheet error.
      if (!std::isfinite(col.values[r])) continue;
      worksheet_write_number(sheet, static_cast<lxw_row_t>(r + 1), cc, col.values[r], numbers[c]);
    }
  }
  worksheet_freeze_panes(sheet, 1, 0);
  const lxw_error closed = workbook_close(book);
  std::error_code ec;
  if (closed != LXW_NO_ERROR) {
    std::filesystem::remove(temp, ec);
    message = "无法写入“" + path + "”（" + lxw_strerror(closed) + "）";
    return false;
  }
  std::ifstream in(temp, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const bool read = static_cast<bool>(in) || in.eof();
  in.close();
  std::filesystem::remove(temp, ec);
  if (!read || bytes.empty()) {
    message = "无法写入“" + path + "”";
    return false;
  }
  return true;
}

}  // namespace tarsek::exchange
