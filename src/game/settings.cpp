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

// "ACTION = CODE, CODE": the action and the keys or buttons, or why not.
std::string boundRead(const std::string& word, const std::string& rest, BindLine* bound)
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
        } else if ((code = buttonNamed(item)) < 0) {
            // Not a name: the pad's own number of a button.
            char* end = nullptr;
            code = static_cast<int>(strtol(item.c_str(), &end, 10));
            if (*end || code < 0 || code >= PAD_RAW_BUTTONS ||
                item.find_first_not_of("0123456789") != std::string::npos)
                return "\"" + item + "\" is no pad button (a, b, x, y, back, start... or 0 to 31)";
        }
        bound->codes.push_back(code);
    }
    if (bound->codes.size() > BINDS_PER_ACTION)
        return action + " takes at most " + std::to_string(BINDS_PER_ACTION) + (bound->keys ? " keys" : " buttons");
    return "";
}

// What a line says, taken into the command line or the bindings read so far; empty when it
// was taken, else why not.
std::string lineRead(const std::string& text, CommandLine& line, std::vector<BindLine>& bounds, int number)
{
    const std::size_t space = text.find_first_of(" \t");
    const std::string word = text.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : trimmed(text.substr(space));
    if (word == "bind" || word == "pad") {
        BindLine bound{number, -1, word == "bind", {}};
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

SettingsLines settingsRead(const std::string& file, bool named)
{
    SettingsLines read;
    const char* name = file.c_str();
    const char* why = "";
    FILE* stream = file.empty() ? nullptr : fileOpenToRead(name, &why);
    std::string text;
    if (!stream && !file.empty() && (errno != ENOENT || named))
        fprintf(stderr, "ignoring settings %s: %s\n", name, why);
    if (stream) {
        // Looked at on the open file: what was checked is what is read.
        struct stat status { };
        std::vector<char> held(SETTINGS_LARGEST + 1);
        const std::size_t got =
            fstat(fileno(stream), &status) == 0 && status.st_size <= static_cast<off_t>(SETTINGS_LARGEST)
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
    read.options.byFile = true;
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
            complaint = lineRead(content, read.options, read.binds, number);
        if (!complaint.empty())
            read.told.emplace_back(number, complaint);
        if (end == text.size())
            break;
    }
    return read;
}

CommandLine settingsApply(const std::string& file, const SettingsLines& read, const CommandLine& said)
{
    bindingsDefault();
    Told told = read.told;
    const Told taken = bindingsTake(read.binds);
    told.insert(told.end(), taken.begin(), taken.end());
    std::stable_sort(told.begin(), told.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [at, why] : told)
        fprintf(stderr, "%s:%d: %s\n", file.c_str(), at, why.c_str());
    return optionsOver(read.options, said);
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
           "# buttons: pad ACTION = BUTTON, BUTTON... with the names SDL gives a game\n"
           "# controller's buttons, which hold on every pad whose layout SDL knows (and on any\n"
           "# other as an Xbox pad numbers them):\n"
           "#  ");
    for (const char* name : PAD_BUTTON_NAMES)
        printf(" %s", name);
    printf("\n"
           "# or with the pad's own numbers, 0 to 31. The stick and the d-pad always turn, thrust\n"
           "# and brake. A key, or a button, serves one action of each screen: start, controls\n"
           "# and leave on the title screen, the rest in play, and screenshot and leave on both.\n");
    for (const ActionInfo& action : ACTIONS) {
        printf("#\n# %s\nbind %s = %s\n", action.what, action.name, actionDefaults(action, true).c_str());
        const std::string buttons = actionDefaults(action, false);
        if (!buttons.empty())
            printf("pad %s = %s\n", action.name, buttons.c_str());
    }
}
