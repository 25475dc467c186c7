#include "Item.h"

#include "QBColours.h"
#include "QBFonts.h"
#include "QBImages.h"

Item::Item()
{
    // The row itself lets clicks through to the list, which selects and loads.
    setInterceptsMouseClicks (false, true);

    const auto& images = QBImages::images();
    removeButton.setImages (images.removePresetImage.get(), nullptr, images.removePresetImageDown.get());
    rowBackground.setImages (images.rowBackgroundImage.get());
    rowBackground.setInterceptsMouseClicks (false, false);

    nameLabel.setInterceptsMouseClicks (false, false);
    nameLabel.setColour (juce::Label::textColourId, QBColours::whiteText);
    nameLabel.setJustificationType (juce::Justification::centredLeft);
    nameLabel.setMinimumHorizontalScale (1.0f);

    slotBox.setLookAndFeel (&comboLAF);
    slotBox.addItem ("-", noSlotId);

    for (int slot = 0; slot < 16; ++slot)
        slotBox.addItem (juce::String (slot + 1), idForSlot (slot));

    // Selected quietly: a change notice from here would reach the list after
    // the row has been given its real slot, and would assign that slot again.
    slotBox.setSelectedId (initialSlotId, juce::dontSendNotification);

    for (auto* c : { static_cast<juce::Component*> (&removeButton), static_cast<juce::Component*> (&nameLabel),
                     static_cast<juce::Component*> (&slotBox), static_cast<juce::Component*> (&rowBackground) })
    {
        // The keyboard stays with the list, where Return loads the selected row.
        c->setWantsKeyboardFocus (false);
        addAndMakeVisible (c);
    }
}

Item::~Item()
{
    slotBox.setLookAndFeel (nullptr);
}

void Item::resized()
{
    const float w = (float) getWidth(), h = (float) getHeight();

    slotBox.setBounds ((int) (0.013f * w), (int) (h / 2.0f - 0.3f * h), (int) (0.15f * w), (int) (0.6f * h));
    rowBackground.setBounds (slotBox.getRight() + (int) (0.02f * w), (int) (h / 2.0f - 0.225f * h),
                             (int) (0.05f * w), (int) (0.45f * h));

    nameLabel.setFont (QBFonts::revereveBook (0.41f * h));
    nameLabel.setBounds (slotBox.getRight() + (int) (0.08f * w), 0, (int) (w - 0.4f * w), getHeight());
    removeButton.setBounds ((int) (w - 0.1f * w), 0, (int) (0.052f * w), getHeight());
}
