// Shared set-up for the game's tests: SDL on its dummy drivers with a real 640 x 480
// screen surface, the game's own generated pictures, and pixel read-back.
#pragma once

#include "world/entity.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// SDL with a 640 x 480 screen of the given depth; no sprites.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The screen plus every sprite set, the digits and the background, read from the pictures
// the build generated beside the test program.
class GameTest : public ScreenTest {
protected:
    void SetUp() override;
};

void useDummyDrivers();

// Colour of one pixel of a surface.
Rgb pixelAt(SDL_Surface* surface, int x, int y);
void fillScreen(Rgb colour);
// A surface in the screen's format filled with one colour.
SDL_Surface* solidSurface(int w, int h, Rgb colour);

// All eight key flags up.
void releaseAllKeys();

// Pushes a key press or release into SDL's real event queue.
void pushKey(SDLKey key, bool down);
void pushQuit();
void drainEvents();

// The folder that holds the test programs, the game and its generated assets.
std::string buildDirectory();

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
