// The keyboard during play, fed through SDL's real event queue, and screenshots.

#include "fixtures.h"
#include "platform/input.h"
#include "platform/startup.h"

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

class Input : public ScreenTest { };

TEST_F(Input, EachControlKeyHoldsItsFlagFromPressToRelease)
{
    const struct {
        SDLKey key;
        int* flag;
    } keys[] = {{SDLK_UP, &keyUp},     {SDLK_DOWN, &keyDown},        {SDLK_RIGHT, &keyRight},
                {SDLK_LEFT, &keyLeft}, {SDLK_SPACE, &keySpace},      {SDLK_RCTRL, &keyRightCtrl},
                {SDLK_m, &keyM},       {SDLK_RSHIFT, &keyRightShift}};
    for (const auto& k : keys) {
        pushKey(k.key, true);
        EXPECT_EQ(inputPoll(), 0);
        EXPECT_EQ(*k.flag, 1) << k.key;
        EXPECT_EQ(inputPoll(), 0);  // no event: the flag is held
        EXPECT_EQ(*k.flag, 1) << k.key;
    }
    for (const auto& k : keys) {
        pushKey(k.key, false);
        EXPECT_EQ(inputPoll(), 0);
        EXPECT_EQ(*k.flag, 0) << k.key;
    }
}

TEST_F(Input, LeftAndRightTogetherAreBothHeldAndOtherKeysChangeNothing)
{
    pushKey(SDLK_LEFT, true);
    pushKey(SDLK_RIGHT, true);
    pushKey(SDLK_a, true);
    pushKey(SDLK_LCTRL, true);
    pushKey(SDLK_LSHIFT, true);
    EXPECT_EQ(inputPoll(), 0);
    EXPECT_EQ(keyLeft, 1);
    EXPECT_EQ(keyRight, 1);
    EXPECT_EQ(keySpace + keyRightCtrl + keyM + keyRightShift + keyUp + keyDown, 0);
}

TEST_F(Input, EscapePressedOrReleasedAndAClosedWindowAskToLeave)
{
    pushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(inputPoll(), 1);
    pushKey(SDLK_ESCAPE, false);
    EXPECT_EQ(inputPoll(), 1);
    pushQuit();
    EXPECT_EQ(inputPoll(), 1);
    EXPECT_EQ(inputPoll(), 0);
}

TEST_F(Input, EventsBehindARequestToLeaveStayQueued)
{
    pushKey(SDLK_UP, true);
    pushQuit();
    pushKey(SDLK_LEFT, true);
    pushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(inputPoll(), 1);
    EXPECT_EQ(keyUp, 1);
    EXPECT_EQ(keyLeft, 0);
    EXPECT_EQ(inputPoll(), 1);  // the Escape behind the left arrow
    EXPECT_EQ(keyLeft, 1);
}

class Screenshot : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.path().c_str()), 0);
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(previous), 0);
        ScreenTest::TearDown();
    }
    TempDir folder;
    char previous[4096];
};

TEST_F(Screenshot, SWritesTheScreenAsABitmapSdlCanReadBack)
{
    fillScreen({10, 200, 30});
    pushKey(SDLK_s, true);
    pushKey(SDLK_s, false);
    EXPECT_EQ(inputPoll(), 0);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    EXPECT_EQ(shot->w, 640);
    EXPECT_EQ(shot->h, 480);
    EXPECT_EQ(pixelAt(shot, 320, 240), (Rgb{10, 200, 30}));
}

TEST_F(Screenshot, EachScreenshotReplacesTheLastOne)
{
    for (int i = 0; i < 5; i++) {
        fillScreen({i * 40, 0, 0});
        pushKey(SDLK_s, true);
        EXPECT_EQ(inputPoll(), 0);
    }
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path()))
        files++;
    EXPECT_EQ(files, 1);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(pixelAt(shot, 0, 0), (Rgb{160, 0, 0}));
}

TEST_F(Screenshot, AFileThatCannotBeWrittenIsSkippedAndPlayGoesOn)
{
    fs::create_directory(fs::path(folder.path()) / "screenshot.bmp");  // in the way of the file
    pushKey(SDLK_s, true);
    pushKey(SDLK_UP, true);
    EXPECT_EQ(inputPoll(), 0);
    EXPECT_EQ(keyUp, 1);
    EXPECT_TRUE(fs::is_directory(fs::path(folder.path()) / "screenshot.bmp"));
}
