#include "window_check.h"
#include "icon_query.h"
#include "report.h"

static void CheckText(const std::string &label, const ExpectedWindow &expected, const ShownWindow &shown)
{
    const Control *text = nullptr;
    if (expected.textId == AnyTextId) {
        if (shown.texts.size() != 1) {
            Fail(label + ": " + std::to_string(shown.texts.size()) + " text controls, expected exactly one");
            return;
        }
        text = &shown.texts.front();
    } else {
        for (const Control &control : shown.texts)
            if (control.id == expected.textId)
                text = &control;
        if (!text) {
            Fail(label + ": no text control with id " + std::to_string(expected.textId));
            return;
        }
    }
    if (text->text != expected.text)
        Fail(label + ": text " + Quoted(text->text) + ", expected " + Quoted(expected.text));
}

static void CheckButtons(const std::string &label, const ExpectedWindow &expected, const ShownWindow &shown)
{
    for (const ExpectedButton &want : expected.buttons) {
        const Control *found = nullptr;
        for (const Control &button : shown.buttons)
            if (button.id == want.id)
                found = &button;
        std::string name = label + ": button id " + std::to_string(want.id);
        if (!found)
            Fail(name + " is missing");
        else if (!want.text.empty() && found->text != want.text)
            Fail(name + " reads " + Quoted(found->text) + ", expected " + Quoted(want.text));
    }
    for (const Control &button : shown.buttons) {
        bool wanted = false;
        for (const ExpectedButton &want : expected.buttons)
            wanted = wanted || want.id == button.id;
        if (!wanted)
            Fail(label + ": unexpected button id " + std::to_string(button.id) + " " + Quoted(button.text));
    }
}

void CheckWindow(const std::string &label, const ExpectedWindow &expected, const ShownWindow &shown)
{
    if (shown.className != expected.className)
        Fail(label + ": window class " + Quoted(shown.className) + ", expected " + Quoted(expected.className));
    if (shown.caption != expected.caption)
        Fail(label + ": caption " + Quoted(shown.caption) + ", expected " + Quoted(expected.caption));
    CheckText(label, expected, shown);
    CheckButtons(label, expected, shown);
    if (expected.icon != Icon::Unchecked) {
        Icon icon = QueryIcon(shown.handle);
        if (icon != Icon::Unchecked && icon != expected.icon)
            Fail(label + ": shows " + IconName(icon) + ", expected " + IconName(expected.icon));
    }
}

std::string Describe(const ShownWindow &shown)
{
    std::string line = "caption " + Quoted(shown.caption);
    for (const Control &text : shown.texts)
        line += ", text " + Quoted(text.text);
    return line;
}

bool LooksLike(const ExpectedWindow &expected, const ShownWindow &shown)
{
    return shown.className == expected.className && shown.caption == expected.caption && shown.texts.size() == 1 &&
           shown.texts.front().text == expected.text;
}
