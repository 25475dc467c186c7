#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A plate inside the sequence-direction group. */
class QBBackCirculaForButton_onlyUI : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
};
