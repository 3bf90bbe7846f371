// Database entry records in every data version: files from the independent layout
// writer, read as the game reads a database file, written at the current version.
#include <gtest/gtest.h>

#include <functional>

#include "data/database_file.h"
#include "data/project_globals.h"
#include "tests/support/database_layout.h"
#include "tests/support/dump_text.h"

namespace {

using fix::Sj;
using fix::Value;
using Values = std::vector<Value>;

// Reads the list file of `version` over the game's default list, as start-up does,
// and checks the list written again against the current file of the expected values.
template <class T>
void ExpectRead(cVector<T> cEdDatabase::*member, const fix::RecordType& layout, uint32_t version, const Values& stored,
                const Values& expected) {
  SCOPED_TRACE(std::string(layout.name) + " version " + std::to_string(version));
  cVector<T> list = cEdDatabase().*member;
  DataFilePtr in = DataFileFromBytes(fix::ListFile(version, layout, stored), "list.dat");
  ASSERT_TRUE(ReadDatabaseList(*in, list, "entries")) << in->Error();
  EXPECT_TRUE(in->AtEnd());
  DataFilePtr out = cDataFile::ForWriting("memory");
  ASSERT_TRUE(WriteDatabaseList(*out, list));
  const auto want = fix::ListFile(752, layout, expected);
  if (out->Bytes() != want) {
    cVector<T> wanted;
    DataFilePtr w = DataFileFromBytes(want, "want");
    ReadDatabaseList(*w, wanted, "entries");
    ADD_FAILURE() << DumpDifference(DumpListText(list), DumpListText(wanted));
  }
}

// Every version the layout or a fix-up changes at, with the one before it, and newer.
template <class T>
void ExpectVersions(cVector<T> cEdDatabase::*member, const fix::RecordType& layout, std::vector<uint32_t> bounds,
                    const std::function<Values(uint32_t)>& stored, const std::function<Values(uint32_t)>& expected) {
  std::vector<uint32_t> versions = {752, 753, 1000};
  for (uint32_t b : bounds) versions.insert(versions.end(), {b - 1, b});
  for (uint32_t v : versions) ExpectRead(member, layout, v, stored(v), expected(v));
}

Value Frame(int picture, int duration, int flag) {
  return Value().F("picture", picture).F("duration", duration).F("flag", flag);
}

Value Anime(const std::string& name, int s1, int s2, int s3, Values frames) {
  return Value().S("name", name).F("setting 1", s1).F("setting 2", s2).F("setting 3", s3).Recs("frames", frames);
}

// A new animation: one zero frame, settings 0, 1, 0.
Value NewAnime(const std::string& name) { return Anime(name, 0, 1, 0, {Frame(0, 0, 0)}); }

TEST(DatabaseRecords, AnimationsKeepTheirSettingsFrom55) {
  auto stored = [](uint32_t) {
    return Values{Anime("N0", 7, -3, 9, {Frame(1, 2, 0), Frame(3, 4, 1)}), Anime("N1", 8, 4, 10, {}),
                  Anime("N2", 1, 2, 3, {Frame(5, 6, 0)})};
  };
  auto expected = [&](uint32_t v) {
    Values e = stored(v);
    if (v < 55)
      for (Value& a : e) a.F("setting 1", 0).F("setting 2", 1).F("setting 3", 0);
    return e;
  };
  ExpectVersions(&cEdDatabase::AnimeList, fix::AnimeLayout(), {55}, stored, expected);
}

TEST(DatabaseRecords, AnimationSetsGetFourMotionsBefore128) {
  auto set = [](const std::string& name, int flight, Values motions) {
    return Value()
        .S("name", name)
        .F("invincible row", 14)
        .F("full-cell row", 18)
        .F("flight row", flight)
        .Recs("motions", motions);
  };
  Values six;
  for (int i = 0; i < 6; ++i) six.push_back(Anime("A" + std::to_string(i), i, 2, i, {Frame(i, i + 1, i % 2)}));
  const Values two(six.begin(), six.begin() + 2);
  auto stored = [&](uint32_t) { return Values{set("six", 20, six), set("two", 21, two)}; };
  auto expected = [&](uint32_t v) {
    if (v >= 128) return stored(v);
    const int flight = v >= 119 ? 1 : 0;  // 0: kept from the new set
    Values four(six.begin(), six.begin() + 4);
    four[2].S("name", Sj("飛行"));
    four[3].S("name", Sj("飛行移動"));
    Values twoPlus = {two[0], two[1], NewAnime(Sj("飛行")), NewAnime(Sj("飛行移動"))};
    return Values{set("six", flight ? 20 : 0, four), set("two", flight ? 21 : 0, twoPlus)};
  };
  ExpectVersions(&cEdDatabase::AnimeSetList, fix::AnimeSetLayout(), {119, 128}, stored, expected);
}

TEST(DatabaseRecords, SpecialBitmapsKeepTheirCellSizeBefore172) {
  auto stored = [](uint32_t) {
    return Values{Value().F("reserved", 77).F("own cell size", 1).F("cell size", 5).S("name", "B0").S("picture file",
                                                                                                       "bmp\\b0.bmp"),
                  Value().F("reserved", 78).F("own cell size", 0).F("cell size", 1).S("name", "B1"),
                  Value().F("reserved", 79).F("own cell size", 1).F("cell size", 3).S("name", "B2")};
  };
  auto expected = [&](uint32_t v) {
    Values e = stored(v);
    for (Value& b : e) {
      if (v < 153) b.F("reserved", 0);
      if (v < 172) b.F("own cell size", 0).F("cell size", 2);
    }
    return e;
  };
  ExpectVersions(&cEdDatabase::BmpCharaExcList, fix::BmpCharaExcLayout(), {152, 153, 172}, stored, expected);
}

Value SwordFrame(int base, int mirrorX, int mirrorY) {
  return Value()
      .F("offset x", base)
      .F("offset y", base + 1)
      .F("mirror x", mirrorX)
      .F("mirror y", mirrorY)
      .F("placement", base % 4)
      .F("picture x", base + 4)
      .F("picture y", base + 5)
      .F("width", base + 6)
      .F("height", base + 7)
      .F("duration", base + 8);
}

TEST(DatabaseRecords, SwordFramesWithoutMirrorMembersMirrorX) {
  auto sword = [](int reserved, Values frames) {
    return Value()
        .F("reserved", reserved)
        .S("name", "S")
        .S("left picture file", "l.bmp")
        .S("right picture file", "r.bmp")
        .Recs("frames", frames);
  };
  auto stored = [&](uint32_t) {
    return Values{sword(55, {SwordFrame(10, 0, 1), SwordFrame(20, 7, 8)}), sword(56, {})};
  };
  auto expected = [&](uint32_t v) {
    const int reserved = v >= 153;
    if (v >= 138) return Values{sword(reserved ? 55 : 0, {SwordFrame(10, 0, 1), SwordFrame(20, 7, 8)}),
                                sword(reserved ? 56 : 0, {})};
    return Values{sword(0, {SwordFrame(10, 1, 0), SwordFrame(20, 1, 0)}), sword(0, {})};
  };
  ExpectVersions(&cEdDatabase::SwordTypeList, fix::SwordTypeLayout(), {138, 151, 153}, stored, expected);
}

TEST(DatabaseRecords, EffectsKeepTheirFrames) {
  auto pair = [](int a, int b) { return Value().F("first", a).F("second", b); };
  auto effect = [&](int reserved) {
    return Value()
        .F("reserved", reserved)
        .F("cell width", 40)
        .F("cell height", 48)
        .F("scales with hit", 1)
        .S("name", Sj("爆発"))
        .S("picture file", "bmp\\fx.bmp")
        .Recs("frames", {pair(3, 2), pair(4, 0)});
  };
  auto stored = [&](uint32_t) { return Values{effect(91), effect(92), Value()}; };
  auto expected = [&](uint32_t v) { return Values{effect(v >= 153 ? 91 : 0), effect(v >= 153 ? 92 : 0), Value()}; };
  ExpectVersions(&cEdDatabase::EffectList, fix::EffectLayout(), {151, 153}, stored, expected);
}

Value Def(int kind, std::vector<double> params) {
  return Value().F("kind", kind).F("parameters", params).S("name", "E" + std::to_string(kind));
}

TEST(DatabaseRecords, CharacterEffectsGetTheRoughnessDefaultBefore511) {
  auto stored = [](uint32_t) {
    return Values{Def(0, {7, 1, 2, 3, 9}), Def(4, {7, 1, 2, 3, 9}), Def(5, {7, 1, 2, 3, 9}),
                  Def(10, {7, 1, 2, 3, 9}), Def(2, {7, 1, 2, 3, 9})};
  };
  auto expected = [&](uint32_t v) {
    if (v >= 511) return stored(v);
    return Values{Def(0, {7, 1, 2, 3, 9}), Def(4, {7, 1, 2, 3, 2}), Def(5, {7, 1, 2, 3, 2}),
                  Def(10, {7, 1, 2, 2, 9}), Def(2, {7, 1, 2, 3, 9})};
  };
  ExpectVersions(&cEdDatabase::CharaEffectList, fix::EffectDefLayout(), {511}, stored, expected);
}

TEST(DatabaseRecords, ScreenEffectsGetTheRoughnessDefaultBefore511) {
  auto stored = [](uint32_t) {
    return Values{Def(6, {7, 1, 2, 3, 99}), Def(7, {7, 1, 2, 3, 99}), Def(10, {7, 1, 2, 99, 4}),
                  Def(4, {7, 1, 2, 3, 99})};
  };
  auto expected = [&](uint32_t v) {
    if (v >= 511) return stored(v);
    return Values{Def(6, {7, 1, 2, 3, 8}), Def(7, {7, 1, 2, 3, 10}), Def(10, {7, 1, 2, 8, 4}),
                  Def(4, {7, 1, 2, 3, 99})};
  };
  ExpectVersions(&cEdDatabase::ScrEffectList, fix::EffectDefLayout(), {511}, stored, expected);
}

TEST(DatabaseRecords, PicturesSoundsAndMusicZeroTheirReservedValueBefore153) {
  auto stored = [](uint32_t) {
    return Values{Value().F("reserved", 31).S("name", Sj("名前")).S("file", "a.bmp"),
                  Value().F("reserved", 32).S("file", "b")};
  };
  auto expected = [&](uint32_t v) {
    Values e = stored(v);
    if (v < 153)
      for (Value& x : e) x.F("reserved", 0);
    return e;
  };
  const std::vector<uint32_t> bounds = {151, 153};
  ExpectVersions(&cEdDatabase::PictureList, fix::FileEntryLayout(), bounds, stored, expected);
  ExpectVersions(&cEdDatabase::SoundList, fix::FileEntryLayout(), bounds, stored, expected);
  ExpectVersions(&cEdDatabase::BgmList, fix::FileEntryLayout(), bounds, stored, expected);
}

// Old-file cases with known outcomes, checked member by member.
TEST(DatabaseRecords, KnownOldFileCases) {
  auto read = [](auto& list, uint32_t v, const fix::RecordType& layout, const Values& entries) {
    DataFilePtr f = DataFileFromBytes(fix::ListFile(v, layout, entries), "x.dat");
    EXPECT_TRUE(ReadDatabaseList(*f, list, "entries")) << f->Error();
  };
  cVector<cEdBmpCharaExc> bmps;
  read(bmps, 160, fix::BmpCharaExcLayout(), {Value().F("reserved", 9)});
  EXPECT_EQ(bmps[0].nReserved, 9);
  EXPECT_EQ(bmps[0].bOwnCellSize, 0);
  EXPECT_EQ(bmps[0].nCellSize, 2);

  cVector<cEdPicture> pictures(1);
  pictures[0].nReserved = 5;
  const auto bytes = fix::ListFile(150, fix::FileEntryLayout(), {Value().S("name", "p")});
  EXPECT_EQ(bytes[8], 0);  // no fields before the strings
  read(pictures, 150, fix::FileEntryLayout(), {Value().S("name", "p")});
  EXPECT_EQ(pictures[0].nReserved, 0);

  cVector<cEdCharaEffect> chara;
  read(chara, 400, fix::EffectDefLayout(), {Def(4, {1, 2, 3, 4, 77})});
  EXPECT_EQ(chara[0].Params[4], 2);
  read(chara, 511, fix::EffectDefLayout(), {Def(4, {1, 2, 3, 4, 77})});
  EXPECT_EQ(chara[0].Params[4], 77);

  cVector<cEdSwordType> swords(1);
  ASSERT_EQ(swords[0].Frames.Count(), 1);  // a new sword type has one frame
  read(swords, 752, fix::SwordTypeLayout(), {Value()});
  EXPECT_EQ(swords[0].Frames.Count(), 0);
  read(swords, 137, fix::SwordTypeLayout(), {Value().Recs("frames", {SwordFrame(1, 0, 1)})});
  EXPECT_EQ(swords[0].Frames[0].bMirrorX, 1);
  EXPECT_EQ(swords[0].Frames[0].bMirrorY, 0);

  cVector<cEdScrEffect> screen;
  read(screen, 510, fix::EffectDefLayout(), {Def(10, {1, 2, 3, 4, 5})});
  EXPECT_EQ(screen[0].Params[3], 8);

  cVector<cEdAnime> animes;
  read(animes, 54, fix::AnimeLayout(), {Anime("a", 5, 5, 5, {})});
  EXPECT_EQ(animes[0].nSetting1, 0);
  EXPECT_EQ(animes[0].nSetting2, 1);
  EXPECT_EQ(animes[0].nSetting3, 0);
}

}  // namespace
