#pragma once

// Ctrl-C (SIGINT) and SIGTERM as a request to stop, for a subcommand that runs until told to:
// the first one only sets a flag the command polls, so it can end its work cleanly; a second one
// ends the program as the signal normally would.
class StopSignal
{
public:
    static void install();
    // Puts the default handlers back.
    static void restore();
    static bool received();
};
