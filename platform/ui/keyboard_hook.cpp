// The window thread's keyboard hooks and the input method's composition.
#include <algorithm>
#include <cstring>

#include "platform/ui/ui_state.h"

namespace plat {
namespace ui {
namespace {

struct Hook {
  HHOOK id = 0;
  HOOKPROC proc = nullptr;
};

// The newest hook first, as it is called first.
std::vector<Hook>& Hooks() {
  static auto* hooks = new std::vector<Hook>;
  return *hooks;
}

HHOOK gNextHook = 1;

}  // namespace

bool RunKeyboardHooks(int vk, uint32_t keyData) {
  if (Hooks().empty()) return false;
  const Hook first = Hooks().front();
  return first.proc(HC_ACTION, static_cast<WPARAM>(vk), static_cast<LPARAM>(keyData)) != 0;
}

}  // namespace ui

using namespace ui;

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, ThreadId thread) {
  // Only the window thread's own keyboard hook exists here.
  if (kind != WH_KEYBOARD || !proc || thread != CurrentThreadId()) return 0;
  const HHOOK id = gNextHook++;
  Hooks().insert(Hooks().begin(), Hook{id, proc});
  return id;
}

bool UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Hooks();
  auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const Hook& h) { return h.id == hook; });
  if (it == hooks.end()) return false;
  hooks.erase(it);
  return true;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  const auto& hooks = Hooks();
  auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const Hook& h) { return h.id == hook; });
  if (it == hooks.end() || ++it == hooks.end()) return 0;
  const Hook next = *it;
  return next.proc(code, wParam, lParam);
}

HIMC ImmGetContext(HWND window) {
  Window* d = DialogOf(window);
  return d ? static_cast<HIMC>(d->hwnd) : 0;
}

bool ImmReleaseContext(HWND, HIMC context) { return context != 0; }

long ImmGetCompositionString(HIMC context, unsigned index, void* buffer, unsigned size) {
  Window* d = FindDialog(static_cast<HWND>(context));
  if (!d || index != GCS_COMPSTR) return 0;
  Window* f = FindControl(d->focus);
  if (!f || f->itemClass != ItemClass::kEdit) return 0;
  const std::string& text = f->edit.composition;
  if (buffer && size > 0) std::memcpy(buffer, text.data(), std::min<size_t>(size, text.size()));
  return static_cast<long>(text.size());
}

}  // namespace plat
