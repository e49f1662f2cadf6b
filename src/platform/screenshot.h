// Saving what the screen shows to "screenshot.bmp" in the current directory, on S in play
// and on the title screen.
#pragma once

// Writes the screen as it is now to "screenshot.bmp", replacing the previous one.
void screenshotSave();
