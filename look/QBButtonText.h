#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The two ways the button look-and-feels place a label. */
namespace QBButtonText
{
    /** Inside the button less 2 pixels all round, squeezed to 80 % before it is cut. */
    inline void drawInset (juce::Graphics& g, const juce::Button& button)
    {
        g.drawFittedText (button.getButtonText(), button.getLocalBounds().reduced (2),
                          juce::Justification::centred, 1, 0.8f);
    }

    /** Over the whole button, with JUCE's usual squeeze. */
    inline void drawFull (juce::Graphics& g, const juce::Button& button)
    {
        g.drawFittedText (button.getButtonText(), button.getLocalBounds(),
                          juce::Justification::centred, 1);
    }
}
