#include "game/demofile.h"

#include <cmath>
#include <cstring>

namespace {

constexpr char MAGIC[8] = {'S', 'K', 'A', 'R', 'V', 'D', 'E', 'M'};
constexpr long FRAME_COUNT_AT = 36;      // the header's last field, written when the game ends
constexpr Uint16 FLAGS_FOLLOW = 0x8000;  // in a frame's first word
constexpr Uint16 LONG_FRAME = 0x7fff;    // a frame too long for the word: its length follows
constexpr Uint16 KNOWN_FLAGS = 0x00ff;

// A frame's key bits, Up first: the file keeps the keys the game had before its actions, of
// which Space and right Ctrl both fired, and M and right Shift both fired missiles.
constexpr Action BITS[] = {Action::Thrust, Action::Brake, Action::Right,    Action::Left,
                           Action::Fire,   Action::Fire,  Action::Missiles, Action::Missiles};
constexpr int BIT_COUNT = sizeof BITS / sizeof BITS[0];

// Fixed widths, least significant byte first, whatever the machine.
void put(FILE* file, Uint64 value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        fputc(static_cast<int>(value >> (8 * i) & 0xff), file);
}

bool get(FILE* file, Uint64* value, int bytes)
{
    *value = 0;
    for (int i = 0; i < bytes; i++) {
        const int byte = fgetc(file);
        if (byte == EOF)
            return false;
        *value |= static_cast<Uint64>(byte) << (8 * i);
    }
    return true;
}

Uint64 bitsOf(double value)
{
    Uint64 bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(Uint64 bits)
{
    double value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

Uint16 demoFlagsPack(const Controls& held)
{
    // Each action goes into the first of its bits.
    Uint16 flags = 0;
    for (int bit = 0; bit < BIT_COUNT; bit++)
        if (held.holds(BITS[bit]) && (bit == 0 || BITS[bit - 1] != BITS[bit]))
            flags |= 1 << bit;
    return flags;
}

Controls demoFlagsControls(Uint16 flags)
{
    Controls held;
    for (int bit = 0; bit < BIT_COUNT; bit++)
        if (flags >> bit & 1)
            held.held |= actionBit(BITS[bit]);
    return held;
}

void demoHeaderWrite(FILE* file, const DemoHeader& header)
{
    fwrite(MAGIC, 1, sizeof MAGIC, file);
    put(file, header.format, 2);
    put(file, header.major, 2);
    put(file, header.minor, 2);
    put(file, header.seed, 4);
    put(file, header.depth, 2);
    put(file, bitsOf(header.bulletCooldown), 8);
    put(file, bitsOf(header.missileCooldown), 8);
    put(file, header.frames, 4);
}

void demoFrameWrite(FILE* file, Uint32 milliseconds, Uint16 flags, bool flagsChanged)
{
    // Most frames keep the keys of the one before and cost two bytes.
    put(file, (milliseconds < LONG_FRAME ? milliseconds : LONG_FRAME) | (flagsChanged ? FLAGS_FOLLOW : 0), 2);
    if (milliseconds >= LONG_FRAME)
        put(file, milliseconds, 4);
    if (flagsChanged)
        put(file, flags, 2);
}

void demoFrameCountWrite(FILE* file, Uint32 frames)
{
    fseek(file, FRAME_COUNT_AT, SEEK_SET);
    put(file, frames, 4);
}

bool demoReadFailed(DemoReader* reader, const char* why)
{
    fprintf(stderr, "failed to play demo %s: %s\n", reader->name, why);
    reader->broken = true;
    return false;
}

bool demoHeaderRead(DemoReader* reader, FILE* file, const char* name)
{
    *reader = {file, name, {}, 0, 0, false};
    DemoHeader& header = reader->header;
    char magic[sizeof MAGIC];
    const std::size_t got = fread(magic, 1, sizeof magic, file);
    Uint64 format, major, minor, seed, depth, bullet, missile, frames;
    if (memcmp(magic, MAGIC, got) != 0)
        return demoReadFailed(reader, "not a Skarvel demo");
    if (got < sizeof magic || !get(file, &format, 2) || !get(file, &major, 2) || !get(file, &minor, 2) ||
        !get(file, &seed, 4) || !get(file, &depth, 2) || !get(file, &bullet, 8) || !get(file, &missile, 8) ||
        !get(file, &frames, 4))
        return demoReadFailed(reader, "the file ends inside its header");
    if (format == 0)
        return demoReadFailed(reader, "not a Skarvel demo");
    if (format > DEMO_FORMAT) {
        char reason[96];
        snprintf(reason, sizeof reason, "made by a newer Skarvel (demo format %u; this one reads %u)",
                 static_cast<unsigned>(format), static_cast<unsigned>(DEMO_FORMAT));
        return demoReadFailed(reader, reason);
    }
    header = {static_cast<Uint16>(format), static_cast<Uint16>(major), static_cast<Uint16>(minor),
              static_cast<Uint32>(seed),   static_cast<Uint16>(depth), doubleOf(bullet),
              doubleOf(missile),           static_cast<Uint32>(frames)};
    if (!std::isfinite(header.bulletCooldown) || !std::isfinite(header.missileCooldown) || header.bulletCooldown < 0 ||
        header.missileCooldown < 0)
        return demoReadFailed(reader, "its header holds impossible cooldowns");
    // A meant change of the game's behaviour comes with a new version: an older demo still
    // plays, but its game may go another way than it went.
    if (header.major != SKARVEL_VERSION_MAJOR || header.minor != SKARVEL_VERSION_MINOR)
        fprintf(stderr, "demo %s was recorded by Skarvel %u.%u, this is %u.%u: it may go another way\n", name,
                static_cast<unsigned>(header.major), static_cast<unsigned>(header.minor), SKARVEL_VERSION_MAJOR,
                SKARVEL_VERSION_MINOR);
    return true;
}

int demoFrameRead(DemoReader* reader, Uint32* milliseconds, Controls* controls)
{
    if (reader->framesRead == reader->header.frames)
        return 0;
    char reason[96];
    Uint64 word = 0, length = 0, keys = 0;
    if (!get(reader->file, &word, 2) || ((word & LONG_FRAME) == LONG_FRAME && !get(reader->file, &length, 4)) ||
        ((word & FLAGS_FOLLOW) && !get(reader->file, &keys, 2))) {
        snprintf(reason, sizeof reason, "the file ends after %u of its %u frames", reader->framesRead,
                 reader->header.frames);
        demoReadFailed(reader, reason);
        return -1;
    }
    *milliseconds = (word & LONG_FRAME) == LONG_FRAME ? static_cast<Uint32>(length) : word & LONG_FRAME;
    if (word & FLAGS_FOLLOW)
        reader->flags = static_cast<Uint16>(keys);
    if (*milliseconds == 0)
        snprintf(reason, sizeof reason, "frame %u lasts 0 milliseconds", reader->framesRead + 1);
    else if (reader->flags & ~KNOWN_FLAGS)
        snprintf(reason, sizeof reason, "frame %u holds unknown key flags 0x%04x", reader->framesRead + 1,
                 reader->flags);
    if (*milliseconds == 0 || (reader->flags & ~KNOWN_FLAGS)) {
        demoReadFailed(reader, reason);
        return -1;
    }
    *controls = demoFlagsControls(reader->flags);
    reader->framesRead++;
    return 1;
}
