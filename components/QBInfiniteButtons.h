#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "QBInfinitySliderLAF.h"

/** Infinity mode: a switch that makes the sequence re-randomise itself after a
    number of loop passes, and that number (1 … 64), shown on a disc and changed
    by dragging, typing or the two step buttons. The step buttons belong to the
    group but are children of the editor, which places them either side of it
    and handles their clicks. */
class QBInfiniteButtons : public juce::Component
{
public:
    QBInfiniteButtons();
    ~QBInfiniteButtons() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::DrawableButton> infinityButton;
    std::unique_ptr<juce::Slider> repeatSlider;

    /** The slider's value as a whole number. */
    int repeatCount = 1;

    QBInfinitySliderLAF laf;
    juce::DrawableButton decreaseButton { "dec", juce::DrawableButton::ImageFitted };
    juce::DrawableButton increaseButton { "int", juce::DrawableButton::ImageFitted };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBInfiniteButtons)
};
