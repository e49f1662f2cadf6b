#include "platform/sound.h"

#include "platform/files.h"
#include "platform/progdir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

SoundEffect soundTable[SOUND_MOST + 1] = {};

namespace {

// The mixer's own format: every sound is converted to it once, at load time.
constexpr int MIXER_RATE = 22050;          // samples a second
constexpr int MIXER_CHANNELS = 2;          // stereo
constexpr int MIXER_BUFFER_SAMPLES = 512;  // about 23 ms a buffer: effects start with their frame
constexpr double SOUND_LONGEST_SECONDS = 10;
// The mixer keeps every sound converted to its own 22,050 Hz, two channels of 16 bits: 10 s
// of that is 882,000 bytes, whatever the file held. The file's own samples are read whole
// before they are converted; up to 10 s of CD sound (44,100 Hz, two channels of 16 bits).
constexpr Uint32 SOUND_LARGEST_DATA = 10 * 44100 * 2 * 2;
constexpr Uint32 SOUND_FASTEST_RATE = 192000;

void closeAudio()
{
    Mix_CloseAudio();
}

Uint32 littleEndian(const Uint8* p, int bytes = 4)
{
    Uint32 value = 0;
    for (int i = bytes - 1; i >= 0; i--)
        value = value << 8 | p[i];
    return value;
}

// What the mixer will make of a PCM sound, worked out from the fields its decoder uses: the
// format's rate, channels and bits, and the size of the samples. A file of a few kilobytes
// can declare hours of sound at one sample a second, which take gigabytes once converted,
// and a header whose fields disagree cannot be trusted for any of it. None when the sound
// may be loaded, else why not.
const char* soundRefusal(const Uint8* format, Uint32 dataSize, char* reason, std::size_t size)
{
    const Uint32 tag = littleEndian(format, 2), channels = littleEndian(format + 2, 2), rate = littleEndian(format + 4),
                 bytesPerSecond = littleEndian(format + 8), align = littleEndian(format + 12, 2),
                 bits = littleEndian(format + 14, 2);
    if (tag != 1)
        snprintf(reason, size, "not a PCM sound (format %u)", tag);
    else if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1 || rate > SOUND_FASTEST_RATE)
        snprintf(reason, size, "no usable sound: %u channels of %u bits at %u Hz", channels, bits, rate);
    else if (align != channels * bits / 8 || bytesPerSecond != rate * align)
        snprintf(reason, size, "its header's fields disagree");
    else if (static_cast<double>(dataSize / align) / rate > SOUND_LONGEST_SECONDS)
        snprintf(reason, size, "sound too long: %.0f seconds", static_cast<double>(dataSize / align) / rate);
    else if (dataSize > SOUND_LARGEST_DATA)
        snprintf(reason, size, "sound too large: %u bytes of samples", dataSize);
    else
        return nullptr;
    return reason;
}

// Gives the stream for the mixer, or none after setting why the file is refused.
SDL_RWops* soundOpen(const char* file)
{
    const char* why = "";
    FILE* checked = fileOpenToRead(file, &why);
    if (!checked) {
        errno == ENOENT ? SDL_SetError("Couldn't open %s", file) : SDL_SetError("Couldn't open %s: %s", file, why);
        return nullptr;
    }
    Uint8 head[12];
    Uint8 format[16];
    bool formatRead = false;
    const char* refusal = "not a WAV sound";
    char reason[96];
    if (fread(head, 1, 12, checked) == 12 && !memcmp(head, "RIFF", 4) && !memcmp(head + 8, "WAVE", 4)) {
        // The chunks in turn: the format comes before the samples.
        while (fread(head, 1, 8, checked) == 8) {
            const Uint32 size = littleEndian(head + 4);
            if (!memcmp(head, "data", 4)) {
                if (formatRead)
                    refusal = soundRefusal(format, size, reason, sizeof reason);
                break;
            }
            const bool isFormat = !memcmp(head, "fmt ", 4);
            if (isFormat && (size < sizeof format || fread(format, 1, sizeof format, checked) != sizeof format))
                break;
            formatRead = formatRead || isFormat;
            const off_t rest = static_cast<off_t>(size) - (isFormat ? sizeof format : 0) + (size & 1);
            if (fseeko(checked, rest, SEEK_CUR) < 0)
                break;
        }
    }
    if (!refusal)
        return fileDecoderStream(checked, file);
    SDL_SetError("%s", refusal);
    fclose(checked);
    return nullptr;
}

}  // namespace

int soundInit(const char* const* files, int count)
{
    if (Mix_OpenAudio(MIXER_RATE, AUDIO_S16LSB, MIXER_CHANNELS, MIXER_BUFFER_SAMPLES) < 0) {
        fprintf(stderr, "audio initialization failed: %s\n", SDL_GetError());
        return -1;
    }
    atexit(closeAudio);

    for (int id = 0; id < SOUND_MOST; id++)
        soundTable[id] = {id < count ? files[id] : nullptr, nullptr};
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

bool soundMuted = false;

void soundPlay(int id)
{
    if (soundMuted || id < 0 || id >= SOUND_MOST || !soundTable[id].chunk)
        return;
    for (int channel = 0; channel < SOUND_CHANNELS; channel++) {
        if (!Mix_Playing(channel)) {
            Mix_PlayChannel(channel, soundTable[id].chunk, 0);
            return;
        }
    }
}
