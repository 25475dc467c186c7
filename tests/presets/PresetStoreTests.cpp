// The preset store on the real editor: what saving, loading, deleting and
// assigning fast slots leave in the state tree, and what survives a state
// blob, a closed and reopened window and a host's restore.

#include "PresetTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct PresetStore : ::testing::Test, PresetsEditor
    {
        juce::var stored (const juce::String& name) { return rootValue (processor(), name); }

        /** Faders at `base`, filter range at `range`: the two things the tests tell presets apart by. */
        void makeState (float base, float range)
        {
            drawFaders (base);
            setParam (processor(), "filterRange", range);
        }

        void expectState (float base, float range)
        {
            for (int i : { 0, 17, 63 })
            {
                EXPECT_NEAR (fader (i), base + (float) i / 1000.0f, 1.0e-6f) << "fader " << i;
                EXPECT_NEAR ((float) (double) stored ("fader" + juce::String (i)), base + (float) i / 1000.0f, 1.0e-6f)
                    << "the tree holds fader " << i;
            }

            EXPECT_NEAR (processor().parameters.getRawParameterValue ("filterRange")->load(), range, 1.0e-6f);
        }

        void load (int row)
        {
            editor().doubleClickOnRowLoadPreset (rows().names[row], rows().slots[row]);
        }
    };
}

TEST_F (PresetStore, SavingTwiceUnderOneNameGivesTwoRowsThatBothLoadTheLatestValues)
{
    makeState (0.1f, 0.2f);
    save ("Preset_3");
    makeState (0.5f, 0.7f);
    save ("Preset_3");

    ASSERT_EQ (shownNames(), juce::StringArray ({ "Preset_3", "Preset_3" }));
    const auto presets = QBPresetStore::presets (root());
    ASSERT_EQ (presets.size(), 2);
    EXPECT_EQ (presets[0].getNumProperties(), presets[1].getNumProperties());
    EXPECT_EQ (presets[1]["fader0"], juce::var (0.5f));

    for (int row : { 0, 1 })
    {
        makeState (0.9f, 0.9f);
        load (row);
        expectState (0.5f, 0.7f);
    }

    // Deleting either row leaves the other one whole.
    rows().removeRow (0);
    ASSERT_EQ (QBPresetStore::presets (root()).size(), 1);
    makeState (0.9f, 0.9f);
    load (0);
    expectState (0.5f, 0.7f);
}

TEST_F (PresetStore, DeletingARowRemovesThatPresetWhateverPrecedesIt)
{
    // A state with one more parameter entry than usual, in front of the presets.
    root().addChild (juce::ValueTree ("PARAM"), 0, nullptr);

    for (const auto* name : { "First", "Second", "Third" })
        save (name);

    rows().removeRow (1);

    juce::StringArray left;
    for (const auto& preset : QBPresetStore::presets (root()))
        left.add (preset.getType().toString());

    EXPECT_EQ (left, juce::StringArray ({ "First", "Third" }));
    EXPECT_EQ (shownNames(), left);
    EXPECT_EQ ((int) stored ("ComboBoxFastArraySize"), 2);

    rows().removeRow (0);
    EXPECT_EQ (shownNames(), juce::StringArray ({ "Third" }));
    EXPECT_EQ (root().getChildWithName ("Third").getNumProperties() > 0, true);
}

TEST_F (PresetStore, BookkeepingFollowsSavesAndSlotChoices)
{
    for (const auto* name : { "A", "B", "C" })
        save (name);

    EXPECT_EQ ((int) stored ("ComboBoxFastArraySize"), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ ((int) stored ("FastPresetList" + juce::String (r)), -1) << "row " << r;

    struct Case { int row, slot; const char* what; };
    const Case cases[] = { { 1, 4, "slot 5 for row 1" },
                           { 2, 2, "slot 3 for row 2" },
                           { 0, 2, "slot 3 moves from row 2 to row 0" },
                           { 1, -1, "row 1 set to \"-\"" } };

    for (const auto& c : cases)
        rows().setAssignedFastPresetForPreset (c.row, c.slot);

    // Slot 3 belongs to row 0 alone; slot 5 is free again after "-".
    EXPECT_EQ (rows().slots, juce::Array<int> ({ 2, -1, -1 }));
    EXPECT_EQ ((int) stored ("ComboBoxFastArraySize"), 3);

    for (int r = 0; r < 3; ++r)
        EXPECT_EQ ((int) stored ("FastPresetList" + juce::String (r)), rows().slots[r]) << "row " << r;

    for (int s = 0; s < 16; ++s)
    {
        EXPECT_EQ (bar().isSlotAssigned (s), s == 2) << "slot " << s;
        EXPECT_EQ (bar().addButtons[(size_t) s]->isVisible(), s != 2) << "slot " << s;
        EXPECT_EQ ((bool) stored ("fastPresetState" + juce::String (s)), s == 2) << "slot " << s;
    }

    EXPECT_EQ (editor().fastPresetNames[2], "A");
    EXPECT_EQ (stored ("fastPresetNameAssigned2").toString(), "A");

    // The boxes on screen show what the rows hold.
    pumpUntil ([&] { return rowItem (2) != nullptr; });
    for (int r = 0; r < 3; ++r)
        if (auto* item = rowItem (r))
            EXPECT_EQ (item->slotBox.getSelectedId(), Item::idForSlot (rows().slots[r])) << "row " << r;
}

TEST_F (PresetStore, LoadingAppliesTheLoopRangeOnceTheLengthHasSettled)
{
    setParam (processor(), "sequenceSize", 16.0f);
    editor().loopRangeSlider.slider->setMinAndMaxValues (4.0, 12.0, juce::sendNotificationSync);
    setParam (processor(), "sequenceSize", 48.0f);
    save ("Loop");

    setParam (processor(), "sequenceSize", 64.0f);
    editor().loopRangeSlider.slider->setMinAndMaxValues (0.0, 64.0, juce::sendNotificationSync);
    load (0);

    auto inLoop = [this] (int i) { return editor().fadersTable.faders[(size_t) i]->active; };
    ASSERT_TRUE (pumpUntil ([&] { return inLoop (4) && ! inLoop (12) && ! inLoop (3); }));

    for (int i = 0; i < 64; ++i)
        EXPECT_EQ (inLoop (i), i >= 4 && i < 12) << "step " << i;

    EXPECT_EQ ((int) stored ("LoopRangeMin"), 4);
    EXPECT_EQ ((int) stored ("LoopRangeMax"), 12);
    EXPECT_EQ (processor().loopRangeMin.load(), 4);
    EXPECT_EQ (processor().loopRangeMax.load(), 12);
    EXPECT_EQ (processor().parameters.getRawParameterValue ("sequenceSize")->load(), 48.0f);
}

TEST_F (PresetStore, CCNumbersAreStoredWithAPresetButNeverApplied)
{
    for (int k = 0; k < 34; ++k)
        root().setProperty ("CCstates" + juce::String (k), 40 + k, nullptr);

    root().setProperty ("comboChannelChangeSelector", 5, nullptr);
    save ("WithCC");

    const auto preset = root().getChildWithName ("WithCC");
    for (int k = 0; k < 34; ++k)
        EXPECT_EQ ((int) preset["CCstates" + juce::String (k)], 40 + k) << k;
    EXPECT_EQ ((int) preset["comboChannelChangeSelector"], 5);

    for (int k = 0; k < 34; ++k)
        root().setProperty ("CCstates" + juce::String (k), 1, nullptr);
    root().setProperty ("comboChannelChangeSelector", 2, nullptr);

    load (0);
    for (int k = 0; k < 34; ++k)
        EXPECT_EQ ((int) stored ("CCstates" + juce::String (k)), 1) << k;
    EXPECT_EQ ((int) stored ("comboChannelChangeSelector"), 2);
    EXPECT_EQ (processor().ccNumberMirror (0), 1);
}

TEST_F (PresetStore, LoadingWhatHoldsNothingLeavesTheStateAlone)
{
    makeState (0.3f, 0.4f);
    editor().setNoAutoValuesToTree();
    setParam (processor(), "quantize", 9.0f);
    root().appendChild (juce::ValueTree ("Empty"), nullptr);
    editor().initialRowPresetsValueFromTreeToListBox();

    const auto before = root().createCopy();

    for (const auto* name : { "Empty", "NoSuchPreset", "" })
    {
        SCOPED_TRACE (name);
        editor().doubleClickOnRowLoadPreset (name, -1);
        editor().fastPresetLoadButtonWasPressed (7);   // a slot that was never given a name
        pumpFor (0);

        expectState (0.3f, 0.4f);
        EXPECT_EQ (processor().parameters.getRawParameterValue ("quantize")->load(), 9.0f);
        EXPECT_TRUE (root().getChildWithName ("PARAM").isEquivalentTo (before.getChildWithName ("PARAM")));
    }
}

TEST_F (PresetStore, AFreshAddButtonStoresAndAssignsItsSlot)
{
    makeState (0.2f, 0.3f);
    bar().addButtons[4]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == 1; }));

    EXPECT_EQ (shownNames(), juce::StringArray ({ "Preset_5" }));
    EXPECT_EQ (rows().slots[0], 4);
    EXPECT_TRUE (bar().isSlotAssigned (4));
    EXPECT_FALSE (bar().addButtons[4]->isVisible());
    EXPECT_TRUE (bar().loadButtons[4]->getToggleState());
    EXPECT_TRUE ((bool) stored ("fastPresetState4"));
    EXPECT_EQ (stored ("fastPresetNameAssigned4").toString(), "Preset_5");
    EXPECT_EQ ((int) stored ("FastPresetList0"), 4);
    EXPECT_EQ (root().getChildWithName ("Preset_5")["fader0"], juce::var (0.2f));
}

TEST_F (PresetStore, LoadingASlotLightsItAloneAndLoadsItsPreset)
{
    makeState (0.1f, 0.1f);
    bar().addButtons[0]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return bar().isSlotAssigned (0); }));
    makeState (0.6f, 0.6f);
    bar().addButtons[1]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return bar().isSlotAssigned (1); }));

    for (const auto [slot, base] : { std::pair { 0, 0.1f }, { 1, 0.6f } })
    {
        SCOPED_TRACE (slot);
        makeState (0.9f, 0.9f);
        bar().loadButtons[(size_t) slot]->triggerClick();
        ASSERT_TRUE (pumpUntil ([&] { return std::abs (fader (0) - base) < 1.0e-6f; }));

        expectState (base, base);
        EXPECT_EQ (bar().loadButtons[0]->getToggleState(), slot == 0);
        EXPECT_EQ (bar().loadButtons[1]->getToggleState(), slot == 1);
        EXPECT_EQ ((bool) stored ("fastPresetIsSelected0"), slot == 0);
        EXPECT_EQ ((bool) stored ("fastPresetIsSelected1"), slot == 1);
    }

    // Freeing slot 1 from the list brings its "+" back and leaves slot 0's light alone.
    rows().setAssignedFastPresetForPreset (1, -1);
    EXPECT_TRUE (bar().addButtons[1]->isVisible());
    EXPECT_FALSE (bar().loadButtons[0]->getToggleState());

    // A MIDI press of a free slot stores a preset; pressing it again loads it.
    editor().QucikPreset3();
    ASSERT_TRUE (pumpUntil ([&] { return bar().isSlotAssigned (2); }));
    EXPECT_EQ (shownNames().joinIntoString (","), "Preset_1,Preset_2,Preset_3");
    makeState (0.0f, 0.0f);
    editor().QucikPreset3();
    ASSERT_TRUE (pumpUntil ([&] { return fader (0) > 0.5f; }));
}

TEST_F (PresetStore, HostileNamesRoundTripThroughTheStateBlobAndAReopenedWindow)
{
    const juce::StringArray names { "My preset", "<a>", "say \"hi\"", "Rock & Roll", "1st", "xmlName",
                                    juce::String (juce::CharPointer_UTF8 ("\xc3\x9cn\xc3\xaf""c\xc3\xb8""d\xc3\xa9")),
                                    juce::String (juce::CharPointer_UTF8 ("\xf0\x9f\x8e\x9b")),
                                    juce::String::repeatedString ("x", 500), "Preset_1" };

    for (int n = 0; n < names.size(); ++n)
    {
        makeState (0.01f * (float) n, 0.05f * (float) n);
        save (names[n]);
    }

    rows().setAssignedFastPresetForPreset (6, 3);
    ASSERT_EQ (shownNames(), names);

    const auto blob = stateBlobOf (processor());
    ASSERT_NE (juce::AudioProcessor::getXmlFromBinary (blob.getData(), (int) blob.getSize()), nullptr)
        << "the saved state is no longer readable XML";

    // A new instance restored from the blob, as a host reopening its project.
    e.close();
    e.processor = makeStandaloneProcessor();
    e.processor->setStateInformation (blob.getData(), (int) blob.getSize());
    e.open();
    waitForList();

    ASSERT_EQ (shownNames(), names);
    ASSERT_TRUE (pumpUntil ([this] { return rowItem (0) != nullptr; }));

    for (int n = 0; n < names.size(); ++n)
        if (auto* item = rowItem (n))
            EXPECT_EQ (item->nameLabel.getText(), names[n]) << "row " << n << " on screen";

    EXPECT_TRUE (bar().isSlotAssigned (3));
    EXPECT_EQ (editor().fastPresetNames[3], names[6]);

    for (int n = names.size(); --n >= 0;)
    {
        SCOPED_TRACE (names[n].substring (0, 20).toStdString());
        makeState (0.9f, 0.9f);
        load (n);
        expectState (0.01f * (float) n, 0.05f * (float) n);
    }

    bar().loadButtons[3]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return std::abs (fader (0) - 0.06f) < 1.0e-6f; }));
}

TEST_F (PresetStore, PresetsAndSlotsSurviveClosingTheWindowAndAHostRestore)
{
    makeState (0.2f, 0.2f);
    save ("Kept");
    bar().addButtons[6]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == 2; }));
    bar().loadButtons[6]->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return (bool) stored ("fastPresetIsSelected6"); }));

    reopen();

    EXPECT_EQ (shownNames(), juce::StringArray ({ "Kept", "Preset_7" }));
    EXPECT_EQ (rows().slots, juce::Array<int> ({ -1, 6 }));
    EXPECT_TRUE (bar().isSlotAssigned (6));
    EXPECT_TRUE (bar().loadButtons[6]->getToggleState());
    EXPECT_EQ (editor().fastPresetNames[6], "Preset_7");
    EXPECT_EQ (editor().fastPresetNames.size(), 16);

    // A host restores a project without presets while the window is open.
    const auto withPresets = stateBlobOf (processor());
    auto fresh = makeStandaloneProcessor();
    const auto empty = stateBlobOf (*fresh);
    processor().setStateInformation (empty.getData(), (int) empty.getSize());
    ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == 0; }));
    EXPECT_FALSE (bar().isSlotAssigned (6));

    processor().setStateInformation (withPresets.getData(), (int) withPresets.getSize());
    ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == 2; }));
    EXPECT_TRUE (bar().isSlotAssigned (6));
}

TEST_F (PresetStore, BookkeepingFromOutsideIsClampedToTheRows)
{
    // A damaged or hand-made state: more entries than presets, slots out of
    // range, and one slot claimed by two rows.
    root().appendChild (juce::ValueTree ("A"), nullptr);
    root().appendChild (juce::ValueTree ("B"), nullptr);
    root().appendChild (juce::ValueTree ("C"), nullptr);
    root().setProperty ("ComboBoxFastArraySize", 1000000000, nullptr);

    for (const auto [r, slot] : { std::pair { 0, 99 }, { 1, 5 }, { 2, 5 } })
        root().setProperty ("FastPresetList" + juce::String (r), slot, nullptr);

    editor().initialRowPresetsValueFromTreeToListBox();

    EXPECT_EQ (shownNames(), juce::StringArray ({ "A", "B", "C" }));
    EXPECT_EQ (rows().slots, juce::Array<int> ({ -1, 5, -1 }));
}

TEST_F (PresetStore, JobsPostedByTheWindowNeverOutliveIt)
{
    makeState (0.4f, 0.4f);
    save ("Quick");
    makeState (0.0f, 0.0f);

    // The loop-range step of a load and the list rebuild of a new window are
    // both still pending when their window goes.
    load (0);
    e.close();
    e.open();
    e.close();

    bool later = false;
    juce::Timer::callAfterDelay (120, [&later] { later = true; });
    ASSERT_TRUE (pumpUntil ([&] { return later; }));

    // What the load applied reached the tree although the window went at once.
    EXPECT_NEAR ((float) (double) stored ("fader0"), 0.4f, 1.0e-6f);
    e.open();
}

TEST_F (PresetStore, AFastPresetControllerStoresAFreeSlotAndLoadsAnAssignedOne)
{
    // The default map: action k on controller k + 1, so "Preset 3" is CC 21; any channel.
    for (int k = 0; k < 34; ++k)
        root().setProperty ("CCstates" + juce::String (k), k + 1, nullptr);
    root().setProperty ("comboChannelChangeSelector", 1, nullptr);
    processor().prepareToPlay (48000.0, 64);

    auto sendPreset3 = [this]
    {
        juce::AudioBuffer<float> audio (2, 64);
        audio.clear();
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 21, 127), 0);
        processor().processBlock (audio, midi);
        processor().deliverPendingNotices();
    };

    makeState (0.25f, 0.5f);
    sendPreset3();
    ASSERT_TRUE (pumpUntil ([this] { return bar().isSlotAssigned (2); }));
    EXPECT_EQ (shownNames(), juce::StringArray ({ "Preset_3" }));
    EXPECT_TRUE (bar().loadButtons[2]->getToggleState());

    makeState (0.75f, 0.1f);
    sendPreset3();
    ASSERT_TRUE (pumpUntil ([this] { return std::abs (fader (0) - 0.25f) < 1.0e-6f; }));
    expectState (0.25f, 0.5f);
    EXPECT_EQ (rows().getNumRows(), 1) << "the second press loads rather than stores";
    processor().releaseResources();
}
