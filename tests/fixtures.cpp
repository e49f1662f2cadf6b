#include "fixtures.h"

#include "display/background.h"
#include "game/actions.h"
#include "game/frameloop.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "platform/digits.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/progdir.h"
#include "platform/screen.h"
#include "world/assets.h"

#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

void platformReset()
{
    while (Mix_QuerySpec(nullptr, nullptr, nullptr))  // opened once per start-up, never closed
        Mix_CloseAudio();
    SDL_Quit();
    progdirSet(buildDirectory().c_str());
    soundEnabled = joystickEnabled = true;
    gamePaused = false;
    playerLetGo();  // with SDL stopped no key is down: every key the keyboard held goes
}

void ScreenTest::SetUp()
{
    platformReset();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
    screenSurface = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    ASSERT_NE(screenSurface, nullptr) << SDL_GetError();
}

void GameTest::SetUp()
{
    ScreenTest::SetUp();
    backgroundImage = pictureLoad(pictureFile(Picture::Background));
    numbersImage = pictureLoad(pictureFile(Picture::Numbers));
    pausedImage = pictureLoad(pictureFile(Picture::Paused));
    ASSERT_EQ(spritesLoadAll(), 0);
}

Rgb pixelAt(SDL_Surface* surface, int x, int y)
{
    SDL_LockSurface(surface);  // a keyed picture keeps its pixels run-length encoded until then
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    const int bytes = surface->format->BytesPerPixel;
    const Uint32 value = bytes == 4 ? reinterpret_cast<const Uint32*>(p)[x]
        : bytes == 2                ? reinterpret_cast<const Uint16*>(p)[x]
                                    : p[x * 3] | p[x * 3 + 1] << 8 | p[x * 3 + 2] << 16;
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

void fillScreen(Rgb c)
{
    SDL_FillRect(screenSurface, nullptr, SDL_MapRGB(screenSurface->format, c.r, c.g, c.b));
}

SDL_Surface* solidSurface(int w, int h, Rgb c)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, c.r, c.g, c.b));
    return surface;
}

int countColour(SDL_Surface* surface, Rgb colour, SDL_Rect area)
{
    if (area.w == 0)
        area = {0, 0, static_cast<Uint16>(surface->w), static_cast<Uint16>(surface->h)};
    int count = 0;
    for (int y = area.y; y < area.y + area.h; y++)
        for (int x = area.x; x < area.x + area.w; x++)
            count += pixelAt(surface, x, y) == colour;
    return count;
}

double pictureShare(SDL_Surface* shot, SDL_Surface* picture, int x, int y, Rgb key, int tolerance, SDL_Rect part)
{
    if (part.w == 0)
        part = {0, 0, static_cast<Uint16>(picture->w), static_cast<Uint16>(picture->h)};
    int shown = 0, opaque = 0;
    for (int py = 0; py < part.h; py++)
        for (int px = 0; px < part.w; px++) {
            const Rgb want = pixelAt(picture, part.x + px, part.y + py);
            const int sx = x + px, sy = y + py;
            if (want == key)
                continue;
            opaque++;
            const Rgb got = sx >= 0 && sy >= 0 && sx < shot->w && sy < shot->h ? pixelAt(shot, sx, sy) : NO_KEY;
            shown += std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                std::abs(got.b - want.b) <= tolerance;
        }
    return opaque ? static_cast<double>(shown) / opaque : 0;
}

std::string readNumber(SDL_Surface* shot, SDL_Surface* glyphs, int x, int y, int digits)
{
    std::string text;
    for (int cell = 0; cell < digits; cell++) {
        // A glyph whose strokes lie inside another's (a 1 inside a 7) matches that cell too:
        // the cell shows the fullest glyph that matches.
        int best = -1, bestPixels = 0;
        for (int d = 0; d < 10; d++) {
            const SDL_Rect glyph{static_cast<Sint16>(17 * d), 0, 17, 32};
            const int pixels = 17 * 32 - countColour(glyphs, MAGENTA, glyph);
            if (pixels > bestPixels && pictureShare(shot, glyphs, x + 17 * cell, y, MAGENTA, 0, glyph) >= 0.97)
                best = d, bestPixels = pixels;
        }
        text += best < 0 ? '?' : static_cast<char>('0' + best);
    }
    return text;
}

SDL_Surface* gamePicture(const std::string& name)
{
    return IMG_Load((buildDirectory() + "/images/" + name).c_str());
}

SDL_Surface* titleAsWritten()
{
    static SDL_Surface* title = nullptr;
    if (title)
        return title;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        ADD_FAILURE() << "the title is put together by a start-up of its own, before SDL starts";
        return nullptr;
    }
    progdirSet(buildDirectory().c_str());
    if (SDL_Init(SDL_INIT_VIDEO) == 0 && (screenSurface = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE)) &&
        titleImagesLoad() == 0) {
        title = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_BlitSurface(titleImage, nullptr, title, nullptr);
    }
    EXPECT_NE(title, nullptr) << SDL_GetError();
    picturesFree();
    SDL_Quit();
    screenSurface = nullptr;
    return title;
}

bool showsTitle(SDL_Surface* shot, int tolerance)
{
    SDL_Surface* title = titleAsWritten();
    const TitleBox& box = TITLE_KEYS_BOX;
    const SDL_Rect keys{static_cast<Sint16>(box.left), static_cast<Sint16>(box.top),
                        static_cast<Uint16>(box.right - box.left), static_cast<Uint16>(box.bottom - box.top)};
    const SDL_Rect strip{0, TITLE_STRIP_Y, 640, 480 - TITLE_STRIP_Y};
    return shot && title && pictureShare(shot, title, 0, 0, NO_KEY, tolerance) > 0.95 &&
        pictureShare(shot, title, keys.x, keys.y, NO_KEY, tolerance, keys) > 0.95 &&
        pictureShare(shot, title, strip.x, strip.y, NO_KEY, tolerance, strip) > 0.95;
}

bool showsPlay(SDL_Surface* shot)
{
    return shot && pixelAt(shot, 638, 479) == GREEN;  // the full energy bar; no title picture has it there
}

Entity entityAt(double x, double y, int width)
{
    Entity entity{};
    entity.active = 1, entity.x = x, entity.y = y, entity.width = entity.height = width;
    entity.health = 100, entity.speed = 100;
    return entity;
}

std::string assetPath(const char* path, int number)
{
    char name[256];
    snprintf(name, sizeof name, path + strlen("progdir:"), number);
    return name;
}

void pushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

std::string buildDirectory()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

TempDir::TempDir(bool enter)
{
    char pattern[] = "/tmp/skarvel-test-XXXXXX";
    path_ = mkdtemp(pattern) ? pattern : "";
    if (enter) {
        previous_ = std::filesystem::current_path().string();
        std::filesystem::current_path(path_);
    }
}

TempDir::~TempDir()
{
    if (!previous_.empty())
        std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

// Every test program's main: SDL on its dummy drivers first, for its cases and the programs they start.
int main(int argc, char** argv)
{
    useDummyDrivers();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
