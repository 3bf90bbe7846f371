#include "tools/draw_tool/text_card.h"

#include "draw/draw.h"
#include "platform/sjis.h"

namespace draw_tool {

bool DrawTextCard() {
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
  bool ok = InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 1, 0);
  Font plain, mincho;
  ok = ok && plain.Create(SJ("ＭＳ ゴシック"), 0, 16, 16, 16, 241, &Off_Sys[45], 1, 240, nullptr, 0);
  ok = ok && mincho.Create(SJ("ＭＳ Ｐ明朝"), 0, 16, 16, 16, 240, &Off_Sys[45], 1, 240, nullptr, 0);
  if (!ok) {
    ReleaseGameFonts();
    return false;
  }
  Font& small = Fonts[0];
  Font& game = Fonts[1];
  Font& large = Fonts[2];
  small.Draw(&BackBuffer, 8, 6, "Font0 !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`{|}~");
  small.Draw(&BackBuffer, 8, 18, SJ("かなカナ漢字ｶﾀｶﾅ 全角：ＡＢＣ１２３"), 1);
  game.Draw(&BackBuffer, 8, 34, "ASCII: Hello, World! 0123456789", 1);
  game.Draw(&BackBuffer, 8, 52, SJ("かな：あいうえお　カナ：アイウエオ"));
  game.Draw(&BackBuffer, 8, 70, SJ("漢字：日本語の文章を表示する"));
  game.Draw(&BackBuffer, 8, 88, SJ("半角：ｱｲｳｴｵ ﾃｷｽﾄ ﾊﾟﾋﾟﾌﾟ"));
  game.Draw(&BackBuffer, 8, 106, "ICONS:abcdz Xyz");
  game.m_bIcon = 0;
  game.Draw(&BackBuffer, 8, 124, "LETTERS:abcdz Xyz");
  game.m_bIcon = 1;
  game.Draw(&BackBuffer, 8, 142, SJ("二行の文章\nLine two: ２行目"));
  plain.Draw(&BackBuffer, 8, 180, SJ("直接：日本語の文章 ABCxyz"));
  plain.m_bCenter = 1;
  plain.Draw(&BackBuffer, 8, 198, SJ("中央：日本語 ABCxyz.,!"));
  mincho.Draw(&BackBuffer, 8, 216, SJ("明朝体：永遠の言葉 Mincho"));
  large.Draw(&BackBuffer, 8, 236, SJ("大きな文字 Big"));
  game.DrawTextWindow(&BackBuffer, 20, 290, 0, 0, SJ("ウインドウの文章\nSecond line 二行目"), 8);
  game.DrawTextWindowF(&BackBuffer, 360, 290, 0, 0, "FPS%2d(%2d)", 60, 16);
  game.DrawWindow(&BackBuffer, 360, 330, 120, 40);
  for (int i = 0; i < FONT_COUNT; ++i)
    DDBltFast(&BackBuffer, 20, 350 + 40 * i, Off_Num[i].nWidth, Off_Num[i].nHeight, &Off_Num[i], 0, 0, 1);
  plain.Release();
  mincho.Release();
  ReleaseGameFonts();
  return true;
}

}  // namespace draw_tool
