#include "platform/screen.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

namespace {

// Xlib calls this when the connection breaks and ends the program when it returns; the exit
// handlers would then shut SDL down over the dead connection and never finish.
int displayLost(Display* display)
{
    fprintf(stderr, "lost the connection to display %s\n", DisplayString(display));
    _exit(1);
}

}  // namespace

void screenLossWatch()
{
    XSetIOErrorHandler(displayLost);
}
