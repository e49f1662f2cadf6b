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
#include <strings.h>
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

// The key or button a settings line names as bindName names it, or -1. A key SDL has no name
// for goes by its number, as bindName writes it; a button by its number too, so that a file
// of numbers reads the same whatever bindName calls the buttons.
int codeNamed(bool keys, const std::string& item)
{
    if (const int key = keys ? inputKeyNamed(item.c_str()) : SDLK_UNKNOWN; key != SDLK_UNKNOWN)
        return key;
    for (int button = 0; !keys && button < PAD_CODES; button++)
        if (strcasecmp(bindName(false, button).c_str(), item.c_str()) == 0)
            return button;
    if (item.empty() || item.size() > 10 || item.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const long code = strtol(item.c_str(), nullptr, 10);
    if (keys)
        return code > 0 && bindName(true, static_cast<int>(code)) == item ? static_cast<int>(code) : -1;
    return code < PAD_RAW_BUTTONS ? static_cast<int>(code) : -1;
}

// "ACTION = CODE, CODE": the action and the keys or buttons, or why not. Nothing after the =
// leaves the action none.
std::string boundRead(const std::string& word, const std::string& rest, BindLine* bound)
{
    const std::size_t equals = rest.find('=');
    if (equals == std::string::npos)
        return word + " takes ACTION = " + (bound->keys ? "KEY" : "BUTTON") + "[, ...]";
    const std::string action = trimmed(rest.substr(0, equals));
    if ((bound->action = actionNamed(action)) < 0)
        return "unknown action \"" + action + "\"";
    if (trimmed(rest.substr(equals + 1)).empty())
        return "";
    std::string list = rest.substr(equals + 1) + ",";
    for (std::size_t comma; (comma = list.find(',')) != std::string::npos; list.erase(0, comma + 1)) {
        const std::string item = trimmed(list.substr(0, comma));
        if (item.empty())
            return action + " = needs " + (bound->keys ? "a key" : "a button") + " between its commas";
        const int code = codeNamed(bound->keys, item);
        if (code < 0)
            return bound->keys ? "unknown key \"" + item + "\""
                               : "\"" + item + "\" is no pad button (a, b, x, y, back, start... or 0 to 31)";
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

// A line of a settings file as the reader takes it, and the end it came with ("\r\n", "\n",
// or nothing on the last), which a line written in its place keeps.
struct Line {
    std::string raw;
    std::string end;
};

std::vector<Line> linesOf(const std::string& text)
{
    std::vector<Line> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t newline = std::min(text.find('\n', from), text.size());
        std::size_t end = newline;
        if (end > from && text[end - 1] == '\r')
            end--;
        lines.push_back({text.substr(from, end - from), text.substr(end, newline + 1 - end)});
        from = newline + 1;
    }
    return lines;
}

// What a text says, line by line, into read.
void textRead(const std::string& text, SettingsLines& read)
{
    int number = 0;
    for (const Line& line : linesOf(text)) {
        number++;
        std::string complaint;
        if (line.raw.size() > SETTINGS_LINE_LONGEST)
            complaint = "longer than " + std::to_string(SETTINGS_LINE_LONGEST) + " bytes";
        else if (!textual(line.raw))
            complaint = "not text";
        const std::string content = trimmed(line.raw);
        if (complaint.empty() && !content.empty() && content[0] != '#')
            complaint = lineRead(content, read.options, read.binds, number);
        if (!complaint.empty())
            read.told.emplace_back(number, complaint);
    }
}

// The action a bind or pad line is about, as the reader takes it, even when the rest of the
// line is wrong: 2 * action + 1 for keys, + 0 for pad buttons; -1 for any other line.
int lineAbout(const Line& line)
{
    if (line.raw.size() > SETTINGS_LINE_LONGEST || !textual(line.raw))
        return -1;
    const std::string content = trimmed(line.raw);
    const std::size_t space = content.find_first_of(" \t");
    const std::string word = content.substr(0, space);
    const std::size_t equals = content.find('=');
    if ((word != "bind" && word != "pad") || space == std::string::npos || equals == std::string::npos ||
        equals < space)
        return -1;
    const int action = actionNamed(trimmed(content.substr(space, equals - space)));
    return action < 0 ? -1 : 2 * action + (word == "bind");
}

enum class Found { Text, Nothing, Refused };

// The text of a settings file, or nothing there, or why it is refused whole: not a plain file,
// larger than 64 KB, or not to be opened or read. Opened without waiting, and looked at on
// the open file: what was checked is what is read.
Found fileTextRead(const std::string& file, std::string* text, std::string* why)
{
    const char* reason = "";
    FILE* stream = fileOpenToRead(file.c_str(), &reason);
    if (!stream) {
        *why = reason;
        return errno == ENOENT ? Found::Nothing : Found::Refused;
    }
    struct stat status { };
    std::vector<char> held(SETTINGS_LARGEST + 1);
    const std::size_t got =
        fstat(fileno(stream), &status) == 0 && status.st_size <= static_cast<off_t>(SETTINGS_LARGEST)
        ? fread(held.data(), 1, held.size(), stream)
        : held.size();
    Found found = Found::Refused;
    if (got > SETTINGS_LARGEST)
        *why = "larger than " + std::to_string(SETTINGS_LARGEST) + " bytes";
    else if (ferror(stream))
        *why = strerror(errno);
    else
        text->assign(held.data(), got), found = Found::Text;
    fclose(stream);
    return found;
}

// Where the settings were taken from, for saving.
struct {
    std::string file;     // empty for none
    bool noSettings;      // -noconfig
    std::string refused;  // why the file was not read at start
} taken;

// The keys, or buttons, of a binding in order.
std::vector<int> codesOf(const Binding& binding, bool keys)
{
    std::vector<int> codes;
    for (int i = 0; i < BINDS_PER_ACTION; i++)
        if (keys ? binding.keys[i] != SDLK_UNKNOWN : binding.buttons[i] >= 0)
            codes.push_back(keys ? binding.keys[i] : binding.buttons[i]);
    return codes;
}

// The line an action's keys, or buttons, are saved as: "bind fire = space, right ctrl",
// "bind screenshot =" for none.
std::string boundLine(int action, bool keys)
{
    std::string line = std::string(keys ? "bind " : "pad ") + ACTIONS[action].name + " =";
    const std::vector<int> codes = codesOf(bindings[action], keys);
    for (std::size_t i = 0; i < codes.size(); i++)
        line += (i ? ", " : " ") + bindName(keys, codes[i]);
    return line;
}

// Which bindings a text would give the next start, against the bindings as they are now:
// differs[2 * action + keys], and told[2 * action + keys] for a line of it that would be told.
// The bindings are taken as start-up takes them and then put back.
void readBack(const std::string& text, bool* differs, bool* told)
{
    SettingsLines read;
    textRead(text, read);
    Binding now[ACTION_COUNT];
    std::copy(bindings, bindings + ACTION_COUNT, now);
    bindingsDefault();
    Told said = read.told;
    const Told refused = bindingsTake(read.binds);
    said.insert(said.end(), refused.begin(), refused.end());
    for (int a = 0; a < 2 * ACTION_COUNT; a++)
        differs[a] = codesOf(bindings[a / 2], a % 2) != codesOf(now[a / 2], a % 2), told[a] = false;
    std::copy(now, now + ACTION_COUNT, bindings);
    const std::vector<Line> lines = linesOf(text);
    for (const auto& [number, why] : said)
        if (const int about = lineAbout(lines[number - 1]); about >= 0)
            told[about] = true;
}

// The text with the lines of the bindings to write, write[2 * action + keys], in it: each in
// place of the last line of its action and kind, the earlier ones dropped (the reader takes
// the last alone), or else added at the end in the order of the actions, keys first.
std::string rewritten(const std::string& text, const bool* write)
{
    const std::vector<Line> lines = linesOf(text);
    std::vector<int> last(2 * ACTION_COUNT, -1);
    for (std::size_t i = 0; i < lines.size(); i++)
        if (const int about = lineAbout(lines[i]); about >= 0)
            last[about] = static_cast<int>(i);
    std::string out;
    for (std::size_t i = 0; i < lines.size(); i++) {
        const int about = lineAbout(lines[i]);
        if (about < 0 || !write[about])
            out += lines[i].raw + lines[i].end;
        else if (last[about] == static_cast<int>(i))
            out += boundLine(about / 2, about % 2) + lines[i].end;
    }
    // Added lines end as the last line that has an end does.
    std::string newline = "\n";
    for (const Line& line : lines)
        newline = line.end.ends_with('\n') ? line.end : newline;
    for (int a = 0; a < ACTION_COUNT; a++)
        for (const int about : {2 * a + 1, 2 * a}) {
            if (!write[about] || last[about] >= 0)
                continue;
            if (!out.empty() && out.back() != '\n')
                out += newline;
            out += boundLine(a, about % 2) + newline;
        }
    return out;
}

// The settings text once the actions' bindings are saved in it. Their lines that would read
// otherwise than the bindings, or be told, are written; then those of any other action that
// the new lines make read otherwise (a key an earlier line of the player's asked for, refused
// then for the action that held it, and free now), until nothing more changes. An action the
// file already read otherwise is the player's business: the file may have been edited since.
std::string savedText(const std::string& text, const std::vector<int>& actions)
{
    bool write[2 * ACTION_COUNT] = {}, before[2 * ACTION_COUNT], differs[2 * ACTION_COUNT], told[2 * ACTION_COUNT];
    readBack(text, before, told);
    for (const int action : actions)
        for (int about = 2 * action; action >= 0 && action < ACTION_COUNT && about < 2 * action + 2; about++)
            write[about] = before[about] || told[about];
    std::string out = rewritten(text, write);
    for (bool more = true; more;) {
        readBack(out, differs, told);
        more = false;
        for (int about = 0; about < 2 * ACTION_COUNT; about++)
            if (differs[about] && !before[about] && !write[about])
                write[about] = more = true;
        if (more)
            out = rewritten(text, write);
    }
    return out;
}

// A file as the player knows it: the home folder as ~.
std::string shown(const std::string& file)
{
    const char* home = getenv("HOME");
    const std::size_t length = home ? strlen(home) : 0;
    if (length > 1 && file.compare(0, length, home) == 0 && file[length] == '/')
        return "~" + file.substr(length);
    return file;
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
    std::string text, why;
    const Found found = file.empty() ? Found::Nothing : fileTextRead(file, &text, &why);
    if (found == Found::Refused)
        read.refused = why;
    if (found == Found::Refused || (found == Found::Nothing && named && !file.empty()))
        fprintf(stderr, "ignoring settings %s: %s\n", file.c_str(), why.c_str());
    read.options.byFile = true;
    textRead(text, read);
    return read;
}

CommandLine settingsApply(const std::string& file, const SettingsLines& read, const CommandLine& said)
{
    taken = {file, said.noSettings, read.refused};
    bindingsDefault();
    Told told = read.told;
    const Told refused = bindingsTake(read.binds);
    told.insert(told.end(), refused.begin(), refused.end());
    std::stable_sort(told.begin(), told.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [at, why] : told)
        fprintf(stderr, "%s:%d: %s\n", file.c_str(), at, why.c_str());
    return optionsOver(read.options, said);
}

std::string settingsUnsaved()
{
    const std::string notSaved = "settings not saved: ";
    if (!filesOutlastTheGame())
        return notSaved + "the browser keeps no files for this page";
    if (taken.file.empty())
        return notSaved + (taken.noSettings ? "started with -noconfig" : "HOME is not set");
    if (!taken.refused.empty())
        return notSaved + shown(taken.file) + ": " + taken.refused;  // told at start, and left alone
    return "";
}

std::string settingsSave(const std::vector<int>& actions)
{
    if (std::string unsaved = settingsUnsaved(); !unsaved.empty())
        return unsaved;
    const std::string notSaved = "settings not saved: ";
    const std::string file = shown(taken.file);
    // The text is read once the link is followed: what is kept of it is what is replaced.
    WholeFile whole;
    const char* why = "";
    std::string text, reason;
    if (!wholeFileOpen(&whole, taken.file.c_str(), &why, WholeFileOwner::Player)) {
        reason = why;
    } else if (fileTextRead(whole.name, &text, &reason) == Found::Refused) {
        wholeFileFinish(&whole, false, &why);
    } else {
        reason.clear();
        const std::string saved = savedText(text, actions);
        // Nothing the next start would refuse whole is written.
        const bool written = saved.size() <= SETTINGS_LARGEST;
        if (written)
            fwrite(saved.data(), 1, saved.size(), whole.file);
        if (!wholeFileFinish(&whole, written, &why))
            reason = written ? why : "would be larger than " + std::to_string(SETTINGS_LARGEST) + " bytes";
    }
    if (reason.empty()) {
        filesKeep();
        return "settings saved in " + file;
    }
    std::string words = notSaved + file + ": " + reason;
    fprintf(stderr, "%s\n", words.c_str());
    return words;
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
           "# and leave on the title screen, the rest in play, and screenshot and leave on both.\n"
           "# Nothing after the = leaves an action none. The title's controls screen writes the\n"
           "# bind and pad lines of the actions it changes into the file the game read, and\n"
           "# leaves every other line as it is.\n");
    for (const ActionInfo& action : ACTIONS) {
        printf("#\n# %s\nbind %s = %s\n", action.what, action.name, actionDefaults(action, true).c_str());
        const std::string buttons = actionDefaults(action, false);
        if (!buttons.empty())
            printf("pad %s = %s\n", action.name, buttons.c_str());
    }
}
