#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A raised pill drawn slightly inside its component, with the light rim
    running into its rounded ends as well as along the top and left edges.
    The plates of the direction group and of the sequence-move buttons. */
namespace QBInsetPlate
{
    void draw (juce::Graphics&, const juce::Component&, juce::Colour body);
}
