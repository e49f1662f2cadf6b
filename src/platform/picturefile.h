// How a picture of the game is named and prepared, without SDL: the generator that draws the
// pictures and the tests read it as the game does.
#pragma once

// How a picture is prepared after it is decoded.
enum class PictureKey {
    Raw,      // kept as decoded: drawn rarely, no conversion
    Opaque,   // converted to the screen's format, no transparent colour
    Magenta,  // converted, magenta (255, 0, 255) transparent
    Black,    // converted, black (0, 0, 0) transparent
    Alpha,    // converted with its own see-through edges kept: drawn blended, which costs, so
              // only where the title and menus are drawn, never in play
};

// The loader's own words for each step that can fail. Each takes the library's error text
// for its %s; the messages of a numbered set take the file number for a %d before it.
// A step that cannot fail for this picture, or whose failure the game lets pass, has none.
struct PictureMessages {
    const char* load;
    const char* format;
    const char* colorKey;
};

// A picture's file ("progdir:" paths allowed; a numbered set's with a %04d for the number),
// how it is prepared, and the words for its failures.
struct PictureFile {
    const char* path;
    PictureKey key;
    PictureMessages messages;
};
