// Block characters against the other characters: riding and carrying, landing,
// head bumps, sideways pushes, squeezes and crushes. Every scan walks the scene's
// side list of block characters, in the order of the character list.
#include <algorithm>
#include <array>

#include "app/base/report_log.h"
#include "chara/block_map.h"
#include "chara/bounds_rules.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kTrigBlockChara = 5, kTrigRidesBlockChara = 6, kTrigRiddenByPlayer = 16, kTrigRidden = 17;
// Side gaps that leave room for backing out of a wall in steps of 0.1 dot.
constexpr double kGapNear = 1.5, kGapFar = 0.5, kBackStep = 0.1;
constexpr int kBackSteps = 15;

struct cRect {
  double l, t, r, b;
};

bool Overlaps(const cRect& a, const cRect& b) { return a.l <= b.r && a.r >= b.l && a.t <= b.b && a.b >= b.t; }
cRect RectOf(const cObject& o) { return {o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom}; }
cRect PrevOf(const cChara& c) { return {c.m_PrevRect[0], c.m_PrevRect[1], c.m_PrevRect[2], c.m_PrevRect[3]}; }
double OverlapW(const cRect& a, const cRect& b) { return std::min(a.r, b.r) - std::max(a.l, b.l); }
double OverlapH(const cRect& a, const cRect& b) { return std::min(a.b, b.b) - std::max(a.t, b.t); }

// The targets of one resolution: a set flag per side and the one that set it.
struct cTarget {
  bool set = false;
  double value = 0;
  cStageChara* by = nullptr;
  void Larger(double v, cStageChara* x) {
    if (!set || v > value) value = v, by = x;
    set = true;
  }
  void Smaller(double v, cStageChara* x) {
    if (!set || v < value) value = v, by = x;
    set = true;
  }
};

void SetFalling(cChara& c) {
  c.m_bRising = 0;
  c.m_bJumped = c.m_bFalling = 1;
}

// Whether the corner cells of c, its top moved to `top`, hold a solid block.
bool CornersSolidAt(cStageScene& s, const cChara& c, double top) {
  const double bottom = top + c.m_nHeight - 1;
  const int cell = s.FindStrongestCorner(CellOf(c.m_dX), CellOf(top), CellOf(c.m_dRight), CellOf(bottom), c.m_nPass);
  return CellHitKind(cell, c.m_nPass) != 0;
}

}  // namespace

void cStageScene::RebuildBlockCharas() {
  m_BlockCharas.clear();
  for (cStageChara& c : StageChara)
    if (c.m_Def.bFullCell && !c.m_bRemoved) m_BlockCharas.push_back(&c);
}

namespace {

// A block character that takes part in the scans of `self`.
bool Candidate(const cStageChara* x, const cObject& self) {
  return x != &self && !x->m_bDead && !x->m_bRemoved && x->m_bActive && x->m_nId != self.m_nId;
}

}  // namespace

bool cStageScene::TouchesBlockChara(const cObject& o, int ignoredId) {
  const cRect r = RectOf(o);
  for (cStageChara* x : m_BlockCharas)
    if (Candidate(x, o) && x->m_nId != ignoredId && Overlaps(RectOf(*x), r)) return true;
  return false;
}

bool cStageScene::HitsBlockChara(const cChara& c) {
  if (c.m_bFlying && c.m_nBlockContact == kPassBlocks) return false;
  const cRect r = RectOf(c);
  for (cStageChara* x : m_BlockCharas)
    if (Candidate(x, c) && Overlaps(RectOf(*x), r)) return true;
  return false;
}

int cStageScene::CarryRider(cChara& rider) {
  if (rider.m_bFlying) return 0;
  cStageChara* ridden = nullptr;
  for (cStageChara* x : m_BlockCharas)
    if (x->m_nId == rider.m_nRiddenId && !x->m_bRemoved) {
      ridden = x;
      break;
    }
  if (!ridden) return 0;
  rider.m_dSpeedX += ridden->m_dX - rider.m_RiddenRect[0];
  if (ridden->m_bFlying || ridden->m_bFalling) rider.m_dSpeedY = ridden->m_dY - rider.m_RiddenRect[1];
  if (rider.m_nKind == 0) ridden->RunTriggeredFlows(kTrigRiddenByPlayer);
  ridden->RunTriggeredFlows(kTrigRidden);
  return 0;
}

bool cStageScene::IsOnRiddenChara(cChara& c) {
  const cRect strip{c.m_dX, c.m_dBottom, c.m_dRight, c.m_dBottom + 5};
  for (cStageChara* x : m_BlockCharas)
    if (x->m_nId == c.m_nRiddenId && Candidate(x, c)) return Overlaps(RectOf(*x), strip);
  return false;
}

cStageChara* cStageScene::FindCharaBelow(cChara& c) {
  const cRect strip{c.m_dX, c.m_dBottom, c.m_dRight, c.m_dBottom + 5};
  for (cStageChara* x : m_BlockCharas)
    if (Candidate(x, c) && Overlaps(RectOf(*x), strip)) return x;
  return nullptr;
}

bool cStageScene::IsSqueezed(cChara& c, const double before[4]) {
  if (c.m_bFlying && c.m_nBlockContact == kPassBlocks) return false;
  auto edges = [](double l, double t, double r, double b) {
    return std::array<cRect, 4>{cRect{l, t, r, t}, cRect{r, t, r, b - 1}, cRect{l, b - 1, r, b - 1},
                                cRect{l, t, l, b - 1}};
  };
  const auto now = edges(c.m_dX, c.m_dY, c.m_dRight, c.m_dBottom);
  const auto then = edges(before[0], before[1], before[2], before[3]);
  // Every edge touched both where the resolution left it and where it was: a
  // character that the resolution freed (pushed below a sideways squeeze) is not
  // squeezed, whatever touched it before.
  auto touched = [&](const cRect& edge) {
    for (cStageChara* x : m_BlockCharas)
      if (Candidate(x, c) && Overlaps(RectOf(*x), edge)) return true;
    return false;
  };
  for (int e = 0; e < 4; ++e)
    if (!touched(now[e]) || !touched(then[e])) return false;
  return true;
}

void cStageScene::ResolveFlyingContacts(cChara& q, int axis) {
  const cRect me = RectOf(q);
  cTarget left, right, top, bottom;
  for (cStageChara* x : m_BlockCharas) {
    if (!Candidate(x, q)) continue;
    const cRect r = RectOf(*x);
    if (!Overlaps(r, me)) continue;
    if (axis == 1) {
      if (Overlaps(r, {me.l + 1, me.t, me.r - 1, me.t})) top.Larger(r.b + 1, x);
      if (Overlaps(r, {me.l + 1, me.b, me.r - 1, me.b})) bottom.Smaller(r.t - q.m_nHeight, x);
    } else {
      if (Overlaps(r, {me.l, me.t + 1, me.l, me.b - 1})) left.Larger(r.r + 1, x);
      if (Overlaps(r, {me.r, me.t + 1, me.r, me.b - 1})) right.Smaller(r.l - q.m_nWidth, x);
    }
  }
  auto pushedBy = [&](const cStageChara* x) { return !(q.m_bRiding && x && x->m_nId == q.m_nRiddenId); };
  if (left.set) {
    q.LRUD[0] = 1;
    q.m_dX = left.value;
    if (pushedBy(left.by)) q.m_bPushed = 1;
    q.LimitX();
  }
  if (right.set) {
    q.LRUD[1] = 1;
    q.m_dX = right.value;
    if (pushedBy(right.by)) q.m_bPushed = 1;
    q.LimitX();
  }
  if (top.set) {
    q.LRUD[2] = 1;
    q.m_dY = top.value;
    q.LimitY();
  }
  if (bottom.set) {
    q.LRUD[3] = 1;
    q.m_dY = bottom.value;
    q.LimitY();
  }
}

namespace {

// A flying character that hits (mode 1) or dies at (mode 2) block characters.
int ResolveFlying(cStageScene& s, cChara& q) {
  const cRect me = RectOf(q);
  cTarget left, right, top, bottom;
  bool touching = false;
  for (cStageChara* x : s.m_BlockCharas) {
    if (!Candidate(x, q)) continue;
    const cRect r = RectOf(*x);
    if (!Overlaps(r, me)) continue;
    touching = true;
    if (OverlapW(r, me) > OverlapH(r, me)) {
      if (Overlaps(r, {me.l + 1, me.t, me.r - 1, me.t})) {
        q.LRUD[2] = 1;
        top.Larger(r.b + 1, x);
      }
      if (Overlaps(r, {me.l + 1, me.b, me.r - 1, me.b})) {
        q.LRUD[3] = 1;
        bottom.Smaller(r.t - q.m_nHeight, x);
      }
    } else {
      if (Overlaps(r, {me.l, me.t + 1, me.l, me.b - 1})) {
        q.LRUD[0] = 1;
        left.Larger(r.r + 1, x);
      }
      if (Overlaps(r, {me.r, me.t + 1, me.r, me.b - 1})) {
        q.LRUD[1] = 1;
        right.Smaller(r.l - q.m_nWidth, x);
      }
    }
  }
  if (touching) q.RunTriggeredFlows(kTrigBlockChara);
  if (q.m_nBlockContact == kDieAtBlocks) return left.set || right.set || top.set || bottom.set ? 2 : 0;
  if (left.set) {
    q.m_dMoveX = 0;
    if (left.by->m_dSpeedX >= 0 || q.m_dSpeedX < 0) {
      q.m_dX = left.value;
      q.m_bPushed = 1;
      q.LimitX();
    } else {
      q.LRUD[0] = 0;
      s.ResolveFlyingContacts(q, 1);
    }
  }
  if (right.set) {
    q.m_dMoveX = 0;
    if (right.by->m_dSpeedX <= 0 || q.m_dSpeedX > 0) {
      q.m_dX = right.value;
      q.m_bPushed = 1;
      q.LimitX();
    } else {
      q.LRUD[1] = 0;
      s.ResolveFlyingContacts(q, 1);
    }
  }
  if (top.set) {
    q.m_dMoveY = 0;
    if (top.by->m_dSpeedY >= 0 || q.m_dSpeedY < 0) {
      q.m_dY = top.value;
      q.LimitY();
    } else {
      q.LRUD[2] = 0;
      s.ResolveFlyingContacts(q, 0);
    }
  }
  if (bottom.set) {
    q.m_dMoveY = 0;
    if (bottom.by->m_dSpeedY <= 0 || q.m_dSpeedY > 0) {
      q.m_dY = bottom.value;
      q.LimitY();
    } else {
      q.LRUD[3] = 0;
      s.ResolveFlyingContacts(q, 0);
      return 0;
    }
  }
  return 0;
}

// The first block character over the upper half pushes a sideways-squeezed
// character down below it.
void PushBelowUpperHalf(cStageScene& s, cChara& q, const cRect& upper) {
  for (cStageChara* x : s.m_BlockCharas) {
    if (!Candidate(x, q) || !Overlaps(RectOf(*x), upper)) continue;
    q.m_dY = x->m_dBottom + 1;
    SetFalling(q);
    q.m_dMoveY = 0;
    q.m_dSpeedY = x->m_dSpeedY;
    q.LimitY();
    break;
  }
}

}  // namespace

int cStageScene::ResolveBlockCharas(cChara& q) {
  if (q.m_bFlying && q.m_nBlockContact == kPassBlocks) return 0;
  if (q.m_bFlying) return ResolveFlying(*this, q);

  const double steps = StageData.Timing().dSteps;
  const double fallSpeed = 2 / steps, margin = 0.4 / steps;
  const cRect me = RectOf(q);
  const cRect prev = PrevOf(q);
  const double before[4] = {me.l, me.t, me.r, me.b};
  const cRect upper{me.l, me.t, me.r, me.t + q.m_nHeight / 2};
  const cRect feet{me.l + 1, me.b - q.m_nHeight / 3, me.r - 1, me.b};
  const cRect sweptNow{prev.l, me.t, prev.r, me.b};  // previous columns, current rows
  cTarget left, right, top, bottom;
  cStageChara* ride = nullptr;
  double topSpeedY = 0;
  bool touching = false;

  auto land = [&](cStageChara* x, bool trace) {
    if (trace) ECLog("D Hit");
    if (x->m_dSpeedY < 0) q.LRUD[3] = 1;
    const double target = x->m_dY - q.m_nHeight;
    if (bottom.set && bottom.value <= target) return;
    bottom.value = target;
    bottom.by = x;
    bottom.set = true;
    ride = x;
    q.m_nRiddenId = x->m_nId;
    q.m_RiddenRect[0] = x->m_dX, q.m_RiddenRect[1] = x->m_dY, q.m_RiddenRect[2] = x->m_dRight,
    q.m_RiddenRect[3] = x->m_dBottom;
  };
  auto sideLines = [&](cStageChara* x, const cRect& r, double bottomOfLines, bool rightFirst, bool both) {
    const cRect rightLine{me.r, me.t, me.r, bottomOfLines}, leftLine{me.l, me.t, me.l, bottomOfLines};
    auto tryRight = [&] {
      if (!Overlaps(r, rightLine)) return false;
      q.LRUD[1] = 1;
      right.Smaller(r.l - q.m_nWidth - kGapFar, x);
      return true;
    };
    auto tryLeft = [&] {
      if (!Overlaps(r, leftLine)) return false;
      q.LRUD[0] = 1;
      left.Larger(r.r + kGapNear, x);
      return true;
    };
    if (both) {
      tryRight();
      tryLeft();
    } else if (rightFirst) {
      if (!tryRight()) tryLeft();
    } else {
      if (!tryLeft()) tryRight();
    }
  };

  for (cStageChara* x : m_BlockCharas) {
    if (!Candidate(x, q)) continue;
    const cRect r = RectOf(*x);
    if (!Overlaps(r, me)) continue;
    touching = true;
    const cRect xPrev = PrevOf(*x);
    if (Overlaps(r, upper)) {
      const bool fromAbove = q.m_dSpeedY > fallSpeed && Overlaps(sweptNow, xPrev) && prev.t < xPrev.t;
      const bool bump = (OverlapW(r, upper) - OverlapH(r, upper) > margin && me.b > r.b) ||
                        (Overlaps(sweptNow, xPrev) && prev.t > xPrev.t && !Overlaps(prev, xPrev));
      if (fromAbove) {
        land(x, true);
      } else if (bump) {
        if (x->m_dSpeedY > 0) q.LRUD[2] = 1;
        const bool was = top.set;
        top.Larger(r.b + 1, x);
        if (!was || top.by == x) topSpeedY = x->m_dSpeedY;
        if (q.m_bRiding && q.m_dSpeedY < 0) q.LRUD[3] = 1;
      } else {
        sideLines(x, r, upper.b, q.m_dSpeedX >= 0, false);
      }
    } else if (OverlapW(r, me) < OverlapH(r, me)) {
      sideLines(x, r, me.b, true, true);
    } else if (Overlaps(r, feet)) {
      land(x, false);
    }
  }

  bool landed = false;
  if (left.set && right.set && !top.set && !bottom.set) {
    // Squeezed sideways with nothing above or below: it drops, never crushed.
    PushBelowUpperHalf(*this, q, upper);
    q.LRUD[0] = q.LRUD[1] = 0;
  } else {
    bool sideStep = true;
    if (bottom.set && !(left.set && right.set)) {
      const bool blocked = ride && ride->m_dSpeedY > 0 && CornersSolidAt(*this, q, bottom.value);
      if (blocked) {
        q.m_bRiding = 0;
      } else {
        q.m_dMoveY = 0;
        if (!q.m_bRiding && ride) {
          q.m_bRiding = 1;
          if (q.m_nKind == 0) ride->RunTriggeredFlows(kTrigRiddenByPlayer);
          ride->RunTriggeredFlows(kTrigRidden);
        }
        q.m_dY = bottom.value;
        q.LimitY();
        q.m_dSpeedY = 0;
        q.m_nAirSteps = 0;
        q.m_bFalling = q.m_bRising = q.m_bJumped = q.m_bImpact = 0;
        if (cPlayer* p = dynamic_cast<cPlayer*>(&q)) p->m_bJumpBlocked = 0;
        else q.m_bCeiling = 0;
        landed = true;
      }
    }
    if (top.set && !bottom.set) {
      bool free = true;
      if (topSpeedY < 0) {
        const double saved = q.m_dY;
        q.m_dY = top.value;
        q.LimitY();
        free = !q.HitsBlockCorners() && !TouchesBlockChara(q, top.by ? top.by->m_nId : 0);
        q.m_dY = saved;
        q.LimitY();
      }
      if (free) {
        q.m_dY = top.value;
        SetFalling(q);
        q.m_dMoveY = 0;
        q.m_dSpeedY = topSpeedY;
        q.LimitY();
        if (CollideY(q) == 2) return 2;
      }
    }
    if (sideStep) {
      auto pushed = [&](const cStageChara* by) {
        if (!(q.m_bRiding && by && by->m_nId == q.m_nRiddenId)) q.m_bPushed = 1;
      };
      if (left.set) {
        q.m_dMoveX = 0;
        pushed(left.by);
        q.m_dX = left.value;
        q.LimitX();
      }
      if (right.set) {
        q.m_dMoveX = 0;
        pushed(right.by);
        q.m_dX = right.value;
        q.LimitX();
      }
      if (left.set && right.set && !bottom.set) {
        q.m_dX = before[0];
        q.LimitX();
        PushBelowUpperHalf(*this, q, upper);
      }
    }
  }

  if (touching || q.m_bRiding) q.RunTriggeredFlows(kTrigBlockChara);
  if (q.m_bRiding) q.RunTriggeredFlows(kTrigRidesBlockChara);

  if ((q.LRUD[0] && q.LRUD[1]) || (q.LRUD[2] && q.LRUD[3]) || IsSqueezed(q, before)) return 2;

  // Backing out of a wall it was pushed into, by at most 1.5 dots.
  static constexpr double kBack[4][2] = {{-kBackStep, 0}, {kBackStep, 0}, {0, -kBackStep}, {0, kBackStep}};
  for (int side = 0; side < 4; ++side) {
    if (!q.LRUD[side]) continue;
    for (int i = 0; i < kBackSteps && q.HitsBlockCorners(); ++i) {
      q.m_dX += kBack[side][0];
      q.m_dY += kBack[side][1];
      if (side < 2) q.LimitX();
      else q.LimitY();
    }
  }

  if (q.m_bRiding && !landed) {
    cStageChara* under = nullptr;
    if (q.m_dImpactY >= 0) {
      if (IsOnRiddenChara(q)) {
        for (cStageChara* x : m_BlockCharas)
          if (x->m_nId == q.m_nRiddenId) under = x;
      } else {
        under = FindCharaBelow(q);
      }
    }
    if (!under) {
      q.ResetVerticalState(1);
    } else {
      q.m_nAirSteps = 0;
      q.m_bImpact = 0;
      q.m_nRiddenId = under->m_nId;
      q.m_RiddenRect[0] = under->m_dX, q.m_RiddenRect[1] = under->m_dY, q.m_RiddenRect[2] = under->m_dRight,
      q.m_RiddenRect[3] = under->m_dBottom;
    }
  }
  return 0;
}
