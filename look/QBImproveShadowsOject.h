#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A transparent strip along an edge of the step table. It draws nothing, and
    like any component it takes the clicks that land on it, so the table's edge
    pixels under it are not hit by accident. */
class QBImproveShadowsOject : public juce::Component
{
};
