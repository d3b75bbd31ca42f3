#include "exchange/station_import.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "exchange/station_rows.h"

namespace tarsek {
namespace {

bool endsWith(std::string s, std::string_view tail) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

ImportFormat detect(const std::string& path, std::string_view head) {
  if (head.substr(0, 4) == std::string_view("PK\x03\x04", 4)) return ImportFormat::Xlsx;
  std::string_view s = head;
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  while (!s.empty() &&
         (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
    s.remove_prefix(1);
  if (!s.empty() && s.front() == '<') return ImportFormat::Witsml;
  if (endsWith(path, ".xlsx")) return ImportFormat::Xlsx;
  if (endsWith(path, ".xml")) return ImportFormat::Witsml;
  return ImportFormat::Text;
}

ParseResult readFile(const std::string& path, const ImportOptions& options) {
  ParseResult result;
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    exchange::refuse(result, "找不到文件“" + path + "”");
    return result;
  }
  const auto size = fs::file_size(path, ec);
  if (ec) {
    exchange::refuse(result, "文件“" + path + "”无法读取");
    return result;
  }
  if (size > kMaxImportFileBytes) {
    exchange::refuse(result, "文件“" + path + "”太大（超过" +
                                 std::to_string(kMaxImportFileBytes >> 20) + "MB），不是测斜数据");
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    exchange::refuse(result, "文件“" + path + "”无法读取");
    return result;
  }
  ImportFormat format = options.format;
  if (format == ImportFormat::Detect) format = detect(path, std::string_view(bytes).substr(0, 512));
  switch (format) {
    case ImportFormat::Xlsx: {
      ParseResult r = ParseXlsxStations(bytes, options);
      if (!r.ok && r.message.rfind("不是有效的Excel工作簿", 0) == 0)
        r.message = "“" + path + "”" + r.message;
      return r;
    }
    case ImportFormat::Witsml:
      return ParseWitsmlTrajectory(bytes);
    default:
      return ParseStationText(bytes, options);
  }
}

}  // namespace

ParseResult ReadStationFile(const std::string& path, const ImportOptions& options) {
  try {
    return readFile(path, options);
  } catch (const std::exception&) {
    // Only memory exhaustion gets here; nothing was taken from the file.
    ParseResult result;
    exchange::refuse(result, "文件“" + path + "”无法读取（内存不足）");
    return result;
  }
}

}  // namespace tarsek
