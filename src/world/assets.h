// Every picture, sound and demo the game reads: its file, how a picture is prepared, and the
// game's words for each failure, as the game has always printed them; and where the title's
// strip lies. Start-up, the kinds, the generator that makes the files and the tests all read this
// one table, which holds no SDL.
#pragma once

#include "platform/frames.h"
#include "platform/picturefile.h"

// Every picture, by what it shows. Start-up loads the screen's own (the icon, the title, the
// font, the background, the digits and the plates), each kind of entity its sprites.
enum class Picture {
    Icon,
    Intro,
    Loading,
    Ready,
    Font,  // every style's glyphs, laid out as platform/glyphs.h says
    Background,
    Numbers,
    Paused,
    DemoPlate,
    SmallShip,
    Bullet,
    ShipFrames,  // the sets of SPRITE_FRAME_COUNT frames, numbered 0001 up
    EnemyFrames,
    MissileFrames,
    ShrapnelFrames,
};
constexpr int PICTURE_COUNT = static_cast<int>(Picture::ShrapnelFrames) + 1;

inline constexpr PictureFile PICTURES[PICTURE_COUNT] = {
    {"progdir:images/icon.png", PictureKey::Raw, {nullptr, nullptr, nullptr}},  // the window does without
    {"progdir:images/intro.png",
     PictureKey::Opaque,
     {"failed to load intro.bmp: %s\n", "failed to format intro.bmp for display: %s\n", nullptr}},
    {"progdir:images/loading.png", PictureKey::Raw, {"failed to load loading.bmp: %s\n", nullptr, nullptr}},
    {"progdir:images/ready.png", PictureKey::Raw, {"failed to load ready.bmp: %s\n", nullptr, nullptr}},
    {"progdir:images/font.png",
     PictureKey::Alpha,
     {"failed to load font.png: %s\n", "failed to format font.png for display: %s\n", nullptr}},
    {"progdir:images/bg.png",
     PictureKey::Opaque,
     {"failed to load bg.bmp: %s\n", "failed to format background for display: %s\n", nullptr}},
    {"progdir:images/numbers.png",
     PictureKey::Magenta,
     {"failed to load numbers.bmp: %s\n", "failed to format numbers for display: %s\n",
      "failed to set color key for numbers: %s\n"}},
    {"progdir:images/paused.png",
     PictureKey::Magenta,
     {"failed to load paused.png: %s\n", "failed to format paused.png for display: %s\n",
      "failed to set color key for paused.png: %s\n"}},
    {"progdir:images/demo.png",
     PictureKey::Magenta,
     {"failed to load demo.png: %s\n", "failed to format demo.png for display: %s\n",
      "failed to set color key for demo.png: %s\n"}},
    {"progdir:images/smallship.png",
     PictureKey::Magenta,
     {"failed to load small ship: %s\n", "failed to format small ship for display: %s\n",
      "failed to set color key for small ship: %s\n"}},
    {"progdir:images/bullet.png",
     PictureKey::Magenta,
     {"failed to load bullet.bmp: %s\n", "failed to format bullet for display: %s\n",
      "failed to set color key for bullet: %s\n"}},
    {"progdir:images/ship%04d.png",
     PictureKey::Black,
     {"failed to load ship frame %d: %s\n", "failed to format ship frame %d for display: %s\n",
      "failed to set color key for ship frame %d: %s\n"}},
    {"progdir:images/enemy%04d.png",
     PictureKey::Black,
     {"failed to load enemy frame %d: %s\n", "failed to format enemy frame %d for display: %s\n",
      "failed to set color key for enemy frame %d: %s\n"}},
    {"progdir:images/missile%04d.png",
     PictureKey::Black,
     {"failed to load missile frame %d: %s\n", "failed to format missile frame %d for display: %s\n",
      "failed to set color key for missile frame %d: %s\n"}},
    {"progdir:images/shrapnel%04d.png",
     PictureKey::Black,
     {"failed to load shrapnel frame %d: %s\n", "failed to format shrapnel frame %d for display: %s\n",
      "failed to set color key for shrapnel frame %d: %s\n"}},
};

constexpr const PictureFile& pictureFile(Picture picture)
{
    return PICTURES[static_cast<int>(picture)];
}

// Whether the picture is a numbered set of frames rather than one file.
constexpr bool pictureIsSet(Picture picture)
{
    return picture >= Picture::ShipFrames;
}

// Where the loading and ready pictures go, under the intro: 640 x 140 from this row down.
constexpr int TITLE_STRIP_Y = 340;

// The intro's box of the keys in play: the generator draws it with its heading and nothing in
// it, the game writes the keys as they are bound into it, under the heading.
struct TitleBox {
    int left, top, right, bottom;
    int linesTop;  // the top of its first line of keys
};
constexpr TitleBox TITLE_KEYS_BOX = {112, 168, 528, TITLE_STRIP_Y - 8, 199};

// The sound effects by sound id, and their files.
constexpr int SOUND_SHOOT = 0;
constexpr int SOUND_MISSILE = 1;
constexpr int SOUND_EXPLODE = 2;
constexpr int SOUND_IMPACT1 = 3;
constexpr int SOUND_IMPACT2 = 4;
constexpr int SOUND_IMPACT3 = 5;
constexpr int SOUND_COUNT = 6;
constexpr int SOUND_IMPACTS = SOUND_IMPACT3 - SOUND_IMPACT1 + 1;  // an impact sounds one of three

inline constexpr const char* SOUND_FILES[SOUND_COUNT] = {
    "progdir:sounds/shoot3.wav",  "progdir:sounds/missile1.wav", "progdir:sounds/explode1.wav",
    "progdir:sounds/impact1.wav", "progdir:sounds/impact2.wav",  "progdir:sounds/impact3.wav",
};

// The demos kept with the game: the title screen shows them in turn while nobody plays, and
// the tests hold each to the world it must unfold into.
inline constexpr const char* DEMO_FILES[] = {
    "progdir:demos/calm.skdemo",
    "progdir:demos/fight.skdemo",
    "progdir:demos/end.skdemo",
};
constexpr int DEMO_COUNT = sizeof DEMO_FILES / sizeof DEMO_FILES[0];
