#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The two-thumb loop-range slider: a yellow pill between the thumbs on a dark
    track, each thumb a dark hole in the yellow. */
class QBSequenceLengthLoopLAF : public juce::LookAndFeel_V4
{
public:
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;
};
