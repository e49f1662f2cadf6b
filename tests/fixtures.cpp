#include "fixtures.h"

#include "game/title.h"
#include "platform/digits.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/progdir.h"
#include "platform/startup.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <unistd.h>

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

void useDummyDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

void ScreenTest::SetUp()
{
    useDummyDrivers();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    screenSurface = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    ASSERT_NE(screenSurface, nullptr) << SDL_GetError();
    releaseAllKeys();
    drainEvents();
}

void ScreenTest::TearDown()
{
    SDL_Quit();
}

void GameTest::SetUp()
{
    ScreenTest::SetUp();
    progdirSet(buildDirectory().c_str());
    backgroundImage = pictureLoad("progdir:images/bg.png", PictureKey::Opaque, {"%s\n", "%s\n", nullptr});
    numbersImage = pictureLoad("progdir:images/numbers.png", PictureKey::Magenta, {"%s\n", "%s\n", "%s\n"});
    ASSERT_NE(backgroundImage, nullptr);
    ASSERT_NE(numbersImage, nullptr);
    ASSERT_EQ(spritesLoadAll(), 0);
}

Rgb pixelAt(SDL_Surface* surface, int x, int y)
{
    SDL_LockSurface(surface);
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    const int bytes = surface->format->BytesPerPixel;
    Uint32 value = 0;
    switch (bytes) {
    case 1: value = row[x]; break;
    case 2: value = reinterpret_cast<const Uint16*>(row)[x]; break;
    case 4: value = reinterpret_cast<const Uint32*>(row)[x]; break;
    default: value = row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16; break;
    }
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

void fillScreen(Rgb colour)
{
    SDL_FillRect(screenSurface, nullptr,
                 SDL_MapRGB(screenSurface->format, static_cast<Uint8>(colour.r), static_cast<Uint8>(colour.g),
                            static_cast<Uint8>(colour.b)));
}

SDL_Surface* solidSurface(int w, int h, Rgb colour)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_Surface* converted = SDL_DisplayFormat(surface);
    SDL_FreeSurface(surface);
    SDL_FillRect(converted, nullptr,
                 SDL_MapRGB(converted->format, static_cast<Uint8>(colour.r), static_cast<Uint8>(colour.g),
                            static_cast<Uint8>(colour.b)));
    return converted;
}

void releaseAllKeys()
{
    keyUp = keyDown = keyLeft = keyRight = 0;
    keySpace = keyRightCtrl = keyM = keyRightShift = 0;
}

void pushKey(SDLKey key, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void pushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void drainEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) { }
}

std::string buildDirectory()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    path[length > 0 ? length : 0] = '\0';
    return std::filesystem::path(path).parent_path().string();
}

TempDir::TempDir()
{
    char pattern[] = "/tmp/skarvel-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    path_ = made ? made : "";
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}
