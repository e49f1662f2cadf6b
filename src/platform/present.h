// How a frame reaches the screen. On a machine whose OpenGL would be a software rasterizer (a
// virtual machine, a remote or virtual X server, a graphics processor without its driver),
// SDL's own software renderer shows a frame for a fraction of the processor and memory that
// OpenGL drawn in software costs; with a graphics processor OpenGL stays. A presentation that
// does not wait for the display's refresh is paced to it by the game itself. The choice is
// made before SDL starts; the desktop's way is in present_desktop.cpp, the browser's (whose
// animation frames are the display's) in present_web.cpp.
#pragma once

#include <SDL.h>

enum class Presentation { Auto, Software, OpenGL };  // -present

// What the choice is made from.
struct PresentFacts {
    bool xDisplay;               // an X display could be reached
    bool directRendering;        // and it offers DRI3 or DRI2: a graphics driver draws there
    const char* alwaysSoftware;  // LIBGL_ALWAYS_SOFTWARE, as set or none
    const char* gallium;         // GALLIUM_DRIVER
    const char* renderDriver;    // SDL_RENDER_DRIVER, as the player set it
};

// What SDL_RENDER_DRIVER must be for the facts and the request: a driver's name to set, or
// none to leave SDL its own choice (OpenGL where it has it). A player's own setting is kept
// unless the command line asks otherwise.
const char* presentRenderDriver(Presentation asked, const PresentFacts& facts);

// Reads the facts, puts the choice in place before SDL starts, and learns whether the game
// must pace its frames itself (vsync wanted and the presentation unable to wait for the
// display) and at what rate (the display's, or 60 a second when it cannot be read).
void presentSetUp(Presentation asked, bool vsync);

// Once the screen is open: a full-screen window covers the screen, with or without a window
// manager to lay it there, and Alt+Enter is watched for.
void presentScreenOpened(SDL_Surface* screen);

// Shows what was drawn on the screen. Alt+Enter pressed since the frame before switches
// between full screen and the window first: the picture stays whole and the window keeps its
// scale (Alt+Enter is the window's own key: the game never sees it). In a browser the page
// then has its turn until its next animation frame: only then does it show the canvas and
// hand over keys and clicks.
void presentFrame(SDL_Surface* screen);

// The presentation in use, for the player to read: "software", "opengl", or the driver the
// player named.
const char* presentPath();

// The display's refresh interval in seconds, as presentSetUp learnt it.
double presentRefreshSeconds();

// When the game paces itself, how many seconds are left until the display's next refresh, by
// which the frame being made waits: the frame that follows reads its input right after, so
// pacing adds no frame of delay. Asked again and again until it answers 0, which takes that
// refresh; the next question is for the next frame's. 0 whenever the game does not pace.
double presentPaceLeft();
