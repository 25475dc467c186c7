#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The filter's bar sliders: a raised pill with the slider's name in the middle,
    filled yellow from the left up to the value. Inside the fill the name shows
    light, outside it grey. */
class QBFilterRangeSliderLAF : public juce::LookAndFeel_V4
{
public:
    explicit QBFilterRangeSliderLAF (juce::String label = {}) : labelText (std::move (label)) {}

    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;

    /** The name drawn on the bar; set once by the owner when it builds the slider. */
    juce::String labelText;
};
