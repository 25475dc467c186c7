#include "QBDryWetSlider.h"

QBDryWetSlider::QBDryWetSlider()
{
    slider = std::make_unique<juce::Slider> (juce::Slider::LinearBar, juce::Slider::NoTextBox);
    slider->setRange (0.0, 1.0, (double) 0.001f);
    slider->setValue (0.5, juce::sendNotificationAsync);
    slider->setLookAndFeel (&laf);
    addAndMakeVisible (*slider);
}

QBDryWetSlider::~QBDryWetSlider()
{
    // The slider goes before the look-and-feel that draws it.
    slider.reset();
}

void QBDryWetSlider::resized()
{
    slider->setBounds (getLocalBounds());
}
