// Runs the program against a fresh stand-in machine, as a new process would.
#pragma once
#include "machine.h"
#include "tests/footprint.h"

#include <gtest/gtest.h>

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override;

    // WinMain as the start-up calls it; the status the process would end with.
    static int RunWexor(const char *arguments = "");
};

// A box of the main sequence: no owner, the program's caption, this text and style.
void ExpectBox(const standin::MessageBoxRecord &box, const std::string &text, UINT type);

// The whole machine of one family, as the program would have found it by now.
void UseFamily(standin::Family family);
HKEY RootOf(TestRoot root);
// The planned entries with a subtree under each key, and all neighbours.
void SeedFootprint();
bool AnyPlannedEntryLeft();
bool AllPlannedEntriesLeft();
bool AllNeighboursLeft();
