#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The chevrons beside the sequence-length slider: a thin grey "<" or ">",
    yellow while pressed. */
class QBIncDecButtonsLAF : public juce::LookAndFeel_V4
{
public:
    explicit QBIncDecButtonsLAF (bool pointsLeftToUse = false) : pointsLeft (pointsLeftToUse) {}

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** True for the button at the left end of the slider, whose chevron points left. */
    bool pointsLeft;
};
