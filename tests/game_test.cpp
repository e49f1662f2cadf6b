// The game on top: the command line, the length of each frame and the measured frame rate
// across the clock's wrap, a game from its start to its end, and the title screen between
// games with the one-time loading of every sprite behind it.

#include "driver.h"
#include "enemies/enemy.h"
#include "fixtures.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "game/title.h"
#include "platform/input.h"
#include "platform/progdir.h"
#include "platform/startup.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/motion.h"
#include "world/pools.h"

#include <cmath>
#include <vector>

TEST(CommandLine, LaterOptionsWinUnknownOnesAreIgnoredAndTheDepthIsReadWithAtoi)
{
    const Uint32 full = SDL_FULLSCREEN, twice = SDL_DOUBLEBUF, hardware = SDL_HWSURFACE;
    const std::tuple<std::vector<const char*>, int, Uint32> cases[] = {
        {{}, 16, full | twice | hardware},
        {{"-window", "-fullscreen"}, 16, full | twice | hardware},
        {{"-fullscreen", "-window", "-double"}, 16, twice | hardware},
        {{"-double", "-single"}, 16, full | hardware},
        {{"-windwo", "--bpp", "8", "-Window"}, 16, full | twice | hardware},
        {{"-bpp", "8"}, 8, full | twice | hardware},
        {{"-bpp", "deep"}, 0, full | twice | hardware},
        {{"-bpp", "24bits", "-bpp"}, 24, full | twice | hardware},  // a trailing -bpp keeps the depth
    };
    for (const auto& [words, depth, flags] : cases) {
        std::vector<char*> argv = {const_cast<char*>("skarvel")};
        for (const char* word : words)
            argv.push_back(const_cast<char*>(word));
        const VideoRequest request = optionsParse(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(request.width * 1000 + request.height, 640480);
        EXPECT_EQ(request.bitsPerPixel, depth) << words.size() << " words";
        EXPECT_EQ(request.flags, flags) << words.size() << " words";
    }
}

TEST(CommandLine, PlayChoicesOnTheCommandLineBeatTheEnvironmentWhichBeatsTheDefault)
{
    const auto choose = [](std::vector<const char*> words) {
        words.insert(words.begin(), "skarvel");
        optionsApply(optionsChoices(static_cast<int>(words.size()), const_cast<char**>(words.data())));
    };
    const auto setting = [](const char* name) { return std::string(getenv(name) ? getenv(name) : "unset"); };
    for (const char* name : {"SDL12COMPAT_SYNC_TO_VBLANK", "SDL12COMPAT_WINDOW_SCALING", "SDL12COMPAT_SCALE_METHOD"})
        unsetenv(name);
    choose({});
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "1unset");
    EXPECT_EQ(soundEnabled + joystickEnabled, 2);
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "0", 1);
    choose({"-scale", "1.5"});  // the player's own setting is left alone
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "01.5");
    EXPECT_EQ(setting("SDL12COMPAT_SCALE_METHOD"), "linear");
    unsetenv("SDL12COMPAT_SCALE_METHOD");
    testing::internal::CaptureStderr();
    choose({"-novsync", "-vsync", "-scale", "2", "-scale", "8.5", "-bpp", "-nosound", "-nojoystick"});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ignoring -scale 8.5: the scale is 1 to 8, whole or with one decimal\n");
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "12");
    EXPECT_EQ(setting("SDL12COMPAT_SCALE_METHOD"), "nearest");  // whole steps keep the pixels sharp
    EXPECT_EQ(soundEnabled * 10 + joystickEnabled, 10);         // the -nosound was -bpp's value
}

TEST(CommandLine, HelpAndVersionAreAnsweredOnStandardOutputWithoutStarting)
{
    for (const auto& [argument, answer] : {std::pair{"--version", "skarvel " SKARVEL_VERSION "\n"},
                                           {"-h", "Usage: skarvel [OPTION]..."},
                                           {"--help", "Usage: skarvel [OPTION]..."}}) {
        FILE* out = popen((buildDirectory() + "/skarvel -window " + argument + " -bpp 99 2>&1").c_str(), "r");
        std::string text(4096, '\0');
        text.resize(fread(text.data(), 1, text.size(), out));
        EXPECT_EQ(pclose(out), 0) << argument;
        EXPECT_EQ(text.rfind(answer, 0), 0u) << text;
        EXPECT_TRUE(answer[0] == 's' || text.find("Escape") != std::string::npos) << "the keys are listed";
    }
}

TEST(FrameClock, AFrameLastsSinceThePreviousOneAndTheRateIsMeasuredOverTwentyAcrossTheWrap)
{
    FrameClock clock;
    frameClockStart(&clock, 5000);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 5020), 0.020);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 8020), 3.0);

    framesPerSecond = 0;
    Uint32 now = 0xFFFFFFFFu - 295;  // the clock wraps inside the first window
    frameClockStart(&clock, now);
    double total = 0;
    for (int frame = 1; frame < 20; frame++) {
        total += frameClockAdvance(&clock, now += 25);
        ASSERT_EQ(framesPerSecond, 0) << frame;
    }
    total += frameClockAdvance(&clock, now += 25);  // twenty frames in half a second
    EXPECT_LT(now, 300u);
    EXPECT_NEAR(total, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(framesPerSecond, 40);
    for (int frame = 0; frame < 19; frame++)
        frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(framesPerSecond, 40);  // kept until the next window is full
    frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(framesPerSecond, 100);

    useDummyDrivers();
    SDL_Init(SDL_INIT_TIMER);
    const Uint32 before = SDL_GetTicks();
    EXPECT_GE(frameWaitForTick(before) - before, 1u);
    SDL_Quit();
}

class OneGame : public GameTest { };

TEST_F(OneGame, EveryGameBeginsAtHomeWithOneHundredNinetyNineEnemiesNoKeyHeldAndEndsOnEscapeAfterAWholeFrame)
{
    lives = 0;
    keyLeft = keySpace = 1;  // let go on the title screen, as the keyboard shows
    for (int round = 0; round < 2; round++) {
        gameStart();  // keys up, 199 enemies in the lowest slots, three lives, the ship whole at home
        EXPECT_EQ(std::tuple(keyLeft + keySpace, enemyCount, EnemyPool[198].active, EnemyPool[199].active),
                  std::tuple(0, 199, 1, 0));
        EXPECT_EQ(std::tuple(lives, PlayerShip.x, PlayerShip.health), std::tuple(3, 0.0, SHIP_HEALTH));
        PlayerShip.y = 777;
    }
    pushKey(SDLK_ESCAPE, true);
    gamePlay();                    // returns after the one frame
    EXPECT_NE(PlayerShip.y, 777);  // the ship was still updated in that frame
    EXPECT_EQ(lives, 3);

    lives = 0;
    entityDamage(&PlayerShip, SHIP_HEALTH);  // the last life lost ends the game without a key
    gamePlay();
    EXPECT_EQ(lives, -1);
}

TEST_F(OneGame, APauseStopsTheWorldAndItsClockTillResumedAndAWindowLosingTheKeyboardPauses)
{
    gameStart();
    const double shipX = PlayerShip.x, shipY = PlayerShip.y, enemyX = EnemyPool[0].x, enemyY = EnemyPool[0].y;
    pushKey(SDLK_p, true);  // in the first frame
    // A second later P again, and after a tenth of a second of play, Escape.
    SDL_AddTimer(
        1000, [](Uint32, void*) -> Uint32 { return pushKey(SDLK_p, true), 0; }, nullptr);
    SDL_AddTimer(
        1100, [](Uint32, void*) -> Uint32 { return pushKey(SDLK_ESCAPE, true), 0; }, nullptr);
    gamePlay();
    // The ship flies 300 pixels a second, an enemy 100: the paused second counted for neither.
    const auto moved = [](const Entity& e, double x, double y) {
        return std::hypot(worldWrap(e.x - x, -2048, 2048), worldWrap(e.y - y, -2048, 2048));
    };
    EXPECT_LT(moved(PlayerShip, shipX, shipY), 150);
    EXPECT_GT(moved(PlayerShip, shipX, shipY), 1);
    EXPECT_LT(moved(EnemyPool[0], enemyX, enemyY), 50);
    SDL_Event away{};
    away.type = SDL_ACTIVEEVENT;
    away.active.state = SDL_APPINPUTFOCUS;
    SDL_PushEvent(&away);
    EXPECT_EQ(inputPoll(), 0);
    EXPECT_EQ(gamePaused, 1);
}

class Title : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
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
            milliseconds, [](Uint32, void*) -> Uint32 { return pushKey(pending, true), 0; }, nullptr);
    }
};

TEST_F(Title, LoadsEverySpriteOnceIgnoringASpaceQueuedBeforeThenWaitsForAKeyLeavingTheFlagsAlone)
{
    pushKey(SDLK_SPACE, true);
    pressLater(SDLK_ESCAPE, 400);
    EXPECT_EQ(titleScreenRun(), 0);
    EXPECT_TRUE(spritesLoaded && smallShipIcon && missileFrames[63]);
    SDL_Surface* first = shipFrames[0];

    keyUp = 1;
    pushKey(SDLK_UP, false);
    pushKey(SDLK_LEFT, true);
    pressLater(SDLK_SPACE, 300);
    EXPECT_EQ(titleScreenRun(), 1);
    // Not loaded again; the keys as they were, Up still held though released on the title.
    EXPECT_EQ(std::tuple(shipFrames[0], keyUp, keyLeft), std::tuple(first, 1, 0));
}

TEST_F(Title, TheLaterOfTwoRequestsInOnePollDecidesAndSTakesAScreenshotOfTheTitle)
{
    spritesLoaded = 1;
    TempDir folder(true);
    const std::pair<std::vector<SDLKey>, int> cases[] = {{{SDLK_ESCAPE, SDLK_SPACE}, 1},
                                                         {{SDLK_SPACE, SDLK_UNKNOWN}, 0},  // a closed window
                                                         {{SDLK_SPACE, SDLK_s, SDLK_ESCAPE}, 0}};
    for (const auto& [keys, result] : cases) {
        for (SDLKey key : keys)
            key == SDLK_UNKNOWN ? pushQuit() : pushKey(key, true);
        EXPECT_EQ(titleScreenRun(), result);
    }
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(pictureShare(shot, introImage, 0, 0, NO_KEY, 0, {0, 0, 640, 340}), 1.0);
    EXPECT_EQ(pictureShare(shot, readyImage, 0, 340, NO_KEY), 1.0);
}

TEST_F(Title, AMissingSpriteEndsTheTitleScreenWithItsMessageAndTriesNothingAfterIt)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(titleScreenRun(), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load ship frame 33: ", 0), 0u) << errors;
    // Frames 1 to 32 stay loaded; no frame after it is tried, nor any other set.
    EXPECT_EQ(std::tuple(spritesLoaded, shipFrames[31] != nullptr, shipFrames[32], shipFrames[63], enemyFrames[0]),
              std::tuple(1, true, nullptr, nullptr, nullptr));
}
