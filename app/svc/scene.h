#pragma once
#include <functional>
#include <string>
#include <vector>

// Base class of the six scenes. A scene runs a table of phase callbacks: entry 0
// is the fade-in, the last entry the fade-out. Its phase is -1 until the first Run
// (and again when the scene wants its Init to run once more).
class cScene {
 public:
  using Phase = int (*)(cScene* scene);

  cScene() = default;
  virtual ~cScene() = default;
  cScene(const cScene&) = delete;
  cScene& operator=(const cScene&) = delete;

  // Called once per frame while the scene's mode is current; the result is not used.
  virtual int Run() { return 0; }
  virtual void Init() {}
  virtual int FadeIn() { return 0; }
  virtual int FadeOut() { return 0; }

  // The shared first and last entries of every phase table.
  static int FadeInPhase(cScene* scene) { return scene->FadeIn(); }
  static int FadeOutPhase(cScene* scene) { return scene->FadeOut(); }

  int m_nPhase = -1;
  int m_nPhaseStep = 0;
  std::vector<Phase> m_PhaseTable;

 protected:
  // The common part of Run: Init when the phase is -1 (a text thrown by Init is
  // reported and closes the game), then the current phase's callback.
  int RunPhases();
};

// Runs f; a text thrown by it (a string, or a standard exception's message) is
// stored in text and the result is false. Other exceptions pass through.
bool CatchText(const std::function<void()>& f, std::string& text);
