#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The raised plate behind the step table. */
class QBBGSequenceTableWithSpec : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
};
