// The product's registry footprint as the tests know it, written out apart
// from the program's own plan so that a slip in either shows, and the
// look-alike neighbours that no run may touch.
#pragma once

enum TestRoot { ClassesRoot, CurrentUser, LocalMachine };

struct TestKey {
    TestRoot root;
    const char *path;
};

struct TestValue {
    TestRoot root;
    const char *path;
    const char *name;
};

inline const TestKey PlannedKeys[] = {
    {ClassesRoot, "XQMfile"},
    {ClassesRoot, ".xqm"},
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"},
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\ZEPHA KEY"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA32.EXE"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MOKTA32"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MOKTA_V1_0"},
    {CurrentUser, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"},
    {ClassesRoot, "*\\shellex\\ContextMenuHandlers\\Mokta32"},
    {ClassesRoot, "Mokta32"},
    {ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\Mokta32"},
    {ClassesRoot, "Nuvex.Nuvex"},
    {ClassesRoot, "Nuvex.Nuvex.1"},
    {ClassesRoot, "Nuvexa.Nuvexa"},
    {ClassesRoot, "Nuvexa.Nuvexa.1"},
    {ClassesRoot, "CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}"},
    {ClassesRoot, "CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
    {ClassesRoot, "CLSID\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}"},
    {ClassesRoot, "CLSID\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"},
    {ClassesRoot, "CLSID\\{c2e4b76e-e8a1-11D1-9b07-00805f3ae9c8}"},
    {ClassesRoot, "Interface\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
    {ClassesRoot, "Interface\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"},
    {ClassesRoot, "Typelib\\{7AC61F2A-B297-11D1-A45E-00A0C93B61D2}"},
    {ClassesRoot, "Typelib\\{d57a3c19-e89f-11D1-9b07-00805f3ae9c8}"},
};

#define TEST_RUN_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"

inline const TestValue PlannedValues[] = {
    {LocalMachine, TEST_RUN_KEY, "Mokta32"},
    {LocalMachine, TEST_RUN_KEY, "Tqn32"},
    {CurrentUser, TEST_RUN_KEY, "Mokta32"},
    {CurrentUser, TEST_RUN_KEY, "Tqn32"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
     "{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}"},
    {ClassesRoot, ".386", "Mokta32Rename"},
    {ClassesRoot, ".BAT", "Mokta32Rename"},
    {ClassesRoot, ".BIN", "Mokta32Rename"},
    {ClassesRoot, ".CMD", "Mokta32Rename"},
    {ClassesRoot, ".COM", "Mokta32Rename"},
    {ClassesRoot, ".DOC", "Mokta32Rename"},
    {ClassesRoot, ".DOT", "Mokta32Rename"},
    {ClassesRoot, ".EXE", "Mokta32Rename"},
    {ClassesRoot, ".OVL", "Mokta32Rename"},
    {ClassesRoot, ".SYS", "Mokta32Rename"},
    {ClassesRoot, ".VXD", "Mokta32Rename"},
    {ClassesRoot, ".XLS", "Mokta32Rename"},
};

// Subkeys seeded below every planned key, so that removal means a whole tree.
inline const char *const PlannedSubtree[] = {"Sub A", "Sub A\\Deeper", "Sub A\\Deeper\\Deepest", "Sub B"};

// Siblings, same-prefix names and parents of the footprint.
inline const TestKey NeighbourKeys[] = {
    {ClassesRoot, "XQMfile2"},
    {ClassesRoot, ".xqmx"},
    {ClassesRoot, "Mokta32Extra"},
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE"},
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32 Tools"},
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE\\OTHER"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EX"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MOKTA_V1_01"},
    {CurrentUser, "SOFTWARE\\KELBO SOFTWARE"},
    {CurrentUser, "SOFTWARE\\KELBO SOFTWARE\\MOKTA320"},
    {ClassesRoot, "*\\shellex\\ContextMenuHandlers\\Mokta32x"},
    {ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\Other"},
    {ClassesRoot, "Nuvex.Nuvex.2"},
    {ClassesRoot, "CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D57}"},
    {ClassesRoot, "Interface\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}"},
    {ClassesRoot, "Typelib\\{7AC61F2B-B297-11D1-A45E-00A0C93B61D2}"},
};

// Values beside the planned ones, in the same keys or under names alike.
inline const TestValue NeighbourValues[] = {
    {LocalMachine, TEST_RUN_KEY, "Other"},
    {LocalMachine, TEST_RUN_KEY, "Mokta32x"},
    {CurrentUser, TEST_RUN_KEY, "Tqn"},
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
     "{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D57}"},
    {ClassesRoot, ".EXE", "Mokta32Renamed"},
    {ClassesRoot, ".EXE", "Content Type"},
    {ClassesRoot, ".XLS", "Other"},
    {ClassesRoot, ".TXT", "Mokta32Rename"},
};
