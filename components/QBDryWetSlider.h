#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "QBDryWetSliderLAF.h"

/** The dry/wet bar (0 … 1), showing the wet share as a percentage. */
class QBDryWetSlider : public juce::Component
{
public:
    QBDryWetSlider();
    ~QBDryWetSlider() override;

    void resized() override;

    std::unique_ptr<juce::Slider> slider;
    QBDryWetSliderLAF laf;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBDryWetSlider)
};
