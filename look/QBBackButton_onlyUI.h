#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The raised pill behind a filter-type button, the same plate as the bar sliders'. */
class QBBackButton_onlyUI : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
};
