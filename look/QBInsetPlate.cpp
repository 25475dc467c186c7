#include "QBInsetPlate.h"

#include "QBColours.h"

void QBInsetPlate::draw (juce::Graphics& g, const juce::Component& c, juce::Colour body)
{
    const auto w = (float) c.getWidth();
    const auto h = (float) c.getHeight();

    juce::Path clip;
    clip.addRoundedRectangle (w * 0.01f, h * 0.01f, w * 0.98f, h * 0.98f, h * 0.5f);
    g.reduceClipRegion (clip);

    g.setColour (QBColours::whiteText.withAlpha ((juce::uint8) 0x19));
    g.fillRoundedRectangle (-1.0f, -1.0f, w, h, h * 0.10f);

    g.setColour (body);
    g.fillRoundedRectangle (0.5f, 0.5f, w, h + 8.0f, h * 0.5f);
}
