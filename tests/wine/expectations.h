// What a scenario expects to see and do: the windows in order, each with
// its answer, then the exit status and the state of the registry.
#pragma once
#include <windows.h>
#include <vector>

enum class Language { English, Czech };

// The standard icon a window shows; Unchecked where a test does not care.
enum class Icon { None, Question, Error, Information, Warning, Other, Unchecked };

struct ExpectedButton {
    int id;
    const wchar_t *text;  // nullptr: the platform's own wording, not checked
};

enum class AnswerKind { Click, Escape, CloseBox };

struct Answer {
    AnswerKind kind;
    int button;  // for Click only
};

inline Answer Click(int button) { return {AnswerKind::Click, button}; }
inline const Answer PressEscape{AnswerKind::Escape, 0};
inline const Answer CloseBox{AnswerKind::CloseBox, 0};

// Any static text control, as long as the window has exactly one.
const int AnyTextId = 0;

struct ExpectedWindow {
    const wchar_t *className;
    const wchar_t *caption;
    int textId;
    const wchar_t *text;
    Icon icon;
    std::vector<ExpectedButton> buttons;
    Answer answer;
};

// Shapes seeded beside the plain footprint, see footprint_twists.h.
enum class Twist { None, Links, NameOutsideCodePage };

enum class RegistryOutcome {
    Removed,
    Untouched,
    // Removed, except that the key holding the subkey named outside the code
    // page stays, with that subkey alone.
    PartlyRemoved,
};

struct Scenario {
    const char *name;
    Language language;               // set by the runner's LC_ALL; checked, not set, here
    const wchar_t *arguments;        // after the program name
    std::vector<ExpectedWindow> windows;
    DWORD exitStatus;
    RegistryOutcome registry;
    const wchar_t *windowsVersion = nullptr;  // HKCU\Software\Wine "Version"; nullptr: Wine's default
    Twist twist = Twist::None;
    // Also compare all of HKLM\SOFTWARE and HKCU\SOFTWARE before and after
    // (registry_comparison.h); for Removed and Untouched only.
    bool wholeRegistry = false;
};

const std::vector<Scenario> &Scenarios();
