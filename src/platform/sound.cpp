#include "platform/sound.h"

#include "platform/progdir.h"

#include <cstdio>
#include <cstdlib>

SoundEffect soundTable[7] = {
    {"progdir:sounds/shoot3.wav", nullptr},
    {"progdir:sounds/missile1.wav", nullptr},
    {"progdir:sounds/explode1.wav", nullptr},
    {"progdir:sounds/impact1.wav", nullptr},
    {"progdir:sounds/impact2.wav", nullptr},
    {"progdir:sounds/impact3.wav", nullptr},
    {nullptr, nullptr},
};

namespace {

void closeAudio()
{
    Mix_CloseAudio();
}

}  // namespace

int soundInit()
{
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 512) < 0) {
        fprintf(stderr, "audio initialization failed: %s\n", SDL_GetError());
        return -1;
    }
    atexit(closeAudio);

    for (SoundEffect* effect = soundTable; effect->path; effect++) {
        char file[PROGDIR_PATH_MAX];
        progdirResolve(effect->path, file, sizeof file);
        // A file that cannot be opened is reported with the opener's own words (they name
        // the file); the mixer is never handed a missing stream.
        SDL_RWops* stream = SDL_RWFromFile(file, "rb");
        effect->chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
        if (!effect->chunk) {
            fprintf(stderr, "failed to load %s: %s\n", effect->path, SDL_GetError());
            return -1;
        }
    }
    return 0;
}

void soundPlay(int id)
{
    if (id < 0 || id >= SOUND_IMPACT3 + 1 || !soundTable[id].chunk)
        return;
    for (int channel = 0; channel < SOUND_CHANNELS; channel++) {
        if (!Mix_Playing(channel)) {
            Mix_PlayChannel(channel, soundTable[id].chunk, 0);
            return;
        }
    }
}
