// Counting the heap allocations the game thread makes while a frame runs. The test program
// replaces the global allocation functions; SDL's audio thread mixes meanwhile and is not
// counted. A sanitizer build keeps the sanitizer's own allocator, so nothing is counted there.
#pragma once

// False in a sanitizer build, where the count always stays 0.
bool allocationCountingAvailable();

// Starts or stops counting on the calling thread.
void allocationCounting(bool on);

// Allocations counted so far, on every thread that had counting on.
long allocationCount();
