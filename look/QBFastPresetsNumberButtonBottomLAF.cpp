#include "QBFastPresetsNumberButtonBottomLAF.h"

#include "QBButtonText.h"
#include "QBColours.h"
#include "QBFonts.h"
#include "QBRimLitPlate.h"

void QBFastPresetsNumberButtonBottomLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                               bool, bool shouldDrawButtonAsDown)
{
    const auto w = (float) button.getWidth();
    const auto h = (float) button.getHeight();
    const auto corner = h * 0.3f;

    juce::Path key;
    key.addRoundedRectangle (0.0f, 0.0f, w, h, corner);
    g.reduceClipRegion (key);

    if (button.getToggleState())
    {
        g.setColour (shouldDrawButtonAsDown ? QBColours::yellowFilterColour.withAlpha ((juce::uint8) 0x19)
                                            : QBColours::yellowFilterColour);
        g.fillPath (key);
    }
    else
    {
        QBRimLitPlate { corner, 0x26, QBColours::sliderFilterActive, { 1.3f, 1.3f } }.draw (g, w, h);
    }
}

juce::Font QBFastPresetsNumberButtonBottomLAF::getTextButtonFont (juce::TextButton& button, int)
{
    return QBFonts::revereveBold ((float) button.getHeight() * 0.48f);
}

void QBFastPresetsNumberButtonBottomLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));
    g.setColour (button.getToggleState() ? QBColours::whiteText : QBColours::selectedControl);
    QBButtonText::drawInset (g, button);
}
