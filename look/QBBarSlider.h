#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Pieces shared by the look-and-feels that draw a slider as a raised pill. */
namespace QBBarSlider
{
    /** The slider's own bounds as whole pixels, where the bar sliders centre their text. */
    juce::Rectangle<int> textArea (const juce::Slider&);

    /** The raised pill that forms the body of a bar slider. */
    void drawPlate (juce::Graphics&, const juce::Slider&);

    /** How far the yellow fill reaches for a thumb at `sliderPos` on a track that
        runs from `x` to `width`: slightly past both ends of the track, never below 0. */
    float fillWidth (int x, int width, float sliderPos);

    /** Draws `text` centred on the bar, on one line. */
    void drawCentredText (juce::Graphics&, const juce::Slider&, const juce::String& text,
                          const juce::Font&, juce::Colour);
}
