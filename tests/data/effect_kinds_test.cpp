// The constant tables of the effect kinds and the font faces.
#include <gtest/gtest.h>

#include "data/chara_effect_kinds.h"
#include "data/font_faces.h"
#include "data/scr_effect_kinds.h"
#include "platform/sjis.h"

namespace {

TEST(EffectKinds, TablesHaveOneEntryPerKindAndEmptyEnds) {
  ASSERT_EQ(CharaEffectKindNames().Count(), 17);
  EXPECT_EQ(CharaEffectKindNames()[0], plat::Utf8ToSjis("破裂"));
  EXPECT_EQ(CharaEffectKindNames()[15], plat::Utf8ToSjis("ぼかし"));
  EXPECT_EQ(CharaEffectKindNames()[16], "");
  ASSERT_EQ(ScrEffectKindNames().Count(), 14);
  EXPECT_EQ(ScrEffectKindNames()[12], plat::Utf8ToSjis("モザイク"));
  EXPECT_EQ(ScrEffectKindNames()[13], "");
  EXPECT_EQ(CharaEffectParamDesc(0, 0).strLabel, "");
  EXPECT_EQ(ScrEffectParamDesc(14, 0).strLabel, "");  // out of range
  EXPECT_EQ(CharaEffectParamDesc(12, 4).nMin, -16);
  EXPECT_EQ(ScrEffectParamDesc(6, 4).strLabel, plat::Utf8ToSjis("波の粗さ(dot)"));
  // Running-time defaults: 5 for character kinds 1 to 5 and 10, else 10.
  for (int kind = 1; kind <= 16; ++kind)
    EXPECT_EQ(CharaEffectParamDesc(kind, 0).nDefault, kind <= 5 || kind == 10 ? 5 : 10) << kind;
}

TEST(FontFaces, FixedPositionsAndOutOfRangeIndices) {
  EXPECT_EQ(FontFaceName(59), plat::Utf8ToSjis("ＭＳ ゴシック"));
  EXPECT_EQ(FontFaceName(60), plat::Utf8ToSjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(FontFaceName(86).substr(0, 2), "HG");
  EXPECT_EQ(FontFaceName(119).substr(0, 2), "HG");
  EXPECT_NE(FontFaceName(97).substr(0, 2), "HG");
  EXPECT_EQ(FontFaceName(122), "");
  EXPECT_EQ(FontFaceName(123), FontFaceName(60));
  EXPECT_EQ(FontFaceName(-1), FontFaceName(60));
}

}  // namespace
