#include "QBHeaderButtonLAF.h"

#include "QBButtonText.h"
#include "QBColours.h"
#include "QBFonts.h"

void QBHeaderButtonLAF::drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&, bool, bool) {}

juce::Font QBHeaderButtonLAF::getTextButtonFont (juce::TextButton& button, int)
{
    return QBFonts::revereveBook ((float) button.getHeight() * 0.40f);
}

void QBHeaderButtonLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool shouldDrawButtonAsDown)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));
    g.setColour (shouldDrawButtonAsDown || button.getToggleState() ? QBColours::yellowFilterColour : QBColours::greyText);
    QBButtonText::drawFull (g, button);
}

void QBHeaderButtonLAF::drawDrawableButton (juce::Graphics&, juce::DrawableButton&, bool, bool) {}
