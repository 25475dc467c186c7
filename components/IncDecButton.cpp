#include "IncDecButton.h"

IncDecButton::IncDecButton (bool left) : laf (left)
{
    button.setLookAndFeel (&laf);
    addAndMakeVisible (button);
}

IncDecButton::~IncDecButton()
{
    button.setLookAndFeel (nullptr);
}

void IncDecButton::resized()
{
    const int inset = (int) (0.2f * (float) getWidth());
    button.setBounds (inset, inset, juce::jmax (getWidth() - 2 * inset, 0), juce::jmax (getHeight() - 2 * inset, 0));
}
