#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Text buttons of the panels and the notification bar: a dark pill that turns
    yellow while pressed, with the label grey at rest and light while pressed. */
class QBTextButtonLAF : public juce::LookAndFeel_V4
{
public:
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
