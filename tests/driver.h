// Driving the real game program as a player's machine runs it: copied into a folder of its
// own, started on SDL's dummy drivers or in a window on a private X server (Xvfb), keys
// pressed with xdotool, and the screen read back from the game's own screenshot.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Copies the game program into folder and links every generated picture and sound beside
// it, except the listed files (paths like "images/bg.png").
void gameCopy(const std::string& folder, const std::vector<std::string>& leaveOut = {});

// A virtual X display of its own, at a free display number Xvfb picks; gone with the object.
class XServer {
public:
    explicit XServer(const std::string& screen = "800x600x24");
    ~XServer() { stop(); }
    const std::string& name() const { return name_; }  // ":N"; empty when Xvfb did not start
    // xdotool on this display: its output ("ok" when none), empty on failure.
    std::string xdotool(const std::string& arguments) const;
    // Starts openbox on the display, gone with the server; false when it did not come up.
    bool windowManagerStart();
    // The smallest rectangle of the screen that holds every pixel that is not black.
    SDL_Rect lit() const;
    void stop();

private:
    pid_t pid_ = -1;
    pid_t manager_ = -1;
    std::string name_;
};

// How a run of the program is started.
struct Launch {
    std::string folder = {};  // its current directory, with its output in stdout.txt and stderr.txt
    std::vector<std::string> arguments = {};
    const XServer* x = nullptr;                 // a window there, else SDL's dummy drivers
    std::vector<std::string> environment = {};  // "NAME=value" settings added to its own
    bool errorsClosed = false;                  // standard error closed instead
    std::string program = "./skarvel";          // from the folder
};

// One run of the program; killed when the object goes.
class Game {
public:
    explicit Game(const Launch& launch);
    ~Game();
    // The exit status once it has ended within the time; -1 after a signal, -2 still running.
    int wait(double seconds);
    long peakKilobytes() const { return peak_; }  // the most memory it held, once it has ended
    bool running() { return wait(0) == -2; }
    pid_t pid() const { return pid_; }
    std::string errors(const char* stream = "stderr") const;  // or "stdout", what it printed
    // Waits for the window named "Skarvel OS4", gives it the keyboard and waits for the title
    // screen: the window's id, or empty.
    std::string window(double seconds = 30);
    // Presses S until a whole "screenshot.bmp" lands and reads it; null when none came.
    SDL_Surface* screenshot(double seconds = 15);
    // Screenshots until one passes the test; the last one taken when none does.
    template <typename Test> SDL_Surface* screenshotUntil(Test test)
    {
        SDL_Surface* shot = nullptr;
        for (int tries = 0; tries < 50 && running() && !(shot && test(shot)); tries++)
            shot = screenshot();
        return shot;
    }

    const std::string folder;
    const XServer* const x;

private:
    pid_t pid_;
    int status_ = -2;
    long peak_ = 0;
};


// Files that declare far more than they hold: a PNG of w x h pixels with no picture data,
// and a WAV of 16 KB at one sample a second, 8000 seconds long; or, lying, one that says it
// plays that many bytes a second.
void writePictureBomb(const std::string& path, std::uint32_t w, std::uint32_t h);
void writeSoundBomb(const std::string& path, std::uint32_t bytesPerSecond = 2);

// Polls until the test holds or the time is up; whether it held.
bool waitFor(double seconds, const std::function<bool()>& test);
