#pragma once

namespace tessaline::test
{
    /** Lets windows open on a bare X server (Xvfb without a window manager).

        JUCE asks for window-manager atoms that such a server never created and
        then uses the missing atom in a request; the server answers with an error
        that is harmless. A JUCE application installs a handler that ignores X
        errors, but a test or tool program is not a JUCE application, so Xlib's
        default handler would end the process. This installs the same quiet handler.
    */
    void tolerateBareXServer();
}
