// The MIDI CC settings panel in a real editor window: its mapping list, the
// numbers and channel it writes, learning a controller from MIDI that goes
// through processBlock, and controller actions with the window open or closed.

#include "EditorTestHelpers.h"
#include "ItemCC.h"
#include "QBPresetStore.h"

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

namespace
{
    /** A plugin inside a host with no window, mapped as a first window would
        leave it (action k on controller k + 1, every channel). */
    struct ClosedProcessor
    {
        ClosedProcessor() : owned (std::make_unique<VornicAudioProcessor>()), p (*owned)
        {
            for (int k = 0; k < 34; ++k)
                p.parameters.state.setProperty ("CCstates" + juce::String (k), k + 1, nullptr);

            p.parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);
            p.prepareToPlay (48000.0, 64);
        }

        void play (std::initializer_list<juce::MidiMessage> messages)
        {
            juce::AudioBuffer<float> b (2, 64);
            b.clear();
            juce::MidiBuffer midi;
            int t = 0;
            for (const auto& m : messages)
                midi.addEvent (m, t++);
            p.processBlock (b, midi);
            p.deliverPendingNotices();
        }

        /** The processor, for a window to open on; `p` stays usable while that window's owner lives. */
        std::unique_ptr<VornicAudioProcessor> handOver() { return std::move (owned); }

        std::unique_ptr<VornicAudioProcessor> owned;
        VornicAudioProcessor& p;
    };

    float param (VornicAudioProcessor& p, const char* id) { return p.parameters.getRawParameterValue (id)->load(); }

    /** Everything a controller action may change, as text, so a difference shows where it is. */
    juce::String outcome (VornicAudioProcessor& p)
    {
        juce::String s;
        for (auto* param : p.getParameters())
            if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (param))
                s << ranged->getParameterID() << "=" << ranged->convertFrom0to1 (ranged->getValue()) << " ";

        auto& root = p.parameters.state;
        for (int i = 0; i < 64; ++i)
            s << "\n" << i << ":" << (double) root["fader" + juce::String (i)] << "/" << (int) (bool) root["lock" + juce::String (i)]
              << "/" << (int) (bool) root["dots" + juce::String (i)];

        s << "\nloop " << p.loopRangeMin.load() << "-" << p.loopRangeMax.load()
          << " tree " << root["LoopRangeMin"].toString() << "-" << root["LoopRangeMax"].toString()
          << " effect " << (int) p.effectOn.load() << "\npresets";

        for (const auto& preset : QBPresetStore::presets (root))
            s << " " << preset.getType().toString() << "(" << preset.getNumProperties() << ")";

        for (int slot : QBPresetStore::slotsOfRows (root))
            s << " row:" << slot;

        for (int slot = 0; slot < 16; ++slot)
            s << " " << root[QBPresetStore::fastPresetState (slot)].toString() << root[QBPresetStore::fastPresetNameAssigned (slot)].toString();

        return s;
    }

    /** A sequence and settings away from every reset value, written as a user's
        edit; an open window takes them up as it does a restored state. */
    void giveAState (VornicAudioProcessor& p, VornicAudioProcessorEditor* editor = nullptr)
    {
        auto& root = p.parameters.state;
        p.undoManager.beginNewTransaction();
        for (int i = 0; i < 8; ++i)
            root.setProperty ("fader" + juce::String (i), 0.1 * (i + 1), &p.undoManager);
        root.setProperty ("lock1", true, &p.undoManager);
        root.setProperty ("dots2", true, &p.undoManager);
        p.undoManager.beginNewTransaction();
        setParam (p, "dryWet", 0.4f);
        setParam (p, "sequenceSize", 24.0f);
        setParam (p, "resonance", 0.9f);
        p.loopRangeMin = 4;
        p.loopRangeMax = 20;
        p.setLoopRangeToValueTreeOnDragEnd (4, 20);
        p.undoManager.beginNewTransaction();

        if (editor != nullptr)
            editor->loadAndSendTableValues();
    }
}

TEST (MidiCCWindow, ThreeWayAndQuantisationValuesSelectTheirItemsInTheOpenWindow)
{
    struct Case { int number, value; const char* parameter; float expected; };
    const Case cases[] = {
        { 8, 0, "quantize", 1.0f }, { 8, 64, "quantize", 6.0f }, { 8, 127, "quantize", 11.0f },
        { 2, 41, "direction", 0.0f }, { 2, 42, "direction", 1.0f }, { 2, 84, "direction", 1.0f }, { 2, 85, "direction", 2.0f },
        { 4, 85, "typeOfFilter", 2.0f }, { 4, 0, "typeOfFilter", 0.0f },
    };

    HostEditor e;
    ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*e.processor, "comboChannelChangeSelector") == 1; }));

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.parameter) + " from " + juce::String (c.value));
        e.play ({ cc (1, c.number, c.value) });
        EXPECT_TRUE (pumpUntil ([&] { return param (*e.processor, c.parameter) == c.expected; }))
            << "holds " << param (*e.processor, c.parameter);

        if (juce::String (c.parameter) == "quantize")
            EXPECT_EQ (e.editor->quantizeComboBox.comboBox->getSelectedId(), (int) c.expected);
    }
}

TEST (MidiCCWindow, OnlyTheChosenChannelActsAndOneNumberFiresEveryActionOnIt)
{
    HostEditor e;
    e.list().channelBox.setSelectedId (6, juce::sendNotificationSync);         // channel 5
    ASSERT_EQ ((int) treeValue (*e.processor, "comboChannelChangeSelector"), 6);

    e.play ({ cc (3, 11, 0), cc (4, 11, 0) });
    deliverPostedMessages();
    pumpFor (30);
    EXPECT_EQ (param (*e.processor, "dryWet"), 1.0f) << "channels 3 and 4 pass by";

    // "Dry/Wet Slider" and "Resonance" share controller 11.
    e.list().setStatesCCToArrayComboBoxes (6, 11);
    e.editor->assignedCCArrayUpdate (e.list().getNumbers());
    ASSERT_EQ (e.number (6), 11);
    e.play ({ cc (5, 11, 0) });
    EXPECT_TRUE (pumpUntil ([&] { return param (*e.processor, "dryWet") == 0.0f && param (*e.processor, "resonance") == 0.0f; }));
}

TEST (MidiCCWindow, BypassAcrossIsHeardOnlyAt127)
{
    HostEditor e;
    ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*e.processor, "comboChannelChangeSelector") == 1; }));
    setParam (*e.processor, "dryWet", 1.0f);
    setParam (*e.processor, "typeOfFilter", 2.0f);
    setParam (*e.processor, "filterRange", 0.0f);

    // A low-pass at the bottom of its range takes most of a loud high tone away.
    auto energyOfATone = [&]
    {
        double energy = 0.0;
        for (int block = 0; block < 40; ++block)
        {
            juce::AudioBuffer<float> b (2, 64);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 64; ++i)
                    b.setSample (ch, i, (i % 2 == 0) ? 0.5f : -0.5f);
            juce::MidiBuffer none;
            e.processor->processBlock (b, none);
            if (block >= 20)
                for (int i = 0; i < 64; ++i)
                    energy += (double) b.getSample (0, i) * (double) b.getSample (0, i);
        }
        return energy;
    };

    const double dry = 20 * 64 * 0.25;

    e.play ({ cc (1, 13, 126) });
    ASSERT_TRUE (pumpUntil ([&] { return ! e.processor->effectOn.load(); }));
    EXPECT_NEAR (energyOfATone(), dry, dry * 0.01) << "126 lets the dry signal through";

    e.play ({ cc (1, 13, 127) });
    ASSERT_TRUE (pumpUntil ([&] { return e.processor->effectOn.load(); }));
    EXPECT_LT (energyOfATone(), dry * 0.1) << "127 lets the filter be heard";
}

TEST (MidiCCWindow, TempoIsTheHostsInAHostAndTheHeadersInTheApplication)
{
    {
        HostEditor host;
        ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*host.processor, "comboChannelChangeSelector") == 1; }));
        const float clock = host.processor->standaloneClock.getTempo();
        host.play ({ cc (1, 17, 127) });
        deliverPostedMessages();
        pumpFor (30);
        EXPECT_EQ (host.processor->standaloneClock.getTempo(), clock);
        EXPECT_NE (host.editor->headerPanel.tempoSlider.getValue(), 600.0);
    }

    HostEditor app (true);
    ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*app.processor, "comboChannelChangeSelector") == 1; }));

    app.play ({ cc (1, 17, 127) });
    EXPECT_TRUE (pumpUntil ([&] { return app.editor->headerPanel.tempoSlider.getValue() == 600.0; }));
    EXPECT_EQ (app.processor->standaloneClock.getTempo(), 600.0f);
}

TEST (MidiCCWindow, TheDiceDrawsNewValuesWithTheWindowOpenOrClosed)
{
    HostEditor open;
    ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*open.processor, "comboChannelChangeSelector") == 1; }));
    ClosedProcessor closed;
    giveAState (*open.processor, open.editor.get());
    giveAState (closed.p);

    auto fader = [] (VornicAudioProcessor& p, int i) { return (double) p.parameters.state["fader" + juce::String (i)]; };

    open.play ({ cc (1, 1, 127) });
    closed.play ({ cc (1, 1, 127) });

    // The window keeps the locked fader; both are one undo step away from the state before.
    ASSERT_TRUE (pumpUntil ([&] { return fader (*open.processor, 0) != 0.1; }));
    EXPECT_NEAR (fader (*open.processor, 1), 0.2, 1.0e-6);
    EXPECT_NE (fader (closed.p, 0), 0.1);

    for (auto* p : { open.processor.get(), &closed.p })
    {
        p->undoManager.undo();
        EXPECT_NEAR (fader (*p, 0), 0.1, 1.0e-6);
        EXPECT_NEAR (fader (*p, 7), 0.8, 1.0e-6);
    }
}

TEST (MidiCCWindow, EveryActionTheProcessorCanCarryOutAloneEndsAsInTheOpenWindow)
{
    // Each case: its controller messages, one block each; between blocks the
    // first fader is moved, so a fast preset's second press has something to undo.
    struct Case { const char* name; std::vector<std::pair<int, int>> blocks; };
    const Case cases[] = {
        { "direction",       { { 2, 100 } } },
        { "reset sequence",  { { 3, 127 } } },
        { "type of filter",  { { 4, 50 } } },
        { "smoother",        { { 5, 100 } } },
        { "filter range",    { { 6, 127 } } },
        { "resonance",       { { 7, 30 } } },
        { "quantisation",    { { 8, 127 } } },
        { "dry/wet",         { { 11, 64 } } },
        { "bypass switch",   { { 12, 127 } } },
        { "bypass across",   { { 13, 0 } } },
        { "infinity switch", { { 14, 127 } } },
        { "infinity number", { { 15, 64 } } },
        { "reset all",       { { 16, 127 } } },
        { "undo",            { { 18, 127 } } },
        { "fast preset 3",   { { 21, 127 }, { 21, 127 } } },
        { "fast preset 16",  { { 34, 127 } } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        HostEditor open;
        ASSERT_TRUE (pumpUntil ([&] { return (int) treeValue (*open.processor, "comboChannelChangeSelector") == 1; }));
        ClosedProcessor closed;
        giveAState (*open.processor, open.editor.get());
        giveAState (closed.p);

        ASSERT_TRUE (pumpUntil ([&] { return outcome (*open.processor) == outcome (closed.p); }))
            << outcome (*open.processor) << "\n----\n" << outcome (closed.p);

        bool first = true;
        for (auto [number, value] : c.blocks)
        {
            if (! first)
                for (auto* p : { open.processor.get(), &closed.p })
                    p->parameters.state.setProperty ("fader0", 0.95, &p->undoManager);

            first = false;
            const auto before = outcome (closed.p);
            open.play ({ cc (1, number, value) });
            closed.play ({ cc (1, number, value) });
            EXPECT_NE (outcome (closed.p), before) << "the action changes something";
            ASSERT_TRUE (pumpUntil ([&] { return outcome (*open.processor) == outcome (closed.p); }))
                << outcome (*open.processor) << "\n----\n" << outcome (closed.p);
        }

        // What the window does later (a preset's loop range follows after 50 ms) changes nothing more.
        bool later = false;
        juce::Timer::callAfterDelay (120, [&later] { later = true; });
        ASSERT_TRUE (pumpUntil ([&] { return later; }));
        EXPECT_EQ (outcome (*open.processor), outcome (closed.p));
        EXPECT_EQ (open.processor->undoManager.canUndo(), closed.p.undoManager.canUndo());
    }
}

TEST (MidiCCWindow, AFastPresetStoredWithTheWindowClosedIsThereWhenItOpensAndLoadsFromIt)
{
    ClosedProcessor closed;
    giveAState (closed.p);
    closed.play ({ cc (1, 21, 127) });                   // "Preset 3" on an empty slot

    OpenEditor e { closed.handOver() };
    auto& rows = e.editor->presetsPanel.rowModel;
    ASSERT_TRUE (pumpUntil ([&] { return rows.names.size() == 1; }));
    EXPECT_EQ (rows.names[0], "Preset_3");
    EXPECT_EQ (rows.slots[0], 2);
    EXPECT_TRUE (e.editor->presetsBottomPanel.isSlotAssigned (2));

    // The same message with the window open now loads what was stored.
    closed.p.parameters.state.setProperty ("fader0", 0.95, nullptr);
    e.editor->loadAndSendTableValues();
    closed.play ({ cc (1, 21, 127) });
    EXPECT_TRUE (pumpUntil ([&] { return std::abs ((double) closed.p.parameters.state["fader0"] - 0.1) < 1.0e-6; }));
    EXPECT_EQ (rows.names.size(), 1);
}

TEST (MidiCCWindow, TwoPressesOfAnEmptyFastPresetInOneBlockStoreOnceThenLoad)
{
    for (bool windowOpen : { true, false })
    {
        SCOPED_TRACE (windowOpen ? "window open" : "window closed");
        ClosedProcessor rig;
        std::unique_ptr<OpenEditor> e;
        if (windowOpen)
            e = std::make_unique<OpenEditor> (rig.handOver());

        rig.play ({ cc (1, 21, 127), cc (1, 21, 127) });
        ASSERT_TRUE (pumpUntil ([&] { return (bool) rig.p.parameters.state["fastPresetState2"]; }));
        bool later = false;
        juce::Timer::callAfterDelay (120, [&later] { later = true; });
        ASSERT_TRUE (pumpUntil ([&] { return later; }));
        EXPECT_EQ (QBPresetStore::presets (rig.p.parameters.state).size(), 1);
    }
}
