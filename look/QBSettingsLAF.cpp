#include "QBSettingsLAF.h"

#include "QBColours.h"
#include "QBComboDrawing.h"
#include "QBFonts.h"
#include "QBListBoxLAF.h"

void QBSettingsLAF::drawComboBox (juce::Graphics& g, int, int, bool, int, int, int, int, juce::ComboBox& box)
{
    const auto h = (float) box.getHeight();

    box.setColour (juce::ComboBox::textColourId, QBColours::yellowFilterColour);
    QBComboDrawing::fillBody (g, box, QBColours::editorBackground);

    g.setColour (QBColours::headerColor);
    g.fillRoundedRectangle (0.0f, 0.0f, (float) box.getWidth(), h, h * 0.5f);

    QBComboDrawing::drawArrow (g, box);
}

void QBSettingsLAF::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    lastComboBounds = box.getLocalBounds();
    placeText (box, label, QBFonts::revereveBook ((float) box.getHeight() * 0.20f));
}

juce::Font QBSettingsLAF::getPopupMenuFont()
{
    return QBFonts::revereveBook ((float) (int) ((float) lastComboBounds.getHeight() * 0.5f));
}

void QBSettingsLAF::drawTickBox (juce::Graphics& g, juce::Component&, float x, float y, float, float h,
                                 bool ticked, bool isEnabled, bool, bool)
{
    QBListBoxLAF::drawTickDot (g, x, y, h, ticked, isEnabled);
}

juce::Font QBSettingsLAF::getLabelFont (juce::Label& label)
{
    // A label beside a list (the MIDI inputs) is as tall as the list: its text
    // takes the size of a label beside one row, like the selector's other labels.
    auto height = label.getHeight();

    if (auto* selector = label.findParentComponentOfClass<juce::AudioDeviceSelectorComponent>())
        height = juce::jmin (height, selector->getItemHeight());

    return QBFonts::revereveBook ((float) juce::roundToInt ((float) height * 0.42f));
}
