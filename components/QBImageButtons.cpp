#include "QBImageButtons.h"

#include "QBColours.h"
#include "QBRimLitPlate.h"

void QBImageButtons::drawPillPlate (juce::Graphics& g, float width, float height)
{
    QBRimLitPlate { 0.5f * height, 0x19, QBColours::headerColor, { 0.5f, 0.5f } }.draw (g, width, height);
}

void QBImageButtons::dropPlateShadow (juce::Graphics& g, juce::DropShadow& shadow, juce::Rectangle<float> plate,
                                      float corner)
{
    juce::Path path;
    path.addRoundedRectangle (plate, corner);

    shadow.colour = juce::Colours::black.withAlpha ((juce::uint8) 0x4c);
    shadow.radius = 10;
    shadow.offset = { 4, 4 };
    shadow.drawForPath (g, path);
}
