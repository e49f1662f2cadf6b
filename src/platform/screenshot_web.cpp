// A page cannot write a file of its own: the canvas, which is the screen, goes to the player
// as a download of "screenshot.png" (emscripten's SDL cannot write a BMP anyway).
#include "platform/screenshot.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, canvasDownload, (), {
    Module.canvas.toBlob(function(picture) {
        const link = document.createElement("a");
        link.href = URL.createObjectURL(picture);
        link.download = "screenshot.png";
        link.click();
        setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
    }, "image/png");
});
// clang-format on

void screenshotSave()
{
    canvasDownload();
}
