#include "QBTextButtonLAF.h"

#include "QBButtonText.h"
#include "QBColours.h"
#include "QBFonts.h"

void QBTextButtonLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool, bool shouldDrawButtonAsDown)
{
    const auto bounds = button.getLocalBounds().toFloat();
    const auto corner = bounds.getHeight() * 0.5f;

    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (bounds, corner);

    if (shouldDrawButtonAsDown)
    {
        g.setColour (QBColours::yellowFilterColour);
        g.fillRoundedRectangle (bounds, corner);
    }
}

juce::Font QBTextButtonLAF::getTextButtonFont (juce::TextButton& button, int)
{
    return QBFonts::revereveBold ((float) button.getHeight() * 0.43f);
}

void QBTextButtonLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button,
                                      bool, bool shouldDrawButtonAsDown)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));
    g.setColour (shouldDrawButtonAsDown ? QBColours::whiteText : QBColours::selectedControl);
    QBButtonText::drawInset (g, button);
}
