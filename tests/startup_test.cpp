// Start-up: the command line, the display, the pictures and the sound, and what the player
// is told when any of it is missing.

#include "fixtures.h"
#include "game/options.h"
#include "platform/digits.h"
#include "platform/progdir.h"
#include "platform/sound.h"
#include "platform/startup.h"
#include "process.h"

#include <SDL_mixer.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

std::vector<char*> arguments(std::vector<std::string>& words)
{
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    return argv;
}

VideoRequest parse(std::vector<std::string> words)
{
    words.insert(words.begin(), "skarvel");
    std::vector<char*> argv = arguments(words);
    return optionsParse(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, NoArgumentsAskForFullScreenDoubleBufferedSixteenBits)
{
    const VideoRequest request = parse({});
    EXPECT_EQ(request.width, 640);
    EXPECT_EQ(request.height, 480);
    EXPECT_EQ(request.bitsPerPixel, 16);
    EXPECT_EQ(request.flags, static_cast<Uint32>(SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWSURFACE));
}

TEST(CommandLine, LaterOptionsWinAndUnknownOnesAreIgnored)
{
    EXPECT_TRUE(parse({"-window", "-fullscreen"}).flags & SDL_FULLSCREEN);
    EXPECT_FALSE(parse({"-fullscreen", "-window"}).flags & SDL_FULLSCREEN);
    EXPECT_FALSE(parse({"-double", "-single"}).flags & SDL_DOUBLEBUF);
    EXPECT_EQ(parse({"-windwo", "--bpp", "8"}).flags, DEFAULT_VIDEO_FLAGS);
    EXPECT_EQ(parse({"-windwo", "--bpp", "8"}).bitsPerPixel, 16);
}

TEST(CommandLine, DepthIsReadWithAtoiAndATrailingBppKeepsTheDefault)
{
    EXPECT_EQ(parse({"-bpp", "8"}).bitsPerPixel, 8);
    EXPECT_EQ(parse({"-bpp", "deep"}).bitsPerPixel, 0);
    EXPECT_EQ(parse({"-bpp", "24bits"}).bitsPerPixel, 24);
    EXPECT_EQ(parse({"-bpp", "8", "-bpp"}).bitsPerPixel, 8);
    EXPECT_EQ(parse({"-bpp"}).bitsPerPixel, 16);
}

// Each missing start-up file stops the game with its own line and status 1.
struct MissingFile {
    const char* file;
    const char* message;
};

class StartupFailure : public ::testing::TestWithParam<MissingFile> { };

TEST_P(StartupFailure, PrintsItsOneLineAndExitsWithOne)
{
    TempDir folder;
    gameCopy(folder.path(), {GetParam().file});
    const RunResult run = gameRun(folder.path(), {});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind(GetParam().message, 0), 0u) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    // The library's words after ours name the file as it was looked for.
    const std::string file = std::string(GetParam().file);
    EXPECT_NE(run.errors.find(folder.path() + "/" + file), std::string::npos) << run.errors;
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, StartupFailure,
    ::testing::Values(MissingFile{"images/bg.png", "failed to load bg.bmp: "},
                      MissingFile{"images/numbers.png", "failed to load numbers.bmp: "},
                      MissingFile{"images/intro.png", "failed to load intro.bmp: "},
                      MissingFile{"images/loading.png", "failed to load loading.bmp: "},
                      MissingFile{"images/ready.png", "failed to load ready.bmp: "},
                      MissingFile{"sounds/shoot3.wav", "failed to load progdir:sounds/shoot3.wav: "},
                      MissingFile{"sounds/missile1.wav", "failed to load progdir:sounds/missile1.wav: "},
                      MissingFile{"sounds/impact3.wav", "failed to load progdir:sounds/impact3.wav: "}));

TEST(Startup, AnUnavailableDepthIsRefusedWithoutLibraryText)
{
    TempDir folder;
    gameCopy(folder.path());
    const RunResult run = gameRun(folder.path(), {"-bpp", "99"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "requested video mode not available\n");
}

TEST(Startup, AMissingShipFrameEndsTheProgramFromTheTitleScreenWithZero)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    const RunResult run = gameRun(folder.path(), {});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors.rfind("failed to load ship frame 33: ", 0), 0u) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
}

TEST(Startup, AMissingSoundLeavesTheCaptionUnsetAndTriesNoLaterSound)
{
    useDummyDrivers();
    TempDir folder;
    gameCopy(folder.path(), {"sounds/missile1.wav"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(appInit(640, 480, 16, DEFAULT_VIDEO_FLAGS), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load progdir:sounds/missile1.wav: ", 0), 0u) << errors;

    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_TRUE(title == nullptr || std::string(title).empty()) << title;
    EXPECT_NE(backgroundImage, nullptr);  // what came before stays
    EXPECT_NE(soundTable[SOUND_SHOOT].chunk, nullptr);
    for (int id = SOUND_MISSILE; id <= SOUND_IMPACT3; id++)
        EXPECT_EQ(soundTable[id].chunk, nullptr) << id;
    EXPECT_EQ(numbersImage, nullptr);
}

TEST(Startup, OpensTheDepthSdlOffersRatherThanTheOneAskedFor)
{
    useDummyDrivers();
    TempDir folder;
    gameCopy(folder.path());
    progdirSet(folder.path().c_str());
    const int offered = [] {
        SDL_Init(SDL_INIT_VIDEO);
        return SDL_VideoModeOK(640, 480, 8, 0);
    }();
    ASSERT_NE(offered, 8) << "the dummy driver is expected to offer another depth for 8 bits";
    ASSERT_EQ(appInit(640, 480, 8, 0), 0);
    EXPECT_EQ(screenSurface->format->BitsPerPixel, offered);
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_STREQ(title, "Skarvel OS4");
    EXPECT_STREQ(icon, "Skarvel OS4");
    EXPECT_NE(introImage, nullptr);
    EXPECT_NE(readyImage, nullptr);
}

class SoundChannels : public ::testing::Test {
protected:
    void SetUp() override
    {
        useDummyDrivers();
        progdirSet(buildDirectory().c_str());
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(soundInit(), 0);
    }
    void TearDown() override { Mix_HaltChannel(-1); }
};

TEST_F(SoundChannels, TheLowestIdleOfTheFirstFourChannelsPlays)
{
    soundPlay(SOUND_EXPLODE);
    EXPECT_TRUE(Mix_Playing(0));
    EXPECT_FALSE(Mix_Playing(1));

    Mix_PlayChannel(1, soundTable[SOUND_EXPLODE].chunk, 0);
    soundPlay(SOUND_EXPLODE);  // 0 and 1 busy: channel 2, though 3 is idle too
    EXPECT_TRUE(Mix_Playing(2));
    EXPECT_FALSE(Mix_Playing(3));
}

TEST_F(SoundChannels, AFifthEffectAtOnceIsDroppedNotMovedToAnotherChannel)
{
    for (int i = 0; i < 5; i++)
        soundPlay(SOUND_EXPLODE);
    for (int channel = 0; channel < 4; channel++)
        EXPECT_TRUE(Mix_Playing(channel)) << channel;
    for (int channel = 4; channel < 8; channel++)
        EXPECT_FALSE(Mix_Playing(channel)) << channel;
}

TEST_F(SoundChannels, EffectsAreLoadedOnceAndPlayOutInTime)
{
    soundPlay(SOUND_SHOOT);
    ASSERT_TRUE(Mix_Playing(0));
    // The zap is short; once it has had its length the channel is free again.
    for (int waited = 0; waited < 300 && Mix_Playing(0); waited++)
        SDL_Delay(10);
    EXPECT_FALSE(Mix_Playing(0));
    soundPlay(SOUND_IMPACT2);
    EXPECT_TRUE(Mix_Playing(0));
}
