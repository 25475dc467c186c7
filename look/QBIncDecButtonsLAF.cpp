#include "QBIncDecButtonsLAF.h"

#include "QBColours.h"

void QBIncDecButtonsLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                               bool, bool shouldDrawButtonAsDown)
{
    const auto w = (float) button.getWidth();
    const auto h = (float) button.getHeight();
    const auto cx = w * 0.5f, cy = h * 0.5f;
    const auto dx = w * 0.3f, dy = h * 0.2f;

    // The arms run from the tip at the centre back to the open side.
    const auto armX = pointsLeft ? cx + dx : cx - dx;

    g.setColour (shouldDrawButtonAsDown ? QBColours::yellowFilterColour : QBColours::selectedControl);
    g.drawLine (cx, cy, armX, cy - dy, 1.0f);
    g.drawLine (cx, cy, armX, cy + dy, 1.0f);
}
