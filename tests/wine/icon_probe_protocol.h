// Between the driver and icon_probe.dll. A standard icon cannot be told from
// outside the process that shows it: under Wine each process loads its own
// copy, with its own handle that no other process may read. So the probe,
// hooked into the shown window's thread, compares the icon there with the
// standard ones loaded in that same process.
#pragma once

// Posted by the driver to the window in question; the probe answers by
// setting a property of that name on it, to one of the codes below.
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
