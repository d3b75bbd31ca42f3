#include "app/calc_tools.h"

#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "common/numtext.h"
#include "tools/azimuth_turn.h"
#include "tools/casing.h"
#include "tools/hydraulics.h"
#include "tools/kill_mud.h"
#include "tools/stuck_point.h"
#include "tools/tool_limits.h"

namespace tarsek::calc {
namespace {

using nlohmann::json;

// One calculator: its input names (in box order) with the text each box starts with.
struct Calculator {
  const char* name;
  std::vector<std::pair<const char*, const char*>> inputs;
};

const std::vector<Calculator>& calculators() {
  static const std::vector<Calculator> all = {
      {"hydraulics",
       {{"H", ""},
        {"n", ""},
        {"Dl", ""},
        {"eta", "80"},
        {"rho", ""},
        {"d1", ""},
        {"d2", ""},
        {"d3", ""},
        {"Db", ""},
        {"Dco", ""},
        {"Dci", ""},
        {"Lc", ""}}},
      {"casing", {{"grade", "-1"}, {"rho", ""}, {"L", ""}, {"Hc", ""}}},
      {"kill",
       {{"H", ""},
        {"Pd", ""},
        {"rho0", ""},
        {"rho1", ""},
        {"V", ""},
        {"rhow", ""},
        {"margin", "0"}}},
      {"weighting", {{"rho0", ""}, {"rho1", ""}, {"V", ""}, {"rhow", ""}}},
      {"stuck", {{"pipe", "φ127mm×9.19mm"}, {"e", ""}, {"P", ""}, {"Dh", ""}, {"H", ""}}},
      {"turn",
       {{"MD1", ""},
        {"I1", ""},
        {"A1", ""},
        {"MD2", ""},
        {"I2", ""},
        {"A2", ""},
        {"Ao", ""},
        {"w0", ""},
        {"K", ""}}},
  };
  return all;
}

constexpr const char* kHelpFooter =
    "输入（NAME=VALUE，数值按输入框的规则读取，缺省为空框）：\n"
    "  hydraulics  H 井深m, n 泵冲/min, Dl 缸套mm, eta 容积效率%(80), rho 比重g/cm^3,\n"
    "              d1 d2 d3 喷嘴mm, Db 钻头直径mm, Dco 钻铤外径mm, Dci 钻铤内径mm, Lc 钻铤长度m\n"
    "  casing      grade 规格序号0-5(-1 未选)或规格全称, rho 密度g/cm^3, L 段长m, Hc "
    "预留水泥塞面深m\n"
    "  kill        H 井深m, Pd 关井立压MPa, rho0 原浆比重, rho1 预配比重(初值), V 原浆体积m^3,\n"
    "              rhow 加重料比重, margin 按“考虑附加压力”的次数(0)\n"
    "  weighting   rho0 原浆比重, rho1 预配比重, V 原浆体积m^3, rhow 加重料比重\n"
    "  stuck       pipe 钻杆规格(φ127mm×9.19mm), e 平均伸长cm, P 平均拉力T, Dh 井径mm, H 井深m\n"
    "  turn        MD1 I1 A1 扭方位前测深、井斜、方位, MD2 I2 A2 扭方位后, Ao 定向方位角,\n"
    "              w0 初始装置角, K 造斜率°/100m\n"
    "输出：hydraulics、casing 为 {\"lines\": [...]}，其余为各结果框的文字（null 表示不变）。\n"
    "超出范围的输入（如负的伸长、不大于127mm的钻头）与窗口一样被拒绝：说明写到标准错误，退出码3。"
    "\n";

using Inputs = std::map<std::string, std::string>;

double num(const Inputs& in, const char* name) { return readNumber(in.at(name)); }

json fixedOrEmpty(const std::optional<double>& v, int decimals) {
  return v ? formatFixed(*v, decimals) : std::string();
}

json hydraulics(const Inputs& in) {
  static const char* const kNames[12] = {"H",  "n",  "Dl", "eta", "rho", "d1",
                                         "d2", "d3", "Db", "Dco", "Dci", "Lc"};
  HydraulicsInput values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = num(in, kNames[i]);
  const auto r = computeHydraulics(values);
  return {{"lines", r ? hydraulicsLines(*r) : std::vector<std::string>{}}};
}

// The casing grade as typed: a list position 0..5, -1 for none chosen, or the text of a
// catalogue entry; anything else is no grade at all (a misspelt grade must not read as 0).
std::optional<int> casingGrade(const std::string& text) {
  if (text == "-1") return -1;
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '5') return text[0] - '0';
  for (std::size_t i = 0; i < kCasingCatalogue.size(); ++i)
    if (text == kCasingCatalogue[i].text) return static_cast<int>(i);
  return std::nullopt;
}

json casing(const Inputs& in) {
  const int position = casingGrade(in.at("grade")).value_or(-1);
  const CasingCheck c = computeCasingCheck(position, num(in, "rho"), num(in, "L"), num(in, "Hc"));
  if (c.outcome == CasingOutcome::NoGrade) return {{"grade", nullptr}, {"lines", nullptr}};
  return {{"grade", kCasingCatalogue[static_cast<std::size_t>(position)].text},
          {"lines",
           c.outcome == CasingOutcome::Shown ? casingLines(c.result) : std::vector<std::string>{}}};
}

std::optional<double> weight(double rho0, const std::string& plannedText, const Inputs& in) {
  return computeWeightingMaterial(rho0, readNumber(plannedText), num(in, "V"), num(in, "rhow"));
}

// The kill frame after its boxes are filled: the kill density lands in the planned-density box
// as text, the weighting reads that text back, and each margin click works on it.
json kill(const Inputs& in) {
  const double rho0 = num(in, "rho0");
  std::string planned = in.at("rho1");
  if (const auto p = computeKillDensity(num(in, "H"), num(in, "Pd"), rho0))
    planned = formatFixed(*p, 2);
  bool marginAdded = false;
  const double clicks = num(in, "margin");
  for (int i = 0; i < clicks && i < 100; ++i) {
    const auto p = addPressureMargin(num(in, "H"), readNumber(planned), marginAdded);
    if (!p) break;
    planned = formatPlain(*p);
    marginAdded = true;
  }
  return {{"rho1", planned}, {"W", fixedOrEmpty(weight(rho0, planned, in), 2)}};
}

json weighting(const Inputs& in) {
  return {{"W", fixedOrEmpty(weight(num(in, "rho0"), in.at("rho1"), in), 2)}};
}

json stuck(const Inputs& in) {
  const StuckPointResult r =
      computeStuckPoint(in.at("pipe"), num(in, "e"), num(in, "P"), num(in, "Dh"), num(in, "H"));
  const auto text = [](const std::optional<double>& v) -> json {
    return v ? json(formatFixed(*v, 2)) : json(nullptr);
  };
  return {{"L", text(r.depth)}, {"Vo", text(r.oilVolume)}};
}

json turn(const Inputs& in) {
  TurnInput t;
  t.md1 = num(in, "MD1");
  t.inclination1 = num(in, "I1");
  t.azimuth1 = num(in, "A1");
  t.md2 = num(in, "MD2");
  t.inclination2 = num(in, "I2");
  t.azimuth2 = num(in, "A2");
  t.orientedAzimuth = num(in, "Ao");
  t.toolface = num(in, "w0");
  t.buildRate = num(in, "K");

  const InitialToolface initial = findInitialToolface(t);
  json first = {
      {"T8", initial.badBuildRate ? json(nullptr) : fixedOrEmpty(initial.drillToDepth, 2)},
      {"T5", fixedOrEmpty(initial.toolface, 2)},
      {"T4", fixedOrEmpty(initial.orientedAzimuth, 2)}};
  if (initial.badBuildRate) first["status"] = "请重新输入造斜率";
  const auto p = predictTurn(t);
  return {
      {"求初始装置角", first},
      {"求反扭角", {{"T7", fixedOrEmpty(findReactiveTorque(t), 2)}}},
      {"预计扭方位结果",
       {{"T9", p ? formatFixed(p->inclination, 3) : std::string()},
        {"T10", p ? formatFixed(p->azimuth, 3) : std::string()}}},
  };
}

std::vector<double> values(const Inputs& in, ToolCalculator calculator) {
  std::vector<double> out;
  for (const ToolLimit& l : toolLimits(calculator)) out.push_back(num(in, l.name));
  return out;
}

// Why the window would refuse these inputs; empty when it takes them.
std::string refusal(const std::string& name, const Inputs& in) {
  std::vector<ToolCalculator> checks;
  if (name == "hydraulics") checks = {ToolCalculator::Hydraulics};
  if (name == "casing") {
    if (!casingGrade(in.at("grade"))) return kBadCasingGrade;
    checks = {ToolCalculator::Casing};
  }
  if (name == "kill") checks = {ToolCalculator::KillDensity, ToolCalculator::Weighting};
  if (name == "weighting") checks = {ToolCalculator::Weighting};
  if (name == "stuck") checks = {ToolCalculator::StuckPoint};
  if (name == "turn") checks = {ToolCalculator::Turn};
  for (ToolCalculator c : checks) {
    std::string message = checkToolInputs(c, values(in, c));
    if (!message.empty()) return message;
  }
  return {};
}

json run(const std::string& name, const Inputs& in) {
  if (name == "hydraulics") return hydraulics(in);
  if (name == "casing") return casing(in);
  if (name == "kill") return kill(in);
  if (name == "weighting") return weighting(in);
  if (name == "stuck") return stuck(in);
  return turn(in);
}

// Box texts of one calculator: the starting texts, overwritten by the NAME=VALUE pairs.
Inputs readInputs(const Calculator& calc, const std::vector<std::string>& pairs) {
  Inputs in;
  std::string known;
  for (const auto& [name, start] : calc.inputs) {
    in[name] = start;
    known += known.empty() ? name : std::string(" ") + name;
  }
  for (const std::string& pair : pairs) {
    const auto eq = pair.find('=');
    const std::string name = pair.substr(0, eq);
    if (eq == std::string::npos || in.find(name) == in.end())
      throw CLI::ValidationError("“" + pair + "”不是可用的输入（" + calc.name + "：" + known +
                                 "）");
    in[name] = pair.substr(eq + 1);
  }
  return in;
}

}  // namespace

void addToolsCommand(CLI::App& app, int& exitCode) {
  struct Options {
    std::string calculator;
    std::vector<std::string> pairs;
  };
  auto options = std::make_shared<Options>();
  CLI::App* tool = app.add_subcommand("tool", "工具箱的钻井计算，输出结果(JSON)");
  tool->add_option("calculator", options->calculator,
                   "hydraulics 水力参数, casing 套管, kill 关井压井, weighting 加重料, "
                   "stuck 卡点, turn 扭方位")
      ->required()
      ->check(CLI::IsMember({"hydraulics", "casing", "kill", "weighting", "stuck", "turn"}));
  tool->add_option("inputs", options->pairs, "NAME=VALUE ...");
  tool->footer(kHelpFooter);
  tool->callback([options, &exitCode] {
    for (const Calculator& calc : calculators()) {
      if (options->calculator != calc.name) continue;
      const Inputs in = readInputs(calc, options->pairs);
      const std::string refused = refusal(calc.name, in);
      if (!refused.empty()) {
        std::cerr << refused << '\n';
        exitCode = kExitRefusedInput;
        return;
      }
      const json out = run(calc.name, in);
      std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
      return;
    }
  });
}

}  // namespace tarsek::calc
