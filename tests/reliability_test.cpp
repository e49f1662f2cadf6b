// When the world around the game goes wrong: the display lost, standard error closed, no
// display or sound, spoilt demos, a demo or a screenshot that cannot be written where it
// should. Each case asserts the exit status, the exact line and that no earlier file was
// lost; a hang is caught by a generous limit, and the time things took is printed.

#include "driver.h"
#include "fixtures.h"

#include "game/actions.h"
#include "game/frameloop.h"
#include "game/playback.h"
#include "game/record.h"
#include "platform/library.h"
#include "platform/present.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Waits for the program's end, at most a generous limit, and says how long it took.
int endOf(Game& game, const char* what)
{
    const auto start = std::chrono::steady_clock::now();
    const int status = game.wait(60);
    std::cout << what << ": status " << status << " after "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
    return status;
}

class Screenshot : public ScreenTest {
protected:
    // S in play: the lines the game printed. Play goes on after it.
    static std::string pressS()
    {
        testing::internal::CaptureStderr();
        pushKey(SDLK_s, true);
        pushKey(SDLK_UP, true);
        const PlayLook look = inputPoll(false);
        EXPECT_FALSE(look.leave);
        EXPECT_TRUE(look.controls.holds(Action::Thrust));
        return testing::internal::GetCapturedStderr();
    }
    static int files() { return static_cast<int>(std::distance(fs::directory_iterator("."), {})); }
};

}  // namespace

TEST(LostDisplay, EndsTheGameAtOnceWithOneLineAtTheTitleAndInPlayWhicheverSideGoes)
{
    for (const bool inPlay : {false, true})
        for (const bool serverGoes : {false, true}) {
            XServer x;
            TempDir folder;
            gameCopy(folder.path());
            Game game({.folder = folder.path(), .arguments = {"-window"}, .x = &x});
            const std::string window = game.window();
            ASSERT_FALSE(window.empty()) << game.errors();
            if (inPlay) {
                x.xdotool("key space");
                ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay)));
            }
            serverGoes ? x.stop() : (void)x.xdotool("windowkill " + window);
            EXPECT_EQ(endOf(game, serverGoes ? "X server gone" : "connection killed"), 1);
            EXPECT_EQ(game.errors(), "lost the connection to display " + x.name() + "\n");
        }
}

// Standard error closed: the game's lines go nowhere, never into the X connection or a file it
// opened in its place, and one said on the title screen (a screenshot it cannot save) ends nothing.
TEST(ClosedStandardError, TheGamesLinesGoNowhereAndALineSaidOnTheTitleScreenEndsNothing)
{
    XServer x;
    TempDir folder;
    gameCopy(folder.path());
    Game game({.folder = folder.path(), .arguments = {"-window"}, .x = &x, .errorsClosed = true});
    ASSERT_FALSE(game.window().empty());
    ASSERT_EQ(fs::read_symlink("/proc/" + std::to_string(game.pid()) + "/fd/2").string(), "/dev/null");
    fs::remove(folder / "screenshot.bmp");
    fs::create_directory(folder / "screenshot.bmp");
    x.xdotool("key s key Escape");
    EXPECT_EQ(endOf(game, "standard error closed"), 0);
}

TEST(NoDisplayOrSound, StopsWithOneLineUnlessThePlayerGoesWithoutSound)
{
    TempDir folder;
    gameCopy(folder.path());
    // No X display and no video driver asked for: sdl12-compat falls back on its offscreen
    // driver, the classic library on a text-mode one, which the game must refuse before it
    // takes the terminal.
    const bool classic = libraryClassic();
    Game unseen({.folder = folder.path(), .environment = {"SDL_VIDEODRIVER=", "XDG_RUNTIME_DIR=" + folder.path()}});
    EXPECT_EQ(endOf(unseen, "no display"), 1);
    EXPECT_EQ(unseen.errors(),
              classic ? "failed to find a display: DISPLAY is not set, and SDL would fall back on a text-mode driver\n"
                      : "failed to find a display: SDL could open only its offscreen driver\n");
    // A broken audio driver fails SDL_Init itself (the classic library: the mixer's opening),
    // unless no audio is opened at all: then a whole game of shooting plays in silence.
    Game broken({.folder = folder.path(), .environment = {"SDL_AUDIODRIVER=broken"}});
    EXPECT_EQ(endOf(broken, "broken audio"), 1);
    EXPECT_EQ(broken.errors(),
              classic ? "audio initialization failed: No available audio device\n"
                      : "Failed to initialize SDL: Audio target 'broken' not available\n");
    const std::string fight = std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/fight.skdemo";
    Game silent({.folder = folder.path(),
                 .arguments = {"-nosound", "-window", "-timedemo", fight},
                 .environment = {"SDL_AUDIODRIVER=broken"}});
    EXPECT_EQ(endOf(silent, "broken audio, -nosound"), 0);
    EXPECT_EQ(silent.errors(), "");
}

// Demo files spoilt in every way a file can be, played with -timedemo.
TEST(BadDemos, GiveOneLineAndStatusOneAfterTheFramesTheyCouldPlay)
{
    TempDir folder;
    gameCopy(folder.path());
    std::ifstream in(std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/calm.skdemo", std::ios::binary);
    const std::string good(std::istreambuf_iterator<char>(in), {});
    const auto patched = [&](std::size_t at, std::string bytes) {
        return good.substr(0, at) + bytes + good.substr(at + bytes.size());
    };
    const std::pair<std::string, std::string> cases[] = {
        {good, ""},
        {"", "the file ends inside its header"},
        {good.substr(0, 20), "the file ends inside its header"},
        {good.substr(0, good.size() / 2), "the file ends after "},
        {patched(0, "SKARVDEN"), "not a Skarvel demo"},
        {patched(8, std::string("\x02\0", 2)), "made by a newer Skarvel (demo format 2; this one reads 1)"},
        {patched(40, std::string("\0\x80", 2)), "frame 1 lasts 0 milliseconds"},
        {patched(42, std::string("\0\x01", 2)), "frame 1 holds unknown key flags 0x0100"},
        {patched(20, std::string("\0\0\0\0\0\0\xf8\x7f", 8)), "its header holds impossible cooldowns"},  // NaN
        {patched(10, std::string("\0\0\x09\0", 4)), "demo game.skdemo was recorded by Skarvel 0.9, this is "},
    };
    for (const auto& [bytes, reason] : cases) {
        std::ofstream(folder / "game.skdemo", std::ios::binary) << bytes;
        Game game({.folder = folder.path(), .arguments = {"-timedemo", "game.skdemo"}});
        // Another version's demo still plays, after its one line.
        const bool plays = reason.empty() || reason.starts_with("demo ");
        EXPECT_EQ(endOf(game, "-timedemo"), plays ? 0 : 1) << reason;
        const std::string said = game.errors();
        EXPECT_EQ(said.rfind(plays ? reason : "failed to play demo game.skdemo: " + reason, 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), reason.empty() ? 0 : 1) << said;
        EXPECT_EQ(game.errors("stdout").rfind("timedemo: 630 frames in ", 0), plays ? 0u : std::string::npos);
    }
    // Nothing but a plain file is played, and nothing holds the game: not even a pipe.
    fs::create_directory(folder / "adir");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
    for (const auto& [file, reason] : {std::pair{"none.skdemo", "No such file or directory"},
                                       {"adir", "Is a directory"},
                                       {"pipe", "not a regular file"}}) {
        Game refused({.folder = folder.path(), .arguments = {"-playdemo", file}});
        EXPECT_EQ(endOf(refused, "-playdemo"), 1);
        EXPECT_EQ(refused.errors(), "failed to play demo " + std::string(file) + ": " + reason + "\n");
    }
}

// What stands where -record is to write: each is refused at once, before the window opens
// (a -bpp no display offers would fail there next), and left exactly as it was.
TEST(Record, ATargetThatIsNotAPlainFileOrAFolderThatCannotBeWrittenIsRefusedBeforeAnyWindowAndLeftWhole)
{
    TempDir folder;
    gameCopy(folder.path());
    std::ofstream(folder / "old.skdemo") << "an older demo";
    std::ofstream(folder / "stdout.txt"), std::ofstream(folder / "stderr.txt");  // the runs' own
    fs::create_directory(folder / "adir");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
    ASSERT_EQ(symlink("old.skdemo", (folder / "link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);
    std::vector<std::pair<std::string, std::string>> targets = {{"adir", "Is a directory"},
                                                                {"pipe", "not a regular file"},
                                                                {"link", "not a regular file"},
                                                                {"dangling", "not a regular file"},
                                                                {"nodir/x.skdemo", "No such file or directory"}};
    if (geteuid() == 0 && mknod((folder / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        targets.push_back({"full", "not a regular file"});  // as /dev/full is, made here
    const auto seen = [&](const std::string& name) {
        struct stat found { };
        char link[64] = "";
        const bool there = lstat((folder / name).c_str(), &found) == 0;
        readlink((folder / name).c_str(), link, sizeof link - 1);
        return std::tuple(there, found.st_mode, found.st_ino, found.st_rdev, found.st_size, std::string(link));
    };
    for (const auto& [target, reason] : targets) {
        const auto before = seen(target);
        const auto files = std::distance(fs::directory_iterator(folder.path()), {});
        Game game({.folder = folder.path(), .arguments = {"-record", target, "-bpp", "99"}});
        EXPECT_EQ(endOf(game, target.c_str()), 1);
        EXPECT_EQ(game.errors(), "failed to record demo " + target + ": " + reason + "\n");
        EXPECT_EQ(seen(target), before) << target;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), files) << "a file left behind";
    }
    std::ifstream old(folder / "old.skdemo");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an older demo");
}

// A disk that fills while a game is recorded: the game says so at its end and the demo that
// was there before is whole. A demo that is kept gets the player's usual permissions.
TEST(Record, AFullDiskKeepsThePreviousDemoWholeAndAKeptOneHasTheUsualPermissions)
{
    TempDir folder(true);
    for (const bool full : {true, false}) {
        std::ofstream("game.skdemo") << "the previous demo";
        const pid_t child = fork();
        if (child == 0) {
            const rlimit small{16 * 1024, 16 * 1024};
            signal(SIGXFSZ, SIG_IGN);
            umask(027);
            if (full)
                setrlimit(RLIMIT_FSIZE, &small);
            testing::internal::CaptureStderr();
            bool kept = demoRecordOpen("game.skdemo");
            demoRecordStart(32);
            for (int frame = 0; frame < 10000; frame++) {  // 40 KB: the keys change every frame
                demoRecordFrame(16, {static_cast<Uint16>(frame & 1 ? actionBit(Action::Left) : 0), 0});
            }
            kept = demoRecordFinish() && kept;
            const std::string said = testing::internal::GetCapturedStderr();
            _exit(kept == !full && said == (full ? "failed to record demo game.skdemo: File too large\n" : "") ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(status, 0) << (full ? "no line about the full disk" : "not kept");
        struct stat found { };
        stat("game.skdemo", &found);
        EXPECT_EQ(found.st_size, full ? 17 : 40 + 10000 * 4);
        EXPECT_EQ(found.st_mode & 0777, full ? 0644u : 0640u);
        EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 1);
    }
}

TEST_F(Screenshot, ANonPlainFileInItsPlaceIsLeftAloneWithALineAndNothingBlocks)
{
    TempDir folder(true);
    for (const char* what : {"pipe", "folder", "/dev/full", "nowhere"}) {  // a link to a device, or dangling
        fs::remove_all("screenshot.bmp");
        ASSERT_EQ(what == std::string("pipe")         ? mkfifo("screenshot.bmp", 0644)
                      : what == std::string("folder") ? mkdir("screenshot.bmp", 0755)
                                                      : symlink(what, "screenshot.bmp"),
                  0);
        EXPECT_EQ(pressS(),
                  std::string("failed to save screenshot.bmp: ") +
                      (what == std::string("folder") ? "Is a directory" : "not a regular file") + "\n")
            << what;
        EXPECT_EQ(files(), 1) << what;
    }
}
