// Counting the heap blocks the game asks for while a frame runs: every malloc, calloc,
// realloc, aligned allocation and C++ new of the game thread, whether the game's own code,
// SDL or the C library makes it. The mixer's thread is never counted. Linked into the
// benchmark and the long-play tests, never into the game.
#pragma once

// False in a sanitizer build, whose runtime owns malloc: nothing is counted there.
bool heapCountAvailable();

// Counting runs on the calling thread only, between the start and the stop.
void heapCountStart();
void heapCountStop();

// Blocks allocated on this thread while counting was on, since the program started.
long heapCountTotal();
