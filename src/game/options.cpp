#include "game/options.h"

#include <cstdlib>
#include <cstring>

VideoRequest optionsParse(int argc, char** argv)
{
    VideoRequest request{640, 480, 16, DEFAULT_VIDEO_FLAGS};
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-fullscreen") == 0)
            request.flags |= SDL_FULLSCREEN;
        else if (strcmp(argv[i], "-window") == 0)
            request.flags &= ~SDL_FULLSCREEN;
        else if (strcmp(argv[i], "-double") == 0)
            request.flags |= SDL_DOUBLEBUF;
        else if (strcmp(argv[i], "-single") == 0)
            request.flags &= ~SDL_DOUBLEBUF;
        else if (strcmp(argv[i], "-bpp") == 0 && i + 1 < argc)  // a trailing -bpp keeps the depth
            request.bitsPerPixel = atoi(argv[++i]);
    }
    return request;
}
