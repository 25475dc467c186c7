#include "QBSequenceRangeLoopSlider.h"

QBSequenceRangeLoopSlider::QBSequenceRangeLoopSlider()
{
    slider = std::make_unique<juce::Slider> (juce::Slider::TwoValueHorizontal, juce::Slider::NoTextBox);
    addAndMakeVisible (*slider);
    slider->setRange (rangeMin, rangeMax, 1.0);
    slider->setLookAndFeel (&laf);

    slider->onValueChange = [this] { rangeLoopSliderChange(); };
    slider->onDragEnd = [this]
    {
        // The correction of the last drag step may still be on its way; apply
        // it now, so that what the listeners store is a valid loop.
        rangeLoopSliderChange();
        listeners.call ([] (Listener& l) { l.mouseDragEndMinMaxLoop(); });
    };

    slider->setMaxValue (rangeMax, juce::sendNotificationAsync);
    slider->setMinValue (0.0, juce::sendNotificationAsync);
}

QBSequenceRangeLoopSlider::~QBSequenceRangeLoopSlider()
{
    slider.reset();
}

void QBSequenceRangeLoopSlider::resized()
{
    slider->setBounds (getLocalBounds());
}

void QBSequenceRangeLoopSlider::setNumberOfSteps (int n)
{
    rangeMax = n;
    slider->setRange (rangeMin, rangeMax, 1.0);
}

void QBSequenceRangeLoopSlider::rangeLoopSliderChange()
{
    const auto hi = slider->getMaxValue();
    const auto lo = slider->getMinValue();

    // The start gives way to the end.
    if (lo + 2.0 >= hi)
        slider->setMinValue (hi - 2.0, juce::sendNotificationAsync, false);

    if (hi <= 2.0)
        slider->setMaxValue (2.0, juce::sendNotificationAsync, false);

    listeners.call ([lo, hi] (Listener& l) { l.minMaxLoopValueChanged ((int) lo, (int) hi); });
}
