// The real game in a real X11 window on a private X server, keys pressed with xdotool as a
// player presses them, and what it shows read from its own screenshots.

#include "driver.h"
#include "fixtures.h"
#include "platform/library.h"
#include "platform/present.h"

#include <csignal>

namespace {

// The ship frame (0 to 63) that best fills the screen's centre, where the camera keeps it.
int shipFrame(SDL_Surface* shot, double* share)
{
    int best = -1;
    *share = 0;
    for (int frame = 0; frame < 64; frame++) {
        char file[32];
        snprintf(file, sizeof file, "ship%04d.png", frame + 1);
        const double s = pictureShare(shot, gamePicture(file), 304, 224, BLACK);
        if (s > *share)
            *share = s, best = frame;
    }
    return best;
}

// Which way the ship has turned from the frame it showed, once a screenshot shows it turned.
std::string turnOf(Game& game, int from)
{
    double share = 0;
    int frame = from;
    game.screenshotUntil([&](SDL_Surface* shot) { return (frame = shipFrame(shot, &share)) != from && share > 0.6; });
    const int step = (frame - from + 64) % 64;
    return step == 0 ? "not at all" : step < 32 ? "counter-clockwise" : "clockwise";
}

class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(x.name().empty()) << "Xvfb did not start";
        gameCopy(folder.path());
    }
    XServer x;
    TempDir folder;
};

}  // namespace

TEST_F(Window, TitleThenAGameOfOneHundredNinetyNineEnemiesWhereLeftTurnsTheShipAndEscapeLeavesTwice)
{
    Game game({.folder = folder.path(), .arguments = {"-window", "-bpp", "32"}, .x = &x});
    const std::string window = game.window();
    ASSERT_FALSE(window.empty()) << game.errors();
    EXPECT_EQ(x.xdotool("getwindowname " + window), "Skarvel OS4");
    const auto title = [](SDL_Surface* shot) { return showsTitle(shot, 0); };
    ASSERT_TRUE(title(game.screenshotUntil(title)));

    x.xdotool("key space");
    SDL_Surface* numbers = gamePicture("numbers.png");
    const auto counted = [&](SDL_Surface* shot) { return readNumber(shot, numbers, 0, 32, 3) == "199"; };
    SDL_Surface* shot = game.screenshotUntil(counted);
    ASSERT_TRUE(shot && counted(shot)) << "a new game shows 199 living enemies";
    double share = 0;
    const int start = shipFrame(shot, &share);
    EXPECT_EQ(start, 16) << "a new game's ship points up";
    EXPECT_GT(share, 0.9);

    // Left held, firing all the while, turns the ship counter-clockwise: a few frames on.
    x.xdotool("keydown Left keydown space keydown m");
    EXPECT_EQ(turnOf(game, start), "counter-clockwise");
    x.xdotool("keyup Left keyup space keyup m");

    x.xdotool("key Escape");
    EXPECT_TRUE(title(game.screenshotUntil(title))) << "Escape in play shows the title screen";
    x.xdotool("key Escape");
    EXPECT_EQ(game.wait(15), 0) << game.errors();
}

// SDL turns SIGTERM into the request a window manager's close button makes.
TEST_F(Window, ClosingTheWindowEndsTheGameAndThenTheProgram)
{
    Game game({.folder = folder.path(), .arguments = {"-window"}, .x = &x});  // the default depth, maybe raised
    const std::string window = game.window();
    ASSERT_FALSE(window.empty()) << game.errors();
    const auto title = [](SDL_Surface* shot) { return showsTitle(shot, 12); };
    x.xdotool("key space");
    ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay))) << "Space did not start a game";
    kill(game.pid(), SIGTERM);
    EXPECT_TRUE(title(game.screenshotUntil(title))) << "closing the window in play shows the title screen";
    kill(game.pid(), SIGTERM);
    EXPECT_EQ(game.wait(15), 0) << game.errors();
}

// The title screen takes key releases without touching the key flags; the next game lets go
// of the keys the keyboard shows up, and only of those.
TEST_F(Window, AKeyLetGoOnTheTitleScreenIsLetGoInTheNextGameAndOneStillHeldStaysHeld)
{
    Game game({.folder = folder.path(), .arguments = {"-window", "-bpp", "32"}, .x = &x});
    ASSERT_FALSE(game.window().empty()) << game.errors();
    const auto title = [](SDL_Surface* shot) { return showsTitle(shot, 0); };
    for (const bool letGo : {true, false}) {
        x.xdotool("key space");
        ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay)));
        x.xdotool("keydown Left key Escape");  // Left held in play, then back to the title
        ASSERT_TRUE(title(game.screenshotUntil(title)));
        x.xdotool(letGo ? "keyup Left key space" : "key space");
        ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay)));
        // Right, held now, turns a ship whose Left was let go clockwise; with Left still
        // held it would not turn at all. A Left held on turns it counter-clockwise.
        if (letGo)
            x.xdotool("keydown Right");
        EXPECT_EQ(turnOf(game, 16), letGo ? "clockwise" : "counter-clockwise") << (letGo ? "let go" : "held");
        x.xdotool("keyup Right keyup Left key Escape");
        ASSERT_TRUE(title(game.screenshotUntil(title)));
    }
}

TEST_F(Window, HidingTheWindowPausesTheGameUnderThePausedPlateTillPIsPressed)
{
    Game game({.folder = folder.path(), .arguments = {"-window", "-bpp", "32"}, .x = &x});
    const std::string window = game.window();
    ASSERT_FALSE(window.empty()) << game.errors();
    x.xdotool("key space");
    ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay)));
    // Hidden for a moment, as a player minimises a window and brings it back: what is asserted
    // is the plate the game then shows, whenever it shows it.
    x.xdotool("windowunmap --sync " + window + " sleep 0.3");
    x.xdotool("windowmap --sync " + window + " windowfocus --sync " + window);
    const auto paused = [](SDL_Surface* shot) {
        return pictureShare(shot, gamePicture("paused.png"), 180, 204, MAGENTA) > 0.95;
    };
    EXPECT_TRUE(paused(game.screenshotUntil(paused)));
    x.xdotool("key p");
    EXPECT_FALSE(paused(game.screenshotUntil([&](SDL_Surface* shot) { return !paused(shot); })));
}

// Full screen on a wide screen: the whole picture, its aspect kept, whether a window manager
// lays the window over the screen or nobody does (a session of the game alone). Alt+Enter
// switches to the window at its scale and back, on the title screen, in play and in pause,
// and does nothing else there. The classic SDL 1.2 scales nothing: its full screen is the
// picture as it is in the middle of the screen, and its window keeps 640 x 480.
TEST_F(Window, FullScreenShowsTheWholePictureWithOrWithoutAWindowManagerAndAltEnterSwitchesToTheScaledWindow)
{
    const bool classic = libraryClassic();
    const std::string full = classic ? "640x480+640+300" : "1440x1080+240+0",
                      windowed = classic ? "640x480" : "1280x960";
    const auto paused = [](SDL_Surface* shot) {
        return pictureShare(shot, gamePicture("paused.png"), 180, 204, MAGENTA, 12) > 0.95;
    };
    const auto title = [](SDL_Surface* shot) { return showsTitle(shot, 12); };
    for (const bool managed : {false, true}) {
        SCOPED_TRACE(managed ? "with openbox" : "without a window manager");
        XServer screen("1920x1080x24");
        ASSERT_TRUE(!managed || screen.windowManagerStart());
        Game game({.folder = folder.path(), .arguments = {"-scale", "2"}, .x = &screen});
        const std::string window = game.window();
        ASSERT_FALSE(window.empty()) << game.errors();
        // What of the screen is lit: now, and once it shows the whole picture or after ten seconds.
        const auto shown = [&] {
            const SDL_Rect r = screen.lit();
            return std::to_string(r.w) + "x" + std::to_string(r.h) + "+" + std::to_string(r.x) + "+" +
                std::to_string(r.y);
        };
        const auto lit = [&] {
            std::string now;
            waitFor(10, [&] { return (now = shown()) == full; });
            return now;
        };
        // The window's size once Alt+Enter has made it the window, the picture no longer full
        // screen, or after ten seconds.
        const auto switched = [&] {
            screen.xdotool("key alt+Return");
            std::string geometry;
            waitFor(10, [&] {
                geometry = screen.xdotool("getwindowgeometry " + window);
                return geometry.find("Geometry: " + windowed) != std::string::npos && shown() != full;
            });
            return geometry.substr(geometry.find("Geometry: ") + 10);
        };

        EXPECT_EQ(lit(), full) << "the title screen";
        EXPECT_EQ(switched(), windowed);
        EXPECT_TRUE(title(game.screenshot())) << "Alt+Enter starts no game";
        screen.xdotool("key alt+Return");
        EXPECT_EQ(lit(), full) << "back in full screen";
        screen.xdotool("key space");
        ASSERT_TRUE(showsPlay(game.screenshotUntil(showsPlay)));
        EXPECT_EQ(lit(), full) << "in play";
        EXPECT_EQ(switched(), windowed) << "in play";
        SDL_Surface* shot = game.screenshot();
        EXPECT_TRUE(showsPlay(shot) && !paused(shot)) << "the game plays on";
        screen.xdotool("key p");
        ASSERT_TRUE(paused(game.screenshotUntil(paused)));
        screen.xdotool("key alt+Return");
        EXPECT_EQ(lit(), full) << "in pause";
        EXPECT_TRUE(paused(game.screenshot())) << "the pause holds";
        screen.xdotool("key p sleep 0.2 key Escape sleep 0.2 key Escape");
        EXPECT_EQ(game.wait(15), 0) << game.errors();
        EXPECT_EQ(game.errors(),
                  !classic ? ""
                           : "ignoring -scale: SDL 1.2.15 neither scales the window nor chooses "
                             "a renderer\n");
    }
}

// Xvfb refreshes 60 times a second and has no graphics processor: the game shows its frames
// through SDL's software renderer and paces them to the display itself, unless told otherwise.
// The classic SDL 1.2 neither chooses a renderer nor waits for the display: the game paces it
// all the same and says it ignores what the player asked of sdl12-compat.
TEST_F(Window, FramesComeAtTheDisplaysRateThroughTheRendererTheMachineSuitsUnlessToldOtherwise)
{
    struct Played {
        std::string stats, said;
        int rate;
    };
    const auto play = [&](std::vector<std::string> arguments) {
        arguments.push_back("-framestats");
        Game game({.folder = folder.path(), .arguments = arguments, .x = &x});
        game.window();
        x.xdotool("key space");
        game.screenshotUntil(showsPlay);
        Played played{"", "", 0};
        // The corner shows 000 until the first twenty frames have been measured; the next
        // reading is of frames of play alone.
        const auto rate = [&](SDL_Surface* shot) {
            return (played.rate = std::atoi(readNumber(shot, gamePicture("numbers.png"), 0, 0, 3).c_str())) > 0;
        };
        game.screenshotUntil(rate);
        rate(game.screenshot());
        x.xdotool("key Escape sleep 0.2 key Escape");
        EXPECT_EQ(game.wait(15), 0);
        played.stats = game.errors("stdout");
        played.said = game.errors();
        return played;
    };
    const bool classic = libraryClassic();
    // Paced to the display's 60 a second, a busy machine may show fewer, never many more.
    Played played = play({"-window"});
    EXPECT_GT(played.rate, 0);
    EXPECT_LE(played.rate, 75);
    EXPECT_EQ(played.stats.rfind(classic ? "framestats: classic, " : "framestats: software, ", 0), 0u) << played.stats;
    EXPECT_NE(played.stats.find(" ms, 99th percentile "), std::string::npos) << played.stats;
    EXPECT_EQ(played.said, "");
    played = play({"-window", "-present", "opengl"});
    EXPECT_EQ(played.stats.rfind(classic ? "framestats: classic, " : "framestats: opengl, ", 0), 0u) << played.stats;
    EXPECT_EQ(played.said,
              !classic ? ""
                       : "ignoring -present: SDL 1.2.15 neither scales the window nor chooses "
                         "a renderer\n");
#ifndef __SANITIZE_ADDRESS__  // a sanitizer build may not draw that fast
    EXPECT_GT(play({"-window", "-novsync"}).rate, 75) << "unpaced, frames come faster than the display's";
#endif
}
