#include "uncertainty/site_params.h"

#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "common/numtext.h"
#include "model/well_files.h"
#include "uncertainty/error_model.h"

namespace tarsek::unc {
namespace {

// A parameter file holds a dozen short lines; anything this big is not one.
constexpr std::uintmax_t kMaxSiteFileBytes = 64 * 1024;

struct Key {
  const char* name;
  const char* label;  // how the message names the value
  bool required;
};

constexpr std::array<Key, 11> kKeys = {{
    {"btotal", "磁场强度", true},
    {"dip", "磁倾角", true},
    {"gravity", "重力加速度", false},
    {"latitude", "纬度", false},
    {"convergence", "子午线收敛角", false},
    {"model", "测量仪器误差模型", false},
    {"sigma", "误差椭圆倍数", false},
    {"diameter", "井眼（套管）直径", false},
    {"k", "分离系数比例因子", false},
    {"sm", "地面余量", false},
    {"sigmapa", "预测误差", false},
}};

double* fieldOf(SiteParameters& p, std::size_t key) {
  switch (key) {
    case 0:
      return &p.btotal;
    case 1:
      return &p.dip;
    case 2:
      return &p.gravity;
    case 3:
      return &p.latitude;
    case 4:
      return &p.convergence;
    case 6:
      return &p.sigmaMultiple;
    case 7:
      return &p.diameter;
    case 8:
      return &p.k;
    case 9:
      return &p.sm;
    case 10:
      return &p.sigmaPa;
    default:
      return nullptr;
  }
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::string formatNumber(double v) {
  std::array<char, 32> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), r.ptr);
}

}  // namespace

std::string CheckSiteParameters(const SiteParameters& p) {
  const auto outside = [](double v, double lo, double hi) {
    return !std::isfinite(v) || v < lo || v > hi;
  };
  if (outside(p.btotal, 10000, 100000)) return "磁场强度应在10000到100000 nT之间";
  if (!std::isfinite(p.dip) || std::fabs(p.dip) >= 90) return "磁倾角应在-90到90°之间（不含）";
  if (outside(p.gravity, 9.7, 9.9)) return "重力加速度应在9.7到9.9 m/s²之间";
  if (outside(p.latitude, -90, 90)) return "纬度应在-90到90°之间";
  if (outside(p.convergence, -45, 45)) return "子午线收敛角应在-45到45°之间";
  if (outside(p.declination, -180, 180)) return "磁偏角应在-180到180°之间";
  if (FindModel(p.model) == nullptr) return "测量仪器误差模型“" + p.model + "”未知";
  if (outside(p.sigmaMultiple, 0, 10) || p.sigmaMultiple == 0)
    return "误差椭圆倍数应大于0且不超过10";
  if (outside(p.diameter, 0, 2)) return "井眼（套管）直径应在0到2 m之间";
  if (outside(p.k, 0, 10) || p.k == 0) return "分离系数比例因子应大于0且不超过10";
  if (outside(p.sm, 0, 10)) return "地面余量应在0到10 m之间";
  if (outside(p.sigmaPa, 0, 10)) return "预测误差应在0到10 m之间";
  return {};
}

bool ParseSiteParameters(std::string_view text, const std::string& fileName, SiteParameters& p,
                         std::string& message) {
  SiteParameters out = p;
  std::array<std::size_t, kKeys.size()> seenAt{};
  const auto where = [&](std::size_t line) {
    return "文件“" + fileName + "”第" + std::to_string(line) + "行";
  };
  constexpr const char* kRefused = "，无法读取测量误差参数！";
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::size_t lineNo = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      message = where(lineNo) + "不是“名称=数值”的形式" + kRefused;
      return false;
    }
    const std::string_view name = trim(line.substr(0, eq));
    const std::string_view value = trim(line.substr(eq + 1));
    std::size_t key = kKeys.size();
    for (std::size_t i = 0; i < kKeys.size(); ++i)
      if (name == kKeys[i].name) key = i;
    if (key == kKeys.size()) {
      message = where(lineNo) + "的名称“" + std::string(name) + "”未知" + kRefused;
      return false;
    }
    if (seenAt[key] != 0) {
      message = where(lineNo) + "的" + kKeys[key].label + "与第" + std::to_string(seenAt[key]) +
                "行重复" + kRefused;
      return false;
    }
    seenAt[key] = lineNo;
    if (double* field = fieldOf(out, key)) {
      if (!readWholeNumber(value, *field)) {
        message = where(lineNo) + "的" + kKeys[key].label + "不是数字" + kRefused;
        return false;
      }
    } else {
      out.model = std::string(value);
    }
    SiteParameters probe = out;
    probe.declination = 0;
    // Check this line's value on its own so that the message can name the line.
    SiteParameters single;
    single.btotal = 50000;
    single.dip = 60;
    if (double* field = fieldOf(single, key))
      *field = *fieldOf(probe, key);
    else
      single.model = probe.model;
    const std::string fault = CheckSiteParameters(single);
    if (!fault.empty()) {
      message = where(lineNo) + "：" + fault + kRefused;
      return false;
    }
  }
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].required && seenAt[i] == 0) {
      message =
          "文件“" + fileName + "”缺少" + kKeys[i].label + "（" + kKeys[i].name + "）" + kRefused;
      return false;
    }
  }
  p = out;
  return true;
}

std::string FormatSiteParameters(const SiteParameters& p) {
  std::string text = "# 井眼位置不确定性参数\n";
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    SiteParameters copy = p;
    const double* field = fieldOf(copy, i);
    text += kKeys[i].name;
    text += '=';
    text += field != nullptr ? formatNumber(*field) : p.model;
    text += '\n';
  }
  return text;
}

SiteFile LoadSiteParameters(const std::string& directory, std::string_view wellNo,
                            SiteParameters& p, std::string& message) {
  namespace fs = std::filesystem;
  const std::string path = WellFilePath(directory, wellNo, kSiteExtension);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    message = kNoSiteParameters;
    return SiteFile::Missing;
  }
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxSiteFileBytes) {
    message = "文件“" + path + "”不是测量误差参数文件，无法读取测量误差参数！";
    return SiteFile::Refused;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    message = "文件“" + path + "”读取出错，无法读取测量误差参数！";
    return SiteFile::Refused;
  }
  const double declination = p.declination;
  if (!ParseSiteParameters(bytes, path, p, message)) return SiteFile::Refused;
  p.declination = declination;
  return SiteFile::Loaded;
}

bool SaveSiteParameters(const std::string& directory, std::string_view wellNo,
                        const SiteParameters& p, std::string& message) {
  const std::string path = WellFilePath(directory, wellNo, kSiteExtension);
  SiteParameters check = p;
  check.declination = 0;
  const std::string fault = CheckSiteParameters(check);
  if (!fault.empty()) {
    message = "测量误差参数有误：" + fault + "，文件“" + path + "”未保存！";
    return false;
  }
  return WriteFileAtomically(path, FormatSiteParameters(p), message);
}

}  // namespace tarsek::unc
