// The platform under the game: the presentation it chooses, the frames' statistics, the
// keyboard and the gamepad through SDL's real event queue, and the sound channels.

#include "fixtures.h"
#include "game/actions.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "game/title.h"
#include "platform/framestats.h"
#include "platform/library.h"
#include "platform/pictures.h"
#include "platform/present.h"
#include "platform/progdir.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "world/assets.h"

#include <SDL_mixer.h>

#include <dlfcn.h>

namespace {

// SDL not yet started, as the game finds it.
class Sound : public ::testing::Test {
protected:
    void SetUp() override { platformReset(); }
    void TearDown() override { platformReset(); }
};

}  // namespace

// Software where OpenGL would be drawn by the processor, OpenGL where a graphics driver
// draws, the player's own driver kept, and the command line above all.
TEST(Presentation, FollowsWhatTheMachineCanDoThePlayersOwnSettingAndLastTheCommandLine)
{
    const auto A = Presentation::Auto, S = Presentation::Software, G = Presentation::OpenGL;
    const std::tuple<Presentation, PresentFacts, const char*> cases[] = {
        {A, {true, false, nullptr, nullptr, nullptr}, "software"},  // Xvfb, Xvnc, a forwarded display; full screen too
        {A, {true, true, nullptr, nullptr, nullptr}, nullptr},      // DRI3 or DRI2: a driver draws
        {A, {false, false, nullptr, nullptr, nullptr}, nullptr},    // no X display: SDL knows best
        {A, {true, true, "1", nullptr, nullptr}, "software"},
        {A, {true, true, "0", nullptr, nullptr}, nullptr},
        {A, {true, true, nullptr, "llvmpipe", nullptr}, "software"},
        {A, {true, true, nullptr, "radeonsi", nullptr}, nullptr},
        {A, {true, false, nullptr, nullptr, "opengles2"}, "opengles2"},
        {S, {true, true, nullptr, nullptr, "opengl"}, "software"},
        {G, {true, false, "1", "llvmpipe", "software"}, nullptr},
    };
    for (const auto& [asked, facts, driver] : cases) {
        const char* chosen = presentRenderDriver(asked, facts);
        EXPECT_EQ(std::string(chosen ? chosen : "SDL's own"), std::string(driver ? driver : "SDL's own"))
            << facts.xDisplay << facts.directRendering << (facts.alwaysSoftware ? facts.alwaysSoftware : "-")
            << (facts.gallium ? facts.gallium : "-") << (facts.renderDriver ? facts.renderDriver : "-");
    }
}

// 98 frames of 16.7 ms, one of 30 and one stall of a quarter second.
TEST(FrameStats, ReadTheMedianThe99thPercentileTheLongestAndTheLateOnesToATenthOfAMillisecond)
{
    FrameHistogram h{};
    for (int frame = 0; frame < 98; frame++)
        histogramAdd(&h, frame % 2 ? 16.7 : 0.04);  // unpaced frames can take under a tenth
    histogramAdd(&h, 30);
    histogramAdd(&h, 250);  // beyond the last bin, kept as the longest
    EXPECT_EQ(std::tuple(h.count, h.longest), std::tuple(100u, 250.0));
    EXPECT_NEAR(histogramShare(&h, 0.25), 0.05, 1e-9);
    EXPECT_NEAR(histogramShare(&h, 0.5), 16.75, 1e-9);  // the middle of the bin 16.7 to 16.8
    EXPECT_NEAR(histogramShare(&h, 0.99), 30.05, 1e-9);
    EXPECT_EQ(histogramShare(&h, 1.0), 250);
    EXPECT_EQ(histogramOver(&h, 25), 2u);  // later than 1.5 refreshes at 60 a second
}

class Input : public ScreenTest { };

// Every key of the table's actions of play holds its action, and only it, from its press to
// its release; keys of no action do nothing.
TEST_F(Input, EachKeyOfAnActionHoldsItFromPressToReleaseAndOtherKeysDoNothing)
{
    for (const ActionInfo& action : ACTIONS)
        for (const SDLKey key : action.keys) {
            if (key == SDLK_UNKNOWN || !action.inPlay || action.action == Action::Leave)
                continue;
            pushKey(key, true);
            for (SDLKey other : {SDLK_a, SDLK_LCTRL, SDLK_LSHIFT})
                pushKey(other, true);
            const PlayLook pressed = inputPoll(false);
            EXPECT_EQ(pressed.controls.pressed, actionBit(action.action)) << action.name << " " << key;
            const Uint16 held = inputPoll(false).controls.held;  // no event: still held
            pushKey(key, false);
            const Uint16 released = inputPoll(false).controls.held;
            EXPECT_EQ(std::tuple(pressed.controls.held, held, released, pressed.leave),
                      std::tuple(actionBit(action.action), actionBit(action.action), 0, false))
                << action.name << " " << key;
        }
}

TEST_F(Sound, EffectsPlayOnTheLowestIdleOfFourChannelsAreDroppedWhenAllAreBusyAndPlayOut)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(soundInit(SOUND_FILES, SOUND_COUNT), 0);
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

// An SDL2 virtual gamepad, plugged in before the game's start-up as a real one would be, or
// later; the SDL 1.2 joysticks the game reads are SDL2's underneath. The classic library reads
// the kernel's devices itself, which this machine has none of, so no pad reaches it.
class Pad : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (libraryClassic())
            GTEST_SKIP() << "the classic SDL 1.2 sees no SDL2 virtual pad";
        platformReset();
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW);
        ASSERT_NE(sdl2, nullptr) << dlerror();
        const auto init = reinterpret_cast<int (*)(Uint32)>(dlsym(sdl2, "SDL_InitSubSystem"));
        attach = reinterpret_cast<int (*)(int, int, int, int)>(dlsym(sdl2, "SDL_JoystickAttachVirtual"));
        detach = reinterpret_cast<int (*)(int)>(dlsym(sdl2, "SDL_JoystickDetachVirtual"));
        open = reinterpret_cast<void* (*)(int)>(dlsym(sdl2, "SDL_JoystickOpen"));
        close = reinterpret_cast<void (*)(void*)>(dlsym(sdl2, "SDL_JoystickClose"));
        setAxis = reinterpret_cast<int (*)(void*, int, Sint16)>(dlsym(sdl2, "SDL_JoystickSetVirtualAxis"));
        setButton = reinterpret_cast<int (*)(void*, int, Uint8)>(dlsym(sdl2, "SDL_JoystickSetVirtualButton"));
        ASSERT_EQ(init(0x200), 0);  // SDL2's joysticks, kept while the game stops and starts its own
    }
    void TearDown() override
    {
        // The pad lets go of everything while the game can still ask it.
        for (int number = 0; number < 8 && pad; number++) {
            setButton(pad, number, 0);
            setAxis(pad, number % 2, 0);
            inputPoll(false);
        }
        if (pad)
            pull();
        platformReset();
    }
    // A game controller: 2 axes, 8 buttons, a d-pad.
    void plugIn() { ASSERT_NE(pad = open(attach(1, 2, 8, 1)), nullptr); }
    void pull()
    {
        close(pad);
        pad = nullptr;
        detach(0);
    }
    // The look at the player after the pad moved or a button went.
    PlayLook stick(Sint16 x)
    {
        setAxis(pad, 0, x);
        return inputPoll(false);
    }
    PlayLook button(Action action, int which, bool down)
    {
        setButton(pad, ACTIONS[static_cast<int>(action)].buttons[which], down);
        return inputPoll(false);
    }
    void* pad = nullptr;
    int (*attach)(int, int, int, int) = nullptr;
    int (*detach)(int) = nullptr;
    void* (*open)(int) = nullptr;
    void (*close)(void*) = nullptr;
    int (*setAxis)(void*, int, Sint16) = nullptr;
    int (*setButton)(void*, int, Uint8) = nullptr;
};

TEST_F(Pad, TheStickAndButtonsHoldTheActionsAlongsideTheKeyboardStartPlaysAndBackLeaves)
{
    plugIn();
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    EXPECT_EQ(stick(-32768).controls.held, actionBit(Action::Left));  // pushed left: the ship turns left
    EXPECT_EQ(stick(-6000).controls.held, 0);                         // inside the dead zone
    setAxis(pad, 1, -32768);                                          // pushed up: thrust
    EXPECT_EQ(inputPoll(false).controls.held, actionBit(Action::Thrust));
    setAxis(pad, 1, 0);
    pushKey(SDLK_LEFT, true);
    stick(-32768);
    EXPECT_EQ(stick(0).controls.held, actionBit(Action::Left));  // the keyboard still holds it
    button(Action::Fire, 0, true);
    EXPECT_EQ(button(Action::Missiles, 1, true).controls.held,
              actionBit(Action::Left) | actionBit(Action::Fire) | actionBit(Action::Missiles));
    EXPECT_EQ(button(Action::Fire, 0, false).controls.held, actionBit(Action::Left) | actionBit(Action::Missiles));
    spritesLoaded = true;
    setButton(pad, ACTIONS[static_cast<int>(Action::Start)].buttons[0], 1);
    EXPECT_EQ(titleScreenRun(), 1);
    pushKey(SDLK_LEFT, false);
    EXPECT_TRUE(button(Action::Leave, 0, true).leave);
    // The pad's first button, bound to pause instead of fire, pauses.
    bindings[static_cast<int>(Action::Fire)].buttons[0] = -1;
    bindings[static_cast<int>(Action::Pause)].buttons[0] = 0;
    setButton(pad, 0, 1);
    EXPECT_TRUE(inputPoll(false).paused);
    bindingsDefault();
}

TEST_F(Pad, PluggedInOnTheTitleScreenItStartsAGamePulledOutInPlayItLetsGoAndPauses)
{
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    spritesLoaded = true;
    plugIn();
    // The title screen looks for pads once a second: within a few, the pad's start button,
    // pressed again and again, starts the game.
    int started = TITLE_WAITING;
    for (int step = 0; step < 50 && started == TITLE_WAITING; step++) {
        setButton(pad, ACTIONS[static_cast<int>(Action::Start)].buttons[0], step % 2 == 0);
        started = titleScreenStep();
    }
    ASSERT_EQ(started, 1);
    setButton(pad, ACTIONS[static_cast<int>(Action::Start)].buttons[0], 0);
    EXPECT_EQ(button(Action::Fire, 0, true).controls.held, actionBit(Action::Fire));
    EXPECT_EQ(stick(-32768).controls.held, actionBit(Action::Fire) | actionBit(Action::Left));
    pull();
    const PlayLook look = inputPoll(false);
    EXPECT_EQ(std::tuple(look.controls.held, look.paused), std::tuple(0, true));
    EXPECT_EQ(inputPoll(false).controls.held, 0);
}

TEST_F(Pad, IsLeftAloneWithoutJoysticks)
{
    plugIn();
    joystickEnabled = false;
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    stick(-32768);
    const PlayLook look = button(Action::Leave, 0, true);
    EXPECT_EQ(std::tuple(look.controls.held, look.leave), std::tuple(0, false));
}

// Every message a picture's failure can give, as the game's table words it: its file missing,
// the picture not to be put in the screen's format (there is no screen yet), its see-through
// colour not to be set (SDL refuses that for no picture the game reads, so those words are held
// as written). The game has always said these words; a few are held here as they read.
TEST(Pictures, EachFailureOfEachPictureIsToldInTheGamesOwnWords)
{
    const auto told = [](Picture picture) {
        testing::internal::CaptureStderr();
        SpriteFrames frames{};
        if (pictureIsSet(picture))
            spriteFramesLoad(pictureFile(picture), frames);
        else
            SDL_FreeSurface(pictureLoad(pictureFile(picture)));
        return testing::internal::GetCapturedStderr();
    };
    // A message of the table said for the first frame, or a single picture, with that reason.
    const auto line = [](Picture picture, const char* words, const char* why) {
        char said[200] = "";
        if (words && pictureIsSet(picture))
            snprintf(said, sizeof said, words, 1, why);
        else if (words)
            snprintf(said, sizeof said, words, why);
        return std::string(said);
    };
    platformReset();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);  // no screen: nothing can take its format
    const TempDir empty;
    for (int index = 0; index < PICTURE_COUNT; index++) {
        const Picture picture = static_cast<Picture>(index);
        const PictureMessages& words = pictureFile(picture).messages;
        progdirSet(empty.path().c_str());
        const std::string missing = told(picture);
        EXPECT_EQ(missing, line(picture, words.load, SDL_GetError())) << index;
        progdirSet(buildDirectory().c_str());
        const std::string unformatted = told(picture);
        EXPECT_EQ(unformatted, line(picture, words.format, SDL_GetError())) << index;
        EXPECT_EQ(!words.load, picture == Picture::Icon) << index;  // the window does without its icon
        EXPECT_EQ(!words.colorKey,
                  pictureFile(picture).key == PictureKey::Raw || pictureFile(picture).key == PictureKey::Opaque)
            << index;
    }
    EXPECT_EQ(line(Picture::Background, pictureFile(Picture::Background).messages.load, "why"),
              "failed to load bg.bmp: why\n");
    EXPECT_EQ(line(Picture::Numbers, pictureFile(Picture::Numbers).messages.colorKey, "why"),
              "failed to set color key for numbers: why\n");
    EXPECT_EQ(line(Picture::ShipFrames, pictureFile(Picture::ShipFrames).messages.format, "why"),
              "failed to format ship frame 1 for display: why\n");
    EXPECT_EQ(line(Picture::Intro, pictureFile(Picture::Intro).messages.format, "why"),
              "failed to format intro.bmp for display: why\n");
    platformReset();
}
