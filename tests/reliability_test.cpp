// When the world around the game goes wrong: the display lost, standard error closed, a
// screenshot that cannot be written where it should, and files that would take gigabytes.
// Each case asserts the exit status, the exact line and that no earlier file was lost; a hang
// is caught by a generous limit, and the time things took is printed.

#include "driver.h"
#include "fixtures.h"

#include "platform/input.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
        EXPECT_EQ(inputPoll(), 0);
        EXPECT_EQ(keyUp, 1);
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

TEST(ClosedStandardError, AMissingSpriteStillEndsTheGameAtOnceWithOne)
{
    XServer x;
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    Game game({.folder = folder.path(), .arguments = {"-window"}, .x = &x, .errorsClosed = true});
    EXPECT_EQ(endOf(game, "standard error closed"), 1);
}

TEST(Bombs, AreRefusedFromTheirHeadersWithTheLoadersLineAndStatusOne)
{
    const std::tuple<const char*, std::uint32_t, const char*> bombs[] = {
        {"images/bg.png", 16000, "failed to load bg.bmp: picture too large: 16000 x 16000\n"},
        {"images/ship0001.png", 300, "failed to load ship frame 1: picture too large: 300 x 300\n"},
        {"images/ready.png", 0, "failed to load ready.bmp: not a PNG picture\n"},
        {"sounds/shoot3.wav", 0, "failed to load progdir:sounds/shoot3.wav: sound too long: 8000 seconds\n"}};
    for (const auto& [file, size, line] : bombs) {
        TempDir folder;
        gameCopy(folder.path(), {file});
        const std::string path = folder / file;
        size ? writePictureBomb(path, size, size) : writeSoundBomb(path);  // a WAV is no PNG
        Game game({.folder = folder.path()});
        EXPECT_EQ(endOf(game, file), 1);
        EXPECT_EQ(game.errors(), line);
    }
}

TEST(NoDisplayOrSound, StopsWithOneLineUnlessThePlayerGoesWithoutSound)
{
    TempDir folder;
    gameCopy(folder.path());
    // No X display and no video driver asked for: SDL falls back on its offscreen driver.
    Game unseen({.folder = folder.path(), .environment = {"SDL_VIDEODRIVER=", "XDG_RUNTIME_DIR=" + folder.path()}});
    EXPECT_EQ(endOf(unseen, "no display"), 1);
    EXPECT_EQ(unseen.errors(), "failed to find a display: SDL could open only its offscreen driver\n");
    // A broken audio driver fails SDL_Init itself, unless no audio is opened at all.
    Game broken({.folder = folder.path(), .environment = {"SDL_AUDIODRIVER=broken"}});
    EXPECT_EQ(endOf(broken, "broken audio"), 1);
    EXPECT_EQ(broken.errors(), "Failed to initialize SDL: Audio target 'broken' not available\n");
    Game silent(
        {.folder = folder.path(), .arguments = {"-nosound", "-bpp", "99"}, .environment = {"SDL_AUDIODRIVER=broken"}});
    EXPECT_EQ(endOf(silent, "broken audio, -nosound"), 1);
    EXPECT_EQ(silent.errors(), "requested video mode not available\n");  // past the audio
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
    };
    for (const auto& [bytes, reason] : cases) {
        std::ofstream(folder / "game.skdemo", std::ios::binary) << bytes;
        Game game({.folder = folder.path(), .arguments = {"-timedemo", "game.skdemo"}});
        EXPECT_EQ(endOf(game, "-timedemo"), reason.empty() ? 0 : 1) << reason;
        EXPECT_EQ(game.errors().rfind(reason.empty() ? "" : "failed to play demo game.skdemo: " + reason, 0), 0u)
            << game.errors();
        EXPECT_EQ(game.errors("stdout").rfind("timedemo: 630 frames in ", 0), reason.empty() ? 0u : std::string::npos);
    }
    Game missing({.folder = folder.path(), .arguments = {"-playdemo", "none.skdemo"}});
    EXPECT_EQ(endOf(missing, "-playdemo"), 1);
    EXPECT_EQ(missing.errors(), "failed to play demo none.skdemo: No such file or directory\n");
}

TEST_F(Screenshot, ANonPlainFileInItsPlaceIsLeftAloneWithALineAndNothingBlocks)
{
    TempDir folder(true);
    for (const char* what : {"pipe", "folder", "/dev/full"}) {
        fs::remove_all("screenshot.bmp");
        ASSERT_EQ(what == std::string("pipe")         ? mkfifo("screenshot.bmp", 0644)
                      : what == std::string("folder") ? mkdir("screenshot.bmp", 0755)
                                                      : symlink(what, "screenshot.bmp"),
                  0);
        EXPECT_EQ(pressS(), "failed to save screenshot.bmp: not a regular file\n") << what;
        EXPECT_EQ(files(), 1) << what;
    }
}

TEST_F(Screenshot, AFullDiskLeavesThePreviousScreenshotWhole)
{
    TempDir folder(true);
    std::ofstream("screenshot.bmp") << "the previous screenshot";
    // A child whose files may not grow past 64 KB meets a full disk in the middle of the picture.
    const pid_t child = fork();
    if (child == 0) {
        const rlimit small{64 * 1024, 64 * 1024};
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(pressS().starts_with("failed to save screenshot.bmp: ") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "no line about the full disk";
    std::ifstream in("screenshot.bmp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the previous screenshot");
    EXPECT_EQ(files(), 1);
}

TEST_F(Screenshot, AReadOnlyFolderGetsALineAndNoFile)
{
    TempDir folder(true);
    fs::create_directory("shut");
    // A read-only file system when root (who may write anywhere else), else a folder without
    // write permission.
    if (geteuid() == 0 ? mount("tmpfs", "shut", "tmpfs", MS_RDONLY, "size=64k") != 0 : chmod("shut", 0555) != 0)
        GTEST_SKIP() << "no read-only folder can be made here";
    ASSERT_EQ(chdir("shut"), 0);
    EXPECT_EQ(pressS(),
              std::string("failed to save screenshot.bmp: ") +
                  (geteuid() == 0 ? "Read-only file system" : "Permission denied") + "\n");
    EXPECT_EQ(files(), 0);
    ASSERT_EQ(chdir(".."), 0);
    geteuid() == 0 ? umount("shut") : chmod("shut", 0755);
}
