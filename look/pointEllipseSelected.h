#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The yellow dot that marks the chosen filter type. The owner sets `selected`
    for every dot when the type changes and repaints them. */
class pointEllipseSelected : public juce::Component
{
public:
    void paint (juce::Graphics&) override;

    bool selected = false;
};
