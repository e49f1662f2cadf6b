// Whole games played headless: golden demos that must unfold exactly as recorded, a game
// recorded and played back, the rules
// of the world after every frame of random and stubborn play with frames from a millisecond
// to stalls of three seconds, and no heap allocation once play has begun.
//
// SKARVEL_GOLDEN_RECORD=1 (scripts/golden.sh) writes the digests of the golden demos in
// tests/demos anew, for when a change of the game's behaviour is meant. The soak is random play for longer:
// SKARVEL_SOAK_FRAMES frames (200000 when unset), every SKARVEL_SOAK_DRAW_EVERY-th drawn (4), seed SKARVEL_SOAK_SEED
// (1).

#include "fixtures.h"
#include "heapcount.h"
#include "play.h"

#include "game/demo.h"
#include "game/frameloop.h"
#include "platform/input.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/passes.h"
#include "world/pools.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

long setting(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atol(text) : fallback;
}

// Random play for that many frames, every rule checked after every frame and, where the
// build can count them, no heap block taken by a frame or a new game. The games played.
long playRandomly(long frames, std::uint32_t seed, long drawEvery, int leaveOdds)
{
    RandomPlayer player(seed);
    PlayWatch watch;
    playGameStart(watch);
    playStep(0.016);  // SDL sets up its own drawing at the first flip
    long games = 1;
    for (long frame = 0; frame < frames; frame++) {
        playKeys(player.nextKeys(), player.chance(leaveOdds));  // the queue may take memory, the game not
        const double seconds = player.nextSeconds();
        const long before = heapCountTotal();
        heapCountStart();
        const int ended = playStep(seconds, frame % drawEvery == 0);
        if (ended)
            playGameStart(watch);
        heapCountStop();
        EXPECT_EQ(heapCountTotal(), before) << "frame " << frame << " took memory from the heap";
        const std::string broken = playRulesBroken(watch);
        if (!broken.empty()) {
            ADD_FAILURE() << "frame " << frame << " of game " << games << ", " << seconds << " s: " << broken;
            break;
        }
        games += ended;
    }
    return games;
}

// A ship that brakes to a stop and waits in long frames for the enemies to ram it, turning
// a little now and then, until its fourth loss ends the game.
bool playStubbornly(long frame, PlayWatch& watch)
{
    playKeys(frame % 50 < 2 ? "LD" : "D");
    const int ended = playStep(frame % 7 == 0 ? 0.5 : 0.03, frame % 10 == 0);
    EXPECT_EQ(playRulesBroken(watch), "") << "frame " << frame;
    return ended;
}

class Play : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(playStartup()); }
};

}  // namespace

namespace {

// Every 100 frames of a demo played back headless, and its last: what the player sees of the world.
std::string demoDigests(FILE* demo, const char* name)
{
    std::string digests;
    PlayWatch watch;
    if (!demoOpen(demo, name))
        return "";
    playGameStart(watch);
    Uint32 milliseconds = 0, frame = 0;
    Uint16 flags = 0;
    while (demoNext(&milliseconds, &flags) > 0) {
        inputPoll();  // the game's own steps of a frame, the demo's keys in place of the keyboard's
        demoFlagsApply(flags);
        worldUpdate(milliseconds / 1000.0);
        if (++frame % 100 == 0)
            digests += "frame " + std::to_string(frame) + ": " + playDigest() + "\n";
    }
    digests += "end " + std::to_string(frame) + ": " + playDigest() + "\n";
    fclose(demo);
    return digests;
}

}  // namespace

TEST_F(Play, GoldenDemosUnfoldExactlyAsRecorded)
{
    for (const std::string name : {"calm", "fight", "end"}) {
        const std::string base = std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/" + name;
        const std::string digests = demoDigests(fopen((base + ".skdemo").c_str(), "rb"), name.c_str());
        ASSERT_FALSE(digests.empty());
        if (setting("SKARVEL_GOLDEN_RECORD", 0)) {
            std::ofstream(base + ".digest") << digests;
            continue;
        }
        std::ifstream in(base + ".digest");
        std::istringstream lines(digests);
        std::string expected, got;
        while (std::getline(in, expected) && std::getline(lines, got))
            ASSERT_EQ(got, expected) << "the " << name << " demo went another way by " << got.substr(0, got.find(':'));
        EXPECT_FALSE(in || std::getline(lines, got)) << "the " << name << " demo lasted another time";
    }
}

// A game played while recorded, with a stall longer than a frame's word holds, plays back
// the same from its file.
TEST_F(Play, ARecordedGamePlaysBackTheSame)
{
    TempDir folder;
    const std::string file = folder / "game.skdemo";
    RandomPlayer player(9);
    PlayWatch watch;
    bulletCooldown = 0.04;
    demoRecordStart(file.c_str(), 32);
    playGameStart(watch);
    std::string digests;
    for (int frame = 1; frame <= 3000; frame++) {
        playKeys(player.nextKeys());
        const Uint32 milliseconds = frame == 1500 ? 40000 : static_cast<Uint32>(player.nextSeconds() * 1000);
        inputPoll();
        demoRecordFrame(milliseconds);
        worldUpdate(milliseconds / 1000.0);
        if (frame % 100 == 0)
            digests += "frame " + std::to_string(frame) + ": " + playDigest() + "\n";
        if (shipIsGameOver())
            break;
    }
    demoRecordFinish();
    const std::string replayed = demoDigests(fopen(file.c_str(), "rb"), "game");
    EXPECT_EQ(replayed.substr(0, digests.size()), digests);
}

// The frame loop itself records what it measures: a game recorded as a player plays it ends
// in the same world when its demo is played back.
TEST_F(Play, AGameTheFrameLoopRecordedEndsInTheSameWorldPlayedBack)
{
    TempDir folder;
    const std::string file = folder / "played.skdemo";
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
    demoMode = DemoMode::Record;
    demoRecordStart(file.c_str(), 32);
    PlayWatch watch;
    playGameStart(watch);
    playKeys("ULF");
    SDL_AddTimer(
        400, [](Uint32, void*) -> Uint32 { return playKeys("", true), 0; }, nullptr);
    gamePlay();
    demoRecordFinish();
    demoMode = DemoMode::None;
    const std::string played = playDigest(), replayed = demoDigests(fopen(file.c_str(), "rb"), "played");
    EXPECT_EQ(replayed.substr(replayed.rfind(": ") + 2), played + "\n");
}

TEST_F(Play, RandomGamesKeepEveryRuleAndTakeNoMemoryAfterEveryFrame)
{
    EXPECT_GT(playRandomly(10000, 20240601, 1, 1500), 1);
}

TEST(Silent, AGameWithoutSoundOpensNoAudioAndPlaysToItsEnd)
{
    soundEnabled = 0;  // as -nosound asks
    ASSERT_TRUE(playStartup());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) + Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    PlayWatch watch;
    playGameStart(watch);
    for (long frame = 0; frame < 200000 && !playStubbornly(frame, watch); frame++)
        playKeys(frame % 3 ? "DFM" : "D");  // firing all the way: every shot is silent
    EXPECT_EQ(lives, -1);
}

TEST(Soak, ManyGamesOfRandomPlayKeepEveryRuleAfterEveryFrame)
{
    ASSERT_TRUE(playStartup());
    const long frames = setting("SKARVEL_SOAK_FRAMES", 200000);
    const long games = playRandomly(frames, static_cast<std::uint32_t>(setting("SKARVEL_SOAK_SEED", 1)),
                                    std::max(1L, setting("SKARVEL_SOAK_DRAW_EVERY", 4)), 20000);
    std::cout << frames << " frames, " << games << " games\n";
    EXPECT_GT(games, 1);
}
