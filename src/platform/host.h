// What the game needs of the machine around it before anything else starts: the three
// standard streams open, and a prompt end when the display goes away.
#pragma once

// Opens /dev/null on whichever of standard input, output and error is closed, so that no
// file or display connection opened later takes its number and receives the game's
// messages. Called first thing in main.
void hostStandardStreamsOpen();

// From now on, a lost connection to the X display ends the program at once with status 1
// and one line on standard error; otherwise SDL's shut-down would wait on the dead
// connection for ever.
void hostDisplayLossWatch();
