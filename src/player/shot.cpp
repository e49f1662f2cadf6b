#include "player/shot.h"

#include "platform/sound.h"
#include "world/assets.h"
#include "world/motion.h"

Entity* shotAdvance(Entity* shot, double seconds)
{
    double& age = shot->vars[SHOT_AGE];
    age += seconds;
    if (age > SHOT_LIFETIME) {
        shot->active = false;  // quietly: no kill, no sound, no last move
        return nullptr;
    }
    entityMove(shot, seconds);
    // Only where the shot is now counts, not the path it covered this frame.
    Entity* enemy = enemyFindHit(shot);
    if (enemy) {
        shot->active = false;
        soundPlay(SOUND_EXPLODE);
    }
    return enemy;
}
