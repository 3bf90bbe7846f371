// What a firing allocates, counted in a program of its own that replaces the
// global allocation functions: a shot keeps a compact copy of its definition, so
// a firing of 127 shots with 20 clones each allocates only the shots' places in
// the stage's lists, whatever the definition holds.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {
std::atomic<long> gAllocations{0};

void* Allocate(std::size_t n) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

class FiringAllocations : public PlayField {
 protected:
  void TearDown() override {
    m_Scene->m_Shots.clear();
    for (auto& g : m_Scene->m_ShotGroups) g.clear();
    PlayField::TearDown();
  }
};

}  // namespace

TEST_F(FiringAllocations, AFiringAllocatesOnlyItsShotsPlacesInTheLists) {
  cStageChara& firer = StageChara.emplace_back();
  firer.m_nKind = 1;
  firer.m_nId = 2;
  firer.m_Def.nPassValue = 1;
  Place(firer, 600, 600);
  firer.m_nDrawWidth = firer.m_nDrawHeight = 32;
  cEdShot def;
  def.nFormation = 4;
  def.nCount = 127;
  def.nClonesPerShot = 20;
  def.nSpeed = 20;
  def.nSpeedClone = 3;
  def.nMoveType = 8;  // a wave: the shot's own movement state, no heap
  def.nMoveParam[0] = def.nMoveParam[1] = 4;
  def.bLifetime = 1;
  def.nLifetime = 30;
  cEdCommand command;
  command.nType = 11;
  cCommandRun run;
  run.pCommand = &command;
  const long before = gAllocations.load();
  FireShots(&m_Scene->m_Shots, firer, &run, def);
  const long made = gAllocations.load() - before;
  ASSERT_EQ(m_Scene->m_Shots.size(), 127u * 21u);
  // One place in the shot list and one in its force's list (a list too: a hit's
  // flows may fire into the list that the contact pass is walking).
  EXPECT_EQ(made, 2 * 127 * 21);
}
