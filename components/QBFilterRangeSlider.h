#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "QBFilterRangeSliderLAF.h"

/** One of the filter's bar sliders (0 … 1), its name written on the bar. */
class QBFilterRangeSlider : public juce::Component
{
public:
    explicit QBFilterRangeSlider (juce::String name);
    ~QBFilterRangeSlider() override;

    void resized() override;

    std::unique_ptr<juce::Slider> slider;
    juce::String name;
    QBFilterRangeSliderLAF laf;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBFilterRangeSlider)
};
