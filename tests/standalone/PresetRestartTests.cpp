// Presets and fast slots kept by the standalone application: stored in its
// settings file with the rest of the processor's state, through two runs of
// the application, each of which opens its window (and so its presets list)
// and saves the state again when it closes.

// The editor before the X11 headers that the helpers bring in, whose macros
// (KeyPress, None) clash with JUCE's names.
#include "PluginEditor.h"
#include "StandaloneTestHelpers.h"

using namespace tessaline::test;

namespace
{
    const juce::StringArray& presetNames()
    {
        static const juce::StringArray names { "Preset_1", "two words", "<tag attr=\"x\">", "Rock & Roll", "9lives",
                                               "xmlStyle",
                                               juce::String (juce::CharPointer_UTF8 ("\xc3\x9cn\xc3\xaf""c\xc3\xb8""d\xc3\xa9")),
                                               juce::String (juce::CharPointer_UTF8 ("\xf0\x9f\x8e\xb9 keys")),
                                               juce::String::repeatedString ("long", 125) };
        return names;
    }

    std::unique_ptr<VornicAudioProcessorEditor> editorOf (VornicAudioProcessor& p)
    {
        return std::unique_ptr<VornicAudioProcessorEditor> (
            static_cast<VornicAudioProcessorEditor*> (p.createEditorIfNeeded()));
    }

    void closeEditor (VornicAudioProcessor& p, std::unique_ptr<VornicAudioProcessorEditor>& editor)
    {
        p.editorBeingDeleted (editor.get());
        editor.reset();
    }

    /** A state with one preset per name (fader 0 at n / 100 in preset n), slot
        n + 1 given to preset n for the first three, and slot 2 the lit one. */
    juce::String stateWithPresets()
    {
        auto processor = makeStandaloneProcessor();
        auto editor = editorOf (*processor);
        auto& panel = editor->presetsPanel;

        for (int n = 0; n < presetNames().size(); ++n)
        {
            editor->fadersTable.faders[0]->value = (float) n / 100.0f;
            panel.nameField.setText (presetNames()[n], false);
            panel.saveTypedPreset();
        }

        for (int n = 0; n < 3; ++n)
            panel.rowModel.setAssignedFastPresetForPreset (n, n + 1);

        editor->presetsBottomPanel.loadButtons[2]->triggerClick();
        EXPECT_TRUE (pumpUntil ([&] { return (bool) processor->parameters.state["fastPresetIsSelected2"]; }));

        closeEditor (*processor, editor);
        return filterStateOf (*processor);
    }
}

TEST (ApplicationProcess, PresetsAndFastSlotsSurviveRestartingTheApplication)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);
    writeSettings (settingsFile, { { "filterState", stateWithPresets() } });

    for (int run = 0; run < 2; ++run)
    {
        SCOPED_TRACE (run);
        ASSERT_EQ (startAndClose (config.folder), 0) << applicationLog (config.folder);
    }

    const auto settings = readSettings (settingsFile);
    EXPECT_TRUE (settings->containsKey ("windowX")) << "the application saved its settings when it closed";
    auto restored = processorFromFilterState (settings->getValue ("filterState"));
    ASSERT_NE (restored, nullptr) << "the saved state is no longer a readable state blob";

    auto editor = editorOf (*restored);
    auto& rows = editor->presetsPanel.rowModel;
    ASSERT_TRUE (pumpUntil ([&] { return rows.getNumRows() == presetNames().size(); }));

    EXPECT_EQ (rows.names, presetNames());
    EXPECT_EQ (rows.slots, juce::Array<int> ({ 1, 2, 3, -1, -1, -1, -1, -1, -1 }));

    for (int s = 0; s < 16; ++s)
    {
        EXPECT_EQ (editor->presetsBottomPanel.isSlotAssigned (s), s >= 1 && s <= 3) << "slot " << s;
        EXPECT_EQ (editor->presetsBottomPanel.loadButtons[(size_t) s]->getToggleState(), s == 2) << "slot " << s;
    }

    EXPECT_EQ (editor->fastPresetNames[3], presetNames()[2]);

    for (int n = 0; n < presetNames().size(); ++n)
    {
        editor->doubleClickOnRowLoadPreset (rows.names[n], rows.slots[n]);
        EXPECT_FLOAT_EQ (editor->fadersTable.faders[0]->value, (float) n / 100.0f) << presetNames()[n].substring (0, 20);
    }

    closeEditor (*restored, editor);
}
