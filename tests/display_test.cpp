// What the player reads on the screen: the scrolling background, the digits, the radar,
// the energy bar and the spare ships, all read back from the screen's pixels.

#include "display/background.h"
#include "display/status.h"
#include "fixtures.h"
#include "platform/digits.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/pools.h"

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
        smallShipIcon = solidSurface(16, 16, {0, 0, 255});
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

class Digits : public GameTest { };

TEST_F(Digits, NumbersAreRightAlignedWithLeadingZerosTheLowestDigitsKeptAndNegativesAsZeros)
{
    fillScreen({0, 0, 64});
    const struct {
        int value, x, y, digits;
        const char* shown;
    } cases[] = {{57, 0, 0, 3, "057"},
                 {199, 0, 32, 3, "199"},
                 {1000, 100, 100, 3, "000"},
                 {7, 300, 200, 3, "007"},
                 {9081726, 200, 300, 7, "9081726"},
                 {-45, 400, 0, 2, "00"}};
    for (const auto& c : cases)
        numberDraw(c.value, c.x, c.y, c.digits);
    for (const auto& c : cases)
        EXPECT_EQ(readNumber(screenSurface, numbersImage, c.x, c.y, c.digits), c.shown) << c.value;
    EXPECT_EQ(pixelAt(screenSurface, 51, 0), (Rgb{0, 0, 64}));  // nothing past the field
    numberDraw(123, 500, 400, 0);
    EXPECT_EQ(countColour(screenSurface, {0, 0, 64}, {500, 400, 60, 32}), 60 * 32);
}

TEST_F(Display, TheEnergyBarShowsOneGreenPixelPerFivePointsAndRedAbove)
{
    lives = 0;
    for (const auto& [health, green] : {std::pair{500, 100}, {499, 99}, {4, 0}, {0, 0}}) {
        fillScreen(BLACK);
        PlayerShip.health = health;
        statusDraw();
        EXPECT_EQ(countColour(screenSurface, GREEN, {636, 380, 4, 100}), 4 * green) << health;
        EXPECT_EQ(countColour(screenSurface, RED, {636, 380, 4, 100}), 4 * (100 - green)) << health;
        EXPECT_EQ(countColour(screenSurface, BLACK), 640 * 480 - 400) << health;
        if (green) {
            EXPECT_EQ(pixelAt(screenSurface, 639, 479), GREEN) << health;
        }
    }
}

TEST_F(Display, OneIconStandsInTheBottomLeftCornerPerSpareLife)
{
    for (int spare = 3; spare >= -1; spare--) {
        fillScreen(BLACK);
        lives = spare;
        statusDraw();
        EXPECT_EQ(countColour(screenSurface, {0, 0, 255}), 256 * std::max(spare, 0)) << spare;
        if (spare > 0) {
            EXPECT_EQ(pixelAt(screenSurface, 15, 480 - 16 * spare), (Rgb{0, 0, 255}));
        }
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
    EnemyPool[6].active = 0;  // a free slot is not shown, wherever it was
    radarDraw();
    EXPECT_EQ(pixelAt(screenSurface, 639, 50), RED);
    EXPECT_EQ(pixelAt(screenSurface, 639, 51), RED);
    EXPECT_EQ(pixelAt(screenSurface, 590, 40), RED);
    EXPECT_EQ(pixelAt(screenSurface, 581, 50), RED);
    EXPECT_EQ(pixelAt(screenSurface, 590, 50), GREEN);  // the ship over the enemy under it
    EXPECT_EQ(pixelAt(screenSurface, 591, 51), GREEN);
    EXPECT_EQ(countColour(screenSurface, RED, {530, 0, 110, 110}), 2 + 4 + 4);
    EXPECT_EQ(countColour(screenSurface, GREEN, {530, 0, 110, 110}), 4);
}
