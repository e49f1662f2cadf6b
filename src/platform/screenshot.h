// Saving what the screen shows, on S in play and on the title screen: on the desktop to
// "screenshot.bmp" in the current directory (screenshot_desktop.cpp), in a browser as a PNG
// the page offers to download (screenshot_web.cpp).
#pragma once

// Saves the screen as it is now, replacing the previous "screenshot.bmp" on the desktop.
void screenshotSave();
