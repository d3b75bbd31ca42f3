#include "uncertainty/error_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/numtext.h"

namespace tarsek::unc {
namespace {

constexpr std::array<std::string_view, 25> kWeightNames = {
    "DREF",     "DSF",      "DST",  "ABXY-TI1", "ABXY-TI2", "ABZ",  "ASXY-TI1",
    "ASXY-TI2", "ASXY-TI3", "ASZ",  "MBXY-TI1", "MBXY-TI2", "MBZ",  "MSXY-TI1",
    "MSXY-TI2", "MSXY-TI3", "MSZ",  "AZ",       "DBH",      "AMIL", "SAG",
    "XYM1",     "XYM2",     "XYM3", "XYM4"};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// One CSV record; a field may be quoted ("a, b"), a doubled quote inside standing for one.
std::vector<std::string> splitCsv(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& f : fields) f = std::string(trim(f));
  return fields;
}

bool parseNumber(std::string_view s, double& v) { return readWholeNumber(trim(s), v); }

// Factor from the file's unit to working units; 0 for a unit the model format does not know.
double unitFactor(std::string_view unit) {
  constexpr double kRad = std::numbers::pi / 180.0;
  if (unit == "m" || unit == "-" || unit == "1/m" || unit == "m/s2" || unit == "nT") return 1;
  if (unit == "deg" || unit == "deg.nT") return kRad;
  return 0;
}

}  // namespace

std::string_view WeightFunctionName(WeightFunction f) noexcept {
  return kWeightNames[static_cast<std::size_t>(f)];
}

bool WeightFunctionByName(std::string_view name, WeightFunction& f) noexcept {
  for (std::size_t i = 0; i < kWeightNames.size(); ++i) {
    if (kWeightNames[i] == name) {
      f = static_cast<WeightFunction>(i);
      return true;
    }
  }
  return false;
}

int ErrorModel::termIndex(std::string_view code) const noexcept {
  for (std::size_t i = 0; i < terms.size(); ++i)
    if (terms[i].code == code) return static_cast<int>(i);
  return -1;
}

bool ParseErrorModel(std::string_view text, const std::string& fallbackName,
                     const std::string& source, ErrorModel& model, std::string& message) {
  ErrorModel out;
  out.name = fallbackName;
  const auto fail = [&](std::size_t line, const std::string& what) {
    message =
        "误差模型“" + source + "”第" + std::to_string(line) + "行" + what + "，无法使用该模型！";
    return false;
  };
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  enum Column { kCode, kDescription, kWeight, kMagnitude, kUnit, kProp, kColumnCount };
  constexpr std::array<std::string_view, kColumnCount> kHeaders = {
      "Code", "Term Description", "Wt.Fn.", "Magnitude", "Units", "Prop."};
  std::array<int, kColumnCount> column{};
  column.fill(-1);
  bool haveHeader = false;
  std::size_t lineNo = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (raw.empty()) continue;
    if (raw.front() == '#') {
      const std::string_view body = trim(raw.substr(1));
      if (!haveHeader && body.substr(0, 6) == "model=") {
        out.name = std::string(trim(body.substr(6)));
        if (out.name.empty()) return fail(lineNo, "的模型名称为空");
      }
      continue;
    }
    const std::vector<std::string> fields = splitCsv(raw);
    if (!haveHeader) {
      for (std::size_t i = 0; i < fields.size(); ++i)
        for (std::size_t c = 0; c < kHeaders.size(); ++c)
          if (fields[i] == kHeaders[c] && column[c] < 0) column[c] = static_cast<int>(i);
      for (std::size_t c = 0; c < kHeaders.size(); ++c)
        if (column[c] < 0) return fail(lineNo, "的表头缺少“" + std::string(kHeaders[c]) + "”列");
      haveHeader = true;
      continue;
    }
    const auto field = [&](Column c) -> const std::string& {
      static const std::string kEmpty;
      const auto i = static_cast<std::size_t>(column[c]);
      return i < fields.size() ? fields[i] : kEmpty;
    };
    ErrorTerm term;
    term.code = field(kCode);
    if (term.code.empty()) return fail(lineNo, "缺少误差项代码");
    if (out.termIndex(term.code) >= 0) return fail(lineNo, "的误差项“" + term.code + "”重复");
    term.description = field(kDescription);
    if (!WeightFunctionByName(field(kWeight), term.weight))
      return fail(lineNo, "的权函数“" + field(kWeight) + "”未知");
    if (!parseNumber(field(kMagnitude), term.magnitude) || term.magnitude < 0)
      return fail(lineNo, "的误差大小不是非负数");
    term.unit = field(kUnit);
    const double factor = unitFactor(term.unit);
    if (factor == 0) return fail(lineNo, "的单位“" + term.unit + "”未知");
    term.sigma = term.magnitude * factor;
    const std::string& prop = field(kProp);
    if (prop == "R")
      term.propagation = Propagation::Random;
    else if (prop == "S")
      term.propagation = Propagation::Systematic;
    else if (prop == "G")
      term.propagation = Propagation::Global;
    else
      return fail(lineNo, "的传播方式“" + prop + "”应为R、S或G");
    out.terms.push_back(std::move(term));
  }
  if (!haveHeader) return fail(lineNo, "之前没有表头");
  if (out.terms.empty()) return fail(lineNo, "之前没有误差项");
  model = std::move(out);
  return true;
}

}  // namespace tarsek::unc

#include "uncertainty/embedded_models.h"

namespace tarsek::unc {

const std::vector<ErrorModel>& BuiltInModels() {
  static const std::vector<ErrorModel> models = [] {
    std::vector<ErrorModel> all;
    for (const EmbeddedModel& m : EmbeddedModels()) {
      ErrorModel model;
      std::string message;
      std::string stem(m.file.substr(0, m.file.rfind('.')));
      // The tables are checked by the suite; a broken one is left out rather than half-used.
      if (ParseErrorModel(m.text, stem, std::string(m.file), model, message))
        all.push_back(std::move(model));
    }
    std::sort(all.begin(), all.end(),
              [](const ErrorModel& a, const ErrorModel& b) { return a.name < b.name; });
    return all;
  }();
  return models;
}

const ErrorModel* FindModel(std::string_view name) {
  for (const ErrorModel& m : BuiltInModels())
    if (m.name == name) return &m;
  return nullptr;
}

}  // namespace tarsek::unc
