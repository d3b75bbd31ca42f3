#pragma once

// Files the exchange tests read: workbooks put together part by part, so that a test can hold
// exactly the oddity it is about.

#include <minizip/zip.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace tarsek::testing {

/// A fresh directory under the system's temporary directory, removed with the object.
struct TempDir {
  std::filesystem::path path;
  explicit TempDir(const std::string& name)
      : path(std::filesystem::temp_directory_path() / ("tarsek_exchange_" + name)) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string file(const std::string& name) const { return (path / name).string(); }
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

/// Writes a zip holding the given parts (name, contents).
inline bool writeZip(const std::string& path,
                     const std::vector<std::pair<std::string, std::string>>& parts) {
  zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zf == nullptr) return false;
  for (const auto& [name, data] : parts) {
    zip_fileinfo info{};
    if (zipOpenNewFileInZip64(zf, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, 0) != ZIP_OK ||
        zipWriteInFileInZip(zf, data.data(), static_cast<unsigned>(data.size())) != ZIP_OK ||
        zipCloseFileInZip(zf) != ZIP_OK) {
      zipClose(zf, nullptr);
      return false;
    }
  }
  return zipClose(zf, nullptr) == ZIP_OK;
}

/// A one-sheet workbook: the header 测深, 井斜, 方位 in row 1 as inline strings, then rowsXml
/// (the <row> elements from row 2), mergeXml after sheetData, and the given styles part.
inline bool writeWorkbook(const std::string& path, const std::string& rowsXml,
                          const std::string& mergeXml = "", const std::string& stylesXml = "") {
  const std::string header =
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>测深</t></is></c>"
      "<c r=\"B1\" t=\"inlineStr\"><is><t>井斜</t></is></c>"
      "<c r=\"C1\" t=\"inlineStr\"><is><t>方位</t></is></c></row>";
  std::vector<std::pair<std::string, std::string>> parts = {
      {"xl/workbook.xml",
       "<?xml version=\"1.0\"?><workbook "
       "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
       "<sheets><sheet name=\"测斜\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml",
       "<?xml version=\"1.0\"?><worksheet "
       "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           header + rowsXml + "</sheetData>" + mergeXml + "</worksheet>"}};
  if (!stylesXml.empty()) parts.emplace_back("xl/styles.xml", stylesXml);
  return writeZip(path, parts);
}

}  // namespace tarsek::testing
