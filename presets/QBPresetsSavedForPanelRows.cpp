#include "QBPresetsSavedForPanelRows.h"

#include "QBColours.h"

QBPresetsSavedForPanelRows::QBPresetsSavedForPanelRows()
{
    listBox.setColour (juce::ListBox::backgroundColourId, juce::Colours::transparentBlack);
    listBox.getVerticalScrollBar().setColour (juce::ScrollBar::thumbColourId, QBColours::sliderFilterActive);
    addAndMakeVisible (listBox);
}

QBPresetsSavedForPanelRows::~QBPresetsSavedForPanelRows()
{
    // The rows register this model with their boxes; they go before it does.
    listBox.setModel (nullptr);
}

void QBPresetsSavedForPanelRows::addPreset (juce::String name, int slot)
{
    if (name.isEmpty())
        return;

    names.add (name);
    slots.add (slot);
    listBox.updateContent();
}

void QBPresetsSavedForPanelRows::clearRows()
{
    names.clear();
    slots.clear();
}

void QBPresetsSavedForPanelRows::setAssignedFastPresetForPreset (int row, int slot)
{
    if (row < 0 || row >= getNumRows())
        return;

    if (slot >= 0)
        for (auto& s : slots)
            if (s == slot)
                s = -1;

    const int old = slotOfRow (row);
    slots.set (row, slot >= 0 ? slot : -1);

    if (slot >= 0)
        listeners.call ([&] (Listener& l) { l.changePresetComboBox (slot, row, old); });
    else
        listeners.call ([&] (Listener& l) { l.deletePreset (row, old, false); });

    listBox.updateContent();
    listBox.repaint();
}

void QBPresetsSavedForPanelRows::removeRow (int row)
{
    if (row < 0 || row >= getNumRows())
        return;

    const int slot = slotOfRow (row);
    slots.remove (row);
    names.remove (row);
    listeners.call ([&] (Listener& l) { l.deletePreset (row, slot, true); });

    listBox.updateContent();
    listBox.repaint();
}

int QBPresetsSavedForPanelRows::getNumRows()
{
    return names.size();
}

void QBPresetsSavedForPanelRows::paintListBoxItem (int, juce::Graphics& g, int, int, bool rowIsSelected)
{
    if (rowIsSelected)
        g.fillAll (QBColours::BGslidersRectangle.withAlpha ((juce::uint8) 0x33));
}

juce::Component* QBPresetsSavedForPanelRows::refreshComponentForRow (int row, bool, juce::Component* existing)
{
    auto* item = dynamic_cast<Item*> (existing);

    if (row < 0 || row >= getNumRows())
    {
        retire (existing);
        return nullptr;
    }

    if (item == nullptr)
    {
        retire (existing);
        item = new Item();
        item->slotBox.addListener (this);
    }

    // The list box hands rows' components from row to row as it scrolls and as
    // rows go: the box's name tells comboBoxChanged which row it now shows.
    item->slotBox.setName (juce::String (row));
    item->text = names[row];
    item->nameLabel.setText (names[row], juce::dontSendNotification);
    item->slotBox.setSelectedId (Item::idForSlot (slotOfRow (row)), juce::dontSendNotification);
    item->removeButton.onClick = [this, row] { removeRow (row); };

    return item;
}

void QBPresetsSavedForPanelRows::retire (juce::Component* row)
{
    if (row == nullptr)
        return;

    if (auto* parent = row->getParentComponent())
        parent->removeChildComponent (row);

    retiredRow.reset (row);
}

void QBPresetsSavedForPanelRows::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    returnKeyPressed (row);
}

void QBPresetsSavedForPanelRows::returnKeyPressed (int row)
{
    if (row < 0 || row >= getNumRows())
        return;

    const auto name = names[row];
    const int slot = slotOfRow (row);
    listeners.call ([&] (Listener& l) { l.loadPresetDoubleClick (name, slot); });
}

void QBPresetsSavedForPanelRows::comboBoxChanged (juce::ComboBox* box)
{
    if (box == nullptr)
        return;

    setAssignedFastPresetForPreset (box->getName().getIntValue(), box->getSelectedItemIndex() - 1);
}

void QBPresetsSavedForPanelRows::resized()
{
    listBox.setBounds (getLocalBounds());
    listBox.setRowHeight (juce::jmax (1, (int) (0.072f * (float) getHeight())));
    listBox.getViewport()->setSingleStepSizes (20, listBox.getRowHeight());
    listBox.updateContent();
}
