#pragma once
#include <string>
#include <string_view>

// Which font file stands for a Windows face name. The game names its faces the
// way Windows does ("ＭＳ ゴシック", "ＭＳ Ｐ明朝", "Arial", ...); here the IPA
// fonts of Debian (fonts-ipafont-gothic, fonts-ipafont-mincho) take their place:
// Gothic faces and every face we do not know map to IPA (P) Gothic, Mincho faces
// to IPA (P) Mincho.
namespace plat {

// The file name ("ipag.ttf", "ipagp.ttf", "ipam.ttf" or "ipamp.ttf") for a face
// name given in Shift-JIS.
const char* FontFileForFace(std::string_view sjisFace);

// The full path of a font file: in the folder named by KORVANE_FONT_DIR when that
// is set (tests use it to take the fonts away), else in the Debian font folders.
std::string FontFilePath(const char* fileName);

}  // namespace plat
