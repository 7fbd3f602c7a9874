// The atoms the backend talks to window managers and compositors with.
#pragma once

#include "platform/linux/x11_platform.h"

#include <X11/Xlib.h>

namespace vel::platform::linux_backend {

struct X11Platform::Atoms {
    explicit Atoms(Display* d, int screen);
    Atom wmProtocols, wmDeleteWindow, motifHints, netWmName, utf8String, netWmPid;
    Atom netWmState, netWmStateAbove, netWmStateSkipTaskbar, netWmStateSkipPager;
    Atom netWmWindowType, typeUtility, typeNormal, typeTooltip, typeDialog;
    Atom netWmWindowOpacity, netWmUserTime, netWmMoveResize, netSupported, netSupportingWmCheck;
    Atom netActiveWindow, compositorSelection, xsettingsSelection, xsettingsSettings, wmWindowRole;
};

}  // namespace vel::platform::linux_backend
