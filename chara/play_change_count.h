#pragma once

#include <cstdint>

// Counts the calls that may move play objects, resize their boxes or add them to
// the force lists: every command a flow runs and every item taken. A pass that
// holds an index over the boxes (the contact pass) compares the count before and
// after the calls it makes and rebuilds its index when it moved.
uint64_t PlayChangeCount();
void NotePlayChange();
