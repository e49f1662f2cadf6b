// Broken, missing and odd files: the real game program started beside copies of its pictures
// and sounds with one file spoilt, in a window on a virtual X display of its own (Xvfb), and
// driven with xdotool. Every run either stops at once with the game's own one line and exit
// status, or plays on: past the title screen with Space, a moment of flying and firing, then
// Escape twice, out of the game and out of the program.
//
// Each file is tried missing, empty, cut to half its length and replaced by random bytes of
// the same length; each picture also as a valid picture of 1 x 1 pixels, the background also
// as one of 4096 x 4096. Of a numbered set, the first, a middle and the last frame are tried.
// Each case runs as a test of its own, so ctest runs several at once.

#include "fixtures.h"
#include "process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum class Fault { Missing, Empty, Half, Random, Tiny, Huge };

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing: return "Missing";
    case Fault::Empty: return "Empty";
    case Fault::Half: return "Half";
    case Fault::Random: return "RandomBytes";
    case Fault::Tiny: return "OnePixel";
    case Fault::Huge: return "Huge";
    }
    return "";
}

struct GameFile {
    std::string path;     // under the game's folder, like "images/bg.png"
    std::string message;  // the game's words before the library's text when it cannot load it
    int status;           // the exit status then: 1 at start-up, 0 from the title screen
};

struct BadFile {
    GameFile file;
    Fault fault;
};

void PrintTo(const BadFile& bad, std::ostream* out)
{
    *out << bad.file.path << " " << faultName(bad.fault);
}

std::vector<GameFile> gameFiles()
{
    std::vector<GameFile> files = {
        {"images/bg.png", "failed to load bg.bmp: ", 1},
        {"images/numbers.png", "failed to load numbers.bmp: ", 1},
        {"images/intro.png", "failed to load intro.bmp: ", 1},
        {"images/loading.png", "failed to load loading.bmp: ", 1},
        {"images/ready.png", "failed to load ready.bmp: ", 1},
        {"images/smallship.png", "failed to load small ship: ", 0},
        {"images/bullet.png", "failed to load bullet.bmp: ", 0},
    };
    for (const char* set : {"ship", "enemy", "missile", "shrapnel"}) {
        for (int number : {1, 32, 64}) {
            char path[64];
            snprintf(path, sizeof path, "images/%s%04d.png", set, number);
            files.push_back(
                {path, std::string("failed to load ") + set + " frame " + std::to_string(number) + ": ", 0});
        }
    }
    for (const char* sound : {"shoot3", "missile1", "explode1", "impact1", "impact2", "impact3"}) {
        const std::string path = std::string("sounds/") + sound + ".wav";
        files.push_back({path, "failed to load progdir:" + path + ": ", 1});
    }
    return files;
}

std::vector<BadFile> badFiles()
{
    std::vector<BadFile> cases;
    for (const GameFile& file : gameFiles()) {
        for (Fault fault : {Fault::Missing, Fault::Empty, Fault::Half, Fault::Random})
            cases.push_back({file, fault});
        if (file.path.starts_with("images/"))
            cases.push_back({file, Fault::Tiny});
        if (file.path == "images/bg.png")
            cases.push_back({file, Fault::Huge});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<BadFile>& info)
{
    std::string name = fs::path(info.param.file.path).filename().string();
    for (char& c : name) {
        if (c == '.')
            c = '_';
    }
    return name + "_" + faultName(info.param.fault);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A real PNG of that size in one colour, drawn by ImageMagick.
bool writePicture(const std::string& path, int width, int height)
{
    const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height) +
        " xc:'#c03060' 'png:" + path + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 && fs::file_size(path) > 0;
}

// Puts the faulty file in place of the link gameCopy left out.
void spoil(const std::string& folder, const BadFile& bad)
{
    const std::string original = readFile(buildDirectory() + "/" + bad.file.path);
    ASSERT_FALSE(original.empty()) << bad.file.path;
    const std::string target = folder + "/" + bad.file.path;
    switch (bad.fault) {
    case Fault::Missing: break;
    case Fault::Empty: writeFile(target, ""); break;
    case Fault::Half: writeFile(target, original.substr(0, original.size() / 2)); break;
    case Fault::Random: {
        std::mt19937 random(static_cast<std::uint32_t>(std::hash<std::string>{}(bad.file.path)));
        std::string bytes(original.size(), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() & 0xff);
        writeFile(target, bytes);
        break;
    }
    case Fault::Tiny: ASSERT_TRUE(writePicture(target, 1, 1)); break;
    case Fault::Huge: ASSERT_TRUE(writePicture(target, 4096, 4096)); break;
    }
    ASSERT_EQ(fs::exists(target), bad.fault != Fault::Missing);
    ASSERT_FALSE(fs::is_symlink(target));
}

// A process of ours, waited for with a limit and stopped when the test is done with it.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { stop(); }

    void start(pid_t pid) { pid_ = pid; }
    bool running() const { return pid_ > 0 && status_ == -2; }

    // The exit status once it has ended within the time; -1 after a signal, -2 still running.
    int waitFor(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (pid_ > 0 && status_ == -2) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (std::chrono::steady_clock::now() >= end)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return status_;
    }

    void stop()
    {
        if (running()) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    int status_ = -2;
};

// A virtual X display of its own: Xvfb picks a free display number and tells it through a pipe.
class Display {
public:
    Display()
    {
        int ends[2];
        if (pipe(ends) != 0)
            return;
        const pid_t pid = fork();
        if (pid == 0) {
            close(ends[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            const std::string fd = std::to_string(ends[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ends[1]);
        server_.start(pid);
        std::string number;
        pollfd wait{ends[0], POLLIN, 0};
        char c = 0;
        while (poll(&wait, 1, 20000) > 0 && read(ends[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ends[0]);
        if (!number.empty())
            name_ = ":" + number;
    }

    const std::string& name() const { return name_; }

    // Runs xdotool on this display; its first line of output, empty when it failed.
    std::string xdotool(const std::string& arguments) const
    {
        const std::string command = "DISPLAY=" + name_ + " timeout 10 xdotool " + arguments + " 2>/dev/null";
        FILE* out = popen(command.c_str(), "r");
        if (!out)
            return "";
        char line[256] = "";
        if (!fgets(line, sizeof line, out))
            line[0] = '\0';
        const int status = pclose(out);
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return status == 0 ? (text.empty() ? "ok" : text) : "";
    }

private:
    Child server_;
    std::string name_;
};

// The copied game, in a window on the display, its standard error in stderr.txt.
void startGame(Child& game, const std::string& folder, const Display& display)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        if (!freopen("stderr.txt", "w", stderr) || !freopen("/dev/null", "w", stdout))
            _exit(126);
        setenv("DISPLAY", display.name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // A sanitizer build of the game reports on standard error like any failure; what the
        // libraries keep until the end is no leak of the game's.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        setenv("UBSAN_OPTIONS", "print_stacktrace=1", 1);
        execl("./skarvel", "skarvel", "-window", static_cast<char*>(nullptr));
        _exit(127);
    }
    game.start(pid);
}

enum class Outcome { Stopped, Played };

// In play the energy bar fills the bottom of the right edge with pure green; neither title
// picture has that colour there.
bool screenshotShowsPlay(const std::string& path)
{
    SDL_Surface* shot = SDL_LoadBMP(path.c_str());
    if (!shot)
        return false;  // not written yet, or still being written
    const bool play = shot->w == 640 && shot->h == 480 && pixelAt(shot, 638, 479) == Rgb{0, 255, 0};
    SDL_FreeSurface(shot);
    return play;
}

// What the game wrote, less the lines libpng writes itself (through its default handler, which
// SDL_image leaves in place) when a picture is damaged: "libpng error: ..." and the like.
std::string withoutDecoderLines(const std::string& errors)
{
    std::istringstream lines(errors);
    std::string line;
    std::string kept;
    while (std::getline(lines, line)) {
        if (!line.starts_with("libpng error: ") && !line.starts_with("libpng warning: "))
            kept += line + "\n";
    }
    return kept;
}

class BadFiles : public ::testing::TestWithParam<BadFile> { };

}  // namespace

TEST_P(BadFiles, EitherStopWithTheGamesOwnLineOrPlayOnUnharmed)
{
    const BadFile& bad = GetParam();
    TempDir folder;
    gameCopy(folder.path(), {bad.file.path});
    ASSERT_NO_FATAL_FAILURE(spoil(folder.path(), bad));

    Display display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    Child game;
    startGame(game, folder.path(), display);

    // Start-up either fails or opens the window with its caption.
    std::string window;
    for (int tries = 0; tries < 300 && game.waitFor(std::chrono::milliseconds(0)) == -2 && window.empty(); tries++) {
        window = display.xdotool("search --name '^Skarvel OS4$'");
        if (window.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    // Space waits in the queue while the sprites load and starts the game after them. S is
    // pressed until a screenshot shows the game; then a little flying and firing, Escape out
    // of the game, and Escape again out of the program. A game that stops on its own is let
    // go at once.
    bool playing = false;
    bool aliveAfterFirstEscape = false;
    if (!window.empty() && game.running()) {
        display.xdotool("windowfocus --sync " + window);
        for (int tries = 0; tries < 200 && game.running() && !playing; tries++) {
            // Space again now and then: on a busy machine the first press may reach the window
            // before it takes keys. On the title screen and in play alike it does no harm.
            if (tries % 10 == 0)
                display.xdotool("key space");
            fs::remove(folder.path() + "/screenshot.bmp");
            display.xdotool("key s");
            game.waitFor(std::chrono::milliseconds(150));
            playing = screenshotShowsPlay(folder.path() + "/screenshot.bmp");
        }
        if (playing) {
            display.xdotool("keydown Up keydown Left keydown space keydown m");
            game.waitFor(std::chrono::milliseconds(800));
            display.xdotool("keyup Up keyup Left keyup space keyup m");
            display.xdotool("key Escape");
            game.waitFor(std::chrono::milliseconds(400));
            // Still there: the first Escape left the game for the title screen.
            aliveAfterFirstEscape = game.running();
        }
        display.xdotool("key Escape");
    }
    const int status = game.waitFor(std::chrono::seconds(30));
    const std::string errors = readFile(folder.path() + "/stderr.txt");
    ASSERT_NE(status, -2) << "still running half a minute after the last key; window " << window;

    const Outcome outcome = playing ? Outcome::Played : Outcome::Stopped;
    std::cout << "MATRIX " << bad.file.path << " | " << faultName(bad.fault) << " | "
              << (outcome == Outcome::Played ? "plays on" : "stops, status " + std::to_string(status) + ": " + errors)
              << (errors.ends_with('\n') ? "" : "\n");

    if (outcome == Outcome::Stopped) {
        // One line: the game's words, then the library's reason. The PNG decoder may have had
        // its own say first, in lines of its own.
        const std::string line = withoutDecoderLines(errors);
        EXPECT_EQ(status, bad.file.status) << errors;
        EXPECT_EQ(line.rfind(bad.file.message, 0), 0u) << errors;
        EXPECT_GT(line.size(), bad.file.message.size() + 1) << "no reason given: " << errors;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "more than one line: " << errors;
        // A valid picture of another size is no reason to stop.
        EXPECT_NE(bad.fault, Fault::Tiny);
        EXPECT_NE(bad.fault, Fault::Huge);
    } else {
        // A file that is not there, or holds nothing, can never be played with.
        EXPECT_NE(bad.fault, Fault::Missing);
        EXPECT_NE(bad.fault, Fault::Empty);
        EXPECT_TRUE(aliveAfterFirstEscape) << "the first Escape did not lead back to the title screen";
        EXPECT_EQ(status, 0);
        EXPECT_EQ(errors, "");
    }
}

INSTANTIATE_TEST_SUITE_P(EachFile, BadFiles, ::testing::ValuesIn(badFiles()), caseName);
