#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Where the mouse is now, in whole pixels of `c`'s own coordinates.

    The step table and the dots row read the pointer from the desktop rather
    than from the mouse event: a gesture that starts on one child and crosses
    its siblings reports its events relative to the child it started on, while
    the desktop position is the same for every component that asks. */
inline juce::Point<int> desktopMouseIn (const juce::Component& c)
{
    return c.getLocalPoint (nullptr, juce::Desktop::getMousePosition());
}
