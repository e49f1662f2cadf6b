// The keys the title screen names, as the actions are bound now: the keys of play in the
// intro's box, and on the ready strip the keys that start a game, quit and open the controls.
// The generator draws the title without them; a player who binds fire to F reads F there.
#pragma once

#include <SDL.h>

#include <string>

// How the title names a key: SDL's name with each word capitalised ("Space", "Right Ctrl",
// "M"), Escape as "Esc".
std::string titleKeyName(int key);

// Whether the bindings have changed since the keys were last written.
bool titleKeysStale();

// Writes the keys over a copy of the intro with the ready strip over its lowest rows, and
// remembers the bindings it wrote.
void titleKeysWrite(SDL_Surface* title);
