#include "world/digest.h"

#include "world/motion.h"
#include "world/numbers.h"
#include "world/pools.h"

#include <cmath>
#include <cstdio>

void worldDigest(char* text, std::size_t size, int lives, const EntityType* const (&kinds)[DIGEST_KINDS])
{
    Uint32 sum = 2166136261u;  // FNV-1a over what a player could see of each entity
    const auto add = [&](const Entity& e) {
        if (!e.active)
            return;
        long kind = DIGEST_KINDS + 1;
        for (int k = 0; k < DIGEST_KINDS; k++)
            if (e.type == kinds[k])
                kind = k + 1;
        const long seen[] = {kind, std::lround(std::floor(e.x)), std::lround(std::floor(e.y)), rotationFrame(e.heading),
                             e.health};
        for (long value : seen)
            sum = (sum ^ static_cast<Uint32>(value)) * 16777619u;
    };
    for (const Entity& e : EnemyPool)
        add(e);
    for (const Entity& e : ShotPool)
        add(e);
    for (const Entity& e : ShrapnelPool)
        add(e);
    snprintf(text, size, "lives %d enemies %d ship %.0f,%.0f frame %d energy %d world %x", lives, enemyCount,
             std::floor(PlayerShip.x), std::floor(PlayerShip.y), rotationFrame(PlayerShip.heading), PlayerShip.health,
             sum);
}
