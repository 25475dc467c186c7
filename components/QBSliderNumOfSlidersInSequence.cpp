#include "QBSliderNumOfSlidersInSequence.h"

QBSliderNumOfSlidersInSequence::QBSliderNumOfSlidersInSequence()
{
    slider = std::make_unique<juce::Slider> (juce::Slider::LinearBarVertical, juce::Slider::TextBoxBelow);
    slider->setRange (2.0, 64.0, 1.0);
    slider->setValue (16.0, juce::sendNotificationAsync);
    slider->setTextBoxIsEditable (true);
    slider->setSliderSnapsToMousePosition (false);
    slider->setLookAndFeel (&laf);
    addAndMakeVisible (*slider);

    increaseButton = std::make_unique<IncDecButton> (false);
    decreaseButton = std::make_unique<IncDecButton> (true);
    addAndMakeVisible (*increaseButton);
    addAndMakeVisible (*decreaseButton);

    increaseButton->button.onClick = [this] { stepBy (1); };
    decreaseButton->button.onClick = [this] { stepBy (-1); };
}

QBSliderNumOfSlidersInSequence::~QBSliderNumOfSlidersInSequence()
{
    // The controls go before the look-and-feel that draws them.
    decreaseButton.reset();
    increaseButton.reset();
    slider.reset();
}

void QBSliderNumOfSlidersInSequence::stepBy (int delta)
{
    // The slider's range keeps the length within 2 … 64; the listeners are told
    // even when it stays, and apply the length at once.
    slider->setValue ((double) ((int) slider->getValue() + delta), juce::sendNotification);
    listeners.call ([] (Listener& l) { l.clickIncDecSequeceSize(); });
}

void QBSliderNumOfSlidersInSequence::resized()
{
    const int W = getWidth(), H = getHeight();
    const int c = (int) (0.25f * (float) W);

    slider->setBounds (0, 0, W, H);
    increaseButton->setBounds (W - c, 0, c, H);
    decreaseButton->setBounds (0, 0, c, H);
}
