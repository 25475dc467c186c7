// The MIDI CC settings panel in a real editor window: its mapping list, the
// numbers and channel it writes, learning a controller from MIDI that goes
// through processBlock, and controller actions with the window open or closed.

#include "EditorTestHelpers.h"
#include "ItemCC.h"

using namespace tessaline::test;

namespace
{
    /** The plugin inside a host (or, when asked, the standalone form), with its
        editor open and prepared for audio. */
    struct HostEditor : OpenEditor
    {
        explicit HostEditor (bool standalone = false)
            : OpenEditor (prepared (standalone ? makeStandaloneProcessor() : std::make_unique<VornicAudioProcessor>())) {}

        static std::unique_ptr<VornicAudioProcessor> prepared (std::unique_ptr<VornicAudioProcessor> p)
        {
            p->prepareToPlay (48000.0, 64);
            return p;
        }

        QBMidiCCComponent& list() { return editor->midiCCComponent(); }

        ItemCC* row (int r)
        {
            list().listBox.scrollToEnsureRowIsOnscreen (r);
            return dynamic_cast<ItemCC*> (list().listBox.getComponentForRowNumber (r));
        }

        /** Slides the panel in and waits until it stands still. */
        void openPanel()
        {
            editor->openSettingsPanel();
            ASSERT_TRUE (pumpUntil ([this] { return ! editor->settingsPanelForPlugIn.slide.animating; }));
            pumpFor (20);
        }

        int number (int k) { return (int) treeValue (*processor, "CCstates" + juce::String (k)); }

        void play (std::initializer_list<juce::MidiMessage> messages)
        {
            juce::AudioBuffer<float> b (2, 64);
            b.clear();
            juce::MidiBuffer midi;
            int t = 0;
            for (const auto& m : messages)
                midi.addEvent (m, t++);
            processor->processBlock (b, midi);
        }
    };

    juce::MidiMessage cc (int channel, int number, int value)
    {
        return juce::MidiMessage::controllerEvent (channel, number, value);
    }
}

TEST (SettingsPanel, DefaultsAreWrittenOnFirstOpenOutsideTheUndoHistoryAndLoadedAfter)
{
    HostEditor e;
    ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*e.processor, "comboChannelChangeSelector") == 1; }));

    for (int k = 0; k < 34; ++k)
    {
        EXPECT_EQ (e.number (k), k + 1);
        EXPECT_EQ (e.editor->ccMirrorList[k], k + 1);
    }

    EXPECT_FALSE (e.processor->undoManager.canUndo());

    // A stored mapping and channel come back as they were.
    e.close();
    e.processor->parameters.state.setProperty ("CCstates3", 77, nullptr);
    e.processor->parameters.state.setProperty ("comboChannelChangeSelector", 5, nullptr);
    e.open();
    EXPECT_EQ (e.list().channelBox.getSelectedId(), 5);
    ASSERT_NE (e.row (3), nullptr);
    EXPECT_EQ (e.row (3)->numberBox.getText(), "CC77");
    EXPECT_EQ (e.number (0), 1);
    EXPECT_EQ (e.editor->ccMirrorList[3], 77);
}

TEST (SettingsPanel, NumbersChannelResetAndClearReachTheTree)
{
    HostEditor e;
    e.openPanel();
    Mouse mouse (*e.editor);
    auto& list = e.list();

    // "CC64" chosen in row "Tempo".
    ASSERT_NE (e.row (16), nullptr);
    EXPECT_EQ (e.row (16)->label.getText(), "Tempo");
    e.row (16)->numberBox.setSelectedId (65, juce::sendNotificationSync);
    EXPECT_EQ (list.getNumbers()[16], 64);
    EXPECT_EQ (e.number (16), 64);

    mouse.click (list.clearButton, list.clearButton.getLocalBounds().getCentre());
    ASSERT_TRUE (pumpUntil ([&] { return e.number (0) == 0; }));
    for (int k = 0; k < 34; ++k)
        EXPECT_EQ (e.number (k), 0) << k;
    for (int r : { 0, 16, 33 })
        EXPECT_EQ (e.row (r)->numberBox.getText(), "-") << r;

    mouse.click (list.resetButton, list.resetButton.getLocalBounds().getCentre());
    ASSERT_TRUE (pumpUntil ([&] { return e.number (0) == 1; }));
    for (int k = 0; k < 34; ++k)
        EXPECT_EQ (e.number (k), k + 1) << k;
    ASSERT_NE (e.row (33), nullptr);
    EXPECT_EQ (e.row (33)->label.getText(), "Preset 16");
    EXPECT_EQ (e.row (33)->numberBox.getText(), "CC34");

    // Channel item "10".
    list.channelBox.setSelectedId (11, juce::sendNotificationSync);
    EXPECT_EQ (list.channelBox.getText(), "10");
    EXPECT_EQ ((int) treeValue (*e.processor, "comboChannelChangeSelector"), 11);

    EXPECT_FALSE (e.processor->undoManager.canUndo());
}

TEST (SettingsPanel, InsideAHostTheListFillsThePanelBelowTheTitleWithoutADeviceSelector)
{
    HostEditor e;
    e.openPanel();
    auto& panel = e.editor->settingsPanelForPlugIn;

    EXPECT_EQ (e.editor->settingsPanel, nullptr);
    EXPECT_EQ (panel.getParentComponent(), e.editor.get());
    EXPECT_TRUE (panel.isShowing());
    EXPECT_EQ (panel.getRight(), e.editor->getWidth()) << "the open panel sits against the right edge";
    EXPECT_EQ (panel.midiCC.getY(), panel.title.getBottom());
    EXPECT_GE (panel.midiCC.getHeight(), panel.getHeight() * 8 / 10);

    std::function<bool (juce::Component&)> hasSelector = [&] (juce::Component& c)
    {
        if (dynamic_cast<juce::AudioDeviceSelectorComponent*> (&c) != nullptr)
            return true;
        for (auto* child : c.getChildren())
            if (hasSelector (*child))
                return true;
        return false;
    };
    EXPECT_FALSE (hasSelector (*e.editor));

    // Closing slides it out beyond the right edge.
    panel.closeButton.triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return panel.slide.position == 0.0f && ! panel.slide.animating; }));
    EXPECT_GE (panel.getX(), e.editor->getWidth());

    // The application's own panel replaces it in the standalone form.
    OpenEditor standalone;
    EXPECT_NE (standalone.editor->settingsPanel, nullptr);
    EXPECT_EQ (standalone.editor->settingsPanelForPlugIn.getParentComponent(), nullptr);
}

TEST (SettingsPanel, ALearnToggleTakesTheNextControllerOnTheChosenChannel)
{
    for (bool standalone : { false, true })
    {
        SCOPED_TRACE (standalone ? "standalone" : "in a host");
        HostEditor e (standalone);
        e.list().channelBox.setSelectedId (5, juce::sendNotificationSync);      // channel 4
        e.openPanel();
        Mouse mouse (*e.editor);

        auto* resonance = e.row (6);
        ASSERT_NE (resonance, nullptr);
        mouse.click (resonance->learnButton, resonance->learnButton.getLocalBounds().getCentre());
        ASSERT_TRUE (e.processor->isLearningCC());
        EXPECT_EQ (e.list().getLearningRow(), 6);

        // Another channel and bank select teach nothing; "Sequence Length"'s
        // controller on channel 4 is learnt and acts on nothing while it is.
        e.play ({ cc (3, 77, 10), cc (4, 0, 0), cc (4, 9, 0) });
        ASSERT_TRUE (pumpUntil ([&] { return e.number (6) == 9; }));
        EXPECT_EQ (e.row (6)->numberBox.getText(), "CC9");
        EXPECT_FALSE (e.row (6)->learnButton.getToggleState());
        EXPECT_FALSE (e.processor->isLearningCC());
        EXPECT_EQ (e.list().getLearningRow(), -1);
        EXPECT_FALSE (e.processor->undoManager.canUndo());
        EXPECT_EQ (e.processor->parameters.getRawParameterValue ("sequenceSize")->load(), 32.0f);

        // From now on that controller drives both actions.
        e.play ({ cc (4, 9, 0) });
        EXPECT_TRUE (pumpUntil ([&] { return e.processor->parameters.getRawParameterValue ("sequenceSize")->load() == 2.0f; }));

        // Closing the panel ends a learn that found nothing.
        e.row (2)->learnButton.triggerClick();
        ASSERT_TRUE (pumpUntil ([&] { return e.processor->isLearningCC(); }));
        e.editor->clickOnSettingsPanelToClose();
        EXPECT_FALSE (e.processor->isLearningCC());
    }
}

TEST (MidiCCWindow, SequenceLengthFromAControllerEndsTheSameWithTheWindowOpenOrClosed)
{
    for (int value : { 0, 64, 127 })
    {
        SCOPED_TRACE (value);
        HostEditor open;
        VornicAudioProcessor closed;
        closed.prepareToPlay (48000.0, 64);

        auto size = [] (VornicAudioProcessor& p) { return p.parameters.getRawParameterValue ("sequenceSize")->load(); };
        const float expected = (float) juce::roundToInt ((float) value * 62.0f / 127.0f + 2.0f);

        open.play ({ cc (1, 9, value) });
        juce::AudioBuffer<float> b (2, 64);
        juce::MidiBuffer midi;
        midi.addEvent (cc (1, 9, value), 0);
        closed.processBlock (b, midi);
        closed.deliverPendingNotices();

        ASSERT_TRUE (pumpUntil ([&] { return size (*open.processor) == expected
                                          && open.processor->loopRangeMax.load() == juce::jmin (32, (int) expected); }));
        EXPECT_EQ (size (closed), size (*open.processor));
        EXPECT_EQ (closed.loopRangeMin.load(), open.processor->loopRangeMin.load());
        EXPECT_EQ (closed.loopRangeMax.load(), open.processor->loopRangeMax.load());
    }
}
