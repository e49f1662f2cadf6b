#include "game/titlekeys.h"

#include "game/actions.h"
#include "platform/text.h"
#include "world/assets.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <iterator>
#include <vector>

namespace {

// The bindings the title's keys were last written from.
Binding written[ACTION_COUNT];
bool writtenOnce = false;

// Where the box's keys end and their words begin, as the intro's box was first drawn; the
// spacing of its lines when they are few; the room kept inside its rim.
constexpr int BOX_SPLIT = 318;
constexpr int BOX_GAP = 8;
constexpr int BOX_LINE_SPACING = 21;
constexpr int BOX_MARGIN = 14;
// The ready strip's lines: the middle of their block, as the strip's one line of words first
// stood, the room between two lines and the widest a line may be before it is broken.
constexpr int STRIP_MIDDLE = 57;
constexpr int STRIP_LINE_GAP = 6;
constexpr int STRIP_WIDEST = 600;

const Binding& bound(Action action)
{
    return bindings[static_cast<int>(action)];
}

int keysBound(Action action)
{
    return static_cast<int>(std::count_if(std::begin(bound(action).keys), std::end(bound(action).keys),
                                          [](SDLKey key) { return key != SDLK_UNKNOWN; }));
}

// The first `most` keys of the action, named and joined by " or "; "-" for none.
std::string keysNamed(Action action, int most)
{
    std::string names;
    for (const SDLKey key : bound(action).keys)
        if (key != SDLK_UNKNOWN && most-- > 0)
            names += (names.empty() ? "" : " or ") + titleKeyName(key);
    return names.empty() ? "-" : names;
}

// A line of the box: its keys and what they do. A line of one action may name fewer of its
// keys when the box cannot hold them all.
struct HelpLine {
    std::string keys;
    const char* what;
    Action action;
    int shown;  // of the action's keys; 0 for a line of two actions, which names one of each
};

std::vector<HelpLine> helpLines()
{
    std::vector<HelpLine> lines;
    const auto first = [](Action action) { return bound(action).keys[0]; };
    if (first(Action::Left) == SDLK_LEFT && first(Action::Right) == SDLK_RIGHT && first(Action::Thrust) == SDLK_UP &&
        first(Action::Brake) == SDLK_DOWN) {
        lines.push_back({"Arrows", "turn, thrust, brake", Action::Left, 0});
    } else {
        lines.push_back({keysNamed(Action::Left, 1) + " / " + keysNamed(Action::Right, 1), "turn", Action::Left, 0});
        lines.push_back(
            {keysNamed(Action::Thrust, 1) + " / " + keysNamed(Action::Brake, 1), "thrust, brake", Action::Thrust, 0});
    }
    const std::pair<Action, const char*> single[] = {{Action::Fire, "fire"},
                                                     {Action::Missiles, "missiles"},
                                                     {Action::Pause, "pause"},
                                                     {Action::Screenshot, "screenshot"},
                                                     {Action::Leave, "leave"}};
    for (const auto& [action, what] : single)
        lines.push_back({keysNamed(action, BINDS_PER_ACTION), what, action, std::max(1, keysBound(action))});
    return lines;
}

int keysWidth(const HelpLine& line)
{
    return textWidth(TextStyle::Key, (line.keys + ":").c_str());
}

// The keys right of the split, what they do left of it; the split where the box first had it
// when the lines let it, and lines that name many keys naming fewer when the box is too narrow.
void boxWrite(SDL_Surface* title)
{
    const TitleBox& box = TITLE_KEYS_BOX;
    const int left = box.left + BOX_MARGIN, right = box.right - BOX_MARGIN;
    std::vector<HelpLine> lines = helpLines();
    int split = BOX_SPLIT;
    for (;;) {
        int keys = 0, what = 0;
        for (const HelpLine& line : lines) {
            keys = std::max(keys, keysWidth(line));
            what = std::max(what, textWidth(TextStyle::Word, line.what));
        }
        const int leftmost = left + keys, rightmost = right - BOX_GAP - what;
        split = std::min(std::max(BOX_SPLIT, leftmost), std::max(leftmost, rightmost));
        const auto widest = std::max_element(lines.begin(), lines.end(), [](const HelpLine& a, const HelpLine& b) {
            return (a.shown > 1 ? keysWidth(a) : 0) < (b.shown > 1 ? keysWidth(b) : 0);
        });
        if (leftmost <= rightmost || widest->shown <= 1)
            break;
        widest->keys = keysNamed(widest->action, --widest->shown);
    }
    const int count = static_cast<int>(lines.size());
    const int spacing = std::min(BOX_LINE_SPACING, (box.bottom - BOX_MARGIN / 2 - box.linesTop) / count);
    int y = box.linesTop;
    for (const HelpLine& line : lines) {
        const std::string keys = line.keys + ":";
        textDraw(TextStyle::Key, keys.c_str(), split - textWidth(TextStyle::Key, keys.c_str()), y, title);
        textDraw(TextStyle::Word, line.what, split + BOX_GAP, y, title);
        y += spacing;
    }
}

// A piece of the ready strip's words: what comes before the key, the key, what comes after.
struct Phrase {
    const char* before;
    std::string key;
    const char* after;
};

// The strip's lines, each centred: "Press Space to start, Esc to quit", broken after its comma
// when the keys' names make it too wide, and "Press C to change the controls". A phrase whose
// action has no key is left out.
void stripWrite(SDL_Surface* title)
{
    const auto key = [](Action action) {
        return bound(action).keys[0] == SDLK_UNKNOWN ? std::string() : titleKeyName(bound(action).keys[0]);
    };
    const std::vector<std::vector<Phrase>> sentences = {
        {{"Press ", key(Action::Start), " to start"}, {"", key(Action::Leave), " to quit"}},
        {{"Press ", key(Action::Controls), " to change the controls"}},
    };
    // Each line's runs, and the words they point into, which a deque keeps where they are.
    std::deque<std::string> words;
    std::vector<std::vector<TextRun>> lines;
    for (const std::vector<Phrase>& sentence : sentences) {
        std::vector<const Phrase*> kept;
        for (const Phrase& phrase : sentence)
            if (!phrase.key.empty())
                kept.push_back(&phrase);
        std::vector<TextRun> line;
        for (std::size_t i = 0; i < kept.size(); i++) {
            const bool more = i + 1 < kept.size();
            const std::string& after = words.emplace_back(std::string(kept[i]->after) + (more ? ", " : ""));
            const std::vector<TextRun> phrase = {{TextStyle::Heading, kept[i]->before},
                                                 {TextStyle::HeadingKey, kept[i]->key.c_str()},
                                                 {TextStyle::Heading, after.c_str()}};
            std::vector<TextRun> longer = line;
            longer.insert(longer.end(), phrase.begin(), phrase.end());
            if (!line.empty() && textRunsWidth(longer.data(), static_cast<int>(longer.size())) > STRIP_WIDEST) {
                lines.push_back(line);
                line = phrase;
            } else {
                line = longer;
            }
        }
        if (!line.empty())
            lines.push_back(line);
    }
    const int height = textHeight(TextStyle::Heading), count = static_cast<int>(lines.size());
    int y = TITLE_STRIP_Y + STRIP_MIDDLE - (count * height + (count - 1) * STRIP_LINE_GAP) / 2;
    for (const std::vector<TextRun>& line : lines) {
        const int runs = static_cast<int>(line.size());
        textDrawRuns(line.data(), runs, (title->w - textRunsWidth(line.data(), runs)) / 2, y, title);
        y += height + STRIP_LINE_GAP;
    }
}

}  // namespace

std::string titleKeyName(int key)
{
    std::string name = bindName(true, key);
    if (name == "escape")
        return "Esc";
    for (std::size_t i = 0; i < name.size(); i++)
        if (i == 0 || name[i - 1] == ' ')
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    return name;
}

bool titleKeysStale()
{
    return !writtenOnce || std::memcmp(written, bindings, sizeof written) != 0;
}

void titleKeysWrite(SDL_Surface* title)
{
    boxWrite(title);
    stripWrite(title);
    std::memcpy(written, bindings, sizeof written);
    writtenOnce = true;
}
