// The game as its Debian package installs it, unpacked with dpkg -x into the folder that
// SKARVEL_PACKAGE_ROOT names: scripts/package.sh builds the package and runs this.

#include "driver.h"
#include "fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const std::string ROOT = getenv("SKARVEL_PACKAGE_ROOT") ? getenv("SKARVEL_PACKAGE_ROOT") : "";

// What the installed command prints on standard output, and its exit status, with no display.
std::pair<std::string, int> answer(const std::string& argument)
{
    FILE* out = popen(("env -u DISPLAY '" + ROOT + "/usr/games/skarvel' " + argument).c_str(), "r");
    std::string text;
    for (int c; out && (c = fgetc(out)) != EOF;)
        text += static_cast<char>(c);
    const int status = out ? pclose(out) : -1;
    return {text, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

TEST(Package, TheInstalledGameShowsItsTitleStartedFromUsrGamesThroughALinkAndFromAFolderWithSpaces)
{
    ASSERT_TRUE(fs::is_regular_file(ROOT + "/usr/games/skarvel")) << "SKARVEL_PACKAGE_ROOT holds no unpacked package";
    XServer x;
    ASSERT_FALSE(x.name().empty()) << "Xvfb did not start";
    TempDir place;
    const std::string spaced = place / "a copy with spaces";
    fs::copy(ROOT, spaced, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    fs::create_symlink(ROOT + "/usr/games/skarvel", place / "skarvel");
    // Each finds the pictures beside its own folder, and saves its screenshot in the spaced one.
    for (const std::string& program : {ROOT + "/usr/games/skarvel", place / "skarvel", spaced + "/usr/games/skarvel"}) {
        Game game({.folder = spaced, .arguments = {"-window", "-bpp", "32"}, .x = &x, .program = program});
        ASSERT_FALSE(game.window().empty()) << program << ": " << game.errors();
        const auto title = [](SDL_Surface* shot) { return showsTitle(shot, 0); };
        EXPECT_TRUE(title(game.screenshotUntil(title))) << program;
        x.xdotool("key Escape");
        EXPECT_EQ(game.wait(15), 0) << program << ": " << game.errors();
    }
}

TEST(Package, TheInstalledCommandAnswersHelpAndVersionWithoutADisplay)
{
    const auto [help, helpStatus] = answer("--help");
    EXPECT_EQ(helpStatus, 0);
    EXPECT_NE(help.find("Usage: skarvel"), std::string::npos) << help;
    EXPECT_NE(help.find("-window"), std::string::npos) << help;
    EXPECT_EQ(answer("--version"), std::make_pair(std::string("skarvel " SKARVEL_VERSION "\n"), 0));
}
