#include "QBFilterRangeSlider.h"

QBFilterRangeSlider::QBFilterRangeSlider (juce::String nameToShow)
    : name (std::move (nameToShow)), laf (name)
{
    setName (name);
    slider = std::make_unique<juce::Slider> (juce::Slider::LinearBar, juce::Slider::NoTextBox);
    slider->setRange (0.0, 1.0, (double) 0.001f);
    slider->setLookAndFeel (&laf);
    addAndMakeVisible (*slider);
}

QBFilterRangeSlider::~QBFilterRangeSlider()
{
    // The slider goes before the look-and-feel that draws it.
    slider.reset();
}

void QBFilterRangeSlider::resized()
{
    slider->setBounds (getLocalBounds());
}
