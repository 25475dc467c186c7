#include "QBListBoxLAF.h"

#include "QBColours.h"

void QBListBoxLAF::drawTickBox (juce::Graphics& g, juce::Component&, float x, float y, float, float h,
                                bool ticked, bool isEnabled, bool, bool)
{
    drawTickDot (g, x, y, h, ticked, isEnabled);
}

void QBListBoxLAF::drawTickDot (juce::Graphics& g, float x, float y, float h, bool ticked, bool isEnabled)
{
    if (! ticked)
        return;

    // JUCE passes y as half the free height above the box; 1.5 times that sits
    // the dot near the button's vertical middle.
    const auto diameter = h * 0.8f;
    g.setColour (isEnabled ? QBColours::yellowFilterColour : juce::Colours::grey);
    g.fillEllipse (x + 0.1f, y * 1.5f, diameter, diameter);
}
