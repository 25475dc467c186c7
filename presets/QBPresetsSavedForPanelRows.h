#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "Item.h"

/** The presets list: its model, the list box, and the two per-row lists the
    editor keeps equal to the state tree (the names, and each row's fast slot,
    −1 for none). The list box owns the row components it shows. */
class QBPresetsSavedForPanelRows : public juce::Component,
                                   public juce::ListBoxModel,
                                   public juce::ComboBox::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void loadPresetDoubleClick (juce::String name, int slot) = 0;
        virtual void deletePreset (int row, int slot, bool deleteRow) = 0;
        virtual void changePresetComboBox (int newSlot, int row, int oldSlot) = 0;
    };

    QBPresetsSavedForPanelRows();
    ~QBPresetsSavedForPanelRows() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    /** Appends a row; an empty name adds nothing. */
    void addPreset (juce::String name, int slot);

    /** Records the slot chosen in row `row`'s box (−1 for "-"); a slot belongs to one row at most. */
    void setAssignedFastPresetForPreset (int row, int slot);

    /** What row `row`'s remove button does: drops the row and tells the listeners. */
    void removeRow (int row);

    /** Empties both lists (the list box is refreshed by the caller). */
    void clearRows();

    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics&, int width, int height, bool rowIsSelected) override;
    juce::Component* refreshComponentForRow (int row, bool isRowSelected, juce::Component* existing) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent&) override;

    /** Return on a selected row loads it, as a double-click does. */
    void returnKeyPressed (int lastRowSelected) override;
    void comboBoxChanged (juce::ComboBox*) override;
    void resized() override;

    juce::ListBox listBox { "listOne", this };
    juce::StringArray names;
    juce::Array<int> slots;

private:
    void retire (juce::Component* row);
    int slotOfRow (int row) const { return row >= 0 && row < slots.size() ? slots[row] : -1; }

    juce::ListenerList<Listener> listeners;

    // A row's component that the list box no longer needs, kept until the next
    // one: its own remove button may be what is running when it is let go.
    std::unique_ptr<juce::Component> retiredRow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBPresetsSavedForPanelRows)
};
