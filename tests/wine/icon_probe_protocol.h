// Between the driver and icon_probe.dll, which the driver hooks into the
// program's UI thread to do there what cannot be done from outside:
//  - Tell a standard icon. It cannot be told from outside the process that
//    shows it: under Wine each process loads its own copy, with its own
//    handle that no other process may read. So the probe compares the icon
//    there with the standard ones loaded in that same process.
//  - Refuse a box: a CBT hook that refuses to let a box's window be created,
//    as a hook of any program on the desktop may, so that the program's
//    MessageBoxA fails.
#pragma once

// Icons. Posted by the driver to the window in question; the probe answers
// by setting a property of that name on it, to one of the codes below.
#define ICON_PROBE_NAME L"WEXOR.tests.IconProbe"
#define ICON_PROBE_HOOK "IconProbeHook"

enum IconProbeAnswer {
    ProbeNoIcon = 1,  // no visible icon control (0 is "no answer yet")
    ProbeQuestion,
    ProbeError,
    ProbeInformation,
    ProbeWarning,
    ProbeOtherIcon,
};

// Boxes. A WH_CBT hook, installed by the driver while one dialog of the
// program is shown: once a top-level dialog window of the thread has been
// destroyed (that one), it refuses the creation of the next top-level
// dialog window, once, and then sets the manual-reset event of this name,
// which the driver made beforehand.
#define BOX_REFUSAL_HOOK "BoxRefusalHook"
#define BOX_REFUSED_EVENT L"WEXOR.tests.BoxRefused"
