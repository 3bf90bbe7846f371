#pragma once
#include <string>
#include <vector>

// The parts of the demo project, each written into the current folder (the
// project's folder) by its own function. Each returns false after printing what
// could not be written.
namespace demo {

// "System.ini": a 640x480 window at the desktop's colour depth, DirectDraw.
bool WriteSystemIni();
// "data\System.dat" and the ten files under "data\database\", written with the
// game's own record classes.
bool WriteProjectData();
// The system sheets under "bmp\" and the palette picture "bmp\plt\Palette.bmp"
// (whose top-left pixel is the transparent colour).
bool WritePictures();
// The 17 system sounds and the database's sounds: short tones.
bool WriteSounds();
// The database's tunes under "bgm\": short looping Standard MIDI Files.
bool WriteMusic();

// The file names the data files name (Shift-JIS game paths).
std::string SystemSoundFile(int n);                 // n = 0..16
const std::vector<std::string>& DatabaseSoundFiles();  // database sounds 1, 2, ...
extern const char* const kTitleMusicFile;           // "bgm\Title.mid"
// The database's music, in list order from 1: a name and a game path.
struct cTune {
  const char* name;
  const char* file;
};
const std::vector<cTune>& DemoTunes();

// Writes bytes to a game path (folders must exist); prints a line when it fails.
bool WriteGameFile(const std::string& gamePath, const std::vector<uint8_t>& bytes);

}  // namespace demo
