#include "ui/help_topics.h"

#include <QWidget>

namespace tarsek {

namespace {

// The calculator frames of the tools view and their pages.
constexpr const char* kHydraulicsPage = "tool-hydraulics.html";
constexpr const char* kCasingPage = "tool-casing.html";
constexpr const char* kKillPage = "tool-kill.html";
constexpr const char* kStuckPage = "tool-stuck.html";
constexpr const char* kTurnPage = "tool-turn.html";
constexpr const char* kUncertaintyPage = "uncertainty.html";

std::vector<HelpWindowTopic> buildTopics() {
  // Boxes named like "水力参数(3)" share one place of a page; list every index of the group.
  struct Group {
    const char* prefix;
    int count;
    const char* anchor;
    const char* page;
  };
  auto withGroups = [](std::vector<HelpField> fields, std::initializer_list<Group> groups) {
    for (const Group& g : groups) {
      for (int i = 0; i < g.count; ++i) {
        fields.push_back({std::string(g.prefix) + "(" + std::to_string(i) + ")", g.anchor, g.page});
      }
    }
    return fields;
  };

  std::vector<HelpWindowTopic> t;
  t.push_back({"frm",
               "mainwindow.html",
               {{"tbToolBar", "toolbar"},
                {"sbStatusBar", "status"},
                {"Panel1", "status"},
                {"mdiArea", "views"},
                {"uncertaintyPanel", "status", kUncertaintyPage},
                {"previewArea", "preview", "printing.html"},
                {"previewCanvas", "preview", "printing.html"}}});
  t.push_back({"frmAbout", "mainwindow.html", {{"cmdOK", "about"}, {"lblDescription", "about"}}});
  t.push_back({"frmSplash", "start.html", {{"Label1", "splash"}}});
  t.push_back({"P设计数据", "design.html",
               withGroups({{"Text6", "wellno"},
                           {"Option1", "targets"},
                           {"Option2", "targets"},
                           {"L3", "wellhead"},
                           {"L4", "wellhead"},
                           {"Frame6", "pad"},
                           {"Frame5", "target1"},
                           {"Frame4", "wellhead"},
                           {"Text1", "azimuth"},
                           {"Text5", "displacement"},
                           {"Text3", "displacement"},
                           {"Command10", "accept"},
                           {"Command20", "save"},
                           {"Picture12", "segments"},
                           {"Picture8", "points"},
                           {"Picture9", "points"},
                           {"Picture10", "points"},
                           {"VScroll1", "points"},
                           {"Frame7", "profile"}},
                          {})});
  // The numbered boxes of the design form each have their own place.
  static const char* const kBasicDataAnchors[11] = {"pad",  "pad",     "target1",     "target1",
                                                    "gate", "skid",    "declination", "tvd1",
                                                    "tvd2", "target2", "target2"};
  static const char* const kProfileAnchors[7] = {
      "build-rate", "build-to", "kickoff", "rotary-build", "radius", "final-tvd", "drop-rate"};
  for (int k = 0; k < 11; ++k)
    t.back().fields.push_back({"Text2(" + std::to_string(k) + ")", kBasicDataAnchors[k]});
  for (int k = 0; k < 7; ++k)
    t.back().fields.push_back({"Text200(" + std::to_string(k) + ")", kProfileAnchors[k]});

  t.push_back({"Form2",
               "target.html",
               {{"Text3", "azimuth"},
                {"Text5", "displacement"},
                {"Command1", "buttons"},
                {"Command2", "buttons"}}});
  t.push_back({"P测斜数据",
               "survey.html",
               {{"序号", "index"},
                {"VScroll2", "index"},
                {"T测深", "md"},
                {"T井斜", "inclination"},
                {"T方位", "azimuth"},
                {"L垂深", "tvd"},
                {"T垂深", "tvd"},
                {"增加", "add"},
                {"确定", "store"},
                {"删除", "delete"},
                {"Command4", "save"},
                {"T10", "drift"},
                {"T11", "build"},
                {"Command3", "predict"},
                {"Command1", "predict"},
                {"Frame2", "predict"},
                {"Picture1", "panel", "guidance.html"},
                {"Picture4", "table", "guidance.html"},
                {"Picture5", "table", "guidance.html"},
                {"Picture6", "table", "guidance.html"},
                {"VScroll1", "table", "guidance.html"}}});
  t.push_back({"P轨迹图",
               "trajectory.html",
               {{"Picture1", "plan"},
                {"Picture2", "section"},
                {"imgSplitter", "splitter"},
                {"picSplitter", "splitter"}}});
  t.push_back({"P防碰图",
               "anticollision.html",
               {{"File1", "neighbours"},
                {"Text步长", "step"},
                {"VScroll3", "zoom"},
                {"Text放大率", "zoom"},
                {"开关", "switch"},
                {"Picture15", "legend"},
                {"Lab最小间距", "closest"},
                {"Label32", "closest"},
                {"Picture100", "chart"},
                {"sfChartButton", "sf-chart", kUncertaintyPage}}});
  t.push_back(
      {"p工具", "tools.html",
       withGroups({{"Frame1", "", kHydraulicsPage},       {"P1", "results", kHydraulicsPage},
                   {"Frame3", "", kCasingPage},           {"Combo1", "grade", kCasingPage},
                   {"Picture1", "results", kCasingPage},  {"Frame6", "", kKillPage},
                   {"原浆de比重", "kill", kKillPage},     {"加重剂重量", "weighting", kKillPage},
                   {"考虑附加压力", "margin", kKillPage}, {"Frame4", "", kStuckPage},
                   {"Combo2", "stuck", kStuckPage},       {"卡点", "stuck", kStuckPage},
                   {"泡油", "oil", kStuckPage},           {"Frame9", "", kTurnPage},
                   {"T4", "inputs", kTurnPage},           {"T5", "inputs", kTurnPage},
                   {"T6", "inputs", kTurnPage},           {"T7", "torque", kTurnPage},
                   {"T8", "inputs", kTurnPage},           {"T9", "inputs", kTurnPage},
                   {"T10", "inputs", kTurnPage},          {"求初始装置角", "toolface", kTurnPage},
                   {"求反扭角", "torque", kTurnPage},     {"预计扭方位结果", "predict", kTurnPage}},
                  {{"水力参数", 12, "inputs", kHydraulicsPage},
                   {"套管", 3, "inputs", kCasingPage},
                   {"关井基本数据", 2, "kill", kKillPage},
                   {"加重剂用量", 3, "weighting", kKillPage},
                   {"卡点深", 4, "stuck", kStuckPage},
                   {"测深", 3, "inputs", kTurnPage}})});
  t.push_back({"stationImportDialog",
               "exchange.html",
               {{"sourceLabel", "preview"},
                {"sheetCombo", "sheet"},
                {"cellsTable", "columns"},
                {"mdColumnCombo", "columns"},
                {"inclinationColumnCombo", "columns"},
                {"azimuthColumnCombo", "columns"},
                {"skipRowsSpin", "skip"},
                {"feetCheck", "feet"},
                {"rowsTable", "rows"},
                {"rejectedTable", "rejected"},
                {"replaceRadio", "mode"},
                {"mergeRadio", "mode"},
                {"okButton", "mode"}}});
  t.push_back({"SiteParametersDialog",
               kUncertaintyPage,
               {{"stateLabel", "dialog"},
                {"modelBox", "model"},
                {"btotalEdit", "btotal"},
                {"dipEdit", "dip"},
                {"gravityEdit", "gravity"},
                {"latitudeEdit", "latitude"},
                {"convergenceEdit", "convergence"},
                {"sigmaEdit", "sigma"},
                {"diameterEdit", "diameter"},
                {"kEdit", "k"},
                {"smEdit", "sm"},
                {"sigmaPaEdit", "sigmapa"},
                {"okButton", "dialog"},
                {"cancelButton", "dialog"}}});
  t.push_back({"helpWindow", kHelpContentsPage, {{"helpSearchBox", "search"}}});
  return t;
}

}  // namespace

const std::vector<HelpWindowTopic>& helpWindowTopics() {
  static const std::vector<HelpWindowTopic> topics = buildTopics();
  return topics;
}

const std::vector<HelpField>& helpCalculatorTopics() {
  static const std::vector<HelpField> calculators = {{"Frame1", "", kHydraulicsPage},
                                                     {"Frame3", "", kCasingPage},
                                                     {"Frame6", "", kKillPage},
                                                     {"Frame4", "", kStuckPage},
                                                     {"Frame9", "", kTurnPage}};
  return calculators;
}

HelpLocation helpLocationForChain(const QStringList& chain) {
  const auto& topics = helpWindowTopics();
  for (qsizetype i = 0; i < chain.size(); ++i) {
    for (const HelpWindowTopic& w : topics) {
      if (chain[i] != QString::fromStdString(w.objectName)) continue;
      for (qsizetype j = 0; j < i; ++j) {
        for (const HelpField& f : w.fields) {
          if (chain[j] != QString::fromStdString(f.objectName)) continue;
          return {QString::fromStdString(f.page.empty() ? w.page : f.page),
                  QString::fromStdString(f.anchor)};
        }
      }
      return {QString::fromStdString(w.page), {}};
    }
  }
  return {QString::fromUtf8(kHelpContentsPage), {}};
}

HelpLocation helpLocationFor(const QWidget* focused) {
  QStringList chain;
  for (const QWidget* w = focused; w != nullptr; w = w->parentWidget()) chain << w->objectName();
  return helpLocationForChain(chain);
}

}  // namespace tarsek
