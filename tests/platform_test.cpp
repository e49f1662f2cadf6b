// The platform under the game: the presentation it chooses, the frames' statistics, the
// keyboard and the gamepad through SDL's real event queue, and the sound channels.

#include "fixtures.h"
#include "game/actions.h"
#include "game/controlscreen.h"
#include "game/settings.h"
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
#include "platform/text.h"
#include "world/assets.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <dlfcn.h>
#include <fstream>
#include <functional>
#include <vector>

namespace {

// SDL not yet started, as the game finds it.
class Sound : public ::testing::Test {
protected:
    void SetUp() override { platformReset(); }
    void TearDown() override { platformReset(); }
};

// The font as the generator wrote it, and what it holds read here, apart from the text module:
// a pixel's alpha and colour, a glyph's width from its ruler, a style's line from its column.
SDL_Surface* fontPicture()
{
    static SDL_Surface* font = gamePicture(assetPath(Picture::Font).substr(strlen("images/")));
    return font;
}

int alphaAt(int x, int y, Rgb* colour = nullptr)
{
    SDL_Surface* font = fontPicture();
    const Uint32 value = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(font->pixels) + y * font->pitch)[x];
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, font->format, &r, &g, &b, &a);
    if (colour)
        *colour = {r, g, b};
    return a;
}

int rulerWidth(TextStyle style, char character)
{
    const GlyphPlace at = glyphPlace(style, character, GlyphLayer::Over);
    int width = 0;
    while (alphaAt(at.x + glyphStyle(style).over.penX + width, at.y) == 255)
        width++;
    return width;
}

// The line's top in the space's outline cell, and its height.
std::pair<int, int> line(TextStyle style)
{
    const GlyphPlace at = glyphPlace(style, ' ', GlyphLayer::Under);
    int top = 0, height = 0;
    while (alphaAt(at.x, at.y + top) == 0)
        top++;
    while (alphaAt(at.x, at.y + top + height) == 255)
        height++;
    return {top, height};
}

// The pixels around a line of text written with its top at (x, y), on the screen filled with
// `back` before, that are not as the font's cells put them: where no cell of its glyphs has
// alpha the background, where a glyph's fill is opaque that fill's colour within the screen's
// rounding, whatever the outlines and glows of the glyphs after it.
int misplaced(const std::vector<TextRun>& runs, int x, int y, Rgb back, int rounding)
{
    int ascent = 0;
    for (const TextRun& run : runs)
        ascent = std::max(ascent, glyphStyle(run.style).under.baseline - line(run.style).first);
    std::vector<int> touched(640 * 480, 0);
    std::vector<Rgb> fill(640 * 480, NO_KEY);
    int pen = x;
    for (const TextRun& run : runs)
        for (const char* c = run.text; *c; pen += rulerWidth(run.style, *c++))
            for (const GlyphLayer layer : {GlyphLayer::Under, GlyphLayer::Over}) {
                const GlyphCell& cell = glyphCell(run.style, layer);
                const GlyphPlace at = glyphPlace(run.style, *c, layer);
                for (int cy = 1; cy < cell.height; cy++)
                    for (int cx = 1; cx < cell.width; cx++) {
                        Rgb colour;
                        const int alpha = alphaAt(at.x + cx, at.y + cy, &colour);
                        const int spot = (y + ascent - cell.baseline + cy) * 640 + pen - cell.penX + cx;
                        touched[spot] += alpha > 0;
                        if (layer == GlyphLayer::Over && alpha == 255)
                            fill[spot] = colour;
                    }
            }
    int wrong = 0;
    for (int sy = y - 40; sy < y + 80; sy++)
        for (int sx = x - 40; sx < pen + 40; sx++) {
            const Rgb got = pixelAt(screenSurface, sx, sy), want = fill[sy * 640 + sx];
            if (!touched[sy * 640 + sx])
                wrong += !(got == back);
            else if (!(want == NO_KEY))
                wrong +=
                    std::max({std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)}) > rounding;
        }
    return wrong;
}

class Text : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_NE(fontPicture(), nullptr);
        textLoad(pictureLoad(pictureFile(Picture::Font)));
    }
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
        histogramAdd(&h, frame % 2 ? 16.7 : 0.44);  // unpaced frames can take under a millisecond
    histogramAdd(&h, 30);
    histogramAdd(&h, 250);  // beyond the last bin, kept as the longest
    EXPECT_EQ(std::tuple(h.count, h.longest), std::tuple(100u, 250.0));
    EXPECT_NEAR(histogramShare(&h, 0.25), 0.45, 1e-9);
    EXPECT_NEAR(histogramShare(&h, 0.5), 16.75, 1e-9);  // the middle of the bin 16.7 to 16.8
    EXPECT_NEAR(histogramShare(&h, 0.99), 30.05, 1e-9);
    EXPECT_EQ(histogramShare(&h, 1.0), 250);
    EXPECT_EQ(histogramOver(&h, 25), 2u);  // later than 1.5 refreshes at 60 a second
    // The line -framestats prints of the games played: those frames shown a 60th of a second
    // apart but two, a tenth and half a second late.
    frameStatsRestart();
    double now = 100;
    for (const double interval : {0.0, 1 / 60.0, 1 / 60.0, 0.1, 1 / 60.0, 0.5, 1 / 60.0})
        frameStatsShown(now += interval);
    char line[256];
    frameStatsLine(line, sizeof line, "software", 1 / 60.0);
    EXPECT_STREQ(line,
                 "framestats: software, 7 frames, intervals median 16.7 ms, 99th percentile 500.0 ms, "
                 "longest 500.0 ms, 2 late (33.3%)");
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
// later; the SDL 1.2 joysticks the game reads are SDL2's underneath. Each is a plain joystick
// numbered as a PlayStation pad is under Linux's own driver (Cross 0, Circle 1, Triangle 2,
// Square 3, L1 4, R1 5, L2 6, R2 7, Share 8, Options 9, PS 10, the sticks 11 and 12, the d-pad
// a hat), with SDL told its layout as SDL's database tells it of a known pad, or not told: a
// pad whose layout is not known. The classic library reads the kernel's devices itself, which
// this machine has none of, so no pad reaches it.
class Pad : public ::testing::Test {
protected:
    enum Raw { Cross, Circle, Triangle, Square, L1, R1, L2, R2, Share, Options, Ps, L3, R3 };

    void SetUp() override
    {
        if (libraryClassic())
            GTEST_SKIP() << "the classic SDL 1.2 sees no SDL2 virtual pad";
        platformReset();
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW);
        ASSERT_NE(sdl2, nullptr) << dlerror();
        const auto call = [sdl2](const char* name) { return dlsym(sdl2, name); };
        const auto init = reinterpret_cast<int (*)(Uint32)>(call("SDL_InitSubSystem"));
        attach = reinterpret_cast<int (*)(int, int, int, int)>(call("SDL_JoystickAttachVirtual"));
        detach = reinterpret_cast<int (*)(int)>(call("SDL_JoystickDetachVirtual"));
        open = reinterpret_cast<void* (*)(int)>(call("SDL_JoystickOpen"));
        close = reinterpret_cast<void (*)(void*)>(call("SDL_JoystickClose"));
        setAxis = reinterpret_cast<int (*)(void*, int, Sint16)>(call("SDL_JoystickSetVirtualAxis"));
        setButton = reinterpret_cast<int (*)(void*, int, Uint8)>(call("SDL_JoystickSetVirtualButton"));
        setHat = reinterpret_cast<int (*)(void*, int, Uint8)>(call("SDL_JoystickSetVirtualHat"));
        guidOf = reinterpret_cast<Guid (*)(int)>(call("SDL_JoystickGetDeviceGUID"));
        guidText = reinterpret_cast<void (*)(Guid, char*, int)>(call("SDL_JoystickGetGUIDString"));
        addMapping = reinterpret_cast<int (*)(const char*)>(call("SDL_GameControllerAddMapping"));
        // SDL2's joysticks and game controllers, kept while the game stops and starts its own.
        ASSERT_EQ(init(0x200 | 0x2000), 0);
    }
    void TearDown() override
    {
        // The pad lets go of everything while the game can still ask it.
        for (int number = 0; number <= R3 && pad; number++) {
            setButton(pad, number, 0);
            setAxis(pad, number % 2, 0);
        }
        if (pad) {
            setHat(pad, 0, 0);
            inputPoll(false);
            pull();
        }
        platformReset();
    }
    // Six axes, thirteen buttons, a hat; with SDL told where its buttons are, or not.
    void plugIn(bool layoutKnown)
    {
        const int device = attach(0, 6, R3 + 1, 1);
        ASSERT_GE(device, 0);
        char guid[64];
        guidText(guidOf(device), guid, sizeof guid);
        std::fill(guid + 4, guid + 8, '0');  // no checksum of the name, as SDL's own database has it
        const std::string mapping = std::string(guid) +
            ",PlayStation pad,a:b0,b:b1,y:b2,x:b3,leftshoulder:b4,rightshoulder:b5,lefttrigger:b6,"
            "righttrigger:b7,back:b8,start:b9,guide:b10,leftstick:b11,rightstick:b12,dpup:h0.1,dpright:h0.2,"
            "dpdown:h0.4,dpleft:h0.8,leftx:a0,lefty:a1,rightx:a3,righty:a4,";
        if (layoutKnown) {
            ASSERT_GE(addMapping(mapping.c_str()), 0);
        }
        ASSERT_NE(pad = open(device), nullptr);
    }
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
    PlayLook press(int raw, bool down = true)
    {
        setButton(pad, raw, down);
        return inputPoll(false);
    }
    PlayLook hat(Uint8 value)
    {
        setHat(pad, 0, value);
        return inputPoll(false);
    }
    // The title screen looks for pads once a second: within a few, the button, pressed again
    // and again, decides.
    int titleAfter(int raw)
    {
        int decided = TITLE_WAITING;
        for (int step = 0; step < 50 && decided == TITLE_WAITING; step++) {
            setButton(pad, raw, step % 2 == 0);
            decided = titleScreenStep();
        }
        press(raw, false);  // let go, and seen so, before the next press
        return decided;
    }
    struct Guid {
        Uint8 data[16];
    };
    void* pad = nullptr;
    int (*attach)(int, int, int, int) = nullptr;
    int (*detach)(int) = nullptr;
    void* (*open)(int) = nullptr;
    void (*close)(void*) = nullptr;
    int (*setAxis)(void*, int, Sint16) = nullptr;
    int (*setButton)(void*, int, Uint8) = nullptr;
    int (*setHat)(void*, int, Uint8) = nullptr;
    Guid (*guidOf)(int) = nullptr;
    void (*guidText)(Guid, char*, int) = nullptr;
    int (*addMapping)(const char*) = nullptr;
};

// Laid out, the PlayStation pad plays as any pad does: Cross and Square fire, Circle and
// Triangle missiles, Options starts and pauses, Share leaves; L2, a trigger, does nothing; the
// stick and the d-pad turn, alongside the keyboard.
TEST_F(Pad, APadWhoseLayoutIsKnownPlaysByWhatItsButtonsAreAlongsideTheKeyboard)
{
    plugIn(true);
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    EXPECT_EQ(stick(-32768).controls.held, actionBit(Action::Left));  // pushed left: the ship turns left
    EXPECT_EQ(stick(-6000).controls.held, 0);                         // inside the dead zone
    EXPECT_EQ(hat(SDL_HAT_UP).controls.held, actionBit(Action::Thrust));
    EXPECT_EQ(hat(SDL_HAT_RIGHT | SDL_HAT_DOWN).controls.held, actionBit(Action::Right) | actionBit(Action::Brake));
    hat(0);
    pushKey(SDLK_LEFT, true);
    stick(-32768);
    EXPECT_EQ(stick(0).controls.held, actionBit(Action::Left));  // the keyboard still holds it
    EXPECT_EQ(press(Cross).controls.held, actionBit(Action::Left) | actionBit(Action::Fire));
    EXPECT_EQ(press(Triangle).controls.held,
              actionBit(Action::Left) | actionBit(Action::Fire) | actionBit(Action::Missiles));
    press(Cross, false);
    EXPECT_EQ(press(Triangle, false).controls.held, actionBit(Action::Left));
    pushKey(SDLK_LEFT, false);
    for (const int nothing : {L2, R2, L1})
        EXPECT_EQ(std::tuple(press(nothing).controls.held, press(nothing, false).paused), std::tuple(0, false))
            << nothing;
    EXPECT_EQ(press(Square).controls.held, actionBit(Action::Fire));
    press(Square, false);
    spritesLoaded = true;
    EXPECT_EQ(titleAfter(Options), 1);
    EXPECT_TRUE(press(Options).paused);
    press(Options, false);
    EXPECT_TRUE(press(Share).leave);
    // The pad's own number bound to pause, instead of a name, pauses on this pad.
    bindings[static_cast<int>(Action::Fire)].buttons[0] = -1;
    bindings[static_cast<int>(Action::Pause)].buttons[0] = Cross;
    EXPECT_TRUE(press(Cross).paused);
    bindingsDefault();
}

// A pad SDL knows no layout of is read by its numbers as an Xbox pad numbers them: this one's
// Cross (0) fires, its R2 (7) starts and pauses, its L2 (6) leaves; its Options (9) does
// nothing. Plugged in on the title screen, it starts a game; pulled out in play it lets go and
// pauses.
TEST_F(Pad, APadOfNoKnownLayoutPlaysByItsNumbersPluggedInOnTheTitleAndPulledOutInPlay)
{
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    spritesLoaded = true;
    plugIn(false);
    ASSERT_EQ(titleAfter(R2), 1);
    EXPECT_EQ(press(Cross).controls.held, actionBit(Action::Fire));
    EXPECT_EQ(std::tuple(press(Options).paused, press(Options, false).controls.held),
              std::tuple(false, actionBit(Action::Fire)));
    EXPECT_EQ(stick(-32768).controls.held, actionBit(Action::Fire) | actionBit(Action::Left));
    EXPECT_EQ(hat(SDL_HAT_UP).controls.held,
              actionBit(Action::Fire) | actionBit(Action::Left) | actionBit(Action::Thrust));
    pull();
    const PlayLook look = inputPoll(false);
    EXPECT_EQ(std::tuple(look.controls.held, look.paused), std::tuple(0, true));
    EXPECT_EQ(inputPoll(false).controls.held, 0);
}

// The controls screen by pad: the d-pad down to fire, Cross (a) to wait, then L1, bound by its
// name; saved at once, and L1 fires in play. Circle (b) returns to the title.
TEST_F(Pad, OnTheControlsScreenTheNextButtonIsBoundByItsNameSavedAndPlayed)
{
    plugIn(true);
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    const TempDir folder;
    const std::string file = folder / "skarvel.conf";
    CommandLine args;
    args.settings = file;
    settingsApply(file, settingsRead(file, true), args);
    // A step of the screen after the pad did something, and after it let go again.
    const auto step = [&](const std::function<void(bool)>& pad) {
        pad(true);
        const int first = controlScreenStep();
        pad(false);
        return first == CONTROLS_GOING ? controlScreenStep() : first;
    };
    controlScreenOpen();
    for (int down = 0; down < static_cast<int>(Action::Fire); down++)
        ASSERT_EQ(step([&](bool on) { setHat(pad, 0, on ? SDL_HAT_DOWN : 0); }), CONTROLS_GOING);
    ASSERT_EQ(step([&](bool on) { setButton(pad, Cross, on); }), CONTROLS_GOING);
    ASSERT_EQ(step([&](bool on) { setButton(pad, L1, on); }), CONTROLS_GOING);
    std::ifstream saved(file);
    const std::string text(std::istreambuf_iterator<char>(saved), {});
    EXPECT_NE(text.find("pad fire = leftshoulder, x\n"), std::string::npos) << text;
    EXPECT_EQ(step([&](bool on) { setButton(pad, Circle, on); }), 1);
    EXPECT_EQ(press(L1).controls.held, actionBit(Action::Fire));
    EXPECT_EQ(press(L1, false).controls.held, 0);
    EXPECT_EQ(press(Cross).controls.held, 0) << "no more fire";
    bindingsDefault();
}

TEST_F(Pad, IsLeftAloneWithoutJoysticks)
{
    plugIn(true);
    joystickEnabled = false;
    ASSERT_EQ(appInit(640, 480, 32, 0), 0);
    stick(-32768);
    const PlayLook look = press(Share);
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
        const PictureKey key = pictureFile(picture).key;
        EXPECT_EQ(!words.colorKey, key == PictureKey::Raw || key == PictureKey::Opaque || key == PictureKey::Alpha)
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

// Every style is measured by what the font holds: each glyph's width its ruler, a line's
// height its column; text that is no printable ASCII as '?'. A picture of another size holds
// no style: nothing is measured, nothing written.
TEST_F(Text, MeasuresEveryStyleByTheRulersAndLinesTheFontHolds)
{
    std::string all;
    for (char c = GLYPH_FIRST; c <= GLYPH_LAST; c++)
        all += c;
    for (int index = 0; index < TEXT_STYLE_COUNT; index++) {
        const TextStyle style = static_cast<TextStyle>(index);
        int sum = 0;
        for (const char c : all) {
            const char one[2] = {c, 0};
            EXPECT_EQ(textWidth(style, one), rulerWidth(style, c)) << index << " '" << c << "'";
            sum += rulerWidth(style, c);
        }
        EXPECT_EQ(textWidth(style, all.c_str()), sum) << index;
        EXPECT_EQ(textWidth(style, "\t\xe9"), 2 * textWidth(style, "?")) << index;
        EXPECT_GT(textWidth(style, "W"), textWidth(style, "i")) << index;
        EXPECT_GT(textWidth(style, "i"), 0) << index;
        EXPECT_EQ(textHeight(style), line(style).second) << index;
    }
    EXPECT_GT(textHeight(TextStyle::Heading), textHeight(TextStyle::Key));

    fillScreen(BLUE);
    textLoad(solidSurface(64, 64, MAGENTA));
    textDraw(TextStyle::Key, "Space", 0, 0);
    EXPECT_EQ(std::tuple(textWidth(TextStyle::Key, "Space"), textHeight(TextStyle::Heading),
                         countColour(screenSurface, BLUE, {0, 0, 64, 64})),
              std::tuple(0, 0, 64 * 64));
}

// Each glyph lands where its cells put it and is blended by its alpha, on the default screen of
// 16 bits as on one of 32; a line's outlines and glows go under all of its letters, across runs
// of other styles too.
TEST_F(Text, WritesEachGlyphWhereItsCellsPutItBlendedByItsAlphaAt32And16Bits)
{
    const std::vector<TextRun> keys = {{TextStyle::Key, "Hi!"}, {TextStyle::Word, " jump"}},
                               heading = {{TextStyle::Heading, "See"}, {TextStyle::HeadingKey, "e"}};
    for (const int depth : {32, 16}) {
        screenSurface = SDL_SetVideoMode(640, 480, depth, SDL_SWSURFACE);
        ASSERT_TRUE(screenSurface && screenSurface->format->BitsPerPixel == depth) << SDL_GetError();
        textLoad(pictureLoad(pictureFile(Picture::Font)));
        fillScreen({40, 60, 90});
        const Rgb back = pixelAt(screenSurface, 0, 0);
        textDrawRuns(keys.data(), 2, 100, 60);
        textDrawRuns(heading.data(), 2, 120, 250);
        const int rounding = depth == 16 ? 8 : 0;
        EXPECT_EQ(misplaced(keys, 100, 60, back, rounding), 0) << depth << " bits";
        EXPECT_EQ(misplaced(heading, 120, 250, back, rounding), 0) << depth << " bits";
        EXPECT_NE(pixelAt(screenSurface, 130, 75), back) << "nothing written";
    }
}
