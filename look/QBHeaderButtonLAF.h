#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The header's buttons: text buttons show only their text (yellow while
    pressed or on, grey otherwise) and image buttons only their images. */
class QBHeaderButtonLAF : public juce::LookAndFeel_V4
{
public:
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawDrawableButton (juce::Graphics&, juce::DrawableButton&,
                             bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
