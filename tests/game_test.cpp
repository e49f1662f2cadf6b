// The game on top: the command line and its one table, the length of each frame and the
// measured frame rate across the clock's wrap, a game from its start to its end with its
// pause, and the title screen between games with the one-time loading of every sprite.

#include "display/background.h"
#include "driver.h"
#include "enemies/enemy.h"
#include "fixtures.h"
#include "game/actions.h"
#include "game/controlscreen.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "game/playback.h"
#include "game/settings.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "game/title.h"
#include "platform/digits.h"
#include "platform/library.h"
#include "platform/present.h"
#include "platform/progdir.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/controls.h"
#include "world/motion.h"
#include "world/pools.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sched.h>
#include <set>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

CommandLine read(std::vector<const char*> words, std::string* warnings = nullptr)
{
    words.insert(words.begin(), "skarvel");
    testing::internal::CaptureStderr();
    const CommandLine line = optionsRead(static_cast<int>(words.size()), const_cast<char**>(words.data()));
    const std::string said = testing::internal::GetCapturedStderr();
    if (warnings)
        *warnings = said;
    return line;
}

// The options a text lists, each as "-name" or "-name VALUE", from the lines the pattern
// finds them in.
std::set<std::string> listed(const std::string& text, const std::string& line, const std::string& option)
{
    std::set<std::string> names;
    const std::regex lines(line), options(option);
    for (std::sregex_iterator found(text.begin(), text.end(), lines), end; found != end; ++found) {
        const std::string words = (*found)[1];
        for (std::sregex_iterator one(words.begin(), words.end(), options); one != std::sregex_iterator(); ++one) {
            std::string value = (*one)[2];
            std::transform(value.begin(), value.end(), value.begin(), ::toupper);  // "file" in the manual
            names.insert(value.empty() ? (*one)[1].str() : (*one)[1].str() + ' ' + value);
        }
    }
    return names;
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(CommandLine, OnePassFromLeftToRightWhereNoOptionIsAnothersValueAndEveryStrayWordIsSaid)
{
    const Uint32 full = SDL_FULLSCREEN, twice = SDL_DOUBLEBUF, hardware = SDL_HWSURFACE;
    const std::tuple<std::vector<const char*>, int, Uint32, std::string> cases[] = {
        {{}, 16, full | twice | hardware, ""},
        {{"-window", "-fullscreen"}, 16, full | twice | hardware, ""},
        {{"-fullscreen", "-window", "-double"}, 16, twice | hardware, ""},
        {{"-double", "-single", "-bpp", "8"}, 8, full | hardware, ""},
        {{"-bpp", "deep"}, 0, full | twice | hardware, ""},  // atoi: no digits read as 0
        {{"-bpp", "24bits", "-bpp"}, 24, full | twice | hardware, "ignoring -bpp without a value\n"},
        {{"-bpp", "-window"}, 16, twice | hardware, "ignoring -bpp without a value\n"},
        {{"--frobnicate", "-nosund", "-Window"},
         16,
         full | twice | hardware,
         "ignoring unknown option --frobnicate\nignoring unknown option -nosund\nignoring unknown option -Window\n"},
    };
    for (const auto& [words, depth, flags, warnings] : cases) {
        std::string said;
        const CommandLine line = read(words, &said);
        EXPECT_EQ(line.video.width * 1000 + line.video.height, 640480);
        EXPECT_EQ(std::tuple(line.video.bitsPerPixel, line.video.flags, said), std::tuple(depth, flags, warnings))
            << words.size() << " words";
    }
    std::string said;
    CommandLine line =
        read({"-record", "-window", "-nosound", "-playdemo", "a.skdemo", "-scale", "8.5", "-digest"}, &said);
    EXPECT_EQ(said,
              "ignoring -record without a value\n"
              "ignoring -scale 8.5: the scale is 1 to 8, whole or with one decimal\n");
    EXPECT_EQ(
        std::tuple(line.video.flags & full, line.play.sound, line.play.demo, line.play.demoFile, line.play.digest),
        std::tuple(0u, false, DemoMode::Play, std::string("a.skdemo"), true));
    line = read({"-timedemo", "x", "-record", "y", "-scale", "1.5", "-nojoystick", "--version", "-h"});
    EXPECT_EQ(std::tuple(line.play.demo, line.play.demoFile, line.play.scale, line.play.joystick, line.question),
              std::tuple(DemoMode::Record, std::string("y"), std::string("1.5"), false, Question::Version));
    // The scale's and the presentation's edges: 8 and 8.0 are the largest, 1.0 the smallest.
    const std::tuple<std::vector<const char*>, std::string, Presentation, std::string> edges[] = {
        {{"-scale", "8", "-present", "software"}, "8", Presentation::Software, ""},
        {{"-scale", "8.0", "-present", "opengl"}, "8.0", Presentation::OpenGL, ""},
        {{"-present", "opengl", "-scale", "1.0", "-present", "auto"}, "1.0", Presentation::Auto, ""},
        {{"-scale", "0.9", "-present", "glide"},
         "",
         Presentation::Auto,
         "ignoring -scale 0.9: the scale is 1 to 8, whole or with one decimal\n"
         "ignoring -present glide: it is auto, software or opengl\n"},
    };
    for (const auto& [words, scale, present, warnings] : edges) {
        line = read(words, &said);
        EXPECT_EQ(std::tuple(line.play.scale, line.play.present, said), std::tuple(scale, present, warnings)) << scale;
    }
}

TEST(CommandLine, PlayChoicesOnTheCommandLineBeatTheEnvironmentWhichBeatsTheDefault)
{
    const auto choose = [](std::vector<const char*> words) {
        const CommandLine line = read(words);
        optionsApply(line);
        attractChoose(line.play);
    };
    const auto setting = [](const char* name) { return std::string(getenv(name) ? getenv(name) : "unset"); };
    for (const char* name : {"SDL12COMPAT_SYNC_TO_VBLANK", "SDL12COMPAT_WINDOW_SCALING", "SDL12COMPAT_SCALE_METHOD"})
        unsetenv(name);
    choose({});
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "1unset");
    EXPECT_EQ(setting("SDL12COMPAT_SCALE_METHOD"), "nearest");      // full screen keeps the pixels sharp
    EXPECT_EQ(soundEnabled + joystickEnabled + attractEnabled, 3);  // the title screen shows demos
    unsetenv("SDL12COMPAT_SCALE_METHOD");
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "0", 1);
    choose({"-scale", "1.5"});  // the player's own setting is left alone
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "01.5");
    EXPECT_EQ(setting("SDL12COMPAT_SCALE_METHOD"), "linear");
    unsetenv("SDL12COMPAT_SCALE_METHOD");
    choose({"-novsync", "-vsync", "-scale", "2", "-nosound", "-nojoystick", "-noattract"});
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + setting("SDL12COMPAT_WINDOW_SCALING"), "12");
    EXPECT_EQ(setting("SDL12COMPAT_SCALE_METHOD"), "nearest");  // whole steps keep the pixels sharp
    EXPECT_EQ(soundEnabled + joystickEnabled + attractEnabled, 0);
    unsetenv("SDL12COMPAT_SYNC_TO_VBLANK");
    choose({"-vsync", "-novsync"});  // the last word wins
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK"), "0");
    choose({"-timedemo", "a.skdemo"});  // a timed demo never waits for the display, nor shows others
    EXPECT_EQ(setting("SDL12COMPAT_SYNC_TO_VBLANK") + std::to_string(attractEnabled), "00");
    choose({});  // the game's own settings, for whatever runs after
}

// --help, the manual page and the README list exactly the options the game reads, name the
// settings file and its lines, and list exactly the actions it binds.
TEST(CommandLine, TheHelpTheManualPageAndTheReadmeListEveryOptionAndActionOfTheTablesAndTheSettingsFile)
{
    std::set<std::string> table;
    for (int i = 0; i < OPTION_COUNT; i++)
        table.insert(std::string(OPTIONS[i].name) + (OPTIONS[i].value ? std::string(" ") + OPTIONS[i].value : ""));
    testing::internal::CaptureStdout();
    optionsAnswer(read({"--help"}));
    const std::string help = testing::internal::GetCapturedStdout();
    const std::string source = SKARVEL_SOURCE_DIR;
    std::string manual = fileText(source + "/data/skarvel.6");
    manual = std::regex_replace(
        manual.substr(manual.find(".SH OPTIONS"), manual.find(".SH CONTROLS") - manual.find(".SH OPTIONS")),
        std::regex(R"(\\-)"), "-");
    const std::string option = R"re((--?[a-z]+(?:-[a-z]+)*)(?:\s+"?\s*([A-Za-z]+)"?)?)re";
    const std::string readme = fileText(source + "/README.md"), page = fileText(source + "/data/skarvel.6");
    EXPECT_EQ(listed(help, R"(\n  (-[^\n]*?)  )", option), table) << help;
    EXPECT_EQ(listed(manual, R"(\.TP\n\.B[IR]? ([^\n]*))", option), table);
    EXPECT_EQ(listed(readme, R"(\n\| (`-[^|]*)\|)", R"(`(--?[a-z]+(?:-[a-z]+)*)(?: ([A-Z]+))?`)"), table);
    std::set<std::string> actions;
    for (const ActionInfo& action : ACTIONS)
        actions.insert(action.name);
    // Every action's default keys, pad buttons and words, as each text lists them.
    std::set<std::string> rows, pageRows;
    for (const ActionInfo& action : ACTIONS) {
        rows.insert(actionDefaults(action, true) + " | " + actionDefaults(action, false) + " | " + action.what);
        pageRows.insert(actionDefaults(action, true) + " | " + action.what);
    }
    const auto keyRows = [](const std::string& text, const std::string& row) {
        std::set<std::string> found;
        const std::regex pattern(row);
        for (std::sregex_iterator one(text.begin(), text.end(), pattern), end; one != end; ++one) {
            std::string keys = std::regex_replace((*one)[1].str(), std::regex("</?kbd>"), "");
            if (keys.starts_with("alt+enter") || keys.starts_with("any key"))
                continue;
            found.insert(one->size() > 3 ? keys + " | " + (*one)[2].str() + " | " + (*one)[3].str()
                                         : keys + " | " + (*one)[2].str());
        }
        return found;
    };
    const std::string controls =
        readme.substr(readme.find("## Controls"), readme.find("## Command line") - readme.find("## Controls"));
    EXPECT_EQ(keyRows(help, R"(\n  ([a-z][a-z ,+]*?)(?:; pad ([a-z0-9, ]*[a-z0-9]))? {2,}([^\n]+))"), rows) << help;
    EXPECT_EQ(keyRows(page, R"(\.TP\n\.B "([^";]*)(?:; pad ([^"]*))?"\n([^\n]*))"), rows) << "the manual page";
    EXPECT_EQ(keyRows(controls, R"(\n\| ([a-z][^|]*?) \| ([^|]*?) ?\| ([^|]*?) \|)"), rows) << "the README";
    EXPECT_EQ(keyRows(fileText(source + "/web/index.html"), R"(<tr><td>(.*?)</td><td>(.*?)</td></tr>)"), pageRows)
        << "the page";
    for (const auto& [name, text] :
         {std::pair("--help", help), std::pair("the manual page", page), std::pair("the README", readme)}) {
        EXPECT_EQ(listed(text, R"(Actions: ([^\n]*))", R"(([a-z]+))"), actions) << name;
        for (const char* word : {"skarvel.conf", "bind ACTION = KEY", "pad ACTION = BUTTON", "--print-config"})
            EXPECT_NE(
                std::regex_replace(std::regex_replace(text, std::regex(R"(\\f[BIR]|`)"), ""), std::regex(R"(\\-)"), "-")
                    .find(word),
                std::string::npos)
                << name << " names " << word;
    }
}

// The settings file, each kind of file by what the player sees: the lines said on standard
// error, what the game then does, and what saving a change of the controls screen leaves in
// the file. The command line beats the file, the environment too.
class Settings : public GameTest {
protected:
    void TearDown() override
    {
        bindingsDefault();  // for the cases after, when one program runs them all
        GameTest::TearDown();
    }
    // What reading the file says, with the command line's words over it.
    std::string said(const std::string& file, std::vector<const char*> words = {})
    {
        words.insert(words.begin(), {"-config", file.c_str()});
        const CommandLine args = read(words);
        testing::internal::CaptureStderr();
        line = taken(args);
        return testing::internal::GetCapturedStderr();
    }
    std::string write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / name, std::ios::binary) << text;
        return folder / name;
    }
    // The settings as the game takes them, the file's and the command line's.
    static CommandLine taken(const CommandLine& args)
    {
        const std::string file = settingsFile(args);
        return settingsApply(file, settingsRead(file, !args.settings.empty()), args);
    }
    // Whether a key held for a fifth of a second of a fresh game fires a bullet.
    static bool firesWith(SDLKey key)
    {
        PlayWatch watch;
        playGameStart(watch);
        pushKey(key, true);
        for (int frame = 0; frame < 10; frame++)
            playStep(20, false);
        pushKey(key, false);
        playStep(1, false);
        return std::any_of(ShotPool.begin(), ShotPool.end(), [](const Entity& shot) { return shot.active; });
    }
    // Whether a key held for a tenth of a second turns the ship counter-clockwise.
    bool turnsLeft(SDLKey key)
    {
        PlayWatch watch;
        playGameStart(watch);
        const double heading = PlayerShip.heading;
        pushKey(key, true);
        playStep(100, false);
        pushKey(key, false);
        playStep(1, false);
        return PlayerShip.heading > heading;
    }
    // A change as the controls screen makes it: the action's keys, or buttons, now.
    static void rebind(Action action, bool keys, std::vector<int> codes)
    {
        codes.resize(BINDS_PER_ACTION, keys ? SDLK_UNKNOWN : -1);
        for (int i = 0; i < BINDS_PER_ACTION; i++) {
            if (keys)
                bindings[int(action)].keys[i] = static_cast<SDLKey>(codes[i]);
            else
                bindings[int(action)].buttons[i] = codes[i];
        }
    }
    // Every key and button of every action.
    static std::vector<int> bound()
    {
        std::vector<int> codes;
        for (const Binding& binding : bindings)
            codes.insert(codes.end(), std::begin(binding.keys), std::end(binding.keys)),
                codes.insert(codes.end(), std::begin(binding.buttons), std::end(binding.buttons));
        return codes;
    }
    // What the save returns, then what it said on standard error.
    static std::string save(const std::vector<Action>& touched)
    {
        std::vector<int> actions;
        for (const Action action : touched)
            actions.push_back(int(action));
        testing::internal::CaptureStderr();
        const std::string words = settingsSave(actions);
        return words + "\n" + testing::internal::GetCapturedStderr();
    }
    // What the body returns, run in a process of its own (a player of another uid, a mount
    // namespace of its own) that takes those with it when it ends.
    static std::string inChild(const std::function<std::string()>& body)
    {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return "no pipe";
        fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const std::string said = body();
            _exit(::write(pipe[1], said.data(), said.size()) == static_cast<ssize_t>(said.size()) ? 0 : 1);
        }
        close(pipe[1]);
        std::string said;
        char buffer[4096];
        for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, got);
        close(pipe[0]);
        int status = -1;
        waitpid(child, &status, 0);
        return status == 0 ? said : said + " (status " + std::to_string(status) + ")";
    }
    static bool playerDropped() { return setgid(65534) == 0 && setuid(65534) == 0; }
    // The file's kind, permission bits, the number of files in its folder, its size and bytes.
    std::string seen(const std::string& file)
    {
        struct stat found { };
        lstat(file.c_str(), &found);
        std::ostringstream out;
        out << (S_ISREG(found.st_mode)       ? "file"
                    : S_ISDIR(found.st_mode) ? "folder"
                                             : "other")
            << ' ' << std::oct << (found.st_mode & 07777) << std::dec << ' '
            << std::distance(std::filesystem::directory_iterator(folderOf(file)), {}) << ' ' << found.st_size << ' '
            << (S_ISREG(found.st_mode) ? std::hash<std::string>()(fileText(file)) : 0);
        return out.str();
    }
    static std::string folderOf(const std::string& file) { return std::filesystem::path(file).parent_path(); }
    TempDir folder;
    CommandLine line;
};

TEST_F(Settings, EachBadLineIsToldAndLeftOutAndTheRestTaken)
{
    const std::string file = write("skarvel.conf",
                                   "# the player's own\n"
                                   "\n"
                                   "frobnicate\n"                  // 3
                                   "scale 9\n"                     // 4
                                   "bpp\n"                         // 5
                                   "record game.skdemo\n"          // 6
                                   "bind jump = space\n"           // 7
                                   "bind left = a, no such key\n"  // 8
                                   "pad fire = 40\n"               // 9
                                   "bind thrust = space, w\n"      // 10
                                   "nosound 3\n"                   // 11
                                   "\tnojoystick\r\n"              // 12, taken
                                   "bind right = d\x01\n"          // 13
                                       + std::string(1001, '#') +
                                       "\n"                     // 14
                                       "window\n"               // 15, taken
                                       "bind brake = left\n");  // 16
    EXPECT_EQ(said(file),
              file + ":3: unknown word \"frobnicate\"\n" + file +
                  ":4: scale 9: the scale is 1 to 8, whole or with one decimal\n" + file + ":5: bpp without a value\n" +
                  file + ":6: record belongs to the command line\n" + file + ":7: unknown action \"jump\"\n" + file +
                  ":8: unknown key \"no such key\"\n" + file +
                  ":9: \"40\" is no pad button (a, b, x, y, back, start... or 0 to 31)\n" + file +
                  ":10: \"space\" is bound to fire already\n" + file + ":11: nosound takes no value\n" + file +
                  ":13: not text\n" + file + ":14: longer than 1000 bytes\n" + file +
                  ":16: \"left\" is bound to left already\n");
    EXPECT_EQ(std::tuple(line.play.joystick, line.play.sound, line.video.flags & SDL_FULLSCREEN, line.play.scale),
              std::tuple(false, true, 0u, std::string()));
    EXPECT_EQ(std::tuple(bindings[int(Action::Thrust)].keys[0], bindings[int(Action::Thrust)].keys[1]),
              std::tuple(SDLK_w, SDLK_UNKNOWN))
        << "w taken, space kept by fire";
}

// A file refused at start is never written: saving says why, as reading told it, and only
// reading said anything on standard error.
TEST_F(Settings, AFileThatIsNoPlainFileOrTooLargeOrUnreadableIsOneLineTheDefaultsStandAndNoSaveTouchesIt)
{
    mkfifo((folder / "fifo").c_str(), 0600);
    std::filesystem::create_directory(folder / "folder");
    const std::string large = write("large.conf", "window\n" + std::string(1 << 20, '#'));
    const std::string locked = write("locked.conf", "window\n");
    chmod(locked.c_str(), 0);
    chmod(folder.path().c_str(), 0755);  // the folder itself open to the player
    for (const auto& [file, why] :
         {std::pair(folder / "fifo", "not a regular file"), std::pair(folder / "folder", "Is a directory"),
          std::pair(large, "larger than 65536 bytes")}) {
        EXPECT_EQ(said(file), "ignoring settings " + file + ": " + why + "\n");
        EXPECT_NE(line.video.flags & SDL_FULLSCREEN, 0u) << file;
        const std::string before = seen(file);
        rebind(Action::Fire, true, {SDLK_f});
        EXPECT_EQ(save({Action::Fire}), "settings not saved: " + file + ": " + why + "\n");
        EXPECT_EQ(seen(file), before);
    }
    // Root reads any file: the unreadable one is tried by a player who may not.
    const std::string before = seen(locked);
    EXPECT_EQ(inChild([&] {
                  if (!playerDropped())
                      return std::string("still root");
                  CommandLine args;
                  args.settings = locked;
                  testing::internal::CaptureStderr();
                  line = taken(args);
                  const std::string told = testing::internal::GetCapturedStderr();
                  rebind(Action::Fire, true, {SDLK_f});
                  return told + std::to_string(line.video.flags & SDL_FULLSCREEN) + "\n" + save({Action::Fire});
              }),
              "ignoring settings " + locked + ": Permission denied\n" + std::to_string(SDL_FULLSCREEN) +
                  "\nsettings not saved: " + locked + ": Permission denied\n");
    EXPECT_EQ(seen(locked), before);
    EXPECT_EQ(said(folder / "missing.conf"),
              "ignoring settings " + folder / "missing.conf" + ": No such file or directory\n")
        << "asked for by -config";
    EXPECT_EQ(
        settingsApply(folder / "missing.conf", settingsRead(folder / "missing.conf", false), read({})).video.flags &
            SDL_FULLSCREEN,
        SDL_FULLSCREEN);
}

TEST_F(Settings, TheDefaultFileReadsBackSilentlyABoundKeyPlaysInsteadOfItsDefaultAndTheCommandLineBeatsTheFile)
{
    testing::internal::CaptureStdout();
    settingsPrint();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said(write("default.conf", printed)), "");
    EXPECT_TRUE(turnsLeft(SDLK_LEFT) && !turnsLeft(SDLK_a));
    EXPECT_EQ(said(write("keys.conf", "bind left = a\nwindow\nbpp 32\nscale 2\n"), {"-fullscreen"}), "");
    EXPECT_TRUE(turnsLeft(SDLK_a)) << "the key bound";
    EXPECT_FALSE(turnsLeft(SDLK_LEFT)) << "the key it replaced";
    EXPECT_EQ(std::tuple(line.video.flags & SDL_FULLSCREEN, line.video.bitsPerPixel), std::tuple(SDL_FULLSCREEN, 32));
    setenv("HOME", "/home/player", 1);
    for (const auto& [config, file] : {std::pair("/etc/player", "/etc/player/skarvel/skarvel.conf"),
                                       std::pair("relative", "/home/player/.config/skarvel/skarvel.conf"),
                                       std::pair("", "/home/player/.config/skarvel/skarvel.conf")}) {
        setenv("XDG_CONFIG_HOME", config, 1);
        EXPECT_EQ(settingsFile(read({})), file) << "XDG_CONFIG_HOME=" << config;
    }
    EXPECT_EQ(settingsFile(read({"-noconfig"})), "");
    setenv("SDL12COMPAT_WINDOW_SCALING", "3", 1);  // the player's environment beats the file
    optionsApply(line);
    EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), "3");
    unsetenv("SDL12COMPAT_WINDOW_SCALING");
}

// The controls screen by keyboard, as the player meets it: Down to fire, Return, then F, which
// the file gave to missiles; saved at once, fire's line beginning with f, missiles' without
// it, every other line as it was; the next start reads it without a word, and a game fires
// with F and no more with Space. Escape waiting leaves a binding as it was, and Backspace gives
// an action back its defaults, taking them from whoever holds them.
TEST_F(Settings, TheControlsScreenBindsTheNextKeyTakenFromAnotherActionSavesAtOnceAndTheGameFiresWithIt)
{
    const std::string file = write("skarvel.conf", "# mine\nwindow\nbind missiles = f, m\n");
    ASSERT_EQ(said(file), "");
    controlScreenOpen();
    for (int down = 0; down < static_cast<int>(Action::Fire); down++)
        pushKey(SDLK_DOWN, true);
    pushKey(SDLK_RETURN, true);
    pushKey(SDLK_f, true);
    EXPECT_EQ(controlScreenStep(), CONTROLS_GOING);
    EXPECT_EQ(fileText(file), "# mine\nwindow\nbind missiles = m\nbind fire = f, right ctrl\n");
    int starfield = 0;  // left of its plate the screen shows the starfield from its corner
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 16; x++)
            starfield += pixelAt(screenSurface, x, y) == pixelAt(backgroundImage, x, y);
    EXPECT_EQ(starfield, 16 * 480);
    pushKey(SDLK_RETURN, true);  // waits, and Escape leaves fire as it is
    pushKey(SDLK_ESCAPE, true);
    pushKey(SDLK_ESCAPE, true);  // back to the title
    EXPECT_EQ(controlScreenStep(), 1);
    EXPECT_EQ(said(file), "") << "the next start";
    EXPECT_EQ(std::tuple(bindings[int(Action::Fire)].keys[0], bindings[int(Action::Missiles)].keys[0]),
              std::tuple(SDLK_f, SDLK_m));
    EXPECT_TRUE(firesWith(SDLK_f));
    EXPECT_FALSE(firesWith(SDLK_SPACE));
    controlScreenOpen();  // fire chosen again, and its defaults back, which missiles gives up none of
    for (int down = 0; down < static_cast<int>(Action::Fire); down++)
        pushKey(SDLK_DOWN, true);
    pushKey(SDLK_BACKSPACE, true);
    EXPECT_EQ(controlScreenStep(), CONTROLS_GOING);
    EXPECT_EQ(fileText(file), "# mine\nwindow\nbind missiles = m\nbind fire = space, right ctrl\n");
    pushKey(SDLK_RETURN, true);  // the first action's key, which it gives up
    pushKey(SDLK_LEFT, true);
    EXPECT_EQ(controlScreenStep(), CONTROLS_GOING);
    EXPECT_EQ(fileText(file), "# mine\nwindow\nbind missiles = m\nbind fire = left, right ctrl\nbind left =\n");
    pushQuit();
    EXPECT_EQ(controlScreenStep(), 0) << "a closed window ends the program";
}

// Each change goes to the file the game read, whole: made with its folders where there was
// none, or with the player's other lines byte for byte, the touched actions' lines in place or
// at the end, through a link into a dotfiles folder, its permission bits kept. The next start
// reads the same bindings without a word.
TEST_F(Settings, ASaveWritesTheTouchedActionsLinesAndKeepsEveryOtherByteTheLinkAndTheModeAndReadsBackSilently)
{
    setenv("HOME", folder.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const CommandLine args = read({});
    testing::internal::CaptureStderr();
    taken(args);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no file yet";
    // s goes to fire from screenshot, which shares play with it, and the pad's Start no longer pauses.
    rebind(Action::Fire, true, {SDLK_SPACE, SDLK_RCTRL, SDLK_s});
    rebind(Action::Screenshot, true, {});
    rebind(Action::Pause, false, {});
    std::vector<int> saved = bound();
    EXPECT_EQ(save({Action::Fire, Action::Screenshot, Action::Pause}),
              "settings saved in ~/.config/skarvel/skarvel.conf\n");
    const std::string made = folder / ".config/skarvel/skarvel.conf";
    EXPECT_EQ(fileText(made), "bind fire = space, right ctrl, s\npad pause =\nbind screenshot =\n");
    EXPECT_EQ(seen(folder / ".config").substr(0, 13) + seen(folder / ".config/skarvel").substr(0, 13),
              "folder 700 1 folder 700 1 ")
        << "both made 0700, nothing left beside the file";
    EXPECT_EQ(said(made), "");
    EXPECT_EQ(bound(), saved);

    std::filesystem::create_directory(folder / "dotfiles");
    // The first action's line as long as a line may be.
    const std::string longest = "bind left = a" + std::string(SETTINGS_LINE_LONGEST - 13, ' ') + "\n";
    const std::string text = "# mine\n"
                             "window\n"
                             "bind fire = left ctrl\n"  // the reader takes the last line of an action
                             "\n"
                             "bind fire = z, x\n"
                             "  # as I like it\r\n" +
                             longest + "pad fire = 0,2\nscale 2";
    const std::string target = write("dotfiles/skarvel.conf", text);
    chmod(target.c_str(), 0640);
    ASSERT_EQ(symlink("dotfiles/skarvel.conf", (folder / "linked.conf").c_str()), 0);
    EXPECT_EQ(said(folder / "linked.conf"), "");
    rebind(Action::Fire, true, {SDLK_z, SDLK_x, SDLK_m});  // m taken from missiles
    rebind(Action::Fire, false, {0, 2, 5});                // a pad's own numbers stay numbers
    rebind(Action::Missiles, true, {SDLK_RSHIFT});
    rebind(Action::Left, true, {SDLK_a, SDLK_q});
    saved = bound();
    EXPECT_EQ(save({Action::Left, Action::Fire, Action::Missiles}), "settings saved in ~/linked.conf\n");
    EXPECT_EQ(std::filesystem::read_symlink(folder / "linked.conf"), "dotfiles/skarvel.conf");
    EXPECT_EQ(fileText(target),
              "# mine\n"
              "window\n"
              "\n"
              "bind fire = z, x, m\n"
              "  # as I like it\r\n"
              "bind left = a, q\n"
              "pad fire = 0, 2, 5\n"
              "scale 2\n"
              "bind missiles = right shift\n");
    EXPECT_EQ(seen(target).substr(0, 11), "file 640 1 ") << "0640, nothing left beside it";
    EXPECT_EQ(said(folder / "linked.conf"), "");
    EXPECT_EQ(bound(), saved);

    // A key the player's line asked for, refused then for the action that held it, would be
    // free once that action lets it go: the line is saved as the action has it.
    const std::string asked = write("asked.conf", "bind thrust = space, w\n");
    EXPECT_EQ(said(asked), asked + ":1: \"space\" is bound to fire already\n");
    rebind(Action::Fire, true, {SDLK_f, SDLK_RCTRL});
    saved = bound();
    EXPECT_EQ(save({Action::Fire}), "settings saved in ~/asked.conf\n");
    EXPECT_EQ(fileText(asked), "bind thrust = w\nbind fire = f, right ctrl\n");
    EXPECT_EQ(said(asked), "");
    EXPECT_EQ(bound(), saved);
}

// A save that cannot be made whole leaves the file as it was, byte for byte, and says why in
// one line, the same on the screen and on standard error: a folder the player may not write,
// a full disk. -noconfig saves nothing, and says so.
TEST_F(Settings, ASaveThatCannotBeMadeWholeLeavesTheFileAsItWasAndSaysWhyInOneLine)
{
    setenv("HOME", folder.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    taken(read({"-noconfig"}));
    rebind(Action::Fire, true, {SDLK_f});
    EXPECT_EQ(save({Action::Fire}), "settings not saved: started with -noconfig\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    const std::string old = "# mine\nbind fire = z\n";
    const auto saving = [&](const std::string& file) {
        said(file);
        rebind(Action::Fire, true, {SDLK_f});
        return save({Action::Fire});
    };
    std::filesystem::create_directory(folder / "shut");
    chmod(folder.path().c_str(), 0755);
    const std::string shut = write("shut/skarvel.conf", old);
    const std::string before = seen(shut);
    EXPECT_EQ(inChild([&] { return playerDropped() ? saving(shut) : "still root"; }),
              "settings not saved: ~/shut/skarvel.conf: Permission denied\n"
              "settings not saved: ~/shut/skarvel.conf: Permission denied\n");
    EXPECT_EQ(seen(shut), before);
    // Nor is a file the next start would refuse whole.
    std::string lines;
    while (lines.size() < SETTINGS_LARGEST - 10)
        lines += "# a note\n";
    const std::string nearly = write("nearly.conf", lines);
    EXPECT_EQ(saving(nearly),
              "settings not saved: ~/nearly.conf: would be larger than 65536 bytes\n"
              "settings not saved: ~/nearly.conf: would be larger than 65536 bytes\n");
    EXPECT_EQ(fileText(nearly), lines);

    // A disk of 16 KB of its own, seen by this child alone, filled up behind the old file.
    std::filesystem::create_directory(folder / "disk");
    const std::string full = folder / "disk/skarvel.conf";
    EXPECT_EQ(inChild([&] {
                  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                      mount("skarvel-test", folderOf(full).c_str(), "tmpfs", 0, "size=16k") != 0)
                      return std::string("no disk of its own: ") + strerror(errno);
                  write("disk/skarvel.conf", old);
                  const int filler = open((folder / "disk/filler").c_str(), O_WRONLY | O_CREAT, 0600);
                  const std::string block(4096, '#');
                  while (::write(filler, block.data(), block.size()) > 0)
                      continue;
                  close(filler);
                  const std::string told = saving(full);
                  return told + fileText(full) +
                      std::to_string(std::distance(std::filesystem::directory_iterator(folderOf(full)), {}));
              }),
              "settings not saved: ~/disk/skarvel.conf: No space left on device\n"
              "settings not saved: ~/disk/skarvel.conf: No space left on device\n" +
                  old + "2");
}

TEST(FrameClock, AFrameLastsSinceThePreviousOneAndTheRateIsMeasuredOverTwentyAcrossTheWrap)
{
    FrameClock clock;
    frameClockStart(&clock, 5000);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 5020), 0.020);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 8020), 3.0);

    carried.framesPerSecond = 0;
    Uint32 now = 0xFFFFFFFFu - 295;  // the clock wraps inside the first window
    frameClockStart(&clock, now);
    double total = 0;
    for (int frame = 1; frame < 20; frame++) {
        total += frameClockAdvance(&clock, now += 25);
        ASSERT_EQ(carried.framesPerSecond, 0) << frame;
    }
    total += frameClockAdvance(&clock, now += 25);  // twenty frames in half a second
    EXPECT_LT(now, 300u);
    EXPECT_NEAR(total, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(carried.framesPerSecond, 40);
    for (int frame = 0; frame < 19; frame++)
        frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(carried.framesPerSecond, 40);  // kept until the next window is full
    frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(carried.framesPerSecond, 100);
}

class OneGame : public GameTest { };

TEST_F(OneGame, EveryGameBeginsAtHomeWithOneHundredNinetyNineEnemiesNoKeyHeldAndEndsOnEscapeAfterAWholeFrame)
{
    lives = 0;
    pushKey(SDLK_LEFT, true);  // held in play, then let go on the title screen, as the keyboard shows
    pushKey(SDLK_SPACE, true);
    ASSERT_NE(inputPoll(false).controls.held, 0);
    for (int round = 0; round < 2; round++) {
        gameStart(playerSource);  // keys up, 199 enemies in the lowest slots, three lives, the ship whole at home
        EXPECT_EQ(std::tuple(playerHeld(), enemyCount, EnemyPool[198].active, EnemyPool[199].active),
                  std::tuple(0, 199, 1, 0));
        EXPECT_EQ(std::tuple(lives, PlayerShip.x, PlayerShip.health), std::tuple(3, 0.0, SHIP_HEALTH));
        PlayerShip.y = 777;
    }
    pushKey(SDLK_ESCAPE, true);
    gameRun();                     // returns after the one frame
    EXPECT_NE(PlayerShip.y, 777);  // the ship was still updated in that frame

    lives = 0;
    entityDamage(&PlayerShip, SHIP_HEALTH);  // the last life lost ends the game without a key
    gameRun();
    EXPECT_EQ(lives, -1);
}

// The ship flies straight up at 300 pixels a second: it covers exactly the frames' own time,
// however long the game stood paused between them.
TEST_F(OneGame, APauseStopsTheWorldAndItsClockTillResumedAndAWindowLosingTheKeyboardPauses)
{
    PlayWatch watch;
    playGameStart(watch, SDL_GetTicks());
    poolsClear();  // one enemy, far from the ship, that nothing rams
    enemySpawn();
    EnemyPool[0].x = EnemyPool[0].y = 2000;
    const double startY = PlayerShip.y + 4096;
    pushKey(SDLK_p, true);
    ASSERT_FALSE(playStep(20));  // the frame that sees P is still played
    ASSERT_TRUE(gamePaused);
    const double enemyX = EnemyPool[0].x;
    for (int look = 0; look < 3; look++)
        ASSERT_FALSE(playStep(5000));  // looks under the plate: no frame, whatever its length
    EXPECT_EQ(EnemyPool[0].x, enemyX);
    EXPECT_GT(pictureShare(screenSurface, gamePicture("paused.png"), 180, 204, MAGENTA), 0.99);
    pushKey(SDLK_p, true);
    ASSERT_FALSE(playStep(5000));  // resumes
    ASSERT_FALSE(gamePaused);
    ASSERT_FALSE(playStep(30));
    EXPECT_NEAR(startY - PlayerShip.y, 300 * 0.050, 1e-6);
    SDL_Event away{};
    away.type = SDL_ACTIVEEVENT;
    away.active.state = SDL_APPINPUTFOCUS;
    SDL_PushEvent(&away);
    EXPECT_FALSE(playStep(1));
    EXPECT_TRUE(gamePaused);
}

// A demo played on screen keeps the pace it was recorded at, but a frame recorded as a stall
// of ten minutes is cut short by a key: it is played at once, and the player is never held.
TEST_F(OneGame, ADemoFrameRecordedAsAStallIsCutShortByAKey)
{
    std::ifstream in(std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/calm.skdemo", std::ios::binary);
    std::string demo(std::istreambuf_iterator<char>(in), {});
    // The first frame's word: a long frame with its flags, its length of 600,000 ms after it.
    demo = demo.substr(0, 40) + std::string("\xff\xff\xc0\x27\x09\x00", 6) + demo.substr(42);
    FILE* stream = fmemopen(demo.data(), demo.size(), "rb");
    ASSERT_TRUE(demoOpen(stream, "stall.skdemo"));
    gameStart(demoSource);
    pushKey(SDLK_a, true);
    EXPECT_TRUE(gameTurn());
    EXPECT_FALSE(gamePaused);
    fclose(stream);
}

class Title : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        progdirSet(buildDirectory().c_str());
        ASSERT_EQ(titleImagesLoad(), 0);
        spritesLoaded = false;  // as when the program starts
        shipFrames.fill(nullptr);
        enemyFrames.fill(nullptr);
    }
    // A key pressed once the title screen has taken every event queued before it: SDL's
    // timer thread looks at the queue until it is empty.
    static void pressOnceTaken(SDLKey key)
    {
        static SDLKey pending;
        pending = key;
        SDL_AddTimer(
            10,
            [](Uint32 interval, void*) -> Uint32 {
                SDL_Event queued;
                if (SDL_PeepEvents(&queued, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
                    return interval;
                pushKey(pending, true);
                return 0;
            },
            nullptr);
    }
};

TEST_F(Title, LoadsEverySpriteOnceIgnoringASpaceQueuedBeforeThenWaitsForAKeyLeavingTheFlagsAlone)
{
    pushKey(SDLK_SPACE, true);
    pressOnceTaken(SDLK_ESCAPE);
    EXPECT_EQ(titleScreenRun(), 0);
    EXPECT_TRUE(spritesLoaded && smallShipIcon && missileFrames[63]);
    SDL_Surface* first = shipFrames[0];

    pushKey(SDLK_UP, true);  // held in play
    inputPoll(false);
    pushKey(SDLK_UP, false);
    pushKey(SDLK_LEFT, true);
    pressOnceTaken(SDLK_SPACE);
    EXPECT_EQ(titleScreenRun(), 1);
    // Not loaded again; the keys as they were, Up still held though released on the title.
    EXPECT_EQ(std::tuple(shipFrames[0], playerHeld()), std::tuple(first, actionBit(Action::Thrust)));
}

TEST_F(Title, TheLaterOfTwoRequestsInOnePollDecidesAndSTakesAScreenshotOfTheTitle)
{
    spritesLoaded = true;
    TempDir folder(true);
    const std::pair<std::vector<SDLKey>, int> cases[] = {{{SDLK_ESCAPE, SDLK_SPACE}, 1},
                                                         {{SDLK_SPACE, SDLK_UNKNOWN}, 0},  // a closed window
                                                         {{SDLK_SPACE, SDLK_s, SDLK_ESCAPE}, 0}};
    for (const auto& [keys, result] : cases) {
        for (SDLKey key : keys)
            key == SDLK_UNKNOWN ? pushQuit() : pushKey(key, true);
        EXPECT_EQ(titleScreenRun(), result);
    }
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(pictureShare(shot, titleImage, 0, 0, NO_KEY), 1.0);
}

namespace {

// A line of text the title must show: its runs from x, its top at y.
struct Line {
    std::vector<TextRun> runs;
    int x, y;
};

// Whether the title shows in the area the generated pictures, the ready picture over the
// intro's lowest rows, with these lines written over them by the text module (which
// platform_test holds to the font) and nothing else.
bool titleShows(const std::vector<Line>& lines, SDL_Rect area)
{
    SDL_Surface* expected = solidSurface(640, 480, BLACK);
    SDL_BlitSurface(introImage, nullptr, expected, nullptr);
    SDL_Rect strip{0, TITLE_STRIP_Y, 0, 0};
    SDL_BlitSurface(readyImage, nullptr, expected, &strip);
    for (const Line& line : lines)
        textDrawRuns(line.runs.data(), static_cast<int>(line.runs.size()), line.x, line.y, expected);
    const double share = pictureShare(titleImage, expected, area.x, area.y, NO_KEY, 0, area);
    SDL_FreeSurface(expected);
    return share == 1.0;
}

// The box's second line, the fire line: its keys end at the column where the box first had
// them (the words after them left out).
constexpr int KEYS_RIGHT = 318, FIRE_TOP = TITLE_KEYS_BOX.linesTop + 21;
bool fireKeysShow(const char* keys)
{
    return titleShows({{{{TextStyle::Key, keys}}, KEYS_RIGHT - textWidth(TextStyle::Key, keys), FIRE_TOP}},
                      {static_cast<Sint16>(TITLE_KEYS_BOX.left + 1), FIRE_TOP,
                       static_cast<Uint16>(KEYS_RIGHT + 4 - TITLE_KEYS_BOX.left), 21});
}

// The ready strip's two lines, each centred: the keys that start and quit, then the one that
// opens the controls.
bool stripShows(const char* start, const char* leave, const char* controls)
{
    Line first{{{TextStyle::Heading, "Press "},
                {TextStyle::HeadingKey, start},
                {TextStyle::Heading, " to start, "},
                {TextStyle::HeadingKey, leave},
                {TextStyle::Heading, " to quit"}},
               0,
               0},
        second{{{TextStyle::Heading, "Press "},
                {TextStyle::HeadingKey, controls},
                {TextStyle::Heading, " to change the controls"}},
               0,
               0};
    const int height = textHeight(TextStyle::Heading);
    for (Line* line : {&first, &second}) {
        line->x = (640 - textRunsWidth(line->runs.data(), static_cast<int>(line->runs.size()))) / 2;
        line->y = TITLE_STRIP_Y + 57 - height - 3 + (line == &second ? height + 6 : 0);
    }
    return titleShows({first, second}, {0, TITLE_STRIP_Y, 640, 480 - TITLE_STRIP_Y});
}

}  // namespace

// The generated title names no key: the game writes the keys as they are bound, on the box of
// the intro and on the ready strip, and writes them again when the bindings change, there
// and nowhere else.
TEST_F(Title, NamesTheKeysAsTheyAreBoundAndWritesThemAgainWhenTheBindingsChange)
{
    EXPECT_TRUE(fireKeysShow("Space or Right Ctrl:"));
    EXPECT_TRUE(stripShows("Space", "Esc", "C"));
    SDL_Surface* before = solidSurface(640, 480, BLACK);
    SDL_BlitSurface(titleImage, nullptr, before, nullptr);

    EXPECT_TRUE(bindingsTake({{1, static_cast<int>(Action::Fire), true, {SDLK_f}}}).empty());
    titleShow(readyImage);
    EXPECT_TRUE(fireKeysShow("F:")) << "where Space or Right Ctrl was";
    EXPECT_FALSE(fireKeysShow("Space or Right Ctrl:"));
    // Only the fire line changed: the rows above it and below it are as they were.
    constexpr int below = FIRE_TOP + 21;
    EXPECT_EQ(pictureShare(titleImage, before, 0, 0, NO_KEY, 0, {0, 0, 640, FIRE_TOP}), 1.0);
    EXPECT_EQ(pictureShare(titleImage, before, 0, below, NO_KEY, 0, {0, below, 640, 480 - below}), 1.0);
    EXPECT_EQ(pictureShare(screenSurface, titleImage, 0, 0, NO_KEY), 1.0) << "shown as written";

    EXPECT_TRUE(bindingsTake({{1, static_cast<int>(Action::Start), true, {SDLK_RETURN}}}).empty());
    titleShow(loadingImage);
    EXPECT_TRUE(stripShows("Return", "Esc", "C"));
    EXPECT_EQ(pictureShare(screenSurface, loadingImage, 0, TITLE_STRIP_Y, NO_KEY), 1.0) << "the loading strip as it is";
    bindingsDefault();
    SDL_FreeSurface(before);
}

// On the default screen, of 16 bits, the title is the one of 32 bits but for that screen's
// rounding, once: under 8 of 255 where no glyph lies, as its pictures are, under 16 where one
// does, its background rounded before and the blend after. No box round a letter, no hole in
// one, no letter missing, on either library, whatever each blends 16 bits with.
TEST_F(Title, WrittenOnA16BitScreenAsOnA32BitOneButForItsRounding)
{
    SDL_Surface* deep = solidSurface(640, 480, BLACK);
    SDL_BlitSurface(titleImage, nullptr, deep, nullptr);
    SDL_Surface* plain = solidSurface(640, 480, BLACK);
    SDL_BlitSurface(introImage, nullptr, plain, nullptr);
    SDL_Rect strip{0, TITLE_STRIP_Y, 0, 0};
    SDL_BlitSurface(readyImage, nullptr, plain, &strip);
    picturesFree();
    screenSurface = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    ASSERT_TRUE(screenSurface && screenSurface->format->BitsPerPixel == 16) << SDL_GetError();
    ASSERT_EQ(titleImagesLoad(), 0);
    int written = 0, wrong = 0, farthest[2] = {0, 0};
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++) {
            const Rgb shallow = pixelAt(titleImage, x, y), want = pixelAt(deep, x, y);
            const bool glyph = !(want == pixelAt(plain, x, y));
            const int off =
                std::max({std::abs(shallow.r - want.r), std::abs(shallow.g - want.g), std::abs(shallow.b - want.b)});
            written += glyph;
            wrong += off >= (glyph ? 16 : 8);
            farthest[glyph] = std::max(farthest[glyph], off);
        }
    EXPECT_GT(written, 20000);
    EXPECT_EQ(wrong, 0) << "the farthest off " << farthest[0] << " where no glyph lies, " << farthest[1]
                        << " where one does";
    SDL_FreeSurface(deep);
    SDL_FreeSurface(plain);
}

TEST_F(Title, AMissingSpriteEndsTheTitleScreenWithItsMessageAndTriesNothingAfterIt)
{
    TempDir folder;
    gameCopy(folder.path(), {"images/ship0033.png"});
    progdirSet(folder.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(titleScreenRun(), -1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("failed to load ship frame 33: ", 0), 0u) << errors;
    // Frames 1 to 32 stay loaded; no frame after it is tried, nor any other set.
    EXPECT_EQ(std::tuple(spritesLoaded, shipFrames[31] != nullptr, shipFrames[32], shipFrames[63], enemyFrames[0]),
              std::tuple(1, true, nullptr, nullptr, nullptr));
}

// The title screen left alone: a demo of the game's own in real time, under its plate, that
// any press ends; the game Space starts next is a fresh one, its dice going on from the demo.
TEST_F(Title, LeftAloneItShowsTheKeptDemosTillAnyPressThenAFreshGameAndSaysOnceOfADemoItCannotRead)
{
    TempDir folder;
    gameCopy(folder.path());
    std::filesystem::create_directory(folder / "demos");
    std::filesystem::copy(std::string(SKARVEL_SOURCE_DIR) + "/tests/demos/fight.skdemo", folder / "demos");
    progdirSet(folder.path().c_str());
    ASSERT_EQ(titleImagesLoad(), 0);
    demoPlate = gamePicture("demo.png");
    backgroundImage = gamePicture("bg.png");
    numbersImage = gamePicture("numbers.png");
    spritesLoaded = true;
    ASSERT_EQ(spritesLoadAll(), 0);
    for (const bool enabled : {false, true}) {
        attractReset();
        attractEnabled = enabled;
        attractWaitLooks = 3;
        testing::internal::CaptureStderr();
        for (int look = 0; look < 4; look++)  // after three a demo starts: calm is missing, fight plays
            ASSERT_EQ(titleScreenStep(), TITLE_WAITING);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  enabled ? "failed to play demo progdir:demos/calm.skdemo: No such file or directory\n" : "");
        EXPECT_EQ(attractShowing(), enabled);
    }
    const Entity demoEnemy = EnemyPool[0];
    for (int frame = 0; frame < 30; frame++)
        ASSERT_EQ(titleScreenStep(), TITLE_WAITING);
    EXPECT_GT(pictureShare(screenSurface, gamePicture("demo.png"), 260, 8, MAGENTA), 0.99);
    EXPECT_EQ(soundMuted, 1);
    presentScreenOpened(screenSurface);  // Alt+Enter, the window's own key, ends no demo
    pushKey(SDLK_LALT, true);
    pushKey(SDLK_RETURN, true, KMOD_LALT);
    EXPECT_EQ(titleScreenStep(), TITLE_WAITING);
    EXPECT_TRUE(attractShowing());
    pushKey(SDLK_SPACE, true);  // ends the demo, and starts nothing
    EXPECT_EQ(titleScreenStep(), TITLE_WAITING);
    EXPECT_EQ(std::tuple(attractShowing(), soundMuted, controls.held), std::tuple(false, 0, 0));
    EXPECT_EQ(titleScreenStep(), TITLE_WAITING);
    EXPECT_EQ(pictureShare(screenSurface, titleImage, 0, 0, NO_KEY), 1.0);
    pushKey(SDLK_SPACE, true);
    EXPECT_EQ(titleScreenStep(), 1);
    gameStart(playerSource);
    EXPECT_EQ(enemyCount, 199);
    EXPECT_FALSE(entityCollides(&EnemyPool[0], &demoEnemy)) << "placed as in the demo";
    attractWaitLooks = ATTRACT_WAIT_LOOKS;
}
