// The picture and sound generator, run afresh into a folder of its own: sizes, colour keys,
// which way the craft turn, and the same bytes on every run.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "fixtures.h"
#include "platform/glyphs.h"
#include "platform/pictures.h"
#include "platform/progdir.h"
#include "platform/screen.h"
#include "world/assets.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string generate(const TempDir& folder)
{
    return std::system((std::string(ASSETGEN_EXE) + " " + folder.path()).c_str()) == 0 ? folder.path() : "";
}

const std::string& assets()
{
    static TempDir folder;
    static const std::string made = generate(folder);
    return made;
}

int alphaAt(SDL_Surface* s, int x, int y)
{
    if (!s->format->Amask)
        return 255;
    const Uint32 value = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch)[x];
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, s->format, &r, &g, &b, &a);
    return a;
}

SDL_Surface* picture(const std::string& name)
{
    SDL_Surface* p = IMG_Load((assets() + "/" + name).c_str());
    EXPECT_NE(p, nullptr) << name;
    return p;
}

}  // namespace

// Every picture the generator writes, read by the game's own table and recipe on the game's
// default screen, where RGB565 turns every colour near a key into the key itself: drawn over
// green, each is see-through exactly where its PNG has its key colour, one of no key nowhere,
// and one with alpha (the font) where its PNG is clear, covering it where it is opaque.
TEST(Assetgen, EveryPictureHasItsSizeAndIsSeeThroughExactlyWhereItsKeyIsEvenOnA16BitScreen)
{
    ASSERT_FALSE(assets().empty()) << "the generator failed";
    progdirSet(assets().c_str());
    screenSurface = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    ASSERT_TRUE(screenSurface && screenSurface->format->BitsPerPixel == 16) << SDL_GetError();
    // The sizes the game draws by, in the order of its table.
    const std::pair<int, int> sizes[PICTURE_COUNT] = {
        {32, 32},     {640, 480}, {640, 140}, {640, 140}, {GLYPH_PICTURE_WIDTH, GLYPH_PICTURE_HEIGHT},
        {1024, 1024}, {170, 32},  {280, 72},  {120, 40},  {16, 16},
        {6, 6},       {32, 32},   {32, 32},   {16, 16},   {12, 12}};
    long listed = 0;  // every picture the generator writes is in the game's table
    for (int index = 0; index < PICTURE_COUNT; index++) {
        const Picture picture = static_cast<Picture>(index);
        const PictureFile& file = pictureFile(picture);
        const Rgb key = file.key == PictureKey::Magenta ? MAGENTA : file.key == PictureKey::Black ? BLACK : NO_KEY;
        const bool set = pictureIsSet(picture), drawn = picture != Picture::Icon;  // the window's
        SpriteFrames loaded{};
        if (set)
            spriteFramesLoad(file, loaded);
        else
            loaded[0] = pictureLoad(file);
        int wrong = 0;
        for (int number = 1; number <= (set ? SPRITE_FRAME_COUNT : 1); number++, listed++) {
            const std::string name = assetPath(picture, number);
            SDL_Surface* s = ::picture(name);
            EXPECT_EQ(s->w, sizes[index].first) << name;
            EXPECT_EQ(s->h, sizes[index].second) << name;
            fillScreen(GREEN);  // and all green where the game could not read it
            SDL_BlitSurface(loaded[number - 1], nullptr, screenSurface, nullptr);
            // The key colour, or a clear pixel, shows through; no pixel inside a shape comes near
            // magenta. A pixel partly clear is blended, neither.
            const bool alpha = file.key == PictureKey::Alpha;
            int keyed = 0, near = 0;
            for (int y = 0; y < s->h; y++)
                for (int x = 0; x < s->w; x++) {
                    const Rgb c = pixelAt(s, x, y);
                    const int opacity = alphaAt(s, x, y);
                    const bool clear = alpha ? opacity == 0 : c == key;
                    keyed += clear;
                    near += !(c == key) && key == MAGENTA && c.r > 150 && c.b > 150 && c.g < 100;
                    wrong += drawn && x < 640 && y < 480 && (!alpha || opacity == 0 || opacity == 255) &&
                        clear != (pixelAt(screenSurface, x, y) == GREEN);
                }
            EXPECT_EQ(keyed > 0, !(key == NO_KEY) || alpha) << name;
            EXPECT_EQ(near, 0) << name;
        }
        EXPECT_EQ(wrong, 0) << file.path << ": pixels see-through where it has no key colour, or drawn where it has";
    }
    EXPECT_EQ(listed, std::distance(fs::directory_iterator(assets() + "/images"), {}));
}

TEST(Assetgen, CraftFramesTurnCounterClockwiseFromPointingRight)
{
    ASSERT_FALSE(assets().empty());
    // The missile's bright flame sits behind it: left of centre at frame 1, below at 17.
    const std::pair<int, int> behind[] = {{1, 0}, {17, 1}, {33, 2}, {49, 3}};
    for (const auto& [number, side] : behind) {
        SDL_Surface* s = picture(assetPath(Picture::MissileFrames, number));
        long sx = 0, sy = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) {
                const Rgb c = pixelAt(s, x, y);
                if (c.r > 200 && c.g > 150 && c.b < 120)
                    sx += x - 8, sy += y - 8;
            }
        const long toward[] = {-sx, sy, sx, -sy};
        EXPECT_GT(toward[side], 0) << "frame " << number;
    }
}

TEST(Assetgen, EveryRunWritesTheSameBytes)
{
    ASSERT_FALSE(assets().empty());
    TempDir again;
    ASSERT_FALSE(generate(again).empty());
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const auto& entry : fs::recursive_directory_iterator(assets()))
        if (entry.is_regular_file()) {
            EXPECT_EQ(bytes(entry.path()), bytes(again / fs::relative(entry.path(), assets()).string()))
                << entry.path();
        }
}
