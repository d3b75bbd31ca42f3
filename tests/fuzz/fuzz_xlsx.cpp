// libFuzzer target: the .xlsx station reader. Bytes starting "PK" are taken as the workbook
// itself (the zip layer); anything else is the XML of its parts, split at lines "====" into the
// sheet, the shared strings, the styles and the workbook part, and packed into a workbook here,
// so that the mutations reach the cell, merge and date-format reading behind the zip's checksums.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "station_fuzz_checks.h"

namespace {

void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, unsigned long v) {
  put16(out, static_cast<unsigned>(v & 0xFFFF));
  put16(out, static_cast<unsigned>((v >> 16) & 0xFFFF));
}

// A zip of stored (uncompressed) entries with correct checksums.
std::string storedZip(const std::vector<std::pair<std::string, std::string>>& parts) {
  std::string zip, directory;
  for (const auto& [name, data] : parts) {
    const unsigned long crc =
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    const auto offset = static_cast<unsigned long>(zip.size());
    put32(zip, 0x04034b50);
    put16(zip, 20);
    put16(zip, 0);
    put16(zip, 0);
    put16(zip, 0);
    put16(zip, 0);
    put32(zip, crc);
    put32(zip, data.size());
    put32(zip, data.size());
    put16(zip, static_cast<unsigned>(name.size()));
    put16(zip, 0);
    zip += name;
    zip += data;
    put32(directory, 0x02014b50);
    put16(directory, 20);
    put16(directory, 20);
    for (int k = 0; k < 3; ++k) put16(directory, 0);
    put16(directory, 0);
    put32(directory, crc);
    put32(directory, data.size());
    put32(directory, data.size());
    put16(directory, static_cast<unsigned>(name.size()));
    for (int k = 0; k < 4; ++k) put16(directory, 0);
    put32(directory, 0);
    put32(directory, offset);
    directory += name;
  }
  const auto at = static_cast<unsigned long>(zip.size());
  zip += directory;
  put32(zip, 0x06054b50);
  put16(zip, 0);
  put16(zip, 0);
  put16(zip, static_cast<unsigned>(parts.size()));
  put16(zip, static_cast<unsigned>(parts.size()));
  put32(zip, directory.size());
  put32(zip, at);
  put16(zip, 0);
  return zip;
}

std::string workbookFrom(std::string_view text) {
  std::vector<std::string> pieces;
  for (;;) {
    const std::size_t cut = text.find("\n====\n");
    pieces.emplace_back(text.substr(0, cut));
    if (cut == std::string_view::npos || pieces.size() == 4) break;
    text.remove_prefix(cut + 6);
  }
  pieces.resize(4);
  if (pieces[3].empty())
    pieces[3] =
        "<workbook xmlns:r=\"r\"><sheets><sheet name=\"测斜\" r:id=\"rId1\"/></sheets></workbook>";
  std::vector<std::pair<std::string, std::string>> parts = {
      {"xl/workbook.xml", pieces[3]},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
       "</Relationships>"},
      {"xl/worksheets/sheet1.xml", pieces[0]}};
  if (!pieces[1].empty()) parts.emplace_back("xl/sharedStrings.xml", pieces[1]);
  if (!pieces[2].empty()) parts.emplace_back("xl/styles.xml", pieces[2]);
  return storedZip(parts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string book = bytes.substr(0, 2) == "PK" ? std::string(bytes) : workbookFrom(bytes);
  const tarsek::ParseResult r = tarsek::ParseXlsxStations(book);
  tarsek::fuzzing::checkResult(r);
  tarsek::fuzzing::checkRoundTrip(r);
  // The second sheet, when there is one, through its name.
  if (r.ok && r.sheetNames.size() > 1) {
    tarsek::ImportOptions options;
    options.sheetName = r.sheetNames[1];
    tarsek::fuzzing::checkResult(tarsek::ParseXlsxStations(book, options));
  }
  return 0;
}
