#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The dark plate behind each of the buttons that move the sequence back and forward. */
class QBCircularBGWIthSpecNextBackSeq : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
};
