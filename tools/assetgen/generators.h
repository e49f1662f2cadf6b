// Entry points that make each family of Skarvel's assets and write them under the
// output directory (pictures into images/, sounds into sounds/).
#pragma once

#include <filesystem>

#include "pictures.h"

namespace art {

// The tiling space backdrop (images/bg.png); also returned for the title to reuse.
Surface writeBackdrop(const std::filesystem::path& images);

// Rotation frames of ship, enemy and missile, shrapnel loop, bullet, icon and digits.
void writeSprites(const std::filesystem::path& images);

// Title picture, its loading / ready strips, the plate shown over a paused game and the
// one shown over the demos the title screen plays. The keys are the game's to write: the
// intro's box and the ready strip come without them.
void writeTitle(const std::filesystem::path& images, const Surface& backdrop);

// The font the game writes its words with, every style of it in one picture.
void writeFont(const std::filesystem::path& images);

// The game's icon, the ship on a badge of space: PNGs of 16 to 512 pixels and an SVG in the
// hicolor layout under icons, and the 32-pixel one as the window's own in images/icon.png.
void writeIcons(const std::filesystem::path& images, const std::filesystem::path& icons);

// Every sound effect.
void writeSounds(const std::filesystem::path& sounds);

}  // namespace art
