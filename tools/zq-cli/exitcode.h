#pragma once

// The exit statuses zq-cli documents; with several instruments it ends with the highest of theirs.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 1, // the command line is wrong
    ExitLink = 2, // the link could not be opened or the instrument stayed silent
    ExitRefused = 3, // the instrument refused an item, named another model or answered garbage
    ExitFile = 4, // a file could not be read, parsed or written
    ExitDowngrade = 4, // flash: the package is older than the instrument's firmware, without --allow-downgrade
    ExitInterrupted = 5 // Ctrl-C or SIGTERM stopped a write between two items
};
