#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBFastPresetComboLAF.h"

/** One row of the presets list: the fast-slot box, the preset's name and its
    remove button. Clicks anywhere but on the box and the remove button reach
    the list's row, so a double-click on the name loads the preset. */
class Item : public juce::Component
{
public:
    /** Box item ids: 1 is "-" (no slot), 2 … 17 are slots "1" … "16". */
    static constexpr int noSlotId = 1;
    static int idForSlot (int slot) noexcept { return slot >= 0 && slot < 16 ? slot + 2 : noSlotId; }

    Item();
    ~Item() override;

    void resized() override;

    juce::DrawableButton removeButton { "removePreset", juce::DrawableButton::ImageFitted };
    juce::Label nameLabel;
    juce::ComboBox slotBox;
    juce::DrawableButton rowBackground { "removePreset", juce::DrawableButton::ImageFitted };
    juce::String text;
    int initialSlotId = noSlotId;

private:
    QBFastPresetComboLAF comboLAF;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Item)
};
