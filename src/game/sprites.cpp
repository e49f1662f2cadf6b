#include "game/sprites.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"

bool spritesLoaded = false;

int spritesLoadAll()
{
    // Set first, so the title screen never shows the loading picture twice.
    spritesLoaded = true;
    if (shipLoad() < 0 || enemyLoad() < 0 || bulletLoad() < 0 || missileLoad() < 0 || shrapnelLoad() < 0)
        return -1;
    return 0;
}
