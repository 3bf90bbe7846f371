#include "data/font_faces.h"

#include <vector>

#include "platform/sjis.h"

namespace {

// Positions 59, 60 and the HG faces at 86 to 96 and 102 to 119 are fixed: projects
// store the index.
constexpr const char* kFaces[kFontFaces] = {
    "System", "Terminal", "FixedSys", "Roman", "Script", "Modern", "Small Fonts", "MS Serif",
    "WST_Czec", "WST_Engl", "WST_Fren", "WST_Germ", "WST_Ital", "WST_Norw", "WST_Span", "WST_Swed",
    "Courier", "MS Sans Serif", "Marlett",
    "Arial", "Arial CE", "Arial CYR", "Arial Greek", "Arial TUR", "Arial Baltic",
    "Courier New", "Courier New CE", "Courier New CYR", "Courier New Greek", "Courier New TUR",
    "Courier New Baltic", "Lucida Console", "Lucida Sans Unicode",
    "Times New Roman", "Times New Roman CE", "Times New Roman CYR", "Times New Roman Greek",
    "Times New Roman TUR", "Times New Roman Baltic",
    "Wingdings", "Symbol", "Verdana", "Arial Black", "Comic Sans MS", "Impact", "Georgia",
    "Franklin Gothic Medium", "Palatino Linotype", "Tahoma", "Trebuchet MS", "Webdings",
    "Estrangelo Edessa", "Gautami", "Latha", "Mangal", "MV Boli", "Raavi", "Shruti", "Sylfaen",
    "ＭＳ ゴシック",  // 59
    "ＭＳ Ｐゴシック",  // 60
    "MS UI Gothic", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "Microsoft Sans Serif",
    "Gulim", "GulimChe", "Dotum", "DotumChe", "Batang", "BatangChe", "Gungsuh", "GungsuhChe",
    "SimSun", "NSimSun", "SimHei", "KaiTi", "MingLiU", "PMingLiU",
    "Arial Narrow", "Book Antiqua", "Bookman Old Style", "Century", "Century Gothic", "Garamond",
    "MS Outlook",
    "HGｺﾞｼｯｸE", "HGPｺﾞｼｯｸE", "HGSｺﾞｼｯｸE", "HGｺﾞｼｯｸM", "HGPｺﾞｼｯｸM", "HGSｺﾞｼｯｸM",  // 86
    "HG行書体", "HGP行書体", "HGS行書体", "HG教科書体", "HGP教科書体",              // .. 96
    "InMusicSym", "Kartika", "Vrinda", "メイリオ", "MT Extra",
    "HGS教科書体", "HG正楷書体-PRO", "HG丸ｺﾞｼｯｸM-PRO", "HG明朝B", "HGP明朝B", "HGS明朝B",  // 102
    "HG明朝E", "HGP明朝E", "HGS明朝E", "HG創英ﾌﾟﾚｾﾞﾝｽEB", "HGP創英ﾌﾟﾚｾﾞﾝｽEB", "HGS創英ﾌﾟﾚｾﾞﾝｽEB",
    "HG創英角ｺﾞｼｯｸUB", "HGP創英角ｺﾞｼｯｸUB", "HGS創英角ｺﾞｼｯｸUB", "HG創英角ﾎﾟｯﾌﾟ体", "HGP創英角ﾎﾟｯﾌﾟ体",
    "HGS創英角ﾎﾟｯﾌﾟ体",  // 119
    "OCRB", "Sydnie", ""};

}  // namespace

const std::string& FontFaceName(int index) {
  static const std::vector<std::string> faces = [] {
    std::vector<std::string> f;
    for (const char* s : kFaces) f.push_back(plat::Utf8ToSjis(s));
    return f;
  }();
  if (index < 0 || index >= kFontFaces) index = kDefaultFontFace;
  return faces[static_cast<size_t>(index)];
}
