#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The dry/wet bar: a raised pill filled yellow up to the value with a round
    end, showing the value as a whole percentage. */
class QBDryWetSliderLAF : public juce::LookAndFeel_V4
{
public:
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;
};
