#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The sixteen fast-preset keys: the selected slot is a solid yellow key with
    light text (faint while held down), the others raised dark keys with grey text. */
class QBFastPresetsNumberButtonBottomLAF : public juce::LookAndFeel_V4
{
public:
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
