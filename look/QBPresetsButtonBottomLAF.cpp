#include "QBPresetsButtonBottomLAF.h"

#include "QBButtonText.h"
#include "QBColours.h"
#include "QBFonts.h"
#include "QBRimLitPlate.h"

void QBPresetsButtonBottomLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool, bool)
{
    const auto w = (float) button.getWidth();
    const auto h = (float) button.getHeight();
    QBRimLitPlate { h * 0.3f, 0x19, QBColours::headerColor, { 1.3f, 1.3f } }.draw (g, w, h);
}

juce::Font QBPresetsButtonBottomLAF::getTextButtonFont (juce::TextButton& button, int)
{
    return QBFonts::revereveBold ((float) button.getHeight() * 0.43f);
}

void QBPresetsButtonBottomLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));
    g.setColour (QBColours::selectedControl);
    QBButtonText::drawInset (g, button);
}
