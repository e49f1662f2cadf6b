// What a player sees of the world, for telling whether two runs of one game went the same
// way: the lives left, the living enemies, the ship's place, picture and energy, and a checksum
// of every live entity's kind, pixel, rotation frame and health.
#pragma once

#include "world/entity.h"

#include <cstddef>

constexpr int DIGEST_KINDS = 3;

// The world knows no kind: the caller gives the lives and names three kinds, which count as
// 1, 2 and 3 in the checksum; any other kind counts as 4. The same world always reads the same.
void worldDigest(char* text, std::size_t size, int lives, const EntityType* const (&kinds)[DIGEST_KINDS]);
