// What a new user meets first: start-ups that fail say why on standard error and
// in the report log, files that are not files, Windows line ends, names that are
// bytes, and scripted keys that act as real ones.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/sjis.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kWindowed = "Direct3D=0\nWindowMode=1\nExit\n";

struct FailedStart {
  const char* what;
  void (*damage)(const cTempDir& dir);
  std::vector<std::string> args;
  std::vector<std::string> env;
  const char* said;  // on standard error (UTF-8), and in the report log
};

void RemovePalette(const cTempDir& dir) { std::remove((dir.Path() + "/bmp/plt/Palette.bmp").c_str()); }
void EmptyPalette(const cTempDir& dir) { dir.Write("bmp/plt/Palette.bmp", std::string()); }
void BadPaletteHeader(const cTempDir& dir) { dir.Write("bmp/plt/Palette.bmp", std::string(200, 'x')); }
void FolderPalette(const cTempDir& dir) {
  RemovePalette(dir);
  std::filesystem::create_directory(dir.Path() + "/bmp/plt/Palette.bmp");
}
void FifoPalette(const cTempDir& dir) {
  RemovePalette(dir);
  ::mkfifo((dir.Path() + "/bmp/plt/Palette.bmp").c_str(), 0644);
}
void NoBmpFolder(const cTempDir& dir) { std::filesystem::remove_all(dir.Path() + "/bmp"); }
void FifoSystemData(const cTempDir& dir) {
  std::remove((dir.Path() + "/data/System.dat").c_str());
  ::mkfifo((dir.Path() + "/data/System.dat").c_str(), 0644);
}
void FolderStage(const cTempDir& dir) { std::filesystem::create_directory(dir.Path() + "/data/stg4/dir.stg4"); }
void FolderInput(const cTempDir& dir) { std::filesystem::create_directory(dir.Path() + "/input"); }
void Nothing(const cTempDir&) {}

TEST(FirstContact, AFailedStartSaysWhyOnStandardErrorAndInTheReportLog) {
  const FailedStart cases[] = {
      {"no palette picture", RemovePalette, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ (file not found)"},
      {"empty palette picture", EmptyPalette, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ ("},
      {"palette picture with a bad header", BadPaletteHeader, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ ("},
      {"palette picture is a folder", FolderPalette, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ (not a regular file"},
      {"palette picture is a FIFO", FifoPalette, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ (not a regular file"},
      {"no bmp folder", NoBmpFolder, {}, {}, "bmp\\plt\\Palette.bmp の読み込みに失敗！ (file not found)"},
      {"System.dat is a FIFO", FifoSystemData, {}, {}, "data\\System.dat の読み込みに失敗…"},
      {"the stage argument is a folder", FolderStage, {"data/stg4/dir.stg4"}, {}, "「data/stg4/dir.stg4」の読み込みに失敗しました！"},
      {"KORVANE_INPUT is a folder", FolderInput, {}, {"KORVANE_INPUT=input"}, "KORVANE_INPUT : input : not a regular file"},
      {"KORVANE_INPUT is missing", Nothing, {}, {"KORVANE_INPUT=none.txt"}, "KORVANE_INPUT : none.txt : file not found"},
  };
  cTempDir pristine(false);
  ASSERT_TRUE(MakeDemoProject(pristine.Path(), kWindowed));
  for (const FailedStart& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    std::filesystem::copy(pristine.Path(), dir.Path(), std::filesystem::copy_options::recursive);
    c.damage(dir);
    std::vector<std::string> env = c.env;
    env.push_back("KORVANE_FRAMES=3");
    cProcessResult r = RunGame(dir.Path(), env, c.args);
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find(std::string("korvane: ") + c.said), std::string::npos) << r.output;
    EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis(c.said))) << c.said;
  }
}

TEST(FirstContact, AProjectFolderThatCannotBeWrittenIsSaidOnStandardError) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), kWindowed));
  // The report log is a folder: it cannot be made, whoever runs the test.
  std::filesystem::create_directory(dir.Path() + "/Report_Game.txt");
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("korvane: "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("Report_Game.txt を作成できません！"), std::string::npos) << r.output;
}

TEST(FirstContact, WithoutADisplayTheGameEndsAtOnceNamingHeadless) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), kWindowed));
  cProcessResult r = RunProgram("korvane", {}, dir.Path(),
                                {"KORVANE_HEADLESS=0", "DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER=",
                                 "KORVANE_LOCK=" + dir.Path() + "/game.lock", "KORVANE_FRAMES=3"});
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("KORVANE_HEADLESS"), std::string::npos) << r.output;
}

// Windows line ends, and stage names that are Shift-JIS bytes or no text at all:
// each loads the demo's stage.
TEST(FirstContact, TheStageIsFoundThroughCrLfAndByItsBytes) {
  struct Case {
    const char* what;
    std::string ini;
    std::string copyAs;  // the stage copied to this name (bytes), and named on the command line
  } cases[] = {
      {"CR LF System.ini", "Direct3D=0\r\nWindowMode=1\r\nFreeStage=data\\stg4\\w01-1.stg4\r\nExit\r\n", ""},
      {"Shift-JIS name", kWindowed, "\x83\x65\x83\x58\x83\x67"},
      {"bytes of no encoding", kWindowed, "x\xff\xfe"},
  };
  cTempDir pristine(false);
  ASSERT_TRUE(MakeDemoProject(pristine.Path()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    std::filesystem::copy(pristine.Path(), dir.Path(), std::filesystem::copy_options::recursive);
    dir.Write("System.ini", c.ini);
    std::vector<std::string> args;
    if (!c.copyAs.empty()) {
      std::filesystem::copy_file(dir.Path() + "/data/stg4/w01-1.stg4_752",
                                 dir.Path() + "/data/stg4/" + c.copyAs + ".stg4_752");
      args.push_back("data/stg4/" + c.copyAs + ".stg4");
    }
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"}, args);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    for (const std::string& line : dir.ReportLines())
      EXPECT_EQ(line.find(plat::Utf8ToSjis("の読み込みに失敗")), std::string::npos) << line;
  }
}

TEST(FirstContact, ScriptedEscapeClosesTheGameAsTheKeyDoes) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), kWindowed));
  dir.Write("input.txt", "5 ESCAPE=1\n6 ESCAPE=0\n");
  // A game that did not close would draw frame 100.
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_INPUT=input.txt", "KORVANE_FRAMES=200",
                                          "KORVANE_DUMP=" + dir.Path() + "/frames", "KORVANE_DUMP_FRAMES=1,100"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.Exists("frames/frame-000001.png"));
  EXPECT_FALSE(dir.Exists("frames/frame-000100.png"));
  EXPECT_EQ(dir.Read("user_data/Window.dat").size(), 32u);  // closed in order: placement kept
}

TEST(FirstContact, ASystemIniValueThatIsNoNumberKeepsTheDefault) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), std::string("Direct3D=0\nWindowMode=1\nBpp=abc\nVSync=\0zz\nExit\n", 47)));
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains("System.ini : Bpp : \"abc\" is not a number; the default 0 is used"));
  EXPECT_TRUE(dir.ReportContains("System.ini : VSync : \"\" is not a number"));
  EXPECT_TRUE(dir.ReportContains("Mode : Window"));
}

}  // namespace
