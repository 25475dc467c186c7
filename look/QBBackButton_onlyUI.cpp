#include "QBBackButton_onlyUI.h"

#include "QBColours.h"
#include "QBRimLitPlate.h"

void QBBackButton_onlyUI::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    QBRimLitPlate { h * 0.5f, 0x19, QBColours::headerColor, { 0.5f, 0.5f } }.draw (g, w, h);
}
