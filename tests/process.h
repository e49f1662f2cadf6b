// Running the real game program from a folder of its own, as a player's machine would.
#pragma once

#include <string>
#include <vector>

struct RunResult {
    int status;          // exit status, or -1 when it had to be stopped
    std::string errors;  // everything it wrote on standard error
};

// Copies the game program into folder and links every generated picture and sound beside
// it, except the listed files (paths like "images/bg.png").
void gameCopy(const std::string& folder, const std::vector<std::string>& leaveOut = {});

// Runs folder/skarvel with the arguments on SDL's dummy drivers, in folder as its current
// directory, and waits at most timeoutSeconds.
RunResult gameRun(const std::string& folder, const std::vector<std::string>& arguments, int timeoutSeconds = 60);
