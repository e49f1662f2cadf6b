// Whole games: the golden demos played by the game program itself, which must unfold exactly
// as recorded; a game recorded through the frame step and played back by the program; the
// rules of the world after every frame of random play with frames from a millisecond to
// stalls of three seconds, and no heap allocation once play has begun.
//
// scripts/golden.sh writes the digests of the golden demos in tests/demos anew, for when a
// change of the game's behaviour is meant. The soak is random play for longer:
// SKARVEL_SOAK_FRAMES frames (200000 when unset), every SKARVEL_SOAK_DRAW_EVERY-th drawn
// (4), seed SKARVEL_SOAK_SEED (1).

#include "driver.h"
#include "fixtures.h"
#include "heapcount.h"
#include "play.h"

#include "game/playback.h"
#include "game/record.h"
#include "player/ship.h"
#include "world/assets.h"
#include "world/numbers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

long setting(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atol(text) : fallback;
}

// Random play for that many frames, a game left at odds of one in leaveOdds a frame, every
// rule checked after every frame and, where the build can count them, no heap block taken by
// a frame or a new game; it must get through more than one game.
void playRandomly(long frames, std::uint32_t seed, long drawEvery, int leaveOdds)
{
    ASSERT_TRUE(playStartup());
    RandomPlayer player(seed);
    PlayWatch watch;
    playGameStart(watch);
    playStep(16);  // SDL sets up its own drawing at the first flip
    long games = 1;
    for (long frame = 0; frame < frames; frame++) {
        playKeys(player.nextKeys(), player.chance(leaveOdds));  // the queue may take memory, the game not
        const unsigned milliseconds = player.nextMilliseconds();
        const long before = heapCountTotal();
        heapCountStart();
        const int ended = playStep(milliseconds, frame % drawEvery == 0);
        if (ended)
            playGameStart(watch);
        heapCountStop();
        EXPECT_EQ(heapCountTotal(), before) << "frame " << frame << " took memory from the heap";
        const std::string broken = playRulesBroken(watch);
        if (!broken.empty()) {
            ADD_FAILURE() << "frame " << frame << " of game " << games << ", " << milliseconds << " ms: " << broken;
            break;
        }
        games += ended;
    }
    std::cout << frames << " frames, " << games << " games\n";
    EXPECT_GT(games, 1);
}

// The digest lines the game program prints playing a demo with -timedemo -digest.
std::string programDigests(const std::string& demo, std::string* errors = nullptr)
{
    TempDir folder;
    gameCopy(folder.path());
    Game game({.folder = folder.path(), .arguments = {"-window", "-timedemo", demo, "-digest"}});
    EXPECT_EQ(game.wait(300), 0) << game.errors();
    if (errors)
        *errors = game.errors();
    std::istringstream out(game.errors("stdout"));
    std::string line, digests;
    double median = 0, slowest = 0;
    while (std::getline(out, line)) {
        digests += line.starts_with("frame ") || line.starts_with("end ") ? line + "\n" : "";
        // Its figures: a frame takes some time, the median frame no longer than the 99th
        // percentile's.
        const std::size_t at = line.find("frames of ");
        if (line.starts_with("timedemo: ") && at != std::string::npos)
            sscanf(line.c_str() + at, "frames of %lf ms median and %lf ms", &median, &slowest);
    }
    EXPECT_TRUE(median > 0 && median <= slowest) << game.errors("stdout");
    return digests;
}

// Line by line, naming the first frame that went another way.
void expectSameDigests(const std::string& got, const std::string& expected, const std::string& what)
{
    std::istringstream gotLines(got), expectedLines(expected);
    std::string a, b;
    while (std::getline(expectedLines, b) && std::getline(gotLines, a))
        ASSERT_EQ(a, b) << what << " went another way by " << a.substr(0, a.find(':'));
    EXPECT_FALSE(expectedLines || std::getline(gotLines, a)) << what << " lasted another time";
}

class Play : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(playStartup()); }
};

}  // namespace

TEST(Golden, TheProgramPlaysEveryKeptDemoExactlyAsRecordedWithoutAWord)
{
    for (const char* demo : DEMO_FILES) {
        const std::string name = std::filesystem::path(demo).stem();
        const std::string base = std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/" + name;
        std::ifstream in(base + ".digest");
        const std::string expected(std::istreambuf_iterator<char>(in), {});
        std::string errors;
        expectSameDigests(programDigests(base + ".skdemo", &errors), expected, "the " + name + " demo");
        EXPECT_EQ(errors, "") << "a kept demo is of this version of the game";
    }
}

// A game recorded through the frame step, with stalls as long as a frame's word holds and
// longer, plays back the same in the program from its file.
TEST_F(Play, ARecordedGamePlaysBackTheSameInTheProgram)
{
    TempDir folder;
    const std::string file = folder / "game.skdemo";
    RandomPlayer player(9);
    PlayWatch watch;
    carried.bulletCooldown = 0.04;  // carried over from a game before
    ASSERT_TRUE(demoRecordOpen(file.c_str()));
    demoRecordStart(32);
    playGameStart(watch);
    std::string digests;
    int frame = 1;
    for (int ended = 0; !ended && frame <= 3000; frame++) {
        playKeys(player.nextKeys());
        // Stalls as long as a frame's word holds, and longer.
        const unsigned stall = frame == 1500 ? 40000 : frame == 1600 ? 32767 : 0;
        ended = playStep(stall ? stall : player.nextMilliseconds(), false, demoRecordFrame);
        if (frame % 100 == 0)
            digests += "frame " + std::to_string(frame) + ": " + playDigest() + "\n";
    }
    digests += "end " + std::to_string(frame - 1) + ": " + playDigest() + "\n";
    EXPECT_GT(frame, 1601) << "the game lasted past its stalls";
    ASSERT_TRUE(demoRecordFinish());
    expectSameDigests(programDigests(file), digests, "the recorded game");
}

TEST_F(Play, RandomGamesKeepEveryRuleAndTakeNoMemoryAfterEveryFrame)
{
    playRandomly(10000, 20240601, 1, 1500);
}

TEST(Soak, ManyGamesOfRandomPlayKeepEveryRuleAfterEveryFrame)
{
    playRandomly(setting("SKARVEL_SOAK_FRAMES", 200000), static_cast<std::uint32_t>(setting("SKARVEL_SOAK_SEED", 1)),
                 std::max(1L, setting("SKARVEL_SOAK_DRAW_EVERY", 4)), 20000);
}
