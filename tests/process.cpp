#include "process.h"

#include "fixtures.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

void gameCopy(const std::string& folder, const std::vector<std::string>& leaveOut)
{
    const fs::path build = buildDirectory();
    fs::copy_file(build / "skarvel", fs::path(folder) / "skarvel");
    for (const char* assets : {"images", "sounds"}) {
        fs::create_directories(fs::path(folder) / assets);
        for (const auto& entry : fs::directory_iterator(build / assets)) {
            const std::string name = std::string(assets) + "/" + entry.path().filename().string();
            if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end())
                fs::create_symlink(entry.path(), fs::path(folder) / name);
        }
    }
}

RunResult gameRun(const std::string& folder, const std::vector<std::string>& arguments, int timeoutSeconds)
{
    const std::string errorFile = folder + "/stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        FILE* errors = freopen(errorFile.c_str(), "w", stderr);
        if (!errors)
            _exit(126);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::vector<char*> argv;
        std::string program = folder + "/skarvel";
        argv.push_back(program.data());
        std::vector<std::string> copies = arguments;
        for (std::string& argument : copies)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }

    RunResult result{-1, ""};
    int status = 0;
    for (int waited = 0; waited < timeoutSeconds * 100; waited++) {
        if (waitpid(child, &status, WNOHANG) == child) {
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        usleep(10000);
    }
    if (result.status == -1 && waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    std::ifstream in(errorFile);
    std::stringstream text;
    text << in.rdbuf();
    result.errors = text.str();
    return result;
}
