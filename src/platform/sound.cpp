#include "platform/sound.h"

#include "platform/host.h"
#include "platform/progdir.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

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

constexpr double SOUND_LONGEST_SECONDS = 10;

void closeAudio()
{
    Mix_CloseAudio();
}

Uint32 littleEndian(const Uint8* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | Uint32(p[3]) << 24;
}

// The length a WAV declares, worked out from its header before the mixer converts it: a
// file of a few kilobytes can declare hours of sound at one sample a second, which take
// gigabytes once converted. Gives the stream for the mixer, or none after setting why the
// file is refused.
SDL_RWops* soundOpen(const char* file)
{
    FILE* checked = fopen(file, "rb");
    if (!checked) {
        SDL_SetError("Couldn't open %s", file);
        return nullptr;
    }
    Uint8 head[12];
    Uint32 bytesPerSecond = 0;
    if (fread(head, 1, 12, checked) == 12 && !memcmp(head, "RIFF", 4) && !memcmp(head + 8, "WAVE", 4)) {
        // The chunks in turn: the format tells the bytes a second, the data how many bytes.
        while (fread(head, 1, 8, checked) == 8) {
            const Uint32 size = littleEndian(head + 4);
            if (!memcmp(head, "data", 4) && bytesPerSecond > 0) {
                const double seconds = static_cast<double>(size) / bytesPerSecond;
                if (seconds <= SOUND_LONGEST_SECONDS)
                    return hostDecoderStream(checked, file);
                SDL_SetError("sound too long: %.0f seconds", seconds);
                fclose(checked);
                return nullptr;
            }
            Uint8 format[12];
            if (!memcmp(head, "fmt ", 4) && size >= 12 && fread(format, 1, 12, checked) == 12) {
                bytesPerSecond = littleEndian(format + 8);
                fseeko(checked, static_cast<off_t>(size) - 12 + (size & 1), SEEK_CUR);
            } else if (fseeko(checked, static_cast<off_t>(size) + (size & 1), SEEK_CUR) < 0) {
                break;
            }
        }
    }
    SDL_SetError("not a WAV sound");
    fclose(checked);
    return nullptr;
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
        // the file); the mixer is never handed a missing stream, nor one too long.
        SDL_RWops* stream = soundOpen(file);
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
