#include "game/settings.h"

#include "game/actions.h"
#include "platform/files.h"
#include "platform/input.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int BUTTONS = 32;  // a pad's buttons as the joystick numbers them, 0 up

// What the file's lines were told, by line, to be said in the order of the lines.
using Told = std::vector<std::pair<int, std::string>>;

// One bind or pad line that was read whole: which action, keys or buttons, and the codes.
struct Bound {
    int line;
    int action;
    bool keys;
    std::vector<int> codes;
};

std::string trimmed(const std::string& text)
{
    const std::size_t from = text.find_first_not_of(" \t");
    if (from == std::string::npos)
        return "";
    return text.substr(from, text.find_last_not_of(" \t") - from + 1);
}

int actionNamed(const std::string& name)
{
    for (int a = 0; a < ACTION_COUNT; a++)
        if (name == ACTIONS[a].name)
            return a;
    return -1;
}

bool shareAScreen(int a, int b)
{
    return (ACTIONS[a].onTitle && ACTIONS[b].onTitle) || (ACTIONS[a].inPlay && ACTIONS[b].inPlay);
}

std::string codeName(bool key, int code)
{
    if (!key)
        return std::to_string(code);
    const char* name = inputKeyName(code);
    return name ? name : std::to_string(code);
}

// "ACTION = CODE, CODE": the action and the keys or buttons, or why not.
std::string boundRead(const std::string& word, const std::string& rest, Bound* bound)
{
    const std::size_t equals = rest.find('=');
    if (equals == std::string::npos)
        return word + " takes ACTION = " + (bound->keys ? "KEY" : "BUTTON") + "[, ...]";
    const std::string action = trimmed(rest.substr(0, equals));
    if ((bound->action = actionNamed(action)) < 0)
        return "unknown action \"" + action + "\"";
    std::string list = rest.substr(equals + 1) + ",";
    for (std::size_t comma; (comma = list.find(',')) != std::string::npos; list.erase(0, comma + 1)) {
        const std::string item = trimmed(list.substr(0, comma));
        if (item.empty())
            return action + " = needs " + (bound->keys ? "a key" : "a button") + " between its commas";
        int code = SDLK_UNKNOWN;
        if (bound->keys) {
            if ((code = inputKeyNamed(item.c_str())) == SDLK_UNKNOWN)
                return "unknown key \"" + item + "\"";
        } else {
            char* end = nullptr;
            code = static_cast<int>(strtol(item.c_str(), &end, 10));
            if (*end || code < 0 || code >= BUTTONS || item.find_first_not_of("0123456789") != std::string::npos)
                return "\"" + item + "\" is no button number (0 to 31)";
        }
        bound->codes.push_back(code);
    }
    if (bound->codes.size() > KEYS_PER_ACTION)
        return action + " takes at most " + std::to_string(KEYS_PER_ACTION) + (bound->keys ? " keys" : " buttons");
    return "";
}

// What a line says, taken into the command line or the bindings read so far; empty when it
// was taken, else why not.
std::string lineRead(const std::string& text, CommandLine& line, std::vector<Bound>& bounds, int number)
{
    const std::size_t space = text.find_first_of(" \t");
    const std::string word = text.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : trimmed(text.substr(space));
    if (word == "bind" || word == "pad") {
        Bound bound{number, -1, word == "bind", {}};
        const std::string why = boundRead(word, rest, &bound);
        if (why.empty())
            bounds.push_back(bound);
        return why;
    }
    const Option* option = optionWord(word.c_str());
    if (!option)
        return "unknown word \"" + word + "\"";
    if (!option->inFile)
        return word + " belongs to the command line";
    if (option->value && rest.empty())
        return word + " without a value";
    if (!option->value && !rest.empty())
        return word + " takes no value";
    if (const char* why = option->apply(line, option->value ? rest.c_str() : nullptr))
        return word + " " + rest + ": " + why;
    return "";
}

// The bindings the lines made, over the defaults of the actions no line rebinds: a key or a
// button serves one action of a screen, and the one that had it first (a default, or an
// earlier line) keeps it.
void boundTake(const std::vector<Bound>& bounds, Told& told)
{
    Binding taken[ACTION_COUNT];
    for (int a = 0; a < ACTION_COUNT; a++)
        taken[a] = bindings[a];
    std::vector<const Bound*> last(2 * ACTION_COUNT, nullptr);  // a later line replaces an earlier
    for (const Bound& bound : bounds)
        last[2 * bound.action + bound.keys] = &bound;
    for (const Bound* bound : last) {
        if (!bound)
            continue;
        for (int i = 0; i < KEYS_PER_ACTION; i++)
            bound->keys ? void(taken[bound->action].keys[i] = SDLK_UNKNOWN) : void(taken[bound->action].buttons[i] = -1);
    }
    for (const Bound& bound : bounds) {
        if (last[2 * bound.action + bound.keys] != &bound)
            continue;
        int put = 0;
        for (const int code : bound.codes) {
            int holder = -1;
            for (int a = 0; a < ACTION_COUNT && holder < 0; a++)
                for (int i = 0; i < KEYS_PER_ACTION && a != bound.action; i++)
                    if ((bound.keys ? taken[a].keys[i] == code : taken[a].buttons[i] == code) &&
                        shareAScreen(a, bound.action))
                        holder = a;
            if (holder >= 0) {
                char why[128];
                snprintf(why, sizeof why, "\"%s\" is bound to %s already", codeName(bound.keys, code).c_str(),
                         ACTIONS[holder].name);
                told.emplace_back(bound.line, why);
                continue;
            }
            if (bound.keys)
                taken[bound.action].keys[put++] = static_cast<SDLKey>(code);
            else
                taken[bound.action].buttons[put++] = code;
        }
    }
    for (int a = 0; a < ACTION_COUNT; a++)
        bindings[a] = taken[a];
}

bool textual(const std::string& text)
{
    for (const unsigned char c : text)
        if ((c < 0x20 && c != '\t') || c == 0x7f)
            return false;
    return true;
}

}  // namespace

std::string settingsFile(const CommandLine& line)
{
    if (line.noSettings)
        return "";
    if (!line.settings.empty())
        return line.settings;
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/skarvel/skarvel.conf";
    const char* home = getenv("HOME");
    return home && *home ? std::string(home) + "/.config/skarvel/skarvel.conf" : "";
}

CommandLine settingsRead(const std::string& file, const CommandLine& said)
{
    CommandLine line;
    bindingsDefault();
    const char* name = file.c_str();
    const char* why = "";
    FILE* stream = file.empty() ? nullptr : fileOpenToRead(name, &why);
    std::string text;
    if (!stream && !file.empty() && (errno != ENOENT || !said.settings.empty()))
        fprintf(stderr, "ignoring settings %s: %s\n", name, why);
    if (stream) {
        // Looked at on the open file: what was checked is what is read.
        struct stat status {};
        std::vector<char> held(SETTINGS_LARGEST + 1);
        const std::size_t got = fstat(fileno(stream), &status) == 0 && status.st_size <= static_cast<off_t>(SETTINGS_LARGEST)
            ? fread(held.data(), 1, held.size(), stream)
            : held.size();
        if (got > SETTINGS_LARGEST)
            fprintf(stderr, "ignoring settings %s: larger than %zu bytes\n", name, SETTINGS_LARGEST);
        else if (ferror(stream))
            fprintf(stderr, "ignoring settings %s: %s\n", name, strerror(errno));
        else
            text.assign(held.data(), got);
        fclose(stream);
    }
    std::vector<Bound> bounds;
    Told told;
    line.byFile = true;
    int number = 0;
    for (std::size_t from = 0; from < text.size(); from = text.find('\n', from) + 1) {
        number++;
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(from, end - from);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        std::string complaint;
        if (raw.size() > SETTINGS_LINE_LONGEST)
            complaint = "longer than " + std::to_string(SETTINGS_LINE_LONGEST) + " bytes";
        else if (!textual(raw))
            complaint = "not text";
        const std::string content = trimmed(raw);
        if (complaint.empty() && !content.empty() && content[0] != '#')
            complaint = lineRead(content, line, bounds, number);
        if (!complaint.empty())
            told.emplace_back(number, complaint);
        if (end == text.size())
            break;
    }
    boundTake(bounds, told);
    std::stable_sort(told.begin(), told.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [at, why] : told)
        fprintf(stderr, "%s:%d: %s\n", name, at, why.c_str());
    optionsOver(line, said);
    line.question = said.question;
    line.settings = said.settings;
    line.noSettings = said.noSettings;
    line.said = said.said;
    return line;
}

void settingsPrint()
{
    printf("# Skarvel's settings: read before the command line, which beats them, as the\n"
           "# environment's SDL12COMPAT_ settings do too. One setting a line; a line that\n"
           "# begins with # says nothing.\n"
           "#\n"
           "# Options, as on the command line without their dash.\n");
    for (int i = 0; i < OPTION_COUNT; i++) {
        const Option& option = OPTIONS[i];
        if (!option.inFile)
            continue;
        std::string help = option.help;
        for (std::size_t at; (at = help.find("\n ")) != std::string::npos;)
            help.replace(at, help.find_first_not_of(' ', at + 1) - at, "\n# ");
        printf("#\n# %s\n%s\n", help.c_str(), option.inFile);
    }
    printf("#\n"
           "# Keys: bind ACTION = KEY, KEY... with the names SDL gives the keys; and a pad's\n"
           "# buttons: pad ACTION = BUTTON, BUTTON... with their numbers (on an Xbox-style pad\n"
           "# 0 A, 1 B, 2 X, 3 Y, 6 Back, 7 Start); the stick and the d-pad always turn, thrust\n"
           "# and brake. A key, or a button, serves one action of each screen: start and leave\n"
           "# on the title screen, the rest in play, and screenshot and leave on both.\n");
    for (const ActionInfo& action : ACTIONS) {
        printf("#\n# %s\nbind %s =", action.what, action.name);
        const char* comma = " ";
        for (const SDLKey key : action.keys)
            if (key != SDLK_UNKNOWN)
                printf("%s%s", comma, codeName(true, key).c_str()), comma = ", ";
        printf("\n");
        comma = " ";
        if (action.buttons[0] >= 0)
            printf("pad %s =", action.name);
        for (const int button : action.buttons)
            if (button >= 0)
                printf("%s%d", comma, button), comma = ", ";
        if (action.buttons[0] >= 0)
            printf("\n");
    }
}
