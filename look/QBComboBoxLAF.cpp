#include "QBComboBoxLAF.h"

#include "QBColours.h"
#include "QBComboDrawing.h"
#include "QBFonts.h"
#include "QBRimLitPlate.h"

void QBComboBoxLAF::drawComboBox (juce::Graphics& g, int, int, bool, int, int, int, int, juce::ComboBox& box)
{
    const auto w = (float) box.getWidth();
    const auto h = (float) box.getHeight();

    box.setColour (juce::ComboBox::textColourId, QBColours::yellowFilterColour);
    QBComboDrawing::fillBody (g, box, QBColours::editorBackground);

    juce::Path pill;
    pill.addRoundedRectangle (0.0f, 0.0f, w, h, h * 0.5f);
    g.reduceClipRegion (pill);

    if (rimLit)
    {
        QBRimLitPlate { h * 0.5f, 0x19, QBColours::headerColor, { 0.5f, 1.0f } }.draw (g, w, h);
    }
    else
    {
        g.setColour (QBColours::headerColor);
        g.fillPath (pill);
    }

    QBComboDrawing::drawArrow (g, box);
}

void QBComboBoxLAF::placeText (juce::ComboBox& box, juce::Label& label, const juce::Font& font)
{
    const auto w = box.getWidth();
    const auto x = (int) ((float) w * 0.1f);
    const auto remaining = w - x;

    label.setFont (font);
    label.setBounds (x, 0, remaining - (int) ((float) remaining * 0.1f), box.getHeight());
}

void QBComboBoxLAF::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    placeText (box, label, QBFonts::revereveBook ((float) box.getHeight() * 0.45f));
}

juce::Font QBComboBoxLAF::getPopupMenuFont()
{
    return QBFonts::revereveBook (22.0f);
}

void QBComboBoxLAF::drawPopupMenuBackground (juce::Graphics& g, int, int)
{
    g.fillAll (QBColours::editorBackground);
}

void QBComboBoxLAF::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                       bool, bool isActive, bool isHighlighted, bool isTicked, bool,
                                       const juce::String& text, const juce::String&,
                                       const juce::Drawable*, const juce::Colour*)
{
    const auto inset = (int) juce::jmax ((float) QBComboDrawing::itemBounds (area).getWidth() * 0.10f, 5.0f);
    QBComboDrawing::drawMenuItem (g, area, isActive, isHighlighted, isTicked, text, getPopupMenuFont(), 0.50f,
                                  inset, juce::Justification::centredLeft);
}

void QBComboBoxLAF::drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                const juce::String& sectionName)
{
    const auto r = QBComboDrawing::itemBounds (area);
    auto font = getPopupMenuFont();
    font.setHeight ((float) r.getHeight() * 0.40f);

    g.setColour (QBColours::greyText);
    g.setFont (font);
    g.drawFittedText (sectionName, r, juce::Justification::centred, 1);
}

void QBComboBoxLAF::getIdealPopupMenuItemSize (const juce::String& text, bool, int standardMenuItemHeight,
                                               int& idealWidth, int& idealHeight)
{
    QBComboDrawing::idealItemSize (getPopupMenuFont(), text, standardMenuItemHeight, idealWidth, idealHeight);
}

juce::Component* QBComboBoxLAF::getParentComponentForMenuOptions (const juce::PopupMenu::Options& options)
{
    return options.getParentComponent();
}
