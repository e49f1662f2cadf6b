// Every sprite set of the kinds, loaded once: by the first title screen under its loading
// picture, or before a demo is played on request.
#pragma once

extern bool spritesLoaded;  // true from the moment the sprites begin to load

// Loads the ship, enemy, bullet, missile and shrapnel pictures, in that order; -1 at the
// first loader that fails.
int spritesLoadAll();
