// The texts the program shows, as its users are meant to read them, written
// out apart from the string tables so that a slip in either shows. The host
// tests hold the compiled resources and what is shown against this table, and
// so does the Wine driver. Czech texts keep the program's own wording,
// "vševhny" included.
#pragma once

struct ExpectedText {
    const char *name;  // the resource identifier, IDS_...
    unsigned id;       // the English id; the Czech text lies 1000 above it
    const char16_t *english;
    const char16_t *czech;
};

// The rows of the table below, in id order.
enum ExpectedTextRow {
    TextIntro,
    TextButtonOk,
    TextButtonCancel,
    TextDone,
    TextConfirm,
    TextNeedAdmin,
    TextIncomplete,
    ExpectedTextRows
};

inline const ExpectedText ExpectedTexts[ExpectedTextRows] = {
    {"IDS_INTRO", 10100,
     u"This program deletes every information about MOKTA32 from registry.\n\nTo proceed, click OK.",
     u"Tento program maže všechny informace o programu MOKTA32 z registru.\n\nPro pokračování stiskněte OK."},
    {"IDS_BUTTON_OK", 10101, u"OK", u"OK"},
    {"IDS_BUTTON_CANCEL", 10102, u"Cancel", u"Storno"},
    {"IDS_DONE", 10103, u"Done. Everything about MOKTA32 was deleted from registry.",
     u"Hotovo. Všechny informace o MOKTA32 byly smazány z registru."},
    {"IDS_CONFIRM", 10104, u"Are you sure you want to delete everything about MOKTA32 from registry?",
     u"Jste si jist, že chcete smazat vševhny informace o Mokta32 z registru?"},
    {"IDS_NEED_ADMIN", 10105, u"Sorry, you must have administrator rights to run this program!",
     u"Lituji, ale pro spuštění tohoto programu musíte mít administrátorská práva."},
    {"IDS_INCOMPLETE", 10106, u"Some entries about MOKTA32 could not be deleted from registry.",
     u"Některé informace o MOKTA32 se nepodařilo smazat z registru."},
};

const unsigned CzechTextOffset = 1000;

// The caption of the dialog and of every box of the run, never translated.
inline const char16_t ExpectedCaption[] = u"WEXOR32";
// The box for a missing text: fixed English, whatever the language.
inline const char16_t ExpectedMissingText[] = u"Resource not found.";
inline const char16_t ExpectedMissingCaption[] = u"Error";
