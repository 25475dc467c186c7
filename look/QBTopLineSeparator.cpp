#include "QBTopLineSeparator.h"

#include "QBColours.h"

void QBTopLineSeparator::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto corner = h * 0.5f;

    juce::Path pill;
    pill.addRoundedRectangle (0.0f, 0.0f, w, h, corner);
    g.reduceClipRegion (pill);

    g.setColour (QBColours::whiteText.withAlpha ((juce::uint8) 0x14));
    g.fillPath (pill);

    g.setColour (juce::Colours::black.withAlpha ((juce::uint8) 0x47));
    g.fillRoundedRectangle (0.0f, 1.5f, w, h, corner);
}
