// What the player reads on the screen: the scrolling background, the digits, the radar,
// the energy bar and the spare ships, all read back from the screen's pixels.

#include "display/background.h"
#include "display/status.h"
#include "fixtures.h"
#include "platform/digits.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/pools.h"

#include <string>

namespace {

// A picture whose every pixel says where it is, so the screen tells which pixel landed where.
SDL_Surface* coordinatePicture(int w, int h)
{
    SDL_Surface* picture = solidSurface(w, h, {0, 0, 0});
    SDL_LockSurface(picture);
    for (int y = 0; y < h; y++) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
        for (int x = 0; x < w; x++)
            row[x] = SDL_MapRGB(picture->format, x % 256, y % 256, (x / 256) * 16 + y / 256);
    }
    SDL_UnlockSurface(picture);
    return picture;
}

Rgb expectedAt(int x, int y)
{
    return {x % 256, y % 256, (x / 256) * 16 + y / 256};
}

// Every screen pixel must show picture pixel ((sx + ox) mod W, (sy + oy) mod H).
int misplacedPixels(int w, int h, int offsetX, int offsetY)
{
    int wrong = 0;
    for (int sy = 0; sy < 480; sy++)
        for (int sx = 0; sx < 640; sx++)
            wrong += !(pixelAt(screenSurface, sx, sy) == expectedAt((sx + offsetX) % w, (sy + offsetY) % h));
    return wrong;
}

}  // namespace

class Background : public ScreenTest { };

TEST_F(Background, ALargePictureFillsTheScreenFromTheCameraOffsetAcrossItsEdges)
{
    backgroundImage = coordinatePicture(1024, 1024);
    fillScreen({255, 0, 255});
    backgroundDraw(1000, 1000);
    EXPECT_EQ(pixelAt(screenSurface, 0, 0), expectedAt(1000, 1000));
    EXPECT_EQ(pixelAt(screenSurface, 23, 23), expectedAt(1023, 1023));
    EXPECT_EQ(pixelAt(screenSurface, 24, 24), expectedAt(0, 0));
    EXPECT_EQ(misplacedPixels(1024, 1024, 1000, 1000), 0);
}

TEST_F(Background, ScreenSizedAndSmallPicturesTileWithoutGaps)
{
    backgroundImage = coordinatePicture(640, 480);
    fillScreen({255, 0, 255});
    backgroundDraw(0, 0);
    EXPECT_EQ(misplacedPixels(640, 480, 0, 0), 0);

    backgroundImage = coordinatePicture(100, 100);
    fillScreen({255, 0, 255});
    backgroundDraw(0, 0);
    EXPECT_EQ(misplacedPixels(100, 100, 0, 0), 0);
    backgroundDraw(4095, 37);
    EXPECT_EQ(misplacedPixels(100, 100, 4095, 37), 0);
}

TEST_F(Background, APictureThatDividesTheWorldHasNoSeamWhereTheCameraWraps)
{
    backgroundImage = coordinatePicture(1024, 1024);
    backgroundDraw(4095, 0);
    const Rgb beforeWrap = pixelAt(screenSurface, 1, 0);
    backgroundDraw(0, 0);
    EXPECT_EQ(pixelAt(screenSurface, 0, 0), beforeWrap);
}

class Digits : public GameTest {
protected:
    // Which glyph of the digit picture stands in the 17 x 32 cell at (x, y): the one whose
    // strokes all match the screen and whose magenta shows the fill colour there.
    int digitAt(int x, int y, Rgb fill)
    {
        int found = -1;
        for (int d = 0; d < 10; d++) {
            bool same = true;
            for (int gy = 0; gy < DIGIT_HEIGHT && same; gy++)
                for (int gx = 0; gx < DIGIT_WIDTH && same; gx++) {
                    Rgb glyph = pixelAt(numbersImage, DIGIT_WIDTH * d + gx, gy);
                    if (glyph == Rgb{255, 0, 255})
                        glyph = fill;
                    same = pixelAt(screenSurface, x + gx, y + gy) == glyph;
                }
            if (same) {
                EXPECT_EQ(found, -1) << "two glyphs look alike";
                found = d;
            }
        }
        return found;
    }
    std::string readNumber(int x, int y, int digits, Rgb fill)
    {
        std::string text;
        for (int i = 0; i < digits; i++) {
            const int d = digitAt(x + DIGIT_WIDTH * i, y, fill);
            text += d < 0 ? '?' : static_cast<char>('0' + d);
        }
        return text;
    }
};

TEST_F(Digits, NumbersAreRightAlignedWithLeadingZerosAndTheLowestDigitsKept)
{
    const Rgb fill{0, 0, 64};
    fillScreen(fill);
    numberDraw(57, 0, 0, 3);
    numberDraw(199, 0, 32, 3);
    numberDraw(1000, 100, 100, 3);
    numberDraw(7, 300, 200, 3);
    numberDraw(9081726, 200, 300, 7);
    EXPECT_EQ(readNumber(0, 0, 3, fill), "057");
    EXPECT_EQ(readNumber(0, 32, 3, fill), "199");
    EXPECT_EQ(readNumber(100, 100, 3, fill), "000");
    EXPECT_EQ(readNumber(300, 200, 3, fill), "007");
    EXPECT_EQ(readNumber(200, 300, 7, fill), "9081726");
    EXPECT_EQ(pixelAt(screenSurface, 51, 0), fill);  // nothing past the field
}

TEST_F(Digits, NoDigitsDrawNothingAndNegativesReadAsZeros)
{
    const Rgb fill{0, 64, 0};
    fillScreen(fill);
    numberDraw(123, 0, 0, 0);
    for (int x = 0; x < 60; x++)
        ASSERT_EQ(pixelAt(screenSurface, x, 10), fill);
    numberDraw(-45, 0, 0, 2);
    EXPECT_EQ(readNumber(0, 0, 2, fill), "00");
}

class Status : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        smallShipIcon = solidSurface(16, 16, {0, 0, 255});
        poolsClear();
        PlayerShip = Entity{};
        PlayerShip.active = 1;
        PlayerShip.x = 100;
        PlayerShip.y = 2000;
        PlayerShip.health = 500;
        fillScreen({0, 0, 0});
    }
    int heightOf(Rgb colour, int x)
    {
        int count = 0;
        for (int y = 0; y < 480; y++)
            count += pixelAt(screenSurface, x, y) == colour;
        return count;
    }
    void enemyAt(int slot, double x, double y)
    {
        EnemyPool[slot] = Entity{};
        EnemyPool[slot].active = 1;
        EnemyPool[slot].x = x;
        EnemyPool[slot].y = y;
    }
    static constexpr Rgb green{0, 255, 0};
    static constexpr Rgb red{255, 0, 0};
};

TEST_F(Status, TheEnergyBarShowsOneGreenPixelPerFivePointsAndRedAbove)
{
    struct Case {
        int health, green;
    };
    for (const Case c : {Case{500, 100}, Case{499, 99}, Case{4, 0}, Case{0, 0}}) {
        fillScreen({0, 0, 0});
        PlayerShip.health = c.health;
        lives = 0;
        statusDraw();
        for (int x = 636; x < 640; x++) {
            EXPECT_EQ(heightOf(green, x), c.green) << c.health;
            EXPECT_EQ(heightOf(red, x), 100 - c.green) << c.health;
        }
        EXPECT_EQ(heightOf(green, 635) + heightOf(red, 635), 0);
        if (c.green > 0) {
            EXPECT_EQ(pixelAt(screenSurface, 639, 479), green);
        }
        EXPECT_EQ(pixelAt(screenSurface, 639, 380), c.green == 100 ? green : red);
        EXPECT_EQ(pixelAt(screenSurface, 639, 379), (Rgb{0, 0, 0}));
    }
}

TEST_F(Status, OneIconStandsInTheBottomLeftCornerPerSpareLife)
{
    const Rgb blue{0, 0, 255};
    for (int spare = 3; spare >= -1; spare--) {
        fillScreen({0, 0, 0});
        lives = spare;
        statusDraw();
        EXPECT_EQ(heightOf(blue, 0), 16 * std::max(spare, 0)) << spare;
        if (spare > 0) {
            EXPECT_EQ(pixelAt(screenSurface, 15, 480 - 16 * spare), blue);
        }
        EXPECT_EQ(pixelAt(screenSurface, 16, 479), (Rgb{0, 0, 0}));
    }
}

TEST_F(Status, RadarShowsEnemiesNearerThanAThousandPixelsTwentyToAPixel)
{
    enemyAt(0, 100 + 999, 2000);        // right edge of the radar, on the ship's row
    enemyAt(1, 100 + 1000, 2000);       // just out of range
    enemyAt(2, 100, 2000 - 200);        // above the ship
    enemyAt(3, 100 + 800, 2000 + 600);  // exactly 1000 away, inside the square: not shown
    radarDraw();
    EXPECT_EQ(pixelAt(screenSurface, 540 + 90, 80), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 540 + 99, 50), red);
    EXPECT_EQ(pixelAt(screenSurface, 540 + 99, 51), red);
    EXPECT_EQ(pixelAt(screenSurface, 540 + 60, 50), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(screenSurface, 590, 40), red);
    EXPECT_EQ(pixelAt(screenSurface, 590, 50), green);
    EXPECT_EQ(pixelAt(screenSurface, 591, 51), green);
    int dots = 0;
    for (int y = 0; y < 102; y++)
        for (int x = 538; x < 640; x++)
            dots += pixelAt(screenSurface, x, y) == red;
    EXPECT_EQ(dots, 2 + 4);  // the one at the right edge is half clipped
}

TEST_F(Status, RadarLooksAcrossTheSeamAndDrawsTheShipOverAnEnemyOnIt)
{
    enemyAt(0, 4000, 2000);  // 196 pixels to the left through the world's edge
    enemyAt(1, 100, 2000);   // right on the ship
    radarDraw();
    EXPECT_EQ(pixelAt(screenSurface, 540 + 41, 50), red);
    EXPECT_EQ(pixelAt(screenSurface, 590, 50), green);
    EnemyPool[0].active = 0;  // a free slot is not shown, wherever it was
    fillScreen({0, 0, 0});
    radarDraw();
    EXPECT_EQ(pixelAt(screenSurface, 540 + 41, 50), (Rgb{0, 0, 0}));
}
