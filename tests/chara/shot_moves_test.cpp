// The shot movement types in flight, one step a frame: when the aiming types turn,
// homing between its start and end distances, targets that die or are removed
// while homing shots fly, the wave's sideways sine, the fall, acceleration along
// a homing turn, and the types and rates a damaged definition may hold.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {

// The view is at (400, 400): the owner fires from stage (600, 600), screen (200, 200).
class ShotMoves : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    StageData.SetHitLevel(1);
    m_Command.nType = 11;
    m_Run.pCommand = &m_Command;
    m_Player = &Player.emplace_back();
    m_Player->m_nKind = 0;
    m_Player->m_nId = 1;
    Put(*m_Player, 500, 450);
    m_Owner = &Chara(2, 1, 600, 600);
    m_Owner->m_nFacing = 1;
  }
  void TearDown() override {
    m_Scene->m_Shots.clear();
    for (auto& g : m_Scene->m_ShotGroups) g.clear();
    PlayField::TearDown();
  }
  // A 32 x 32 object at (x, y), its screen rectangle as the shots will read it.
  static void Put(cObject& o, double x, double y) {
    Place(o, x, y);
    o.m_nDrawWidth = o.m_nDrawHeight = 32;
    o.CalcScreenRect();
  }
  cStageChara& Chara(int id, int force, double x, double y) {
    cStageChara& c = StageChara.emplace_back();
    c.m_nKind = 1;
    c.m_nId = id;
    c.m_nPass = c.m_Def.nPassValue = force;
    c.m_bActive = c.m_bInView = 1;
    Put(c, x, y);
    m_Scene->m_CharaGroups.At(force).push_back(&c);
    return c;
  }
  // One shot fired by the owner from (600, 600) at (vx, vy) dots per frame.
  cShot& Fire(cEdShot& def, double vx, double vy) {
    def.nSpeed = static_cast<int16_t>(std::lround(std::hypot(vx, vy) * 10));
    cLaunchValues lv;
    lv.dVelX = vx;
    lv.dVelY = vy;
    lv.dSpeed = std::hypot(vx, vy);
    lv.nX = 600;
    lv.nY = 600;
    SpawnPatternObject(&m_Scene->m_Shots, lv, *m_Owner, &m_Run, def);
    return m_Scene->m_Shots.back();
  }
  // A logic step of the shot as the play step runs it: 1 when it ends.
  static int Fly(cShot& s) {
    if (s.Update()) return 1;
    s.AddGravity();
    s.MoveY();
    s.MoveX();
    return 0;
  }
  static cEdShot Moving(int type, int v1 = 0, int v2 = 0, int v3 = 0) {
    cEdShot d;
    d.nMoveType = static_cast<int8_t>(type);
    d.nMoveParam[0] = static_cast<int16_t>(v1);
    d.nMoveParam[1] = static_cast<int16_t>(v2);
    d.nMoveParam[2] = static_cast<int16_t>(v3);
    return d;
  }
  cEdCommand m_Command;
  cCommandRun m_Run;
  cPlayer* m_Player = nullptr;
  cStageChara* m_Owner = nullptr;
};

// The updates (1-based) in which the shot's flight velocity changed.
std::vector<int> ChangedUpdates(cShot& s, int updates, void (*before)(int update, void* user) = nullptr,
                                void* user = nullptr) {
  std::vector<int> changed;
  for (int u = 1; u <= updates; ++u) {
    if (before) before(u, user);
    const double vx = s.m_dFlightX, vy = s.m_dFlightY;
    if (s.Update()) break;
    if (s.m_dFlightX != vx || s.m_dFlightY != vy) changed.push_back(u);
  }
  return changed;
}

}  // namespace

TEST_F(ShotMoves, AimingTypesTurnOnceWhenTheyHaveFlownTheirTurnDistance) {
  // At 2 dots a frame a turn distance of 2 hbl (32 dots) takes 16 steps: the turn
  // comes in the 17th update.
  cStageChara& aimed = Chara(3, 3, 500, 450);
  struct Case {
    const char* what;
    int type, turn;
    bool target;
    std::vector<int> turns;
  } cases[] = {
      {"player at once", 1, 0, true, {1}},
      {"player after 2 hbl", 1, 2, true, {17}},
      {"nearest of force 3", 2, 2, true, {17}},
      {"target", 3, 2, true, {17}},
      {"target, none", 3, 2, false, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    m_Owner->SetTarget(k.target ? &aimed : nullptr);
    cEdShot d = Moving(k.type, k.turn, 3);
    cShot& s = Fire(d, 2, 0);
    const std::vector<int> turned = ChangedUpdates(s, 200);
    EXPECT_EQ(turned, k.turns);
    EXPECT_EQ(s.m_bMoveDone, 1);
    if (!k.turns.empty()) {
      // Toward (516, 466) from up and to the right of it, at the flight speed.
      EXPECT_LT(s.m_dFlightX, 0);
      EXPECT_LT(s.m_dFlightY, 0);
      EXPECT_NEAR(std::hypot(s.m_dFlightX, s.m_dFlightY), 2.0, 1e-12);
    } else {
      EXPECT_EQ(s.m_dFlightX, 2.0);
    }
  }
  m_Owner->SetTarget(nullptr);
}

TEST_F(ShotMoves, HomingSteersFromItsStartToItsEnd) {
  // The player jumps between two places before every update, so every homing
  // step turns the shot. At 2 dots a frame 1 hbl is 8 steps, 999 hbl 7992.
  struct Case {
    const char* what;
    int start, end;
    int first, last, count;
  } cases[] = {
      {"from the first step to 999 hbl", 0, 999, 1, 7992, 7992},
      {"between 1 and 2 hbl", 1, 2, 9, 16, 8},
      {"an end of 0 never starts", 0, 0, 0, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    cEdShot d = Moving(4, k.start, k.end);
    cShot& s = Fire(d, 2, 0);
    const std::vector<int> steered = ChangedUpdates(
        s, 8100,
        [](int u, void* p) { Put(*static_cast<cPlayer*>(p), u % 2 ? 500 : 560, u % 2 ? 450 : 900); }, m_Player);
    ASSERT_EQ(static_cast<int>(steered.size()), k.count);
    if (k.count) {
      EXPECT_EQ(steered.front(), k.first);
      EXPECT_EQ(steered.back(), k.last);
    }
    EXPECT_EQ(s.m_bMoveDone, 1);
  }
}

TEST_F(ShotMoves, HomingOnATargetThatDiesOrIsRemoved) {
  cStageChara& target = Chara(3, 3, 500, 450);
  m_Owner->SetTarget(&target);
  cEdShot d = Moving(6, 0, 999);
  d.nCount = 1;
  std::vector<cShot*> shots;
  for (int i = 0; i < 3; ++i) shots.push_back(&Fire(d, 2, 0));
  EXPECT_EQ(target.m_ShotsAiming.Count(), 3);
  // Dead: no steering, but the steps toward the homing end go on.
  target.m_bDead = 1;
  const double vx = shots[0]->m_dFlightX, vy = shots[0]->m_dFlightY;
  for (int u = 0; u < 5; ++u) Fly(*shots[0]);
  EXPECT_EQ(shots[0]->m_dFlightX, vx);
  EXPECT_EQ(shots[0]->m_dFlightY, vy);
  EXPECT_EQ(shots[0]->m_nStepCount, 5);
  target.m_bDead = 0;
  Fly(*shots[0]);
  EXPECT_NE(shots[0]->m_dFlightY, vy);
  // Removed while they fly: every shot forgets it, and flies on straight.
  m_Owner->SetTarget(nullptr);
  for (auto it = StageChara.begin(); it != StageChara.end(); ++it)
    if (&*it == &target) {
      RemoveStageChara(it);
      break;
    }
  for (cShot* s : shots) {
    EXPECT_EQ(s->m_pTarget, nullptr);
    const double fx = s->m_dFlightX, fy = s->m_dFlightY;
    for (int u = 0; u < 10; ++u) Fly(*s);
    EXPECT_EQ(s->m_dFlightX, fx);
    EXPECT_EQ(s->m_dFlightY, fy);
  }
}

TEST_F(ShotMoves, NearestHomingTakesTheNextWhenItsTargetDies) {
  // Types 5 and 7 both search again at every step.
  for (int type : {5, 7}) {
    SCOPED_TRACE(type);
    cStageChara& above = Chara(10 + type, 3, 590, 500);
    cStageChara& below = Chara(20 + type, 3, 590, 760);
    cEdShot d = Moving(type, 0, 999, 3);
    cShot& s = Fire(d, 2, 0);
    Fly(s);
    EXPECT_LT(s.m_dFlightY, 0);  // toward the nearer one, above
    above.m_bDead = 1;
    Fly(s);
    EXPECT_GT(s.m_dFlightY, 0);  // then toward the one below
    m_Scene->m_CharaGroups.At(3).clear();
    const double fx = s.m_dFlightX, fy = s.m_dFlightY;
    Fly(s);  // none left: it flies on
    EXPECT_EQ(s.m_dFlightX, fx);
    EXPECT_EQ(s.m_dFlightY, fy);
    below.m_bDead = 1;  // out of the next type's search
  }
}

TEST_F(ShotMoves, AcceleratedHomingKeepsItsSpeedAndIsPulledByItsAcceleration) {
  cEdShot d = Moving(4, 0, 999);
  d.bAccel = 1;
  d.nAccel = 1;  // 0.1 dots per frame per frame
  cShot& s = Fire(d, 2, 0);
  Fly(s);
  // The first homing step points the flight at the player (up and to the left).
  const double vx = s.m_dFlightX, vy = s.m_dFlightY;
  EXPECT_LT(vx, 0);
  EXPECT_LT(vy, 0);
  // Later steps only add the acceleration, which points at the player too.
  Put(*m_Player, 900, 600);  // now straight to the right
  Fly(s);
  EXPECT_NEAR(s.m_dFlightX - vx, s.m_dMoveX, 1e-12);
  EXPECT_NEAR(s.m_dFlightY - vy, s.m_dMoveY, 1e-12);
  EXPECT_GT(s.m_dMoveX, 0);
}

TEST_F(ShotMoves, TheWaveFollowsASineAcrossItsFlight) {
  // Amplitude 4 hbl (64 dots) at 4 degrees a frame: a quarter period is 22.5
  // frames. Fired either way with start angle 0 it first moves up at the wave's
  // highest sideways speed, and its sideways offset follows -64 sin(4 t) until
  // the sideways speed would change sign: that step it is 0 instead.
  const double w = 4 * M_PI / 180;
  for (int facing : {1, 0}) {
    SCOPED_TRACE(facing);
    cEdShot d = Moving(8, 4, 4, 0);
    cShot& s = Fire(d, facing ? 3 : -3, 0);
    const double y0 = s.m_dY, x0 = s.m_dX;
    Fly(s);
    EXPECT_NEAR(s.m_dFlightY, -64 * w, 1e-9);
    double worst = 0;
    for (int t = 1; t <= 22; ++t) {
      worst = std::max(worst, std::fabs((s.m_dY - y0) + 64 * std::sin(w * t)));
      Fly(s);
    }
    EXPECT_LT(worst, 0.1);
    EXPECT_LT(s.m_dFlightY, 0);
    Fly(s);  // the 24th
    EXPECT_EQ(s.m_dFlightY, 0.0);
    Fly(s);
    EXPECT_GT(s.m_dFlightY, 0);
    // Along its flight it never slows or turns back.
    EXPECT_NEAR(std::fabs(s.m_dX - x0), 3 * 25, 1e-6);
  }
}

TEST_F(ShotMoves, AFallingShotKeepsItsHorizontalSpeed) {
  struct Case {
    int turn;
    int fallsFrom;
  } cases[] = {{0, 1}, {1, 9}};  // 1 hbl at 2 dots a frame: 8 steps
  for (const Case& k : cases) {
    SCOPED_TRACE(k.turn);
    cEdShot d = Moving(9, k.turn);
    cShot& s = Fire(d, 2, 0);
    int fell = 0;
    for (int u = 1; u <= 20 && !fell; ++u) {
      Fly(s);
      if (!s.m_bFlying) fell = u;
    }
    EXPECT_EQ(fell, k.fallsFrom);
    const double x = s.m_dX, y = s.m_dY, vy = s.m_dSpeedY;
    Fly(s);
    EXPECT_NEAR(s.m_dX - x, 2.0, 1e-12);
    EXPECT_GT(s.m_dSpeedY, vy);  // gravity
    EXPECT_GT(s.m_dY, y);
  }
}

TEST_F(ShotMoves, TypesAndRatesFromADamagedDefinitionFlyStraight) {
  struct Case {
    const char* what;
    cEdShot def;
    double speed;
  } cases[] = {
      {"type 10", Moving(10, 1, 1, 1), 2},
      {"type 127", Moving(127, 1, 1, 1), 2},
      {"type -1", Moving(-1, 1, 1, 1), 2},
      {"wave rate 0", Moving(8, 4, 0, 90), 2},
      // No speed to cover its turn distance with: it turns at once, at speed 0.
      {"aiming at speed 0", Moving(1, 5), 0},
  };
  for (Case& k : cases) {
    SCOPED_TRACE(k.what);
    cShot& s = Fire(k.def, k.speed, 0);
    for (int u = 0; u < 30; ++u) ASSERT_EQ(Fly(s), 0);
    EXPECT_EQ(s.m_dFlightX, k.speed);
    EXPECT_EQ(s.m_dFlightY, 0.0);
    EXPECT_NEAR(s.m_dX, 600 + 30 * k.speed, 1e-9);
    EXPECT_EQ(s.m_dY, 600);
  }
}

// A shot taller than the whole stage cannot fit: the clamp after its move keeps
// its top at the top of the stage, wherever it flies.
TEST_F(ShotMoves, AShotTallerThanTheStageKeepsItsTopAtTheTop) {
  const int outer = m_Scene->m_ScrollY.m_nOuterLimit;
  ASSERT_GT(outer, 0);
  for (double vy : {3.0, -3.0}) {
    cEdShot def = Moving(0);
    cShot& s = Fire(def, 0, vy);
    s.m_nHeight = outer + 100;
    Fly(s);
    EXPECT_EQ(s.m_dY, 0) << vy;
    EXPECT_EQ(s.m_dBottom, outer + 99) << vy;
  }
}
