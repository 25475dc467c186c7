#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The engraved line under the header: a dark groove with a faint light edge above it. */
class QBTopLineSeparator : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
};
