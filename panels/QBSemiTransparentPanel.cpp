#include "QBSemiTransparentPanel.h"

void QBSemiTransparentPanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0x66000000));
}

void QBSemiTransparentPanel::mouseDown (const juce::MouseEvent&)
{
    listeners.call ([] (Listener& l) { l.clickOnTheSemiTransparentPanel(); });
}
