#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the two settings panels share: the close button, the title and the plate. */
namespace QBSettingsPanelCommon
{
    void setUpTitleAndCloseButton (juce::Component& panel, juce::Label& title, juce::DrawableButton& closeButton);

    /** The close button at the top right, as a square of 0.052 × the width. */
    void placeCloseButton (juce::Component& panel, juce::DrawableButton& closeButton);

    /** The title at (x, 0.03 H, 0.5 W, 0.06 H) in the bold face at 0.026 H. */
    void placeTitle (juce::Component& panel, juce::Label& title, int x);

    /** The rounded plate inset by 2 % of the width. */
    void paintPlate (juce::Component& panel, juce::Graphics&);
}
