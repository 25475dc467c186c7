#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The header's tempo slider: a thin track, yellow left of a round light thumb
    and grey right of it. */
class QBTempoSliderLAF : public juce::LookAndFeel_V4
{
public:
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;

    /** Also the thumb's diameter, so the thumb stays on the track at both ends. */
    int getSliderThumbRadius (juce::Slider&) override;
};
