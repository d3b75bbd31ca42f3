#include "uncertainty/survey_csv.h"

#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "common/numtext.h"

namespace tarsek::unc {
namespace {

constexpr std::uintmax_t kMaxSurveyBytes = 16u * 1024u * 1024u;

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> split(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    out.push_back(
        trim(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool ParseSurveyCsv(std::string_view text, const std::string& source, SurveyPath& path,
                    std::string& message) {
  enum { kMd, kInc, kAzi, kTvd, kNorth, kEast, kCount };
  constexpr std::array<const char*, kCount> kNames = {"md", "inc", "azi", "tvd", "north", "east"};
  std::array<int, kCount> col{};
  col.fill(-1);
  const auto at = [&](std::size_t line) {
    return "文件“" + source + "”第" + std::to_string(line) + "行";
  };
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  SurveyPath out;
  bool header = false, tieOn = false, first = true;
  std::size_t lineNo = 0, pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty()) continue;
    const std::vector<std::string_view> f = split(line);
    if (!header) {
      for (std::size_t i = 0; i < f.size(); ++i)
        for (std::size_t c = 0; c < kCount; ++c)
          if (lower(f[i]) == kNames[c] && col[c] < 0) col[c] = static_cast<int>(i);
      for (std::size_t c = 0; c < 3; ++c) {
        if (col[c] < 0) {
          message =
              at(lineNo) + "的表头缺少“" + kNames[c] + "”列（需要md、inc、azi），无法读取测点！";
          return false;
        }
      }
      const int tie = (col[kTvd] >= 0) + (col[kNorth] >= 0) + (col[kEast] >= 0);
      if (tie != 0 && tie != 3) {
        message = at(lineNo) + "的表头应同时有tvd、north、east三列或都没有，无法读取测点！";
        return false;
      }
      tieOn = tie == 3;
      header = true;
      continue;
    }
    std::array<double, kCount> v{};
    for (std::size_t c = 0; c < kCount; ++c) {
      if (col[c] < 0 || (c >= kTvd && !first)) continue;
      const auto i = static_cast<std::size_t>(col[c]);
      if (i >= f.size() || !readWholeNumber(f[i], v[c])) {
        message = at(lineNo) + "的“" + kNames[c] + "”不是数字，无法读取测点！";
        return false;
      }
    }
    if (first && tieOn) out.tieOn = {v[kNorth], v[kEast], v[kTvd]};
    if (first && !tieOn && v[kMd] > 0) {
      out.tieOn = {0, 0, 0};
      out.stations.push_back({0, 0, v[kAzi]});
      out.firstSurveyed = 1;
    }
    first = false;
    out.stations.push_back({v[kMd], v[kInc], v[kAzi]});
  }
  if (!header) {
    message = "文件“" + source + "”是空的，无法读取测点！";
    return false;
  }
  if (out.stations.empty()) {
    message = "文件“" + source + "”中没有测点！";
    return false;
  }
  const std::string fault = CheckPath(out);
  if (!fault.empty()) {
    message = "文件“" + source + "”的" + fault + "，无法读取测点！";
    return false;
  }
  path = std::move(out);
  return true;
}

bool ReadSurveyCsv(const std::string& file, SurveyPath& path, std::string& message) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    message = "找不到测点文件“" + file + "”！";
    return false;
  }
  if (fs::file_size(file, ec) > kMaxSurveyBytes) {
    message = "文件“" + file + "”过大，不是测点文件！";
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    message = "文件“" + file + "”读取出错，无法读取测点！";
    return false;
  }
  return ParseSurveyCsv(bytes, file, path, message);
}

}  // namespace tarsek::unc
