/* Resource identifiers, shared by the .rc files and the code. */
#pragma once

/* The program's short name: dialog and message-box caption, never translated. */
#define PROGRAM_CAPTION "WEXOR32"

#define IDI_MAIN        100
#define IDC_INTRO_TEXT  101
#define IDD_INTRO       102

/* English ids; the Czech text of each lies 1000 above it. */
#define IDS_INTRO         10100
#define IDS_BUTTON_OK     10101
#define IDS_BUTTON_CANCEL 10102
#define IDS_DONE          10103
#define IDS_CONFIRM       10104
#define IDS_NEED_ADMIN    10105
#define IDS_INCOMPLETE    10106
