// What a scenario expects to see and do: the windows in order, each with
// its answer, then the exit status and the state of the registry.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

enum class Language { English, Czech };

// The standard icon a window shows; Unchecked where a test does not care.
enum class Icon { None, Question, Error, Information, Warning, Other, Unchecked };

struct ExpectedButton {
    int id;
    std::wstring text;  // empty: the platform's own wording, not checked
};

// PostQuit: a WM_QUIT posted to the window's thread, as any program on the
// same desktop can, instead of an answer.
enum class AnswerKind { Click, Escape, CloseBox, PostQuit };

struct Answer {
    AnswerKind kind;
    int button;  // for Click only
    // Before answering, a hook in the program is set to refuse the next box
    // the program tries to show once this window is gone (box_refusal.h).
    bool refuseNextBox = false;
};

inline Answer Click(int button) { return {AnswerKind::Click, button}; }
inline const Answer PressEscape{AnswerKind::Escape, 0};
inline const Answer CloseBox{AnswerKind::CloseBox, 0};
inline const Answer PostQuit{AnswerKind::PostQuit, 0};
inline Answer RefusingTheNextBox(Answer answer)
{
    answer.refuseNextBox = true;
    return answer;
}

// Any static text control, as long as the window has exactly one.
const int AnyTextId = 0;

struct ExpectedWindow {
    const wchar_t *className;
    std::wstring caption;
    int textId;
    std::wstring text;
    Icon icon;
    std::vector<ExpectedButton> buttons;
    Answer answer;
};

// Shapes seeded beside the plain footprint, see footprint_twists.h.
enum class Twist {
    Links,
    NameOutsideCodePage,
    BestFitTrap,
    LeadingNul,
    LinkedVendorKey,
    LinkedRunKey,
    ReadOnlyRunKey,
    ReadOnlyClassKeys,
};
using Twists = std::vector<Twist>;

enum class RegistryOutcome {
    Removed,
    Untouched,
    // Removed, except what the twists keep: the planned entries they stop
    // the program from removing, and what they seeded below them.
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
    Twists twists = {};
    // Also compare all of HKLM\SOFTWARE and HKCU\SOFTWARE before and after
    // (registry_comparison.h).
    bool wholeRegistry = false;
    // A box the program may show after the last answer for an instant, and
    // take down by itself: tolerated, never answered. Nothing else may show.
    std::optional<ExpectedWindow> unansweredBox = std::nullopt;
};

const std::vector<Scenario> &Scenarios();
