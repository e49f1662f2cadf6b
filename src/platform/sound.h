// The six sound effects: opening the audio device, loading the samples once, and playing
// an effect on the first idle of four mixing channels.
#pragma once

#include <SDL_mixer.h>

constexpr int SOUND_SHOOT = 0;
constexpr int SOUND_MISSILE = 1;
constexpr int SOUND_EXPLODE = 2;
constexpr int SOUND_IMPACT1 = 3;
constexpr int SOUND_IMPACT2 = 4;
constexpr int SOUND_IMPACT3 = 5;
constexpr int SOUND_COUNT = 6;
constexpr int SOUND_IMPACTS = SOUND_IMPACT3 - SOUND_IMPACT1 + 1;  // an impact sounds one of three

constexpr int SOUND_CHANNELS = 4;  // the game plays on mixer channels 0 to 3 only

struct SoundEffect {
    const char* path;
    Mix_Chunk* chunk;
};

// The six effects by sound id, then a record with no path that ends the table.
extern SoundEffect soundTable[SOUND_COUNT + 1];

// 0 when the device is open and every effect is loaded, -1 after reporting a failure. Only a
// PCM WAV of one or two channels of 8 or 16 bits, at most 10 seconds long, whose header's
// fields agree, is loaded; the message for another file says why ("not a WAV sound", "sound
// too long: N seconds", "its header's fields disagree", ...).
int soundInit();

// Plays the effect on the lowest idle channel of 0 to 3; drops it when all four are busy, and
// while the game is muted.
void soundPlay(int id);

// True while nothing is to be heard: a demo shown on the title screen plays in silence.
extern bool soundMuted;
