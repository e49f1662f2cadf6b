#include "platform/screen.h"

void screenLossWatch()
{
    // The page is the display: it cannot go away while the game runs.
}
