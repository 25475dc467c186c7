#include "QBRimLitPlate.h"

#include "QBColours.h"

void QBRimLitPlate::draw (juce::Graphics& g, float width, float height) const
{
    juce::Path outline;
    outline.addRoundedRectangle (0.0f, 0.0f, width, height, corner);
    g.reduceClipRegion (outline);

    g.setColour (QBColours::whiteText.withAlpha (rimAlpha));
    g.fillRoundedRectangle (-1.0f, -1.0f, width, height, corner);

    g.setColour (body);
    g.fillRoundedRectangle (offset.x, offset.y, width, height + 8.0f, corner);
}
