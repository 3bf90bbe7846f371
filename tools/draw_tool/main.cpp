// korvane-draw: runs a test card through the real drawing layer on a chosen back
// end, depth and window mode, and writes the presented frame as a PNG file.
//   korvane-draw --backend dd|d3d --bpp 8|16|32 [--window] --card NAME --out DIR [--project DIR]
// Without --project the system sheets of a made-up project are written to
// DIR/project first. Prints the file written and the frame's hash.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/base/report_log.h"
#include "platform/display/png_writer.h"
#include "tools/draw_tool/cards.h"
#include "tools/draw_tool/sheet_project.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: korvane-draw --backend dd|d3d --bpp 8|16|32 [--window] --card NAME --out DIR "
               "[--project DIR]\ncards:");
  for (const std::string& c : draw_tool::CardNames()) std::fprintf(stderr, " %s", c.c_str());
  std::fprintf(stderr, "\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  draw_tool::DrawConfig config;
  std::string card, out, project;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
    if (a == "--backend") {
      std::string b = next();
      if (b != "dd" && b != "d3d") return Usage();
      config.backEnd = b == "d3d";
    } else if (a == "--bpp") {
      config.bpp = std::atoi(next().c_str());
    } else if (a == "--window") {
      config.windowed = 1;
    } else if (a == "--card") {
      card = next();
    } else if (a == "--out") {
      out = next();
    } else if (a == "--project") {
      project = next();
    } else {
      return Usage();
    }
  }
  if (card.empty() || out.empty()) return Usage();
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(out, ec);
  fs::path outDir = fs::absolute(out, ec);
  if (ec || !fs::is_directory(outDir)) {
    std::fprintf(stderr, "korvane-draw : %s : the output folder cannot be made\n", out.c_str());
    return 1;
  }
  fs::path projectDir = project.empty() ? outDir / "project" : fs::absolute(project, ec);
  // A project named on the command line is only read: a missing one is refused, never made.
  if (!project.empty() && !fs::is_directory(projectDir, ec)) {
    std::fprintf(stderr, "korvane-draw : %s : no such project folder\n", project.c_str());
    return 1;
  }
  if (project.empty()) fs::create_directories(projectDir, ec);
  fs::current_path(projectDir, ec);
  if (ec) {
    std::fprintf(stderr, "korvane-draw : %s : cannot be used as the project folder\n", projectDir.c_str());
    return 1;
  }
  // The tool's own log, beside its pictures: a project's "Report_Game.txt" is the game's.
  const std::string logPath = (outDir / "korvane-draw-report.txt").string();
  InitECLog(0, "EC_Game.txt");
  InitReportLog(logPath.c_str());
  if (project.empty() && !draw_tool::WriteSheetProject()) {
    std::fprintf(stderr, "korvane-draw : %s : cannot write the sheets\n", projectDir.c_str());
    return 1;
  }
  bool fellBack = false;
  if (!draw_tool::StartDrawing(config, &fellBack)) {
    std::fprintf(stderr, "korvane-draw : the drawing layer could not be set up (see %s)\n", logPath.c_str());
    draw_tool::StopDrawing();
    return 1;
  }
  if (fellBack) std::fprintf(stderr, "korvane-draw : Direct3D failed; DirectDraw used\n");
  plat::PresentedFrame frame;
  if (!draw_tool::DrawCard(card, &frame)) {
    draw_tool::StopDrawing();
    return Usage();
  }
  draw_tool::StopDrawing();
  fs::path file = outDir / (card + "-" + config.Name() + ".png");
  if (!plat::WritePngFile(file.string(), frame.pixels.data(), frame.width, frame.height)) {
    std::fprintf(stderr, "korvane-draw : %s : cannot be written\n", file.c_str());
    return 1;
  }
  std::printf("%s %016" PRIx64 "\n", file.c_str(), draw_tool::FrameHash(frame.pixels));
  return 0;
}
