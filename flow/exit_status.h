// The values the process ends with.
#pragma once

enum ExitStatus {
    ExitFinished = 0,   // cancelled, declined, or the cleanup ran
    ExitRefused = 1,    // not allowed to run, or a text resource is missing
    ExitNoDialog = -1,  // the introductory dialog could not be created
};
