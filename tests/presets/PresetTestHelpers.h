#pragma once

#include "EditorTestHelpers.h"
#include "QBPresetStore.h"

namespace tessaline::test
{
    /** The editor open in a real window, with short names for the presets' parts. */
    struct PresetsEditor
    {
        PresetsEditor() { waitForList(); }

        VornicAudioProcessorEditor& editor() { return *e.editor; }
        VornicAudioProcessor& processor()    { return *e.processor; }
        QBPresetsPanel& panel()              { return e.editor->presetsPanel; }
        QBPresetsSavedForPanelRows& rows()   { return e.editor->presetsPanel.rowModel; }
        QBPresetsBottomPanel& bar()          { return e.editor->presetsBottomPanel; }
        juce::ValueTree& root()              { return e.processor->parameters.state; }

        /** Closes and reopens the window, and waits until its list shows the stored presets. */
        void reopen()
        {
            e.close();
            e.open();
            waitForList();
        }

        /** The list is built 50 ms after the window opens. */
        void waitForList()
        {
            const int stored = QBPresetStore::presets (root()).size();
            ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == stored; }));
        }

        /** Draws a recognisable sequence: fader i at `base` + i / 1000. */
        void drawFaders (float base)
        {
            for (int i = 0; i < 64; ++i)
                editor().fadersTable.faders[(size_t) i]->value = base + (float) i / 1000.0f;
        }

        float fader (int i) { return editor().fadersTable.faders[(size_t) i]->value; }

        /** The window state saved as a preset, the way the panel's "SAVE" does it. */
        void save (const juce::String& name)
        {
            panel().nameField.setText (name, false);
            panel().saveTypedPreset();
        }

        juce::StringArray shownNames()
        {
            juce::StringArray shown;

            for (int r = 0; r < rows().getNumRows(); ++r)
                shown.add (rows().names[r]);

            return shown;
        }

        /** The row component the list box shows for `row`, if it is on screen. */
        Item* rowItem (int row)
        {
            return dynamic_cast<Item*> (rows().listBox.getComponentForRowNumber (row));
        }

        OpenEditor e;
    };

    inline juce::var rootValue (VornicAudioProcessor& p, const juce::String& name) { return treeValue (p, name); }

    /** The state blob a host would save. */
    inline juce::MemoryBlock stateBlobOf (VornicAudioProcessor& p)
    {
        juce::MemoryBlock block;
        p.getStateInformation (block);
        return block;
    }
}
