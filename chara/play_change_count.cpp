#include "chara/play_change_count.h"

#include <atomic>

namespace {

// Held play may run commands on its own thread while the game thread waits.
std::atomic<uint64_t> gChanges{0};

}  // namespace

uint64_t PlayChangeCount() { return gChanges.load(std::memory_order_relaxed); }

void NotePlayChange() { gChanges.fetch_add(1, std::memory_order_relaxed); }
