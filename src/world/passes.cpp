#include "world/passes.h"

#include "platform/digits.h"
#include "world/pools.h"

namespace {

// active and type are read when the pass reaches the record, never in advance: an enemy
// shot down earlier in the pass is skipped, debris thrown earlier is already moved.
void updateOne(Entity* entity, double seconds)
{
    if (entity->active && entity->type->update)
        entity->type->update(entity, seconds);
}

void drawOne(Entity* entity)
{
    if (entity->active && entity->type->draw)
        entity->type->draw(entity);
}

template <typename Visit> void visitAll(Visit visit)
{
    for (Entity& enemy : EnemyPool)
        visit(&enemy);
    for (Entity& shot : ShotPool)
        visit(&shot);
    for (Entity& piece : ShrapnelPool)
        visit(&piece);
    visit(&PlayerShip);
}

}  // namespace

void worldUpdate(double seconds)
{
    visitAll([seconds](Entity* entity) { updateOne(entity, seconds); });
}

void worldDraw()
{
    visitAll(drawOne);
    numberDraw(static_cast<int>(carried.framesPerSecond), 0, 0, 3);
    numberDraw(enemyCount, 0, DIGIT_HEIGHT, 3);
}
