// Broken, missing and odd files: the game started from a folder of its pictures and sounds
// with one file spoilt. One the game can never use stops the program itself with the game's
// own line and status 1, far from the memory the file declares; one it might use either stops
// it so (here in the test) or plays on unharmed: a moment of flying and firing, every rule of
// play holding.
//
// The bombs always run, each refused from its header: a PNG of 16000 x 16000 pixels (300 x 300
// for a frame of a set, just over their limit), a WAV of 8000 seconds, one whose header says it
// plays 2 GB a second, a sound in a picture's place. SKARVEL_BAD_FILE_MATRIX (needs ImageMagick)
// tries every file missing, empty, cut to half, replaced by random bytes of its length and as
// each bomb of its kind; each picture also as a valid picture of 1 x 1 pixels, the background
// also of 4096 x 4096. Of a numbered set, the first, a middle and the last frame are tried.

#include "driver.h"
#include "fixtures.h"
#include "play.h"

#include "platform/progdir.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace {

// Those before Half the game can never use.
enum Fault { Missing, Empty, Bomb, Disagreeing, Foreign, Half, RandomBytes, OnePixel, Huge };
const char* const FAULTS[] = {"Missing", "Empty",       "Bomb",     "Disagreeing", "Foreign",
                              "Half",    "RandomBytes", "OnePixel", "Huge"};

struct BadFile {
    std::string path;     // in the game's folder, like "images/bg.png"
    std::string message;  // the game's words before the library's when it cannot use the file
    Fault fault;
    std::string test;  // the case's name, like "bg_Bomb"
};

void PrintTo(const BadFile& bad, std::ostream* out)
{
    *out << bad.test;
}

std::vector<BadFile> badFiles(bool matrix)
{
    // Every file of the game's table but the icon, which the window does without, with the
    // game's words for it: the first, a middle and the last frame of each set.
    std::vector<std::pair<std::string, std::string>> files;
    for (int index = 0; index < PICTURE_COUNT; index++) {
        const Picture picture = static_cast<Picture>(index);
        const char* words = pictureFile(picture).messages.load;
        for (const int number : pictureIsSet(picture) ? std::vector{1, 32, 64} : std::vector{0}) {
            char message[128] = "";
            if (words && pictureIsSet(picture))
                snprintf(message, sizeof message, words, number, "");
            else if (words)
                snprintf(message, sizeof message, words, "");
            if (words)
                files.push_back({assetPath(picture, number), std::string(message, strlen(message) - 1)});
        }
    }
    for (const char* sound : SOUND_FILES)
        files.push_back({assetPath(sound), "failed to load " + std::string(sound) + ": "});
    const std::set<std::string> bombs = {"bg_Bomb",      "ship0001_Bomb", "ready_Foreign",       "paused_Foreign",
                                         "demo_Foreign", "shoot3_Bomb",   "missile1_Disagreeing"};  // always run
    std::vector<BadFile> cases;
    for (const auto& [path, message] : files)
        for (const Fault fault : {Missing, Empty, Bomb, Disagreeing, Foreign, Half, RandomBytes, OnePixel, Huge}) {
            const bool picture = path.starts_with("images/");
            const bool fits = fault == Disagreeing      ? !picture
                : fault == Foreign || fault == OnePixel ? picture
                                                        : fault != Huge || path == "images/bg.png";
            const std::string test = std::filesystem::path(path).stem().string() + "_" + FAULTS[fault];
            if (fits && matrix != bombs.contains(test))
                cases.push_back({path, message, fault, test});
        }
    return cases;
}

// Puts the faulty file in place of the link gameCopy left out; the library's reason the game
// must then give, where it is known.
std::string spoil(const std::string& folder, const BadFile& bad)
{
    const std::string path = folder + "/" + bad.path;
    std::ifstream in(buildDirectory() + "/" + bad.path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::mt19937 random(static_cast<std::uint32_t>(bytes.size()));
    for (char& byte : bytes)
        byte = bad.fault == RandomBytes ? static_cast<char>(random()) : byte;
    if (bad.fault == Empty || bad.fault == Half || bad.fault == RandomBytes)
        std::ofstream(path, std::ios::binary)
            << bytes.substr(0, bad.fault == Half ? bytes.size() / 2 : bytes.size() * (bad.fault != Empty));
    const std::uint32_t side = bad.message.find(" frame ") != std::string::npos ? 300 : 16000;
    if (bad.fault == Bomb && bad.path.starts_with("images/"))
        return writePictureBomb(path, side, side),
               "picture too large: " + std::to_string(side) + " x " + std::to_string(side);
    if (bad.fault == Bomb || bad.fault == Foreign)
        return writeSoundBomb(path), bad.fault == Bomb ? "sound too long: 8000 seconds" : "not a PNG picture";
    // One sample a second, played as if 2 GB were a second's worth: the mixer would make gigabytes of it.
    if (bad.fault == Disagreeing)
        return writeSoundBomb(path, 2147483647), "its header's fields disagree";
    const std::string size = bad.fault == Huge ? "4096x4096" : "1x1";  // a real PNG in one colour
    if (bad.fault >= OnePixel) {
        EXPECT_EQ(std::system(("convert -size " + size + " xc:'#c03060' png:" + path).c_str()), 0);
    }
    return "";
}

class SpoiltFile : public ::testing::TestWithParam<BadFile> { };

}  // namespace

TEST_P(SpoiltFile, EitherStopWithTheGamesOwnLineOrPlayOnUnharmed)
{
    const BadFile& bad = GetParam();
    TempDir folder;
    gameCopy(folder.path(), {bad.path});
    const std::string reason = spoil(folder.path(), bad);
    std::string said, broken;
    bool loaded = false;
    if (bad.fault < Half) {
        Game game({.folder = folder.path()});
        EXPECT_EQ(game.wait(60), 1);
        EXPECT_LT(game.peakKilobytes(), 100 * 1024);
        said = game.errors();
    } else {
        progdirSet(folder.path().c_str());
        testing::internal::CaptureStderr();
        loaded = playStartup();
        if (loaded) {
            PlayWatch watch;
            playGameStart(watch);
            for (int frame = 0; frame < 200 && broken.empty(); frame++) {
                playKeys(frame < 150 ? "ULFM" : "");
                playStep(16);
                broken = playRulesBroken(watch);
            }
        }
        said = testing::internal::GetCapturedStderr();
    }
    // What the game wrote, less the lines libpng writes itself (through its default handler,
    // which SDL_image leaves in place) about a damaged picture.
    std::istringstream lines(said);
    std::string line, errors;
    while (std::getline(lines, line))
        errors += line.starts_with("libpng ") ? "" : line + "\n";

    if (!loaded) {
        // One line: the game's words, then the library's reason.
        EXPECT_EQ(errors.rfind(bad.message, 0), 0u) << errors;
        EXPECT_GT(errors.size(), bad.message.size() + 1) << "no reason given: " << errors;
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_LT(bad.fault, OnePixel) << "a valid picture of another size is no reason to stop";
        EXPECT_TRUE(reason.empty() || said == bad.message + reason + "\n") << said;
    } else {
        EXPECT_GE(bad.fault, Half) << "a file that is missing, empty, foreign or a bomb was played with";
        EXPECT_EQ(broken + errors, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Bombs, SpoiltFile, ::testing::ValuesIn(badFiles(false)),
                         [](const auto& info) { return info.param.test; });
#ifdef SKARVEL_BAD_FILE_MATRIX
INSTANTIATE_TEST_SUITE_P(BadFiles, SpoiltFile, ::testing::ValuesIn(badFiles(true)),
                         [](const auto& info) { return info.param.test; });
#endif
