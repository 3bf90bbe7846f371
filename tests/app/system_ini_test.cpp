// "System.ini": the byte-level syntax of the settings file.
#include <gtest/gtest.h>

#include <string>

#include "app/base/report_log.h"
#include "app/svc/system_ini.h"
#include "data/system_data.h"
#include "tests/support/temp_dir.h"

namespace {

struct Case {
  const char* what;
  std::string file;  // empty: no file at all
  bool read;
  int bpp;
  int windowMode;
  std::string freeStage;
};

TEST(SystemIni, ReadsTheSettingsFileByteForByte) {
  const std::string garbage("\x01\xff=\x7f\x80\n\xfe\xfd\x02Bpp", 11);
  const std::string longValue(3000, '7');
  const Case cases[] = {
      {"missing file", "", false, 0, 0, ""},
      {"empty file", " ", false, 0, 0, ""},
      {"Exit with its line feed", "Bpp=16\nExit\n", true, 16, 0, ""},
      {"Exit without a line feed", "Bpp=16\nExit", false, 16, 0, ""},
      {"Exit followed by a zero byte", std::string("Bpp=16\nExit\0", 12), true, 16, 0, ""},
      {"no Exit line", "Bpp=16\nWindowMode=1\n", false, 16, 1, ""},
      {"comment after a slash", "Bpp=16/colour depth\nExit\n", true, 16, 0, ""},
      {"blank after the equals sign", "Bpp= 16\nExit\n", true, 0, 0, ""},
      {"blanks and CR inside the key", " B p\tp =16\r\nE x i t\r\n", true, 16, 0, ""},
      {"second key after a blank", "Bpp=16 WindowMode=2\nExit\n", true, 16, 2, ""},
      {"case matters", "bpp=16\nExit\n", true, 0, 0, ""},
      {"later lines win", "Bpp=8\nBpp=32\nExit\n", true, 32, 0, ""},
      {"not a number", "Bpp=abc\nExit\n", true, 0, 0, ""},
      {"number beyond an int", "Bpp=99999999999999\nExit\n", true, 2147483647, 0, ""},
      {"over-long value", "Bpp=" + longValue + "\nExit\n", true, 2147483647, 0, ""},
      {"zero byte in a key ends the file", std::string("Bpp=16\nWin\0dowMode=1\n", 21), true, 16, 0, ""},
      {"CR LF is one line end", "FreeStage=data\\stg4\\a.stg4\r\nBpp=16\r\nExit\r\n", true, 16, 0, "data\\stg4\\a.stg4"},
      {"a lone CR stays in a value", "FreeStage=ab\rc\nExit\n", true, 0, 0, "ab\rc"},
      {"one-character stage path ignored", "FreeStage=a\nExit\n", true, 0, 0, "keep"},
      {"stage path too long", "FreeStage=" + std::string(260, 'a') + "\nExit\n", true, 0, 0, "keep"},
      {"binary garbage", garbage, false, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    if (!c.file.empty()) dir.Write("System.ini", c.file);
    SYSTEMINIDATA ini;
    ini.FreeStage = c.freeStage == "keep" ? "keep" : "";
    EXPECT_EQ(LoadSystemIni("System.ini", ini, SystemIniKeysOf(cEdSystem())), c.read);
    EXPECT_EQ(ini.Bpp, c.bpp);
    EXPECT_EQ(ini.WindowMode, c.windowMode);
    EXPECT_EQ(ini.FreeStage, c.freeStage);
  }
}

// A value that is no number (garbage, a zero byte) takes the key's default, not 0,
// and says so in the report log.
TEST(SystemIni, AValueThatIsNoNumberTakesTheDefaultWithAReportLine) {
  cTempDir dir(false);
  ASSERT_TRUE(InitReportLog("Report_Game.txt"));
  SystemIniKeys keys = SystemIniKeysOf(cEdSystem());
  keys[1].nDefault = 1;   // WindowMode
  keys[2].nDefault = 16;  // Bpp
  dir.Write("System.ini", std::string("WindowMode=\0zz\nBpp=1x\nVSync=-2\nExit\n", 36));
  SYSTEMINIDATA ini;
  EXPECT_TRUE(LoadSystemIni("System.ini", ini, keys));
  EXPECT_EQ(ini.WindowMode, 1);
  EXPECT_EQ(ini.Bpp, 16);
  EXPECT_EQ(ini.VSync, -2);
  EXPECT_TRUE(dir.ReportContains("System.ini : WindowMode : \"\" is not a number; the default 1 is used"));
  EXPECT_TRUE(dir.ReportContains("System.ini : Bpp : \"1x\" is not a number; the default 16 is used"));
  EXPECT_EQ(dir.ReportLines().size(), 2u);
}

TEST(SystemIni, DefaultsComeFromTheKeyListAndEnglishIsOff) {
  SystemIniKeys keys = SystemIniKeysOf(cEdSystem());
  keys[8].strDefault = "data\\stg4\\start.stg4";
  keys[9].nDefault = 1;
  SYSTEMINIDATA ini;
  ini.English = 5;
  SetSystemIniDefaults(ini, keys);
  EXPECT_EQ(ini.Direct3D, 2);
  EXPECT_EQ(ini.WindowMode, 0);
  EXPECT_EQ(ini.Bpp, 0);
  EXPECT_EQ(ini.VSync, 2);
  EXPECT_EQ(ini.D3D_FontCache, 0);
  EXPECT_EQ(ini.DD_FontCache, 1);
  EXPECT_EQ(ini.DD_VideoStretch, 0);
  EXPECT_EQ(ini.ShowFps, 1);
  EXPECT_EQ(ini.FreeStage, "data\\stg4\\start.stg4");
  EXPECT_EQ(ini.English, 0);
  // English is taken by its key name (tenth), not by its member position.
  cTempDir dir(false);
  dir.Write("System.ini", "English=1\nFreeStage=xy\nExit\n");
  ASSERT_TRUE(LoadSystemIni("System.ini", ini, keys));
  EXPECT_EQ(ini.English, 1);
  EXPECT_EQ(ini.FreeStage, "xy");
}

}  // namespace
