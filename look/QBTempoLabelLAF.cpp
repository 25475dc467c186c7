#include "QBTempoLabelLAF.h"

#include "QBButtonText.h"
#include "QBColours.h"
#include "QBFonts.h"

void QBTempoLabelLAF::drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&, bool, bool) {}

juce::Font QBTempoLabelLAF::getTextButtonFont (juce::TextButton& button, int)
{
    return QBFonts::revereveBold ((float) button.getHeight() * 0.40f);
}

void QBTempoLabelLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool shouldDrawButtonAsDown)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));
    g.setColour (shouldDrawButtonAsDown ? QBColours::greyText : QBColours::whiteText);
    QBButtonText::drawFull (g, button);
}
