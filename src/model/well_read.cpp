#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/well_file_format.h"
#include "model/well_files.h"

namespace tarsek {
namespace fs = std::filesystem;

namespace {

// Far beyond the largest real well file (32767 stations of a few dozen bytes each); a bigger
// file is not a well file, and reading it whole could exhaust memory.
constexpr std::uintmax_t kMaxWellFileBytes = 16u * 1024u * 1024u;

bool readWholeFile(const std::string& path, std::string& bytes, std::string& message) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (!ec && size > kMaxWellFileBytes) {
    message = "文件“" + path + "”过大，不是井数据文件，无法读取该井！";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    message = "文件“" + path + "”无法打开，无法读取该井！";
    return false;
  }
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    message = "文件“" + path + "”读取出错，无法读取该井！";
    return false;
  }
  bytes = std::move(data);
  return true;
}

bool isFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace

FileResult ReadWellFiles(WellRecord& record, const std::string& designPath, bool neighbourOnly,
                         const std::string& directory, std::string& surveyPath) {
  FileResult result;
  if (!isFile(designPath)) {
    result.found = false;
    return result;
  }
  // Everything is read into a copy first: a file refused halfway must not leave the well open
  // on screen half replaced.
  WellRecord fresh = record;
  std::string bytes;
  if (!readWholeFile(designPath, bytes, result.message) ||
      !ParseDesignFile(bytes, designPath, neighbourOnly, fresh, result.message)) {
    result.ok = false;
    return result;
  }
  // The survey file goes by the number inside the design file, not by the design file's name.
  surveyPath = WellFilePath(directory, fresh.wellNo, kSurveyExtension);
  if (isFile(surveyPath)) {
    if (!readWholeFile(surveyPath, bytes, result.message) ||
        !ParseSurveyFile(bytes, surveyPath, fresh, result.message)) {
      result.ok = false;
      return result;
    }
  } else {
    // A well never surveyed has no stations; keeping the previous well's would show them as
    // this well's and write them into its survey file on the next save.
    fresh.stationCount = 0;
    fresh.stations.assign(1, SurveyStation{});
    fresh.results.assign(1, StationResult{});
  }
  record = std::move(fresh);
  return result;
}

}  // namespace tarsek
