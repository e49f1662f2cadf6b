// What the player sees around the ship: the scrolling background, the radar, the energy bar
// and the spare ships, all read back from the screen's pixels.

#include "display/background.h"
#include "display/status.h"
#include "fixtures.h"
#include "platform/screen.h"
#include "player/ship.h"
#include "world/pools.h"

#include <algorithm>

namespace {

// A picture whose every pixel says where it is, so the screen tells which pixel landed where.
SDL_Surface* coordinatePicture(int w, int h)
{
    SDL_Surface* picture = solidSurface(w, h, BLACK);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            static_cast<Uint32*>(picture->pixels)[y * picture->pitch / 4 + x] =
                SDL_MapRGB(picture->format, x % 256, y % 256, (x / 256) * 16 + y / 256);
    return picture;
}

class Display : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        smallShipIcon = solidSurface(16, 16, BLUE);
        poolsClear();
        PlayerShip = entityAt(100, 2000);
        fillScreen(BLACK);
    }
    static void enemyAt(int slot, double x, double y) { EnemyPool[slot] = entityAt(x, y); }
};

}  // namespace

TEST_F(Display, TheBackgroundFillsTheScreenFromTheCameraOffsetTilingAcrossItsEdges)
{
    // Screen pixel (sx, sy) shows picture pixel ((sx + ox) mod W, (sy + oy) mod H).
    const struct {
        int w, h, offsetX, offsetY;
    } cases[] = {{1024, 1024, 1000, 1000}, {640, 480, 0, 0}, {100, 100, 0, 0}, {100, 100, 4095, 37}};
    for (const auto& c : cases) {
        backgroundImage = coordinatePicture(c.w, c.h);
        fillScreen(MAGENTA);
        backgroundDraw(c.offsetX, c.offsetY);
        int wrong = 0;
        for (int sy = 0; sy < 480; sy += 3)
            for (int sx = 0; sx < 640; sx++) {
                const int px = (sx + c.offsetX) % c.w, py = (sy + c.offsetY) % c.h;
                wrong += !(pixelAt(screenSurface, sx, sy) == Rgb{px % 256, py % 256, (px / 256) * 16 + py / 256});
            }
        EXPECT_EQ(wrong, 0) << c.w << " x " << c.h << " from " << c.offsetX << "," << c.offsetY;
        SDL_FreeSurface(backgroundImage);
    }
}

TEST_F(Display, TheEnergyBarShowsAGreenPixelPerFivePointsRedAboveItAndAnIconStandsPerSpareLife)
{
    // health, green rows of the bar (health / 5, truncated), spare lives
    const int cases[][3] = {{500, 100, 3}, {499, 99, 2}, {9, 1, 2}, {4, 0, 1}, {0, 0, 0}, {250, 50, -1}};
    for (const auto& [health, green, spare] : cases) {
        fillScreen(BLACK);
        PlayerShip.health = health, lives = spare;
        statusDraw();
        const int icons = std::max(spare, 0);
        EXPECT_EQ(countColour(screenSurface, GREEN, {636, 380, 4, 100}), 4 * green) << health;
        EXPECT_EQ(countColour(screenSurface, RED, {636, 380, 4, 100}), 4 * (100 - green)) << health;
        EXPECT_EQ(pixelAt(screenSurface, 639, 479), green ? GREEN : RED) << health;  // green from the bottom
        const SDL_Rect iconColumn{0, static_cast<Sint16>(480 - 16 * icons), 16, static_cast<Uint16>(16 * icons)};
        EXPECT_EQ(countColour(screenSurface, BLUE, iconColumn), 256 * icons) << spare;
        EXPECT_EQ(countColour(screenSurface, BLACK), 640 * 480 - 400 - 256 * icons) << health << ", " << spare;
    }
}

TEST_F(Display, TheRadarShowsEnemiesNearerThanAThousandPixelsTwentyToAPixelAcrossTheSeam)
{
    enemyAt(0, 100 + 999, 2000);        // right edge of the radar, on the ship's row: half clipped
    enemyAt(1, 100 + 1000, 2000);       // just out of range
    enemyAt(2, 100, 2000 - 200);        // above the ship
    enemyAt(3, 100 + 800, 2000 + 600);  // exactly 1000 away, inside the square: not shown
    enemyAt(4, 4000, 2000);             // 196 pixels to the left through the world's edge
    enemyAt(5, 100, 2000);              // right under the ship
    enemyAt(6, 100, 2100);
    EnemyPool[6].active = false;  // a free slot is not shown, wherever it was
    radarDraw();
    // A dot (enemy - ship) / 20, truncated, from the radar's centre at 50, 50 from its corner,
    // up the screen for up: 999 to the right is 50 + 49, 200 above is 50 - 10 rows, 196 to the
    // left through the edge 50 - 9.
    const std::tuple<int, int, Rgb> dots[] = {{639, 50, RED},  {639, 51, RED},   {590, 40, RED},
                                              {581, 50, RED},  {590, 50, GREEN},  // the ship over the enemy under it
                                              {591, 51, GREEN}};
    for (const auto& [x, y, colour] : dots)
        EXPECT_EQ(pixelAt(screenSurface, x, y), colour) << x << "," << y;
    EXPECT_EQ(countColour(screenSurface, RED, {530, 0, 110, 110}), 2 + 4 + 4);
    EXPECT_EQ(countColour(screenSurface, GREEN, {530, 0, 110, 110}), 4);
}
