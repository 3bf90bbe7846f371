#include "app/svc/anime_player.h"

namespace {
const ANIMESTEP kNoStep{};
}

void cAnimePlayer::Create(const ANIMETABLESTEP* const* tables) {
  m_Sequences.clear();
  if (!tables) return;
  for (const ANIMETABLESTEP* const* t = tables; *t; ++t) {
    cVector<ANIMESTEP> steps;
    const ANIMETABLESTEP* s = *t;
    for (;; ++s) {
      steps.push_back(ANIMESTEP{s->nValue, s->nFrames, s->bNoInterrupt});
      if (s->nValue < 0) break;
    }
    m_Sequences.push_back(std::move(steps));
  }
}

const ANIMESTEP& cAnimePlayer::CurrentStep() const {
  if (m_Sequences.empty()) return kNoStep;
  const cVector<ANIMESTEP>& seq = m_Sequences.At(m_nSequence);
  if (seq.empty()) return kNoStep;
  return seq.At(m_nStep);
}

int cAnimePlayer::Set(int n, int force) {
  if (!force && CurrentStep().bNoInterrupt) return 0;
  m_nStep = 0;
  m_nSequence = n;
  m_nTimer = 0;
  return 1;
}

int cAnimePlayer::Change(int n, int force) {
  if (n == m_nSequence) return 1;
  return Set(n, force);
}

int cAnimePlayer::Update() {
  if (m_Sequences.empty()) return 0;
  ++m_nTimer;
  if (m_nTimer >= CurrentStep().nFrames) {
    m_nTimer = 0;
    // A caller that goes on past an end step stays on it instead of leaving the sequence.
    const int count = m_Sequences.At(m_nSequence).Count();
    if (m_nStep + 1 < count) ++m_nStep;
    const ANIMESTEP& next = CurrentStep();
    if (next.nValue == kAnimeJump) {
      m_nSequence = next.nFrames;  // forced: the no-interrupt flag does not hold a jump
      m_nStep = 0;
    } else if (next.nValue == kAnimeLoop) {
      m_nStep = 0;
    } else if (next.nValue == kAnimeHold) {
      if (m_nStep > 0) --m_nStep;
    }
  }
  return CurrentStep().nValue;
}

int cAnimePlayer::GetValue() const {
  if (m_Sequences.empty()) return 0;
  return CurrentStep().nValue;
}

void cAnimePlayer::Clear() {
  m_Sequences.clear();
  m_nSequence = 0;
  m_nStep = 0;
  m_nTimer = 0;
}
