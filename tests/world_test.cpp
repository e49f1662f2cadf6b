// The world: wrapping, motion, drawing relative to the camera, contact, damage, the pools
// and the two passes over them.

#include "display/background.h"
#include "fixtures.h"
#include "platform/digits.h"
#include "platform/startup.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <cmath>
#include <random>
#include <vector>

namespace {

// A kind that writes down what happens to its records.
std::vector<const Entity*> updated;
std::vector<const Entity*> drawn;
std::vector<int> activeWhenKilled;
bool reviveOnKill = false;
void (*duringUpdate)(Entity*) = nullptr;

void recordKill(Entity* entity)
{
    activeWhenKilled.push_back(entity->active);
    if (reviveOnKill) {
        entity->active = 1;
        entity->health = 77;
    }
}
void recordUpdate(Entity* entity, double)
{
    updated.push_back(entity);
    if (duringUpdate)
        duringUpdate(entity);
}
void recordDraw(Entity* entity)
{
    drawn.push_back(entity);
}

const EntityType recorded = {recordKill, recordUpdate, recordDraw};
const EntityType neverUpdated = {recordKill, nullptr, recordDraw};
const EntityType neverDrawn = {recordKill, recordUpdate, nullptr};

Entity make(double x, double y, int width = 32)
{
    Entity entity{};
    entity.type = &recorded;
    entity.active = 1;
    entity.x = x;
    entity.y = y;
    entity.width = width;
    entity.height = width;
    return entity;
}

class World : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        numbersImage = solidSurface(170, 32, {255, 255, 0});
        poolsClear();
        PlayerShip = make(0, 0);
        updated.clear();
        drawn.clear();
        activeWhenKilled.clear();
        reviveOnKill = false;
        duringUpdate = nullptr;
    }
};

}  // namespace

TEST(Wrapping, BringsValuesIntoTheHalfOpenRange)
{
    EXPECT_EQ(worldWrap(4096, 0, 4096), 0);
    EXPECT_EQ(worldWrap(-0.5, 0, 4096), 4096 - 0.5);
    EXPECT_EQ(worldWrap(2048, -2048, 2048), -2048);
    EXPECT_EQ(worldWrap(3 * 4096 + 1, 0, 4096), 1);
    EXPECT_EQ(worldWrap(0, 0, 4096), 0);
}

TEST(Wrapping, AStalledClockNeverLeavesAValueOutsideOrHangs)
{
    EXPECT_EQ(worldWrap(1e12 + 5, 0, 4096), std::fmod(1e12 + 5, 4096));
    const double far = worldWrap(-1e15, 0, 360);
    EXPECT_GE(far, 0);
    EXPECT_LT(far, 360);
    EXPECT_EQ(worldWrap(INFINITY, 0, 360), 0);
    EXPECT_EQ(worldWrap(NAN, -180, 180), -180);
}

TEST(Wrapping, EveryHeadingPicksARotationFrameThatExists)
{
    EXPECT_EQ(rotationFrame(0), 0);
    EXPECT_EQ(rotationFrame(5.6), 0);
    EXPECT_EQ(rotationFrame(5.625), 1);
    EXPECT_EQ(rotationFrame(90), 16);
    EXPECT_EQ(rotationFrame(180), 32);
    EXPECT_EQ(rotationFrame(359.9), 63);
    EXPECT_EQ(rotationFrame(360), 0);
    // A long turning frame can leave a heading outside 0..360.
    EXPECT_EQ(rotationFrame(361), 0);
    EXPECT_EQ(rotationFrame(-5.625), 63);
    EXPECT_EQ(rotationFrame(-1), 0);  // truncation toward zero first, as for any heading
    EXPECT_EQ(rotationFrame(-300), 11);
    EXPECT_EQ(rotationFrame(1e300), 0);
    EXPECT_EQ(rotationFrame(NAN), 0);
}

TEST(Motion, MovesAlongTheHeadingWithNinetyUpTheScreen)
{
    Entity entity = make(1000, 1000);
    entity.speed = 100;
    entityMove(&entity, 0.5);
    EXPECT_DOUBLE_EQ(entity.x, 1050);
    EXPECT_DOUBLE_EQ(entity.y, 1000);
    entity.heading = 90;
    entityMove(&entity, 0.5);
    EXPECT_NEAR(entity.x, 1050, 1e-9);
    EXPECT_DOUBLE_EQ(entity.y, 950);
    entity.heading = 180;
    entityMove(&entity, 0.5);
    EXPECT_NEAR(entity.x, 1000, 1e-9);
}

TEST(Motion, CrossesTheSeamInBothDirections)
{
    Entity entity = make(4090, 7);
    entity.speed = 10;
    entityMove(&entity, 1);
    EXPECT_NEAR(entity.x, 4, 1e-9);
    entity.x = 5;
    entity.heading = 180;
    entityMove(&entity, 1);
    EXPECT_NEAR(entity.x, 4091, 1e-9);
    entity.heading = 270;  // down the screen, through the bottom edge
    entity.y = 4095;
    entityMove(&entity, 1);
    EXPECT_NEAR(entity.y, 9, 1e-9);
}

class Drawing : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        sprite = solidSurface(32, 32, {255, 0, 0});
        fillScreen({0, 0, 0});
    }
    void draw(double x, double y)
    {
        Entity entity = make(x, y);
        entity.sprite = sprite;
        entityDraw(&entity);
    }
    int redPixels()
    {
        int count = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                count += pixelAt(screenSurface, x, y) == Rgb{255, 0, 0};
        return count;
    }
    SDL_Surface* sprite = nullptr;
};

TEST_F(Drawing, TheCameraPointIsTheScreenCentre)
{
    cameraX = 2000;
    cameraY = 3000;
    draw(2000, 3000);
    EXPECT_EQ(pixelAt(screenSurface, 304, 224), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 335, 255), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 303, 224), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 336, 256), (Rgb{0, 0, 0}));
    EXPECT_EQ(redPixels(), 32 * 32);
}

TEST_F(Drawing, ThingsBeyondTheSeamAppearAtTheirTrueDistance)
{
    cameraX = 10;
    cameraY = 100;
    draw(4090, 100);  // 16 pixels left of the camera through the world's edge
    EXPECT_EQ(pixelAt(screenSurface, 288, 224), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 319, 224), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 320, 224), (Rgb{0, 0, 0}));
    EXPECT_EQ(redPixels(), 32 * 32);
}

TEST_F(Drawing, ASpriteCutByTheLeftEdgeVanishesWholeAndOneByTheRightIsClipped)
{
    cameraX = 1000;
    cameraY = 1000;
    draw(1000 - 320 + 15, 1000);  // corner one pixel left of the screen
    EXPECT_EQ(redPixels(), 0);
    draw(1000 + 320 - 31 + 16, 1000);  // one column past the right edge
    EXPECT_EQ(redPixels(), 31 * 32);
    EXPECT_EQ(pixelAt(screenSurface, 639, 240), (Rgb{255, 0, 0}));
}

TEST_F(Drawing, ASpriteOnePixelIntoTheBottomOrRightEdgeShowsThatPixelAndOneBeyondShowsNothing)
{
    cameraX = 1000;
    cameraY = 1000;
    draw(1000 + 319 + 16, 1000);  // corner on the last column
    EXPECT_EQ(redPixels(), 32);
    fillScreen({0, 0, 0});
    draw(1000 + 320 + 16, 1000);  // corner just past it
    EXPECT_EQ(redPixels(), 0);
    draw(1000, 1000 + 239 + 16);  // corner on the last row
    EXPECT_EQ(redPixels(), 32);
    fillScreen({0, 0, 0});
    draw(1000, 1000 + 240 + 16);
    EXPECT_EQ(redPixels(), 0);
    draw(1000 + 319 + 16, 1000 + 239 + 16);  // only the bottom-right pixel of the screen
    EXPECT_EQ(redPixels(), 1);
    EXPECT_EQ(pixelAt(screenSurface, 639, 479), (Rgb{255, 0, 0}));
}

TEST(Contact, UsesTheSumOfSquaredRadii)
{
    Entity a = make(100, 100);
    Entity b = make(122, 100);
    EXPECT_TRUE(entityCollides(&a, &b));
    b.x = 123;
    EXPECT_FALSE(entityCollides(&a, &b));
    b.x = 100;
    b.y = 100 - 16;  // 256 + 256 is not below 512: exactly on the threshold
    b.x = 100 + 16;
    EXPECT_FALSE(entityCollides(&a, &b));
    Entity odd = make(100, 100, 33);  // 16.5 pixels of radius
    b = make(100 + 23, 100, 32);      // 23^2 = 529 is not below 16.5^2 + 16^2 = 528.25
    EXPECT_FALSE(entityCollides(&odd, &b));
    b.x = 100 + 22.9;
    EXPECT_TRUE(entityCollides(&odd, &b));
}

TEST(Contact, ReachesAcrossTheSeamBothWays)
{
    Entity a = make(10, 500);
    Entity b = make(4090, 500);
    EXPECT_TRUE(entityCollides(&a, &b));
    EXPECT_TRUE(entityCollides(&b, &a));
    a = make(500, 4090);
    b = make(500, 10);
    EXPECT_TRUE(entityCollides(&a, &b));
    b = make(2548, 500);  // half a world apart
    a = make(500, 500);
    EXPECT_FALSE(entityCollides(&a, &b));
}

TEST_F(World, HitSearchIgnoresFreeSlotsAndPicksTheLowestLiveOne)
{
    Entity shot = make(1000, 1000, 6);
    EnemyPool[0] = make(1000, 1000);
    EnemyPool[0].active = 0;  // stale position right on the shot
    EnemyPool[7] = make(1005, 1000);
    EnemyPool[3] = make(995, 1000);
    EXPECT_EQ(enemyFindHit(&shot), &EnemyPool[3]);
    EnemyPool[3].active = 0;
    EXPECT_EQ(enemyFindHit(&shot), &EnemyPool[7]);
    EnemyPool[7].x = 1100;
    EXPECT_EQ(enemyFindHit(&shot), nullptr);
}

// Shots among crowds of enemies of every size, many of them right at the contact distance,
// near the seams, far out of the world or freed: the search picks exactly the enemy that
// testing each slot in turn with entityCollides picks.
TEST_F(World, TheHitSearchFindsTheSameEnemyAsTestingEverySlotInTurn)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    const int widths[] = {6, 16, 32, 33};
    const double oddPlaces[] = {1e9, -1e9, 4096 * 70.5, NAN, INFINITY};
    int hits = 0;
    for (int round = 0; round < 400; round++) {
        Entity shot = make(unit(random) < 0.5 ? unit(random) * 4096 : unit(random) * 8 + 4090 * (round % 2),
                           unit(random) < 0.5 ? unit(random) * 4096 : unit(random) * 8 + 4090 * (round % 3 == 0),
                           widths[round % 4]);
        for (Entity& enemy : EnemyPool) {
            const int width = widths[random() % 4];
            const double reach = std::sqrt(shot.width * shot.width / 4.0 + width * width / 4.0);
            // Now and then straight along an axis, where one offset alone decides.
            const double angle = random() % 8 == 0 ? (random() % 4) * PI / 2 : unit(random) * 2 * PI;
            const double distance =
                random() % 200 == 0 ? reach * (1 + (unit(random) - 0.5) * 1e-12) : reach * (1 + unit(random) * 40);
            enemy = make(worldWrap(shot.x + distance * std::cos(angle), 0, 4096),
                         worldWrap(shot.y + distance * std::sin(angle), 0, 4096), width);
            if (random() % 50 == 0)
                enemy.x = oddPlaces[random() % 5];
            enemy.active = random() % 4 != 0;
        }
        Entity* expected = nullptr;
        for (Entity& enemy : EnemyPool) {
            if (enemy.active && entityCollides(&shot, &enemy)) {
                expected = &enemy;
                break;
            }
        }
        ASSERT_EQ(enemyFindHit(&shot), expected) << "round " << round;
        hits += expected != nullptr;
    }
    EXPECT_GT(hits, 100);
    EXPECT_LT(hits, 400);
}

TEST_F(World, DamageClampsAtZeroAndKillsOnceWithTheRecordAlreadyFree)
{
    Entity entity = make(0, 0);
    entity.health = 100;
    entityDamage(&entity, 50);
    EXPECT_EQ(entity.health, 50);
    EXPECT_EQ(entity.active, 1);
    EXPECT_TRUE(activeWhenKilled.empty());
    entity.health = 10;
    entityDamage(&entity, 100);
    EXPECT_EQ(entity.health, 0);
    EXPECT_EQ(entity.active, 0);
    ASSERT_EQ(activeWhenKilled.size(), 1u);
    EXPECT_EQ(activeWhenKilled[0], 0);
}

TEST_F(World, AKillMayBringTheRecordBack)
{
    reviveOnKill = true;
    Entity entity = make(0, 0);
    entity.health = 30;
    entityDamage(&entity, 30);
    EXPECT_EQ(entity.active, 1);
    EXPECT_EQ(entity.health, 77);
}

TEST_F(World, AllocationReusesTheLowestFreeSlotWithFreshDefaults)
{
    for (int i = 0; i < 10; i++) {
        Entity* taken = shotAllocate(&recorded);
        ASSERT_EQ(taken, &ShotPool[i]);
        taken->x = 10.0 * i;
        taken->y = 5;
        taken->width = 6;
        taken->height = 7;
        taken->heading = 45;
        taken->speed = 600;
        taken->health = 3;
        taken->vars[0] = 0.9;
        taken->vars[9] = 2;
        taken->sprite = reinterpret_cast<SDL_Surface*>(&ShotPool[0]);
    }
    ShotPool[3].active = 0;
    Entity* reused = shotAllocate(&neverDrawn);
    ASSERT_EQ(reused, &ShotPool[3]);
    EXPECT_EQ(reused->type, &neverDrawn);
    EXPECT_EQ(reused->active, 1);
    EXPECT_EQ(reused->heading, 0.0);
    EXPECT_EQ(reused->speed, 100.0);
    EXPECT_EQ(reused->health, 100);
    EXPECT_EQ(reused->sprite, nullptr);
    for (double value : reused->vars)
        EXPECT_EQ(value, 0.0);
    // Where and how big it was is left for the spawn to set.
    EXPECT_EQ(reused->x, 30.0);
    EXPECT_EQ(reused->width, 6);
    EXPECT_EQ(shotAllocate(&recorded), &ShotPool[10]);
}

TEST_F(World, AFullPoolGivesNothingAndChangesNothing)
{
    for (int i = 0; i < SHRAPNEL_POOL_SIZE; i++)
        ASSERT_NE(shrapnelAllocate(&recorded), nullptr);
    for (Entity& piece : ShrapnelPool)
        piece.heading = 12;
    EXPECT_EQ(shrapnelAllocate(&neverDrawn), nullptr);
    for (Entity& piece : ShrapnelPool) {
        EXPECT_EQ(piece.type, &recorded);
        EXPECT_EQ(piece.heading, 12);
    }
    for (int i = 0; i < ENEMY_POOL_SIZE; i++)
        ASSERT_NE(enemyAllocate(&recorded), nullptr);
    EXPECT_EQ(enemyAllocate(&recorded), nullptr);
}

TEST_F(World, ClearingFreesEveryPoolButLeavesTheShipAlone)
{
    enemyAllocate(&recorded);
    shotAllocate(&recorded);
    shrapnelAllocate(&recorded);
    enemyCount = 42;
    PlayerShip = make(123, 456);
    poolsClear();
    EXPECT_EQ(enemyCount, 0);
    EXPECT_EQ(enemyAllocate(&recorded), &EnemyPool[0]);
    EXPECT_EQ(shotAllocate(&recorded), &ShotPool[0]);
    EXPECT_EQ(shrapnelAllocate(&recorded), &ShrapnelPool[0]);
    EXPECT_EQ(PlayerShip.active, 1);
    EXPECT_EQ(PlayerShip.x, 123);
    EXPECT_TRUE(activeWhenKilled.empty());
}

TEST_F(World, PassesVisitEnemiesThenShotsThenDebrisThenTheShip)
{
    EnemyPool[499] = make(0, 0);
    EnemyPool[2] = make(0, 0);
    ShotPool[1] = make(0, 0);
    ShrapnelPool[0] = make(0, 0);
    worldUpdate(0.02);
    const std::vector<const Entity*> order = {&EnemyPool[2], &EnemyPool[499], &ShotPool[1], &ShrapnelPool[0],
                                              &PlayerShip};
    EXPECT_EQ(updated, order);
}

TEST_F(World, PassesSkipWhatIsFreedAndTakeWhatIsMadeAheadOfThem)
{
    EnemyPool[5] = make(0, 0);
    EnemyPool[9] = make(0, 0);
    // The first enemy frees the second and throws a fragment.
    duringUpdate = [](Entity* entity) {
        if (entity == &EnemyPool[5]) {
            EnemyPool[9].active = 0;
            shrapnelAllocate(&recorded);
        }
    };
    worldUpdate(0.02);
    const std::vector<const Entity*> order = {&EnemyPool[5], &ShrapnelPool[0], &PlayerShip};
    EXPECT_EQ(updated, order);
}

TEST_F(World, ShotsFiredByTheShipMoveFirstInTheNextFrame)
{
    duringUpdate = [](Entity* entity) {
        if (entity == &PlayerShip)
            shotAllocate(&recorded);
    };
    worldUpdate(0.02);
    EXPECT_EQ(updated, std::vector<const Entity*>{&PlayerShip});
    duringUpdate = nullptr;
    updated.clear();
    worldUpdate(0.02);
    const std::vector<const Entity*> order = {&ShotPool[0], &PlayerShip};
    EXPECT_EQ(updated, order);
}

TEST_F(World, KindsWithoutAnUpdateOrDrawAreSkippedByThatPass)
{
    EnemyPool[0] = make(0, 0);
    EnemyPool[0].type = &neverUpdated;
    EnemyPool[1] = make(0, 0);
    EnemyPool[1].type = &neverDrawn;
    worldUpdate(0.5);
    EXPECT_EQ(updated, (std::vector<const Entity*>{&EnemyPool[1], &PlayerShip}));
    worldDraw();
    EXPECT_EQ(drawn, (std::vector<const Entity*>{&EnemyPool[0], &PlayerShip}));
}
