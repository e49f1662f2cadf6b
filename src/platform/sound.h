// The sound effects: opening the audio device, loading the samples once, and playing an
// effect on the first idle of four mixing channels. Which files, is the caller's.
#pragma once

#include <SDL_mixer.h>

constexpr int SOUND_CHANNELS = 4;  // the game plays on mixer channels 0 to 3 only
constexpr int SOUND_MOST = 16;     // effects the table can hold

struct SoundEffect {
    const char* path;
    Mix_Chunk* chunk;
};

// The effects loaded, by sound id (the place of its file among those soundInit was given),
// then a record with no path that ends the table.
extern SoundEffect soundTable[SOUND_MOST + 1];

// Opens the device and loads the files ("progdir:" paths allowed) in turn: 0 when all are
// loaded, -1 after reporting the first failure, the rest not tried. Only a PCM WAV of one or
// two channels of 8 or 16 bits, at most 10 seconds long, whose header's fields agree, is
// loaded; the message for another file says why ("not a WAV sound", "sound too long: N
// seconds", "its header's fields disagree", ...).
int soundInit(const char* const* files, int count);

// Plays the effect on the lowest idle channel of 0 to 3; drops it when all four are busy, and
// while the game is muted, and an id that names no loaded effect.
void soundPlay(int id);

// True while nothing is to be heard: a demo shown on the title screen plays in silence.
extern bool soundMuted;
