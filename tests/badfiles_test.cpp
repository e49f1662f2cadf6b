// Broken, missing and odd files: the game started from a folder holding its pictures and
// sounds with one file spoilt. Each start either stops with the game's own one line, or
// plays on unharmed: a moment of flying and firing with every rule of play holding.
//
// Each file is tried missing, empty, cut to half its length, replaced by random bytes of the
// same length and by a bomb (a PNG declaring 16000 x 16000 pixels, a WAV declaring 8000
// seconds), which must be refused by its header; each picture also as a valid picture of
// 1 x 1 pixels, the background also as one of 4096 x 4096. Of a numbered set, the first, a
// middle and the last frame are tried.

#include "driver.h"
#include "fixtures.h"
#include "play.h"

#include "game/title.h"
#include "platform/progdir.h"
#include "platform/startup.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

enum Fault { Missing, Empty, Half, RandomBytes, Bomb, OnePixel, Huge };
const char* const FAULTS[] = {"Missing", "Empty", "Half", "RandomBytes", "Bomb", "OnePixel", "Huge"};

struct BadFile {
    std::string path;     // in the game's folder, like "images/bg.png"
    std::string message;  // the game's words before the library's when it cannot use the file
    Fault fault;
};

std::vector<BadFile> badFiles()
{
    std::vector<std::pair<std::string, std::string>> files = {
        {"images/bg.png", "bg.bmp"},        {"images/numbers.png", "numbers.bmp"},
        {"images/intro.png", "intro.bmp"},  {"images/loading.png", "loading.bmp"},
        {"images/ready.png", "ready.bmp"},  {"images/smallship.png", "small ship"},
        {"images/bullet.png", "bullet.bmp"}};
    for (const std::string set : {"ship", "enemy", "missile", "shrapnel"})
        for (const std::string number : {"1", "32", "64"})
            files.push_back(
                {"images/" + set + std::string(4 - number.size(), '0') + number + ".png", set + " frame " + number});
    for (const std::string sound : {"shoot3", "missile1", "explode1", "impact1", "impact2", "impact3"})
        files.push_back({"sounds/" + sound + ".wav", "progdir:sounds/" + sound + ".wav"});
    std::vector<BadFile> cases;
    for (const auto& [path, name] : files)
        for (Fault fault : {Missing, Empty, Half, RandomBytes, Bomb, OnePixel, Huge})
            if (fault < OnePixel || (path.starts_with("images/") && (fault == OnePixel || path == "images/bg.png")))
                cases.push_back({path, "failed to load " + name + ": ", fault});
    return cases;
}

// Puts the faulty file in place of the link gameCopy left out.
void spoil(const std::string& folder, const BadFile& bad)
{
    std::ifstream in(buildDirectory() + "/" + bad.path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::mt19937 random(static_cast<std::uint32_t>(bytes.size()));
    for (char& byte : bytes)
        byte = bad.fault == RandomBytes ? static_cast<char>(random()) : byte;
    const std::size_t keep[] = {0, 0, bytes.size() / 2, bytes.size()};
    if (bad.fault >= Empty && bad.fault <= RandomBytes)
        std::ofstream(folder + "/" + bad.path, std::ios::binary) << bytes.substr(0, keep[bad.fault]);
    if (bad.fault == Bomb && bad.path.ends_with(".wav"))
        writeSoundBomb(folder + "/" + bad.path);
    else if (bad.fault == Bomb)
        writePictureBomb(folder + "/" + bad.path, 16000, 16000);
    const std::string size = bad.fault == Huge ? "4096x4096" : "1x1";  // a real PNG in one colour
    if (bad.fault >= OnePixel) {
        ASSERT_EQ(std::system(("convert -size " + size + " xc:'#c03060' png:" + folder + "/" + bad.path).c_str()), 0);
    }
}

class BadFiles : public ::testing::TestWithParam<BadFile> { };

}  // namespace

TEST_P(BadFiles, EitherStopWithTheGamesOwnLineOrPlayOnUnharmed)
{
    const BadFile& bad = GetParam();
    TempDir folder;
    gameCopy(folder.path(), {bad.path});
    ASSERT_NO_FATAL_FAILURE(spoil(folder.path(), bad));
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    std::string broken;
    const bool loaded = playStartup();
    if (loaded) {
        PlayWatch watch;
        playGameStart(watch);
        for (int frame = 0; frame < 200 && broken.empty(); frame++) {
            playKeys(frame < 150 ? "ULFM" : "");
            playStep(16);
            broken = playRulesBroken(watch);
        }
    }
    // What the game wrote, less the lines libpng writes itself (through its default handler,
    // which SDL_image leaves in place) about a damaged picture.
    std::istringstream lines(testing::internal::GetCapturedStderr());
    std::string line, errors;
    while (std::getline(lines, line))
        errors += line.starts_with("libpng ") ? "" : line + "\n";

    if (!loaded) {
        // One line: the game's words, then the library's reason.
        EXPECT_EQ(errors.rfind(bad.message, 0), 0u) << errors;
        EXPECT_GT(errors.size(), bad.message.size() + 1) << "no reason given: " << errors;
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_LT(bad.fault, OnePixel) << "a valid picture of another size is no reason to stop";
        const std::string bomb =
            bad.path.ends_with(".wav") ? "sound too long: 8000 seconds" : "picture too large: 16000 x 16000";
        EXPECT_TRUE(bad.fault != Bomb || errors == bad.message + bomb + "\n") << errors;
    } else {
        EXPECT_TRUE(bad.fault > Empty && bad.fault != Bomb)
            << "a file that is missing, empty or a bomb was played with";
        EXPECT_EQ(broken + errors, "");
    }
}

INSTANTIATE_TEST_SUITE_P(EachFile, BadFiles, ::testing::ValuesIn(badFiles()), [](const auto& info) {
    return std::filesystem::path(info.param.path).stem().string() + "_" + FAULTS[info.param.fault];
});
