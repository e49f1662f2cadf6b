// Shared set-up for the game's tests: SDL on its dummy drivers with a real 640 x 480 screen
// surface, the game's own generated pictures, pixels read back, real events and real files.
#pragma once

#include "play.h"  // keys pushed into SDL's queue, as headless play pushes them
#include "world/assets.h"
#include "world/entity.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);
constexpr Rgb BLACK{0, 0, 0}, RED{255, 0, 0}, GREEN{0, 255, 0}, BLUE{0, 0, 255}, MAGENTA{255, 0, 255};
constexpr Rgb NO_KEY{-1, -1, -1};

// Stops whatever an earlier case left running (the mixer, SDL) and lets go of every key the
// keyboard held; "progdir:" names the build folder again, with sound and joysticks on.
void platformReset();

// SDL with a 640 x 480 screen of 32 bits, every key up and the event queue empty.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { platformReset(); }
};

// The screen plus the background, the digits and every sprite set, read from the pictures
// the build generated beside the test program.
class GameTest : public ScreenTest {
protected:
    void SetUp() override;
};

Rgb pixelAt(SDL_Surface* surface, int x, int y);
void fillScreen(Rgb colour);
// A 32-bit surface, the screen's format, filled with one colour.
SDL_Surface* solidSurface(int w, int h, Rgb colour);
// Pixels of the colour in the rectangle (the whole surface when its width is 0).
int countColour(SDL_Surface* surface, Rgb colour, SDL_Rect area = {0, 0, 0, 0});
// Share of the pixels of a picture (of the part, when its width is not 0), those of the key
// colour left out, that the surface shows with that corner at (x, y), within the tolerance.
double pictureShare(SDL_Surface* shot, SDL_Surface* picture, int x, int y, Rgb key, int tolerance = 0,
                    SDL_Rect part = {0, 0, 0, 0});
// The number the cells of the digit picture from (x, y) show; '?' for a cell with no digit.
std::string readNumber(SDL_Surface* shot, SDL_Surface* glyphs, int x, int y, int digits);
// One of the game's generated pictures, as decoded.
SDL_Surface* gamePicture(const std::string& name);
// Where a file of the game's table lies in the game's folder ("images/bg.png"), a set's frame
// by its number ("images/ship0007.png").
std::string assetPath(const char* path, int number = 0);
inline std::string assetPath(Picture picture, int number = 0)
{
    return assetPath(pictureFile(picture).path, number);
}
// The title as the game writes it with the keys bound now: the intro, the ready picture over
// its lowest rows and the keys over both, put together once (in a process where SDL has not
// started) through the game's own start-up on a 32-bit screen of SDL's dummy driver.
SDL_Surface* titleAsWritten();
// Whether a screenshot shows the title screen with the keys as bound, every colour within the
// tolerance: the whole picture, and where the keys are written on their own.
bool showsTitle(SDL_Surface* shot, int tolerance);
// Whether it shows a game in play, its energy bar full.
bool showsPlay(SDL_Surface* shot);

// A live record of no kind at (x, y), width wide and high, with the default speed and health.
Entity entityAt(double x, double y, int width = 32);

void pushQuit();  // a window closed, through SDL's real event queue

// The folder that holds the test programs, the game and its generated pictures and sounds.
std::string buildDirectory();

// A fresh temporary folder, removed with everything in it when the object goes; with
// enter, it is also the current directory until then.
class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_, previous_;
};
