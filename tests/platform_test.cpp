// The platform under the game: start-up and what the player is told when a file is missing,
// the keyboard through SDL's real event queue, screenshots, and the sound channels.

#include "driver.h"
#include "fixtures.h"
#include "game/options.h"
#include "game/title.h"
#include "platform/digits.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/progdir.h"
#include "platform/sound.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/pools.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace fs = std::filesystem;

// Each missing start-up file stops the game with its own one line, naming the file as it
// was looked for, and status 1.
class StartupFailure : public ::testing::TestWithParam<std::pair<const char*, const char*>> { };

TEST_P(StartupFailure, PrintsItsOneLineAndExitsWithOne)
{
    const auto& [file, message] = GetParam();
    TempDir folder;
    gameCopy(folder.path(), {file});
    const auto [status, errors] = gameRun(folder.path(), {});
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors.rfind(message, 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find(folder / file), std::string::npos) << errors;
}

INSTANTIATE_TEST_SUITE_P(EachFile, StartupFailure,
                         ::testing::Values(std::pair{"images/bg.png", "failed to load bg.bmp: "},
                                           std::pair{"images/ready.png", "failed to load ready.bmp: "},
                                           std::pair{"sounds/impact3.wav",
                                                     "failed to load progdir:sounds/impact3.wav: "}));

TEST(Startup, AnUnavailableDepthIsRefusedAndAMissingSpriteEndsTheProgramFromTheTitleScreenWithOne)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    EXPECT_EQ(gameRun(folder.path(), {"-bpp", "99"}),
              std::pair(1, std::string("requested video mode not available\n")));
    const auto [status, errors] = gameRun(folder.path(), {});
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors.rfind("failed to load ship frame 33: ", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST(Startup, AnInstalledCopyFindsItsPicturesAndSoundsInTheDataFolderBesideItsCommand)
{
    TempDir root;
    const std::string data = root / "bin/" SKARVEL_DATA_RELATIVE;
    fs::create_directories(data);
    fs::create_directories(root / "bin");
    gameCopy(data, {"sounds/impact3.wav"});
    fs::rename(data + "/skarvel", root / "bin/skarvel");
    Game game({.folder = root.path(), .program = "bin/skarvel"});
    EXPECT_EQ(game.wait(60), 1);
    EXPECT_NE(game.errors().find(fs::canonical(data).string() + "/sounds/impact3.wav"), std::string::npos)
        << game.errors();
}

TEST(Startup, OpensTheDepthSdlOffersSetsTheCaptionAndLoadsTheTitlePictures)
{
    useDummyDrivers();
    progdirSet(buildDirectory().c_str());
    SDL_Init(SDL_INIT_VIDEO);
    const int offered = SDL_VideoModeOK(640, 480, 8, 0);
    ASSERT_NE(offered, 8) << "the dummy driver is expected to offer another depth for 8 bits";
    ASSERT_EQ(appInit(640, 480, 8, 0), 0);
    EXPECT_EQ(screenSurface->format->BitsPerPixel, offered);
    char *title = nullptr, *icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_EQ(std::string(title) + "|" + icon, "Skarvel OS4|Skarvel OS4");
    EXPECT_TRUE(introImage && readyImage && pausedImage);
}

TEST(Startup, AMissingSoundLeavesTheCaptionUnsetTriesNoLaterSoundAndKeepsWhatCameBefore)
{
    useDummyDrivers();
    TempDir folder;
    gameCopy(folder.path(), {"sounds/missile1.wav"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(appInit(640, 480, 16, DEFAULT_VIDEO_FLAGS), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load progdir:sounds/missile1.wav: ", 0), 0u) << errors;
    char *title = nullptr, *icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_TRUE(title == nullptr || *title == '\0') << title;
    EXPECT_TRUE(backgroundImage && soundTable[SOUND_SHOOT].chunk) << "what came before stays";
    EXPECT_EQ(std::tuple(soundTable[SOUND_EXPLODE].chunk, numbersImage), std::tuple(nullptr, nullptr));
}

class Recipe : public GameTest { };

TEST_F(Recipe, SpritesAreSeeThroughWhereTheirKeyColourIsAndFullScreenPicturesNowhere)
{
    const std::pair<SDL_Surface*, bool> pictures[] = {
        {backgroundImage, false}, {numbersImage, true}, {shipFrames[0], true}, {smallShipIcon, true}};
    for (const auto& [picture, keyed] : pictures) {
        fillScreen(BLUE);
        SDL_BlitSurface(picture, nullptr, screenSurface, nullptr);
        // What of the picture the screen shows: all of a sprite, a corner of the background.
        const SDL_Rect shown{0, 0, static_cast<Uint16>(std::min(picture->w, 640)),
                             static_cast<Uint16>(std::min(picture->h, 480))};
        const int blue = countColour(screenSurface, BLUE, shown);
        EXPECT_EQ(blue > 0, keyed) << picture->w << " x " << picture->h;
        EXPECT_LT(blue, shown.w * shown.h) << picture->w << " x " << picture->h;
    }
}

class Input : public ScreenTest { };

TEST_F(Input, EachControlKeyHoldsItsFlagFromPressToReleaseAndOtherKeysDoNothing)
{
    const std::pair<SDLKey, int*> keys[] = {
        {SDLK_UP, &keyUp},       {SDLK_DOWN, &keyDown},       {SDLK_RIGHT, &keyRight}, {SDLK_LEFT, &keyLeft},
        {SDLK_SPACE, &keySpace}, {SDLK_RCTRL, &keyRightCtrl}, {SDLK_m, &keyM},         {SDLK_RSHIFT, &keyRightShift}};
    for (const auto& [key, flag] : keys) {
        pushKey(key, true);
        for (SDLKey other : {SDLK_a, SDLK_LCTRL, SDLK_LSHIFT})
            pushKey(other, true);
        EXPECT_EQ(inputPoll(), 0);
        EXPECT_EQ(inputPoll(), 0);  // no event: the flag is held
        for (const auto& [otherKey, otherFlag] : keys)
            EXPECT_EQ(*otherFlag, otherFlag == flag) << key << " held, " << otherKey;
        pushKey(key, false);
        EXPECT_EQ(inputPoll(), 0);
        EXPECT_EQ(*flag, 0) << key;
    }
}

TEST_F(Input, EscapePressedOrReleasedAndAClosedWindowAskToLeaveWithLaterEventsLeftQueued)
{
    pushKey(SDLK_UP, true);
    pushQuit();
    pushKey(SDLK_LEFT, true);
    pushKey(SDLK_ESCAPE, true);
    pushKey(SDLK_ESCAPE, false);
    EXPECT_EQ(inputPoll(), 1);
    EXPECT_EQ(keyUp, 1);
    EXPECT_EQ(keyLeft, 0);
    EXPECT_EQ(inputPoll(), 1);
    EXPECT_EQ(keyLeft, 1);
    EXPECT_EQ(inputPoll(), 1);
    EXPECT_EQ(inputPoll(), 0);
}

TEST_F(Input, SWritesTheScreenToAFileThatEachScreenshotReplaces)
{
    TempDir folder(true);
    for (int i = 1; i <= 5; i++) {
        fillScreen({i * 40, 200, 30});
        pushKey(SDLK_s, true);
        pushKey(SDLK_s, false);
        EXPECT_EQ(inputPoll(), 0);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    EXPECT_EQ(shot->w, 640);
    EXPECT_EQ(pixelAt(shot, 320, 240), (Rgb{200, 200, 30}));
}

TEST(Sound, EffectsPlayOnTheLowestIdleOfFourChannelsAreDroppedWhenAllAreBusyAndPlayOut)
{
    useDummyDrivers();
    progdirSet(buildDirectory().c_str());
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(soundInit(), 0);
    soundPlay(SOUND_EXPLODE);
    Mix_PlayChannel(2, soundTable[SOUND_EXPLODE].chunk, 0);
    soundPlay(SOUND_EXPLODE);  // 0 and 2 busy: channel 1
    EXPECT_TRUE(Mix_Playing(1) && !Mix_Playing(3));
    soundPlay(SOUND_IMPACT1);
    soundPlay(SOUND_IMPACT2);  // a fifth at once is dropped, not moved to another channel
    for (int channel = 0; channel < 8; channel++)
        EXPECT_EQ(Mix_Playing(channel), channel < 4) << channel;
    Mix_HaltChannel(-1);
    soundPlay(SOUND_SHOOT);
    // The zap is short; once it has had its length the channel is free again.
    for (int waited = 0; waited < 300 && Mix_Playing(0); waited++)
        SDL_Delay(10);
    EXPECT_FALSE(Mix_Playing(0));
}

// An SDL2 virtual gamepad, plugged in before the game's start-up as a real one would be; the
// SDL 1.2 joysticks the game reads are SDL2's underneath.
class Pad : public ::testing::Test {
protected:
    void SetUp() override
    {
        useDummyDrivers();
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW);
        ASSERT_NE(sdl2, nullptr) << dlerror();
        const auto init = reinterpret_cast<int (*)(Uint32)>(dlsym(sdl2, "SDL_InitSubSystem"));
        const auto attach = reinterpret_cast<int (*)(int, int, int, int)>(dlsym(sdl2, "SDL_JoystickAttachVirtual"));
        const auto open = reinterpret_cast<void* (*)(int)>(dlsym(sdl2, "SDL_JoystickOpen"));
        setAxis = reinterpret_cast<int (*)(void*, int, Sint16)>(dlsym(sdl2, "SDL_JoystickSetVirtualAxis"));
        setButton = reinterpret_cast<int (*)(void*, int, Uint8)>(dlsym(sdl2, "SDL_JoystickSetVirtualButton"));
        ASSERT_EQ(init(0x200), 0);                           // SDL2's joysticks
        ASSERT_NE(pad = open(attach(1, 2, 8, 1)), nullptr);  // a game controller: 2 axes, 8 buttons, a d-pad
        progdirSet(buildDirectory().c_str());
    }
    void TearDown() override { SDL_Quit(); }
    int stick(Sint16 x) { return setAxis(pad, 0, x), inputPoll(); }
    int button(int number, bool down) { return setButton(pad, number, down), inputPoll(); }
    void* pad = nullptr;
    int (*setAxis)(void*, int, Sint16) = nullptr;
    int (*setButton)(void*, int, Uint8) = nullptr;
};

TEST_F(Pad, TheStickAndButtonsHoldTheSameFlagsAsTheKeysAlongsideTheKeyboardStartPlaysAndBackLeaves)
{
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    stick(-32768);  // pushed left: the ship turns counter-clockwise
    shipNewGame();
    shipUpdate(&PlayerShip, 0.25);
    EXPECT_EQ(PlayerShip.heading, 90 + 45);
    EXPECT_EQ(stick(-6000) + keyLeft, 0);  // inside the dead zone
    setAxis(pad, 1, -32768);               // pushed up: thrust
    inputPoll();
    EXPECT_EQ(keyUp, 1);
    setAxis(pad, 1, 0);
    pushKey(SDLK_LEFT, true);
    stick(-32768);
    EXPECT_EQ(stick(0) + keyLeft, 1);  // the keyboard still holds it
    button(PAD_FIRE, true);
    button(PAD_MISSILES_TOO, true);
    EXPECT_EQ(keySpace + keyM, 2);
    button(PAD_FIRE, false);
    EXPECT_EQ(keySpace + keyM, 1);
    spritesLoaded = 1;
    setButton(pad, PAD_START, 1);
    EXPECT_EQ(titleScreenRun(), 1);
    pushKey(SDLK_LEFT, false);
    EXPECT_EQ(button(PAD_BACK, true), 1);
}

TEST_F(Pad, IsLeftAloneWithoutJoysticks)
{
    joystickEnabled = 0;
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    EXPECT_EQ(stick(-32768) + button(PAD_BACK, true) + keyLeft, 0);
}
