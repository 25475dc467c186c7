#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    juce::Point<int> centre (const juce::Component& c) { return c.getLocalBounds().getCentre(); }

    struct Header : ::testing::Test
    {
        explicit Header (std::unique_ptr<VornicAudioProcessor> p = makeStandaloneProcessor()) : e (std::move (p)) {}

        void click (const juce::Component& c) { mouse.click (c, centre (c)); }

        float stored (const char* name, int i) { return (float) (double) treeValue (*e.processor, name + juce::String (i)); }

        OpenEditor e;
        Mouse mouse { *e.editor };
        VornicAudioProcessorEditor& editor = *e.editor;
        HeaderPanel& header = e.editor->headerPanel;
        VornicAudioProcessor& processor = *e.processor;
    };

    struct HostHeader : Header
    {
        HostHeader() : Header (std::make_unique<VornicAudioProcessor>()) {}
    };
}

TEST_F (Header, TheTempoSliderSetsTheClockAndTheReadOut)
{
    ASSERT_EQ (header.tempoLabel.getButtonText(), "120");

    auto& slider = header.tempoSlider;
    mouse.gesture (slider, { centre (slider), centre (slider) + juce::Point<int> (slider.getWidth() / 5, 0) });

    const auto tempo = (float) slider.getValue();
    EXPECT_GT (tempo, 120.0f);
    ASSERT_TRUE (pumpUntil ([&] { return processor.standaloneClock.getTempo() == tempo; }));
    EXPECT_EQ (header.tempoLabel.getButtonText(), juce::String ((int) tempo));
    EXPECT_FLOAT_EQ (header.tempo, tempo);
}

TEST_F (Header, PlayStopAndMonoStereoSwitchBothWays)
{
    for (const bool on : { true, false })
    {
        click (editor.playStopButton);
        EXPECT_EQ (processor.standaloneClock.isPlaying, on);
        EXPECT_EQ (editor.playLabel.getText(), on ? "Stop" : "Play");
    }

    for (const bool stereo : { false, true })
    {
        click (header.monoStereoButton);
        EXPECT_EQ (processor.isStereo.load(), stereo);
        EXPECT_EQ (header.monoStereoButton.getButtonText(), stereo ? "STEREO" : "MONO");
    }
}

TEST_F (Header, ThePlayButtonShowsARollingExternalTransport)
{
    // The audio thread sets this while the application follows a rolling JACK transport.
    processor.standaloneClock.followsExternalTransport = true;
    ASSERT_TRUE (pumpUntil ([&] { return editor.playStopButton.getToggleState(); }));
    EXPECT_EQ (editor.playLabel.getText(), "Stop");
    EXPECT_FALSE (processor.standaloneClock.isPlaying.load()) << "the own clock keeps its state";

    processor.standaloneClock.followsExternalTransport = false;
    ASSERT_TRUE (pumpUntil ([&] { return ! editor.playStopButton.getToggleState(); }));
    EXPECT_EQ (editor.playLabel.getText(), "Play");
}

TEST_F (Header, TheWindowSizeButtonTogglesTheCompactWindowAndItsParameter)
{
    for (const bool compact : { true, false })
    {
        click (header.collapseButton);
        EXPECT_EQ (editor.getWidth(), compact ? 820 : 1024);
        EXPECT_EQ (editor.getHeight(), compact ? 615 : 768);
        EXPECT_EQ (processor.parameters.getRawParameterValue ("collapse")->load() > 0.5f, compact);
    }
}

TEST_F (Header, ResetRestoresEveryDefaultInOneUndoStep)
{
    // A sequence of eight steps with values, locks, dots and a loop of 2 … 6,
    // as a restored state brings it.
    auto& state = processor.parameters.state;

    for (int i = 0; i < 8; ++i)
    {
        state.setProperty ("fader" + juce::String (i), 0.1 * (i + 1), nullptr);
        state.setProperty ("lock" + juce::String (i), i % 2 == 0, nullptr);
        state.setProperty ("dots" + juce::String (i), i % 3 == 0, nullptr);
    }

    state.setProperty ("LoopRangeMin", 2, nullptr);
    state.setProperty ("LoopRangeMax", 6, nullptr);
    setParam (processor, "sequenceSize", 8.0f);

    // Every control away from its default.
    for (const auto& [id, value] : { std::pair { "typeOfFilter", 0.0f }, { "filterRange", 0.2f }, { "resonance", 0.9f },
                                     { "smoother", 0.1f }, { "quantize", 3.0f }, { "byPassButton", 0.0f },
                                     { "infinityButton", 1.0f }, { "numbersBeforeInfinity", 5.0f },
                                     { "dryWet", 0.3f }, { "direction", 2.0f } })
        setParam (processor, id, value);

    editor.lockAndResetButtons.lockButton->setToggleState (true, juce::sendNotification);
    ASSERT_FALSE (processor.effectOn.load());
    editor.loadAndSendTableValues();
    editor.fromLockStateTableToLockDots();
    processor.parameters.copyState();
    processor.undoManager.clearUndoHistory();
    const auto before = state.createCopy();
    auto& loop = *editor.loopRangeSlider.slider;
    ASSERT_TRUE (pumpUntil ([&] { return loop.getMinValue() == 2.0 && loop.getMaxValue() == 6.0; }));

    click (header.resetButton);

    for (int i = 0; i < 64; ++i)
    {
        const auto& f = *editor.fadersTable.faders[(size_t) i];
        const auto& d = *editor.dotsComponent.dots[(size_t) i];
        ASSERT_TRUE (f.value == 0.0f && ! f.locked && ! d.dotted && ! d.stepLocked) << "step " << i;
        ASSERT_TRUE (stored ("fader", i) == 0.0f && stored ("lock", i) == 0.0f && stored ("dots", i) == 0.0f) << "step " << i;
    }

    EXPECT_EQ (editor.sequenceSizeSlider.slider->getValue(), 32.0);
    EXPECT_EQ (loop.getMinValue(), 0.0);
    EXPECT_EQ (loop.getMaxValue(), 32.0);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMin"), 0);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMax"), 32);
    EXPECT_EQ (processor.loopRangeMin.load(), 0);
    EXPECT_EQ (processor.loopRangeMax.load(), 32);
    EXPECT_TRUE (editor.fadersTable.faders[31]->isVisible() && editor.fadersTable.faders[31]->active);

    // Every parameter but the window size is back at its default, and the lock switch is off.
    for (auto* param : processor.getParameters())
        if (auto* p = dynamic_cast<juce::RangedAudioParameter*> (param); p->paramID != "collapse")
            EXPECT_FLOAT_EQ (p->getValue(), p->getDefaultValue()) << p->paramID;

    EXPECT_TRUE (processor.effectOn.load());
    EXPECT_FALSE (editor.lockAndResetButtons.lockButton->getToggleState());
    EXPECT_FALSE (editor.fadersTable.lockMode);

    click (header.undoButton);
    EXPECT_FALSE (processor.undoManager.canUndo()) << "the reset was one undo step";
    processor.parameters.copyState();
    EXPECT_TRUE (state.isEquivalentTo (before)) << "the undo restored the whole state";

    ASSERT_TRUE (pumpUntil ([&] { return loop.getMinValue() == 2.0 && loop.getMaxValue() == 6.0; }));
    EXPECT_EQ (editor.sequenceSizeSlider.slider->getValue(), 8.0);

    for (int i = 0; i < 8; ++i)
    {
        const auto& f = *editor.fadersTable.faders[(size_t) i];
        EXPECT_NEAR (f.value, 0.1f * (float) (i + 1), 1.0e-6f) << "fader " << i;
        EXPECT_EQ (f.locked, i % 2 == 0) << "fader " << i;
        EXPECT_EQ (editor.dotsComponent.dots[(size_t) i]->dotted, i % 3 == 0) << "dot " << i;
    }
}

TEST_F (Header, UndoTakesBackTheLastGestureOnly)
{
    auto& table = editor.fadersTable;
    mouse.gesture (table, { onFader (table, 0, 0.25f), onFader (table, 3, 0.25f) });
    mouse.gesture (table, { onFader (table, 2, 0.75f), onFader (table, 5, 0.75f) });

    click (header.undoButton);

    for (int i = 0; i < 6; ++i)
    {
        EXPECT_NEAR (table.faders[(size_t) i]->value, i < 4 ? 0.25f : 0.0f, 0.01f) << "fader " << i;
        EXPECT_NEAR (stored ("fader", i), i < 4 ? 0.25f : 0.0f, 0.01f) << "fader " << i;
    }
}

TEST_F (Header, TheResetUndoAndTempoControllersActAsTheHeader)
{
    for (const auto& [value, tempo] : { std::pair { 0, 10.0f }, { 127, 600.0f }, { 64, 307.0f } })
    {
        editor.CCTempo (value);
        EXPECT_TRUE (pumpUntil ([&] { return processor.standaloneClock.getTempo() == tempo; })) << value;
    }

    auto& table = editor.fadersTable;
    mouse.gesture (table, { onFader (table, 0, 0.5f), onFader (table, 3, 0.5f) });
    editor.CCResetAll();
    EXPECT_EQ (table.faders[1]->value, 0.0f);
    editor.CCUndo();
    EXPECT_NEAR (table.faders[1]->value, 0.5f, 0.01f);
    editor.CCUndo();
    EXPECT_EQ (table.faders[1]->value, 0.0f);
}

TEST_F (HostHeader, TheHostTempoIsShownAndTheTempoControlsTakeNoClicks)
{
    EXPECT_EQ (header.monoStereoButton.getParentComponent(), nullptr);
    EXPECT_EQ (header.tempoSliderBlocker.getBounds(), header.tempoSlider.getBounds());
    EXPECT_EQ (header.tempoLabelBlocker.getBounds(), header.tempoLabel.getBounds());

    for (const auto& [bpm, shown] : { std::pair { 133.0, "133" }, { 87.6, "88" }, { 2000.0, "600" } })
    {
        processor.hostBpm = bpm;
        EXPECT_TRUE (pumpUntil ([&] { return header.tempoLabel.getButtonText() == shown; })) << bpm;
    }

    processor.hostBpm = 133.0;
    ASSERT_TRUE (pumpUntil ([&] { return header.tempoSlider.getValue() == 133.0; }));

    auto& slider = header.tempoSlider;
    mouse.gesture (slider, { centre (slider).withX (2), centre (slider).withX (slider.getWidth() - 2) });
    click (header.tempoLabel);

    EXPECT_EQ (slider.getValue(), 133.0);
    EXPECT_FALSE (editor.semiTransparentPanel.isVisible()) << "the read-out opened no panel";
    EXPECT_LE (editor.tempoPanel.getBottom(), 0);
}
