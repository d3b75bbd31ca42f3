#include "app/calc_uncertainty.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <system_error>

#include "model/well_files.h"
#include "session/session_ops.h"
#include "session/well_io.h"
#include "uncertainty/clearance.h"
#include "uncertainty/hit_probability.h"
#include "uncertainty/survey_csv.h"
#include "uncertainty/well_uncertainty.h"

namespace tarsek::calc {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kExitRefused = 1;
constexpr int kExitBadFile = 2;

void addSiteOptions(CLI::App* c, SiteOptions& s) {
  s.given = {
      c->add_option("--dip", s.dip, "磁倾角(°)"),
      c->add_option("--btotal", s.btotal, "磁场强度(nT)"),
      c->add_option("--declination", s.declination, "磁偏角(°)，东偏为正"),
      c->add_option("--latitude", s.latitude, "纬度(°)"),
      c->add_option("--gravity", s.gravity, "重力加速度(m/s²)，默认9.80665"),
      c->add_option("--convergence", s.convergence, "子午线收敛角(°)，方位为网格方位时"),
      c->add_option("--model", s.model, "测量仪器误差模型，默认“ISCWSA MWD Rev4”"),
  };
}

bool given(const SiteOptions& s, std::size_t i) { return s.given[i]->count() > 0; }

void applySiteOptions(const SiteOptions& s, unc::SiteParameters& p) {
  if (given(s, 0)) p.dip = s.dip;
  if (given(s, 1)) p.btotal = s.btotal;
  if (given(s, 2)) p.declination = s.declination;
  if (given(s, 3)) p.latitude = s.latitude;
  if (given(s, 4)) p.gravity = s.gravity;
  if (given(s, 5)) p.convergence = s.convergence;
  if (given(s, 6)) p.model = s.model;
}

bool isDesignFile(const std::string& file) {
  std::string ext = fs::path(file).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == kDesignExtension;
}

// One well of a command: its name, path, site values and track.
struct Input {
  std::string name;
  unc::SurveyPath path;
  unc::SiteParameters site;
  unc::CovarianceTrack track;
  bool fromWell = false;
  WellRecord well;
  unc::Vec3 wellhead{};  // the well's wellhead (north, east) when fromWell
};

// Reads a .kvd well (with the .unc beside it) or a survey CSV; false after a message on
// stderr, with the exit status in status.
bool readInput(const std::string& file, const SiteOptions& options, Input& in, int& status) {
  std::string message;
  status = kExitBadFile;
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    std::cerr << "找不到文件“" << file << "”！\n";
    return false;
  }
  if (isDesignFile(file)) {
    Session session;
    std::string directory = fs::path(file).parent_path().string();
    if (directory.empty()) directory = ".";
    session.wellDirectory = directory;
    const WellLoadResult loaded = LoadWell(session, session.well, file, false, directory);
    if (!loaded.ok || !loaded.found) {
      std::cerr << (loaded.message.empty() ? "井文件“" + file + "”无法读取！" : loaded.message)
                << '\n';
      return false;
    }
    in.fromWell = true;
    in.well = session.well;
    in.name = session.well.wellNo;
    in.wellhead = {session.well.wellheadX, session.well.wellheadY, 0};
    const unc::SiteFile got = unc::LoadSiteParameters(directory, in.name, in.site, message);
    if (got == unc::SiteFile::Refused) {
      std::cerr << message << '\n';
      return false;
    }
    if (got == unc::SiteFile::Missing && !(given(options, 0) && given(options, 1))) {
      std::cerr << "井“" << in.name << "”" << unc::kNoSiteParameters << "（找不到文件“"
                << WellFilePath(directory, in.name, unc::kSiteExtension)
                << "”），请用 --btotal 和 --dip 给出磁场强度和磁倾角\n";
      status = kExitRefused;
      return false;
    }
    in.path = unc::PathOfWell(in.well);
    if (in.path.stations.empty()) {
      std::cerr << "井“" << in.name << "”没有测点，无法计算位置误差！\n";
      status = kExitRefused;
      return false;
    }
  } else {
    if (!unc::ReadSurveyCsv(file, in.path, message)) {
      std::cerr << message << '\n';
      return false;
    }
    in.name = fs::path(file).stem().string();
    if (!(given(options, 0) && given(options, 1))) {
      std::cerr << "测点文件“" << file
                << "”没有测量误差参数：请用 --btotal 和 --dip 给出磁场强度和磁倾角\n";
      status = kExitRefused;
      return false;
    }
  }
  applySiteOptions(options, in.site);
  // A well's magnetic declination follows from its own and the convergence, unless given.
  if (in.fromWell && !given(options, 2)) in.site = unc::SiteForWell(in.site, in.well);
  status = kExitRefused;
  const unc::ErrorModel* model = unc::FindModel(in.site.model);
  if (model == nullptr) {
    std::cerr << "测量仪器误差模型“" << in.site.model << "”未知！\n";
    return false;
  }
  return true;
}

bool buildTrack(Input& in) {
  std::string message;
  if (!in.track.build(in.path, *unc::FindModel(in.site.model), in.site, message)) {
    std::cerr << "“" << in.name << "”：" << message << '\n';
    return false;
  }
  return true;
}

json covJson(const unc::Cov3& c) {
  return {{"nn", c.nn}, {"ee", c.ee}, {"vv", c.vv}, {"ne", c.ne}, {"nv", c.nv}, {"ev", c.ev}};
}

json hlaJson(const unc::Cov3& c) {
  return {{"hh", c.nn}, {"ll", c.ee}, {"aa", c.vv}, {"hl", c.ne}, {"ha", c.nv}, {"la", c.ev}};
}

double root(double v) { return std::sqrt(std::max(0.0, v)); }

json pointJson(const unc::CoursePoint& p, const unc::Cov3& nev) {
  const unc::Cov3 hla = unc::ToHighSideLateralAlong(nev, p.inc, p.azi);
  const unc::HorizontalEllipse e = unc::EllipseOf(nev);
  return {{"md", p.md},
          {"inc", p.inc},
          {"azi", p.azi},
          {"tvd", p.position[2]},
          {"north", p.position[0]},
          {"east", p.position[1]},
          {"nev", covJson(nev)},
          {"hla", hlaJson(hla)},
          {"sigmaH", root(hla.nn)},
          {"sigmaL", root(hla.ee)},
          {"sigmaA", root(hla.vv)},
          {"sigmaV", root(nev.vv)},
          {"ellipse",
           {{"semiMajor", e.semiMajor}, {"semiMinor", e.semiMinor}, {"azimuth", e.azimuth}}}};
}

json siteJson(const unc::SiteParameters& s) {
  return {{"model", s.model},
          {"btotal", s.btotal},
          {"dip", s.dip},
          {"gravity", s.gravity},
          {"latitude", s.latitude},
          {"declination", s.declination},
          {"convergence", s.convergence},
          {"sigmaMultiple", s.sigmaMultiple}};
}

json hitJson(const unc::TargetHit& h) {
  if (!h.crossed) return nullptr;
  return {{"md", h.at.point.md},
          {"tvd", h.at.point.position[2]},
          {"north", h.at.point.position[0]},
          {"east", h.at.point.position[1]},
          {"missDistance", h.missDistance},
          {"probability", h.probability}};
}

// Target crossings of a well: surveyed, and projected ahead while the survey is above.
json targetsJson(const Input& in) {
  json out = json::array();
  unc::WellUncertainty u;
  u.ok = true;
  u.site = in.site;
  u.track = in.track;
  for (int t = 1; t <= 2; ++t) {
    unc::WellTargetHit hit;
    if (!unc::TargetHitOfWell(u, in.well, t, hit)) continue;
    out.push_back({{"target", t},
                   {"tvd", hit.tvd},
                   {"north", hit.north},
                   {"east", hit.east},
                   {"radius", hit.radius},
                   {"surveyed", hitJson(hit.surveyed)},
                   {"projected", hitJson(hit.projected)}});
  }
  return out;
}

int print(const json& out) {
  std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
  return std::cout.good() ? 0 : kExitBadFile;
}

}  // namespace

CLI::App* addUncertaintyCommand(CLI::App& app, UncertaintyCommand& o) {
  CLI::App* c = app.add_subcommand("uncertainty", "按测量仪器误差模型计算各测点的位置误差(JSON)");
  c->add_option("well", o.well, "井的设计文件(.kvd)；测量误差参数文件(.unc)在它旁边");
  c->add_option("--survey", o.survey, "测点文件(CSV)：表头md,inc,azi[,tvd,north,east]");
  c->add_flag("--sources", o.sources, "同时输出每个误差项的协方差");
  addSiteOptions(c, o.site);
  return c;
}

CLI::App* addClearanceCommand(CLI::App& app, ClearanceCommand& o) {
  CLI::App* c = app.add_subcommand("clearance", "计算本井各测点对邻井的分离系数(JSON)");
  c->add_option("--reference", o.reference, "本井：设计文件(.kvd)或测点文件(CSV)")->required();
  c->add_option("--offset", o.offsets, "邻井：设计文件(.kvd)或测点文件(CSV)，可重复")->required();
  addSiteOptions(c, o.site);
  o.given = {
      c->add_option("--reference-radius", o.referenceRadius, "本井井眼（套管）半径(m)"),
      c->add_option("--offset-radius", o.offsetRadius, "邻井井眼（套管）半径(m)"),
      c->add_option("--k", o.k, "比例因子，默认3.5"),
      c->add_option("--sm", o.sm, "地面余量(m)，默认0.3"),
      c->add_option("--sigma-pa", o.sigmaPa, "预测误差(m)，默认0.5"),
  };
  return c;
}

int runUncertaintyCommand(const UncertaintyCommand& o) {
  if (o.well.empty() == o.survey.empty()) {
    std::cerr << "请给出井的设计文件(.kvd)或 --survey 测点文件，二者取一\n";
    return kExitRefused;
  }
  Input in;
  int status = 0;
  const std::string& file = o.well.empty() ? o.survey : o.well;
  if (!o.well.empty() && !isDesignFile(o.well)) {
    std::cerr << "“" << o.well << "”不是设计文件(.kvd)；测点文件请用 --survey 给出\n";
    return kExitRefused;
  }
  if (!readInput(file, o.site, in, status)) return status;
  if (!buildTrack(in)) return kExitRefused;
  const unc::ErrorModel& model = in.track.model();
  json stations = json::array();
  std::vector<unc::Cov3> terms;
  for (std::size_t i = in.track.firstSurveyed(); i < in.track.size(); ++i) {
    const unc::CovarianceTrack::Point p =
        in.track.at(in.track.station(i).md, o.sources ? &terms : nullptr);
    json s = pointJson(p.point, p.covariance);
    if (o.sources) {
      json sources = json::object();
      for (std::size_t t = 0; t < model.terms.size(); ++t)
        sources[model.terms[t].code] = covJson(terms[t]);
      s["sources"] = std::move(sources);
    }
    stations.push_back(std::move(s));
  }
  json out = {{"name", in.name}, {"site", siteJson(in.site)}, {"stations", std::move(stations)}};
  if (in.fromWell) out["targets"] = targetsJson(in);
  return print(out);
}

int runClearanceCommand(const ClearanceCommand& o) {
  std::vector<Input> wells(1 + o.offsets.size());
  int status = 0;
  if (!readInput(o.reference, o.site, wells[0], status)) return status;
  for (std::size_t i = 0; i < o.offsets.size(); ++i)
    if (!readInput(o.offsets[i], o.site, wells[i + 1], status)) return status;
  // Wells read from design files stand at their wellheads, in the axes of the first of them.
  std::optional<unc::Vec3> origin;
  for (Input& w : wells) {
    if (!w.fromWell) continue;
    if (!origin) origin = w.wellhead;
    for (int k = 0; k < 2; ++k) w.path.tieOn[k] += w.wellhead[k] - (*origin)[k];
  }
  for (Input& w : wells)
    if (!buildTrack(w)) return kExitRefused;

  unc::ClearanceSettings settings;
  const unc::SiteParameters& ref = wells[0].site;
  settings.referenceRadius = ref.diameter / 2;
  settings.k = ref.k;
  settings.sm = ref.sm;
  settings.sigmaPa = ref.sigmaPa;
  const auto set = [&](std::size_t i, double value, double& field) {
    if (o.given[i]->count() > 0) field = value;
  };
  set(0, o.referenceRadius, settings.referenceRadius);
  set(2, o.k, settings.k);
  set(3, o.sm, settings.sm);
  set(4, o.sigmaPa, settings.sigmaPa);
  const auto bad = [](double v, double lo, double hi) {
    return !std::isfinite(v) || v < lo || v > hi;
  };
  if (bad(settings.referenceRadius, 0, 1) || bad(settings.k, 1e-9, 10) || bad(settings.sm, 0, 10) ||
      bad(settings.sigmaPa, 0, 10)) {
    std::cerr
        << "防碰参数有误：半径应在0到1 m之间，k大于0且不超过10，地面余量和预测误差在0到10 m之间\n";
    return kExitRefused;
  }
  json offsets = json::array();
  for (std::size_t i = 1; i < wells.size(); ++i) {
    unc::ClearanceSettings s = settings;
    s.offsetRadius = wells[i].site.diameter / 2;
    set(1, o.offsetRadius, s.offsetRadius);
    if (bad(s.offsetRadius, 0, 1)) {
      std::cerr << "防碰参数有误：邻井半径应在0到1 m之间\n";
      return kExitRefused;
    }
    json stations = json::array();
    double minimum = unc::kSeparationCap;
    double minimumMd = 0;
    for (const unc::ClearancePoint& c : unc::SeparationAlong(wells[0].track, wells[i].track, s)) {
      stations.push_back({{"md", c.md},
                          {"offsetMd", c.offsetMd},
                          {"distance", c.distance},
                          {"sigmaS", c.sigmaS},
                          {"sf", c.sf}});
      if (c.sf < minimum) {
        minimum = c.sf;
        minimumMd = c.md;
      }
    }
    offsets.push_back({{"name", wells[i].name},
                       {"file", o.offsets[i - 1]},
                       {"minimumSf", minimum},
                       {"minimumSfMd", minimumMd},
                       {"stations", std::move(stations)}});
  }
  return print({{"reference", wells[0].name},
                {"settings",
                 {{"referenceRadius", settings.referenceRadius},
                  {"k", settings.k},
                  {"sm", settings.sm},
                  {"sigmaPa", settings.sigmaPa}}},
                {"offsets", std::move(offsets)}});
}

}  // namespace tarsek::calc
