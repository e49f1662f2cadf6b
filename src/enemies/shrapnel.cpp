#include "enemies/shrapnel.h"

#include "world/assets.h"
#include "world/dice.h"
#include "world/motion.h"
#include "world/pools.h"

SpriteFrames shrapnelFrames{};
const EntityType shrapnelType = {shrapnelKill, shrapnelUpdate, shrapnelDraw};

int shrapnelSpawn(double x, double y, double heading, double speed)
{
    Entity* piece = shrapnelAllocate(&shrapnelType);
    if (!piece)
        return -1;
    entityPlace(piece, x, y, heading, speed, shrapnelFrames[0]);
    // Each piece starts somewhere else in the tumble.
    piece->vars[SHRAPNEL_ANIM_FRAME] = diceBelow(SHRAPNEL_FRAME_COUNT);
    return 0;
}

void shrapnelUpdate(Entity* piece, double seconds)
{
    piece->vars[SHRAPNEL_AGE] += seconds;
    if (piece->vars[SHRAPNEL_AGE] > SHRAPNEL_LIFETIME)
        piece->active = false;
    else
        entityMove(piece, seconds);
    // One picture per update, whatever the frame's length.
    piece->vars[SHRAPNEL_ANIM_FRAME] = worldWrap(piece->vars[SHRAPNEL_ANIM_FRAME] + 1, 0, SHRAPNEL_FRAME_COUNT);
}

void shrapnelDraw(Entity* piece)
{
    piece->sprite = shrapnelFrames[static_cast<int>(piece->vars[SHRAPNEL_ANIM_FRAME]) % SHRAPNEL_FRAME_COUNT];
    entityDraw(piece);
}

void shrapnelKill(Entity*) { }

int shrapnelLoad()
{
    return spriteFramesLoad(pictureFile(Picture::ShrapnelFrames), shrapnelFrames);
}
