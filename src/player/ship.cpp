#include "player/ship.h"

#include "platform/sound.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "world/assets.h"
#include "world/controls.h"
#include "world/maths.h"
#include "world/motion.h"
#include "world/pools.h"

int lives = START_LIVES;
SpriteFrames shipFrames{};
SDL_Surface* smallShipIcon = nullptr;

const EntityType shipType = {shipKill, shipUpdate, shipDraw};

namespace {

double radians(double degrees)
{
    return degrees / 180 * PI;
}

void steer(Entity* ship, double dt)
{
    const bool left = controls.holds(Action::Left), right = controls.holds(Action::Right);
    const bool thrust = controls.holds(Action::Thrust), brake = controls.holds(Action::Brake);
    if (left && !right) {
        ship->heading += SHIP_TURN_RATE * dt;
        if (ship->heading > 360)
            ship->heading -= 360;
    }
    if (right && !left) {
        ship->heading -= SHIP_TURN_RATE * dt;
        if (ship->heading < 0)
            ship->heading += 360;
    }
    if (thrust && !brake) {
        ship->speed += SHIP_ACCELERATION * dt;
        if (ship->speed > SHIP_MAX_SPEED)
            ship->speed = SHIP_MAX_SPEED;
    }
    if (brake && !thrust) {
        ship->speed -= SHIP_ACCELERATION * dt;
        if (ship->speed < 0)
            ship->speed = 0;
    }
}

// A cooldown only gathers time while it is short of its interval, and the frame in which
// it gets there does not fire: shots leave a whole number of frames apart.
void fire(Entity* ship, double dt)
{
    if (carried.bulletCooldown < BULLET_INTERVAL) {
        carried.bulletCooldown += dt;
    } else if (controls.holds(Action::Fire)) {
        carried.bulletCooldown = 0;
        const double h = radians(ship->heading);
        bulletSpawn(ship->x + GUN_OFFSET * mathsCos(h), ship->y - GUN_OFFSET * mathsSin(h), ship->heading, SHOT_SPEED);
        soundPlay(SOUND_SHOOT);
    }

    if (carried.missileCooldown < MISSILE_INTERVAL) {
        carried.missileCooldown += dt;
    } else if (controls.holds(Action::Missiles)) {
        carried.missileCooldown = 0;
        const double r = radians(ship->heading - 90);
        missileSpawn(ship->x + LAUNCHER_OFFSET * mathsCos(r), ship->y - LAUNCHER_OFFSET * mathsSin(r), ship->heading,
                     SHOT_SPEED);
        const double l = radians(ship->heading + 90);
        missileSpawn(ship->x + LAUNCHER_OFFSET * mathsCos(l), ship->y - LAUNCHER_OFFSET * mathsSin(l), ship->heading,
                     SHOT_SPEED);
        soundPlay(SOUND_MISSILE);
    }
}

}  // namespace

void shipUpdate(Entity* entity, double seconds)
{
    steer(entity, seconds);
    fire(entity, seconds);
    entityMove(entity, seconds);

    cameraX = entity->x;
    cameraY = entity->y;
    while (cameraY < 0)
        cameraY += worldHeight;
    while (cameraX < 0)
        cameraX += worldWidth;
}

void shipDraw(Entity* entity)
{
    entity->sprite = shipFrames[rotationFrame(entity->heading)];
    entityDraw(entity);
}

void shipKill(Entity*)
{
    shipReset();
    lives -= 1;
}

void shipReset()
{
    PlayerShip.x = 0;
    PlayerShip.y = 0;
    if (shipFrames[0]) {
        PlayerShip.width = shipFrames[0]->w;
        PlayerShip.height = shipFrames[0]->h;
    }
    PlayerShip.heading = SHIP_START_HEADING;
    PlayerShip.speed = SHIP_START_SPEED;
    PlayerShip.health = SHIP_HEALTH;
    PlayerShip.active = true;
    PlayerShip.type = &shipType;
}

void shipNewGame()
{
    lives = START_LIVES;
    shipReset();
}

int shipIsGameOver()
{
    return lives < 0;
}

int shipLoad()
{
    smallShipIcon = pictureLoad(pictureFile(Picture::SmallShip));
    if (!smallShipIcon)
        return -1;
    return spriteFramesLoad(pictureFile(Picture::ShipFrames), shipFrames);
}
