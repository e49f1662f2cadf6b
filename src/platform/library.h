// Which SDL the game runs on: the classic SDL 1.2.15, sdl12-compat (the 1.2 interface over
// SDL 2, whose own calls tell what SDL 1.2 cannot), or the browser's. Asked of the library
// itself, before it starts too.
#pragma once

// Whether it is the classic library, which has one way to show a frame, never waits for the
// display, scales no window and cannot tell that a pad went, rather than sdl12-compat (which
// reports itself as 1.2.50 or later) or a browser's.
bool libraryClassic();

// A function of the SDL 2 underneath sdl12-compat, by name, looked up in the library already
// loaded; none on the classic library, in a browser, or when SDL 2 lacks it.
void* librarySdl2(const char* name);
