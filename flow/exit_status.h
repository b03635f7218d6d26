// The values the process ends with.
#pragma once

enum ExitStatus {
    ExitFinished = 0,   // cancelled, declined, or the cleanup ran
    ExitRefused = 1,    // not allowed to run, or a text resource is missing
    ExitIncomplete = 2, // the cleanup ran, but some entries are still there
    ExitNoAnswer = -1,  // the introductory dialog could not be created, or the question got no answer
};
