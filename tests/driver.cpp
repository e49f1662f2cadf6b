#include "driver.h"

#include "fixtures.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

bool waitFor(double seconds, const std::function<bool()>& test)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!test()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void gameCopy(const std::string& folder, const std::vector<std::string>& leaveOut)
{
    const fs::path build = buildDirectory();
    fs::copy_file(build / "skarvel", folder + "/skarvel");
    for (const std::string assets : {"images", "sounds"}) {
        fs::create_directories(folder + "/" + assets);
        for (const auto& entry : fs::directory_iterator(build / assets)) {
            const std::string name = assets + "/" + entry.path().filename().string();
            if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end())
                fs::create_symlink(entry.path(), folder + "/" + name);
        }
    }
}

XServer::XServer(const std::string& screen)
{
    int ends[2];
    if (pipe(ends) != 0)
        return;
    fflush(nullptr);  // what is still buffered is the test's, not the child's to print
    pid_ = fork();
    if (pid_ == 0) {
        close(ends[0]);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(ends[1]).c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    pollfd wait{ends[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 20000) > 0 && read(ends[0], &c, 1) == 1 && c != '\n')
        name_ += c;
    close(ends[0]);
    if (!name_.empty())
        name_ = ":" + name_;
}

void XServer::stop()
{
    for (pid_t* child : {&manager_, &pid_})
        if (*child > 0 && kill(*child, SIGTERM) == 0)
            waitpid(*child, nullptr, 0);
    manager_ = pid_ = -1;
}

bool XServer::windowManagerStart()
{
    fflush(nullptr);
    manager_ = fork();
    if (manager_ == 0) {
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        setenv("DISPLAY", name_.c_str(), 1);
        execlp("openbox", "openbox", static_cast<char*>(nullptr));
        _exit(127);
    }
    // It is up once it has said so on the root window, as window managers do.
    Display* display = XOpenDisplay(name_.c_str());
    const bool up = display && waitFor(20, [display] {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* value = nullptr;
        XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False),
                           0, 1, False, AnyPropertyType, &type, &format, &items, &left, &value);
        if (value)
            XFree(value);
        return items == 1;
    });
    if (display)
        XCloseDisplay(display);
    return up;
}

SDL_Rect XServer::lit() const
{
    Display* display = XOpenDisplay(name_.c_str());
    if (!display)
        return {0, 0, 0, 0};
    XWindowAttributes root{};
    XGetWindowAttributes(display, DefaultRootWindow(display), &root);
    XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, root.width, root.height, AllPlanes, ZPixmap);
    int left = root.width, top = root.height, right = -1, bottom = -1;
    for (int y = 0; image && y < root.height; y++)
        for (int x = 0; x < root.width; x++)
            if (XGetPixel(image, x, y) & 0xffffff) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (image)
        XDestroyImage(image);
    XCloseDisplay(display);
    if (right < 0)
        return {0, 0, 0, 0};
    return {static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left + 1),
            static_cast<Uint16>(bottom - top + 1)};
}

std::string XServer::xdotool(const std::string& arguments) const
{
    FILE* out = popen(("DISPLAY=" + name_ + " timeout 10 xdotool " + arguments + " 2>/dev/null").c_str(), "r");
    std::string text(4096, '\0');
    text.resize(out ? fread(text.data(), 1, text.size(), out) : 0);
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return out && pclose(out) == 0 ? (text.empty() ? "ok" : text) : "";
}

Game::Game(const Launch& launch) : folder(launch.folder), x(launch.x), pid_((fflush(nullptr), fork()))
{
    if (pid_ != 0)
        return;
    if (chdir(folder.c_str()) != 0 || !freopen("stderr.txt", "w", stderr) || !freopen("stdout.txt", "w", stdout))
        _exit(126);
    if (launch.errorsClosed)
        close(2);
    if (x)  // else the dummy drivers the test program's main chose
        setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("DISPLAY", x ? x->name().c_str() : "", 1);
    setenv("XDG_CONFIG_HOME", (fs::current_path() / "config").c_str(), 1);  // the player's settings: none
    // A sanitizer build reports on standard error like any failure; what the libraries keep
    // until the end is no leak of the game's.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    for (const std::string& setting : launch.environment)
        putenv(strdup(setting.c_str()));
    // Every run that waits on the title screen keeps it still: no demo shows up by surprise.
    std::vector<std::string> words = {launch.program, "-noattract"};
    words.insert(words.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

Game::~Game()
{
    if (running() && kill(pid_, SIGKILL) == 0)
        waitpid(pid_, nullptr, 0);
}

int Game::wait(double seconds)
{
    waitFor(seconds, [this] {
        int status = 0;
        rusage used{};
        if (status_ == -2 && wait4(pid_, &status, WNOHANG, &used) == pid_)
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1, peak_ = used.ru_maxrss;
        return status_ != -2;
    });
    return status_;
}

std::string Game::errors(const char* stream) const
{
    std::ifstream in(folder + "/" + stream + ".txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Game::window(double seconds)
{
    std::string id;
    waitFor(seconds,
            [&] { return !(id = x->xdotool("search --onlyvisible --name '^Skarvel OS4$'")).empty() || !running(); });
    // Without a window manager nobody hands out the keyboard focus: the window takes it. Then
    // the title screen, whose sprites are loaded: a Space pressed before it would start nothing.
    if (!id.empty()) {
        x->xdotool("windowfocus --sync " + id);
        screenshotUntil([](SDL_Surface* shot) { return showsTitle(shot, 12); });
    }
    return id;
}

SDL_Surface* Game::screenshot(double seconds)
{
    const std::string file = folder + "/screenshot.bmp";
    SDL_Surface* shot = nullptr;
    int tries = 0;
    waitFor(seconds, [&] {
        if (tries++ % 20 == 0) {
            fs::remove(file);
            x->xdotool("key s");
        }
        // A file still being written does not load.
        return (shot = SDL_LoadBMP(file.c_str())) != nullptr || !running();
    });
    return shot;
}

void writePictureBomb(const std::string& path, std::uint32_t w, std::uint32_t h)
{
    unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0,
                           0,    0,   0,   0,   0,    0,    0,    8,    2, 0, 0, 0,  0,   0,   0,   0};
    for (int i = 0; i < 4; i++)
        png[16 + i] = static_cast<unsigned char>(w >> (24 - 8 * i)),
                 png[20 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
    const uLong crc = crc32(crc32(0, nullptr, 0), png + 12, 17);
    for (int i = 0; i < 4; i++)
        png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png), sizeof png);
}

void writeSoundBomb(const std::string& path, std::uint32_t bytesPerSecond)
{
    // RIFF, WAVE, a PCM format of one channel at 1 sample a second of 16 bits, then the data.
    const std::uint32_t fields[] = {0x46464952, 36 + 16000,     0x45564157, 0x20746d66, 16,   0x10001,
                                    1,          bytesPerSecond, 0x100002,   0x61746164, 16000};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(fields), sizeof fields) << std::string(16000, '\0');
}

