// The tables that start-up builds from the database: animation and effect step
// tables, prepared character and screen effects in both directions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "data/project_globals.h"
#include "data/startup_data.h"
#include "tests/support/temp_dir.h"

namespace {

cEdAnimeFrame AnimeFrame(int picture, int duration, int flag) {
  cEdAnimeFrame f;
  f.nPicture = picture;
  f.nDuration = duration;
  f.bNoInterrupt = flag;
  return f;
}

using Steps = std::vector<ANIMESTEP>;
Steps AsSteps(const cAnimeSequence& s) { return Steps(s.begin(), s.end()); }

TEST(PreparedTables, AnimationStepsTakeTheirFlagFromTheFirstFlaggedFrame) {
  cEdDatabase db;
  db.AnimeList.resize(3);
  db.AnimeList[0].Frames = {AnimeFrame(7, 5, 0), AnimeFrame(8, 9, 0)};
  db.AnimeList[1].Frames = {AnimeFrame(10, 2, 0), AnimeFrame(11, 3, 1), AnimeFrame(12, 1, 0)};
  db.AnimeList[2].Frames = {AnimeFrame(1, 0x7FFFFFFF, 0)};  // a duration from a damaged file
  cVector<cAnimeSequence> tables(5);
  BuildAnimeSequences(tables, db);
  ASSERT_EQ(tables.Count(), 3);
  EXPECT_EQ(AsSteps(tables[0]), (Steps{{7, 0, 1}, {8, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(AsSteps(tables[1]), (Steps{{10, 12, 0}, {11, 18, 1}, {12, 6, 1}, {-4, 0, 0}}));
  EXPECT_EQ(tables[2][0].nFrames, 0x7FFFFFFF);  // kept inside an int
}

TEST(PreparedTables, EffectStepsNeverBlockAndEffectZeroLoops) {
  cEdDatabase db;
  db.EffectList[0].Frames = {cIntPair(3, 4)};
  db.EffectList[1].Frames = {cIntPair(5, 1), cIntPair(6, 2)};
  cVector<cAnimeSequence> tables;
  BuildEffectSequences(tables, db);
  ASSERT_EQ(tables.Count(), 2);
  EXPECT_EQ(AsSteps(tables[0]), (Steps{{3, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(AsSteps(tables[1]), (Steps{{5, 6, 0}, {6, 12, 0}, {-4, 0, 0}}));
}

cEdCharaEffect CharaDef(int kind, std::array<int, 5> p) {
  cEdCharaEffect d;
  d.nKind = kind;
  for (int i = 0; i < 5; ++i) d.Params[i] = p[static_cast<size_t>(i)];
  return d;
}

cEdScrEffect ScrDef(int kind, std::array<int, 5> p) {
  cEdScrEffect d;
  d.nKind = kind;
  for (int i = 0; i < 5; ++i) d.Params[i] = p[static_cast<size_t>(i)];
  return d;
}

TEST(PreparedTables, CharacterEffectsInBothDirections) {
  cEdDatabase db;
  db.CharaEffectList = {CharaDef(0, {0, 0, 0, 0, 0}), CharaDef(1, {10, 0, 30, 0, 0}), CharaDef(6, {10, 3, 0, 0, 0}),
                        CharaDef(13, {10, 1, 1, 16, 0}), CharaDef(4, {0, 0, 12, 2, 2})};
  db.MakeWorkingCopies();
  cVector<cCharaEffectAnime> fwd, rev;
  PrepareCharaEffects(fwd, rev, db);
  ASSERT_EQ(fwd.Count(), 5);
  ASSERT_EQ(rev.Count(), 5);

  EXPECT_EQ(fwd[1].nNo, 1);
  EXPECT_EQ(fwd[1].pDef, &db.CharaEffectList[1]);
  EXPECT_EQ(fwd[1].nStart, 0);
  EXPECT_EQ(fwd[1].nEnd, 30);
  EXPECT_DOUBLE_EQ(fwd[1].dStep, 0.5);
  EXPECT_EQ(rev[1].pDef, &db.CharaEffectListRev[1]);
  EXPECT_EQ(rev[1].nStart, 30);
  EXPECT_EQ(rev[1].nEnd, 0);
  EXPECT_DOUBLE_EQ(rev[1].dValue, 30);
  // The working copy holds the reverse direction; the list itself is untouched.
  EXPECT_EQ(db.CharaEffectListRev[1].Params[1], 30);
  EXPECT_EQ(db.CharaEffectList[1].Params[1], 0);

  // Blinking counts time.
  EXPECT_EQ(rev[2].nStart, 0);
  EXPECT_EQ(rev[2].nEnd, 10);
  EXPECT_DOUBLE_EQ(rev[2].dStep, 1.0 / 6);
  EXPECT_EQ(db.CharaEffectListRev[2].Params[1], 3);

  // Start equal to end: the effect waits out its time.
  EXPECT_DOUBLE_EQ(fwd[3].dStep, 1.0 / 6);
  EXPECT_EQ(fwd[3].dWaitCount, 0);
  EXPECT_EQ(fwd[3].nTime, 10);

  // A running time of 0 (never offered by the editor) gives a finite step.
  EXPECT_TRUE(std::isfinite(fwd[4].dStep));
  EXPECT_TRUE(std::isfinite(fwd[0].dStep));
}

TEST(PreparedTables, ScreenEffectsInBothDirections) {
  cEdDatabase db;
  db.ScrEffectList = {ScrDef(0, {0, 0, 0, 0, 0}), ScrDef(1, {10, 1, 2, 640, 4}), ScrDef(2, {10, 4, 4, 0, 0}),
                      ScrDef(6, {10, 0, 640, 4, 8}), ScrDef(9, {10, 5, 5, 0, 0}), ScrDef(8, {10, 10, 0, 0, 0})};
  db.MakeWorkingCopies();
  cVector<cScrEffectAnime> fwd, rev;
  PrepareScrEffects(fwd, rev, db);
  ASSERT_EQ(fwd.Count(), 6);

  EXPECT_EQ(fwd[1].nWorkA, 1);
  EXPECT_EQ(fwd[1].nWorkB, 2);
  EXPECT_EQ(rev[1].nWorkA, 640);  // start and end positions exchanged
  EXPECT_EQ(rev[1].nWorkB, 4);
  EXPECT_EQ(db.ScrEffectListRev[1].Params[3], 1);
  EXPECT_DOUBLE_EQ(rev[1].dStep, 1.0 / 6);

  EXPECT_DOUBLE_EQ(fwd[2].dSwing, 0);
  EXPECT_DOUBLE_EQ(fwd[2].dStep, 1.0 / 6);

  EXPECT_DOUBLE_EQ(fwd[3].dValue, 0);
  EXPECT_DOUBLE_EQ(fwd[3].dStep, 640.0 / 60);
  EXPECT_DOUBLE_EQ(rev[3].dValue, 640);
  EXPECT_EQ(fwd[3].bWaiting, 0);

  EXPECT_EQ(fwd[4].bWaiting, 1);
  EXPECT_EQ(fwd[4].nWaitLimit, 10);
  EXPECT_DOUBLE_EQ(fwd[4].dStep, 1.0 / 6);

  EXPECT_EQ(fwd[5].nWorkB, 0);
  EXPECT_DOUBLE_EQ(fwd[5].dStep, 1.0 / 6);

  cScrEffectAnime running;
  running.nNo = 3;
  running.nPlayMode = 2;
  running.Load(rev[3]);
  EXPECT_EQ(running.nNo, 3);  // Load takes the state, not the number or the mode
  EXPECT_EQ(running.nPlayMode, 2);
  EXPECT_DOUBLE_EQ(running.dValue, 640);
  EXPECT_EQ(running.pDef, &db.ScrEffectListRev[3]);
}

TEST(PreparedTables, TheStartUpStepBuildsEveryTableFromTheLoadedDatabase) {
  Database = cEdDatabase();
  PrepareDatabaseTables();
  EXPECT_EQ(AnimeSequences.Count(), Database.AnimeList.Count());
  EXPECT_EQ(EffectSequences.Count(), Database.EffectList.Count());
  EXPECT_EQ(CharaEffectTable.Count(), Database.CharaEffectList.Count());
  EXPECT_EQ(CharaEffectTableRev.Count(), Database.CharaEffectListRev.Count());
  EXPECT_EQ(ScrEffectTable.Count(), Database.ScrEffectList.Count());
  EXPECT_EQ(ScrEffectTableRev[1].pDef, &Database.ScrEffectListRev[1]);
}

}  // namespace
