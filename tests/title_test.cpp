// The screen between games: what it shows, which keys it takes, and the one-time loading of
// every sprite behind it.

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "fixtures.h"
#include "game/title.h"
#include "platform/input.h"
#include "platform/progdir.h"
#include "platform/startup.h"
#include "player/missile.h"
#include "player/ship.h"
#include "process.h"

#include <unistd.h>

namespace {

class Title : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
        progdirSet(buildDirectory().c_str());
        ASSERT_EQ(titleImagesLoad(), 0);
        spritesLoaded = 0;  // as when the program starts
    }
    // A key pressed a while after the title screen has started.
    static void pressLater(SDLKey key, Uint32 milliseconds)
    {
        static SDLKey pending;
        pending = key;
        SDL_AddTimer(
            milliseconds,
            [](Uint32, void*) -> Uint32 {
                pushKey(pending, true);
                return 0;
            },
            nullptr);
    }
};

class ReadyTitle : public Title {
protected:
    void SetUp() override
    {
        Title::SetUp();
        spritesLoaded = 1;  // as after the first title screen
    }
};

}  // namespace

TEST_F(Title, LoadsEverySpriteOnceAndIgnoresASpaceQueuedBeforeThat)
{
    pushKey(SDLK_SPACE, true);
    pressLater(SDLK_ESCAPE, 400);
    EXPECT_EQ(titleScreenRun(), 0);
    EXPECT_EQ(spritesLoaded, 1);
    EXPECT_NE(smallShipIcon, nullptr);
    for (int frame = 0; frame < 64; frame++) {
        EXPECT_NE(shipFrames[frame], nullptr);
        EXPECT_NE(enemyFrames[frame], nullptr);
        EXPECT_NE(shrapnelFrames[frame], nullptr);
    }
    SDL_Surface* first = shipFrames[0];
    pushKey(SDLK_SPACE, true);
    EXPECT_EQ(titleScreenRun(), 1);
    EXPECT_EQ(shipFrames[0], first);  // not loaded again
}

TEST_F(ReadyTitle, TheLaterOfTwoRequestsInOnePollDecides)
{
    pushKey(SDLK_ESCAPE, true);
    pushKey(SDLK_SPACE, true);
    EXPECT_EQ(titleScreenRun(), 1);
    pushKey(SDLK_SPACE, true);
    pushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(titleScreenRun(), 0);
    pushKey(SDLK_SPACE, true);
    pushQuit();
    EXPECT_EQ(titleScreenRun(), 0);
}

TEST_F(ReadyTitle, WaitsForAKeyAndLeavesTheKeyFlagsAlone)
{
    keyUp = 1;
    pushKey(SDLK_UP, false);
    pushKey(SDLK_LEFT, true);
    pushKey(SDLK_SPACE, false);
    pressLater(SDLK_SPACE, 300);
    EXPECT_EQ(titleScreenRun(), 1);
    EXPECT_EQ(keyUp, 1);  // released on the title screen: still held in the next game
    EXPECT_EQ(keyLeft, 0);
}

TEST_F(ReadyTitle, ShowsTheIntroWithTheReadyPictureBelowItAndSTakesAScreenshot)
{
    TempDir folder;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.path().c_str()), 0);
    pushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(titleScreenRun(), 0);
    pushKey(SDLK_s, true);
    pushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(titleScreenRun(), 0);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_EQ(chdir(previous), 0);
    ASSERT_NE(shot, nullptr);
    for (int y : {0, 100, 339})
        for (int x : {0, 320, 639})
            EXPECT_EQ(pixelAt(shot, x, y), pixelAt(introImage, x, y)) << x << "," << y;
    SDL_Surface* ready = SDL_DisplayFormat(readyImage);
    for (int y : {0, 70, 139})
        for (int x : {0, 320, 639})
            EXPECT_EQ(pixelAt(shot, x, 340 + y), pixelAt(ready, x, y)) << x << "," << y;
}

TEST_F(Title, AMissingSpriteEndsTheTitleScreenWithItsMessage)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/enemy0064.png"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(titleScreenRun(), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load enemy frame 64: ", 0), 0u) << errors;
    EXPECT_EQ(spritesLoaded, 1);
    EXPECT_NE(enemyFrames[62], nullptr);   // what was read before stays
    EXPECT_EQ(missileFrames[0], nullptr);  // the loaders after it never ran
}

TEST_F(Title, AMissingShipFrameStopsTheShipLoaderAtThatFrame)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(shipLoad(), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load ship frame 33: ", 0), 0u) << errors;
    EXPECT_NE(smallShipIcon, nullptr);
    EXPECT_NE(shipFrames[31], nullptr);  // frames 1 to 32 stay loaded
    for (int index = 32; index < 64; index++)
        EXPECT_EQ(shipFrames[index], nullptr) << "frame " << index + 1 << " was tried";
}
