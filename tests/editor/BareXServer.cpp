// The tests run their windows on a bare X server (Xvfb, no window manager).
// JUCE looks up a few window-manager atoms once, when it first connects, and
// uses them without checking; on a bare server nobody has created them yet
// and the first window would fail with BadAtom. Creating them before JUCE
// connects gives the server what a window manager would have. The connection
// stays open: a bare server forgets its atoms when its last client leaves.

#include <X11/Xlib.h>

#include <initializer_list>

namespace
{
    // Held here for the life of the process (so a leak checker sees it kept, not lost).
    Display* volatile atomsConnection = []
    {
        Display* display = XOpenDisplay (nullptr);

        if (display == nullptr)
            return display;

        for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW",
                                  "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE" })
            XInternAtom (display, name, False);

        XSync (display, False);
        return display;
    }();
}
