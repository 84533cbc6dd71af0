// What a process has left of the system's objects and memory. Where the platform's own
// counters answer 0 (GetGuiResources and PrivateUsage under Wine), the room is counted
// instead: objects are made until the system refuses, then all freed again.
#pragma once

#include <windows.h>

#include <cstddef>

struct ResourceRoom {
    // GDI objects that can still be made.
    long gdi = 0;
    // USER objects (menus, windows) that can still be made.
    long user = 0;
    // Committed private memory of the process, in bytes.
    size_t committed = 0;
};

// Counts the room now. Takes a noticeable fraction of a second; makes and frees tens of
// thousands of objects, so other threads may briefly be refused one.
ResourceRoom MeasureRoom();
// Committed private memory of the process, in bytes, summed over its address space.
size_t CommittedBytes();
