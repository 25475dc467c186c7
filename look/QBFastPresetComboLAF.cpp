#include "QBFastPresetComboLAF.h"

#include "QBColours.h"
#include "QBComboDrawing.h"
#include "QBFonts.h"

void QBFastPresetComboLAF::drawComboBox (juce::Graphics& g, int, int, bool, int, int, int, int, juce::ComboBox& box)
{
    const auto h = (float) box.getHeight();

    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (0.0f, 0.0f, (float) box.getWidth(), h, h * 0.5f);

    if (box.getSelectedItemIndex() > 0)
        QBComboDrawing::fillBody (g, box, QBColours::yellowFilterColour);
}

void QBFastPresetComboLAF::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setFont (QBFonts::revereveBold ((float) box.getHeight() * 0.80f));
    label.setJustificationType (juce::Justification::centred);
    label.setBounds (box.getLocalBounds());
}

juce::Font QBFastPresetComboLAF::getPopupMenuFont()
{
    return QBFonts::revereveBold (5.0f);
}

void QBFastPresetComboLAF::drawPopupMenuBackground (juce::Graphics& g, int, int)
{
    g.fillAll (QBColours::BGslidersRectangle);
}

void QBFastPresetComboLAF::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                              bool, bool isActive, bool isHighlighted, bool isTicked, bool,
                                              const juce::String& text, const juce::String&,
                                              const juce::Drawable*, const juce::Colour*)
{
    const auto inset = (int) juce::jmin ((float) QBComboDrawing::itemBounds (area).getWidth() * 0.05f, 5.0f);
    QBComboDrawing::drawMenuItem (g, area, isActive, isHighlighted, isTicked, text, getPopupMenuFont(), 0.90f,
                                  inset, juce::Justification::centred);
}

void QBFastPresetComboLAF::getIdealPopupMenuItemSize (const juce::String& text, bool, int standardMenuItemHeight,
                                                      int& idealWidth, int& idealHeight)
{
    QBComboDrawing::idealItemSize (getPopupMenuFont(), text, standardMenuItemHeight, idealWidth, idealHeight);
}

juce::Component* QBFastPresetComboLAF::getParentComponentForMenuOptions (const juce::PopupMenu::Options& options)
{
    return options.getParentComponent();
}
