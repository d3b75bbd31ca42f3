// The well's uncertainty parameter file: read whole or refused with the line, written so that
// it reads back, and shipped with every sample well.

#include "uncertainty/site_params.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace tarsek::unc {
namespace {

TEST(SiteParameters, WrittenFileReadsBackToTheSameValues) {
  SiteParameters p;
  p.btotal = 54520.5;
  p.dip = -58.125;
  p.gravity = 9.7953;
  p.latitude = -39.62;
  p.convergence = 0.1;
  p.sigmaMultiple = 3;
  p.diameter = 0.2159;
  p.k = 3;
  p.sm = 0;
  p.sigmaPa = 0.25;
  testing::TempDir dir;
  std::string message;
  ASSERT_TRUE(SaveSiteParameters(dir.path(), "草20-9", p, message)) << message;
  EXPECT_FALSE(std::filesystem::exists(dir.file("草20-9.unc.tmp")));
  SiteParameters back;
  back.declination = 7;  // the well's, never the file's
  ASSERT_EQ(LoadSiteParameters(dir.path(), "草20-9", back, message), SiteFile::Loaded) << message;
  EXPECT_EQ(FormatSiteParameters(back), FormatSiteParameters(p));
  EXPECT_EQ(back.btotal, p.btotal);
  EXPECT_EQ(back.gravity, p.gravity);
  EXPECT_EQ(back.declination, 7);

  EXPECT_EQ(LoadSiteParameters(dir.path(), "没有", back, message), SiteFile::Missing);
  EXPECT_EQ(message, kNoSiteParameters);
  // A value out of range is not written, and the file on disk stays as it was.
  SiteParameters bad = p;
  bad.dip = 90;
  EXPECT_FALSE(SaveSiteParameters(dir.path(), "草20-9", bad, message));
  EXPECT_NE(message.find("磁倾角"), std::string::npos);
  EXPECT_EQ(LoadSiteParameters(dir.path(), "草20-9", back, message), SiteFile::Loaded);
  EXPECT_EQ(back.dip, p.dip);
}

TEST(SiteParameters, OnlyRequiredKeysTakeTheDefaults) {
  SiteParameters p;
  std::string message;
  ASSERT_TRUE(ParseSiteParameters("# 注释\n\nbtotal = 50000\r\ndip=72\n", "w.unc", p, message));
  EXPECT_EQ(p.btotal, 50000);
  EXPECT_EQ(p.gravity, 9.80665);
  EXPECT_EQ(p.model, "ISCWSA MWD Rev4");
  EXPECT_EQ(p.sigmaMultiple, 2);
  EXPECT_EQ(p.k, 3.5);
  EXPECT_EQ(p.sm, 0.3);
  EXPECT_EQ(p.sigmaPa, 0.5);
}

TEST(SiteParameters, MalformedTextIsRefusedNamingTheLine) {
  struct Case {
    const char* text;
    const char* says;
  };
  const Case cases[] = {
      {"btotal=50000\ndip=72\nbfield=1\n", "第3行的名称“bfield”未知"},
      {"btotal=50000\ndip=72\ndip=70\n", "第3行的磁倾角与第2行重复"},
      {"btotal=5万\ndip=72\n", "第1行的磁场强度不是数字"},
      {"btotal=50000\ndip=95\n", "第2行：磁倾角应在-90到90°之间"},
      {"btotal=50000\ndip=72\nmodel=Gyro X\n", "第3行：测量仪器误差模型“Gyro X”未知"},
      {"btotal=50000\ndip=72\nsigma=0\n", "第3行：误差椭圆倍数"},
      {"btotal=50000\ndip=72\ngravity=nan\n", "第3行的重力加速度不是数字"},
      {"btotal 50000\n", "第1行不是“名称=数值”的形式"},
      {"btotal=50000\n", "缺少磁倾角（dip）"},
  };
  for (const Case& c : cases) {
    SiteParameters p;
    p.latitude = 12;
    std::string message;
    EXPECT_FALSE(ParseSiteParameters(c.text, "w.unc", p, message)) << c.text;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    EXPECT_NE(message.find("“w.unc”"), std::string::npos) << message;
    EXPECT_EQ(p.latitude, 12) << "a refused file changes nothing";
  }
}

TEST(SiteParameters, EverySampleWellHasAValidParameterFile) {
  for (const char* well : {"示例1", "草20-1", "草20-2", "草20-3"}) {
    SiteParameters p;
    std::string message;
    EXPECT_EQ(LoadSiteParameters(TARSEK_SAMPLES_DIR, well, p, message), SiteFile::Loaded)
        << well << ": " << message;
    EXPECT_GT(p.diameter, 0) << well;
  }
}

}  // namespace
}  // namespace tarsek::unc
