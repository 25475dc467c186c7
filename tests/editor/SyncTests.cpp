#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    constexpr float onePixel = 1.0f / 200.0f;

    struct EditorSync : ::testing::Test
    {
        OpenEditor e;
        Mouse mouse { *e.editor };
        VornicAudioProcessor& processor = *e.processor;
        QBSequencerFadersTable& table = e.editor->fadersTable;
        juce::Slider& loop = *e.editor->loopRangeSlider.slider;
        juce::Slider& length = *e.editor->sequenceSizeSlider.slider;

        float value (int i) const { return table.faders[(size_t) i]->value; }
        float stored (int i) { return (float) (double) treeValue (processor, "fader" + juce::String (i)); }

        juce::Point<int> thumb (double v) const
        {
            return { juce::roundToInt (loop.getPositionOfValue (v)), loop.getHeight() / 2 };
        }

        void dragLoopThumb (double from, double to)
        {
            mouse.gesture (loop, { thumb (from), thumb ((from + to) / 2), thumb (to) });
            ASSERT_TRUE (deliverPostedMessages());   // the slider reports its changes asynchronously
        }

        void expectLoop (int lo, int hi)
        {
            EXPECT_EQ ((int) loop.getMinValue(), lo);
            EXPECT_EQ ((int) loop.getMaxValue(), hi);
            EXPECT_EQ (processor.loopRangeMin.load(), lo);
            EXPECT_EQ (processor.loopRangeMax.load(), hi);

            for (int i = 0; i < 64; ++i)
            {
                EXPECT_EQ (table.faders[(size_t) i]->active, lo <= i && i < hi) << "fader " << i;
                EXPECT_EQ (e.editor->dotsComponent.dots[(size_t) i]->active, lo <= i && i < hi) << "dot " << i;
            }
        }

        /** Draws the first eight faders at a quarter and locks `lockedStep`. */
        void drawEightAndLock (int lockedStep)
        {
            for (int i = 0; i < 8; ++i)
                mouse.gesture (table, { onFader (table, i, 0.25f) });

            table.setLockMode (true);
            mouse.gesture (table, { onFader (table, lockedStep, 0.5f) });
            table.setLockMode (false);
        }

        std::vector<float> screenValues() const
        {
            std::vector<float> values;
            for (int i = 0; i < 64; ++i)
                values.push_back (value (i));
            return values;
        }

        /** After a randomisation: the tree holds what the screen shows, nearly
            every fader has moved but the locked one, and one undo brings the
            drawn values back at `drawnStep`. */
        void expectRandomisedAsOneUndoStep (const std::vector<float>& before, int lockedStep, int drawnStep)
        {
            int changed = 0;

            for (int i = 0; i < 64; ++i)
            {
                EXPECT_FLOAT_EQ (stored (i), value (i)) << "the tree holds what the screen shows, step " << i;
                changed += std::abs (value (i) - before[(size_t) i]) > onePixel ? 1 : 0;
            }

            EXPECT_NEAR (value (lockedStep), 0.25f, onePixel) << "the locked step keeps its value";
            EXPECT_GT (changed, 50);

            ASSERT_TRUE (processor.undoManager.undo());
            EXPECT_NEAR (value (drawnStep), 0.25f, onePixel) << "one undo step brings the drawn values back";
        }

        void drawLine (int first, int last, float from, float to)
        {
            mouse.down (table, onFader (table, first, from));

            for (int i = first; i <= last; ++i)
                mouse.drag (table, onFader (table, i, from + (to - from) * (float) (i - first) / (float) (last - first)));

            mouse.up (table, onFader (table, last, to));
        }
    };

}

TEST_F (EditorSync, OpensWithTheTreesSequenceAndLoop)
{
    EXPECT_EQ ((int) length.getValue(), 32);
    expectLoop (0, 32);

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_FLOAT_EQ (value (i), 0.0f);
        EXPECT_FALSE (table.faders[(size_t) i]->locked);
        EXPECT_FALSE (e.editor->dotsComponent.dots[(size_t) i]->dotted);
    }
}

TEST_F (EditorSync, UndoAndRedoRestoreWholeCurvesAndTheScreenFollows)
{
    drawLine (0, 15, 0.1f, 0.9f);
    drawLine (0, 15, 0.8f, 0.2f);

    ASSERT_TRUE (processor.undoManager.undo());

    for (int i = 0; i <= 15; ++i)
    {
        const float first = 0.1f + 0.8f * (float) i / 15.0f;
        EXPECT_NEAR (stored (i), first, onePixel) << "step " << i;
        EXPECT_NEAR (value (i), first, onePixel) << "the screen shows the first curve again, step " << i;
        EXPECT_NEAR (processor.faderMirror (i), first, onePixel);
    }

    ASSERT_TRUE (processor.undoManager.redo());

    for (int i = 0; i <= 15; ++i)
        EXPECT_NEAR (value (i), 0.8f - 0.6f * (float) i / 15.0f, onePixel) << "step " << i;
}

TEST_F (EditorSync, UndoBringsBackLocksDotsAndTheLoopRange)
{
    table.setLockMode (true);
    mouse.gesture (table, { onFader (table, 2, 0.5f), onFader (table, 3, 0.5f) });
    table.setLockMode (false);
    auto& dots = e.editor->dotsComponent;
    mouse.click (dots, dots.dots[9]->getBounds().getCentre());
    dragLoopThumb (0, 6);
    expectLoop (6, 32);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMin"), 6);

    ASSERT_TRUE (processor.undoManager.undo());
    ASSERT_TRUE (deliverPostedMessages());
    expectLoop (0, 32);

    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_FALSE (dots.dots[9]->dotted);
    EXPECT_TRUE (table.faders[2]->locked);

    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_FALSE (table.faders[2]->locked);
    EXPECT_FALSE (table.faders[3]->locked);
    EXPECT_FALSE (dots.dots[2]->stepLocked) << "the dots follow the locks";
}

TEST_F (EditorSync, ARestoredStateReloadsFadersLocksDotsAndLoop)
{
    auto source = makeStandaloneProcessor();
    auto& state = source->parameters.state;

    for (int i = 0; i < 64; ++i)
    {
        state.setProperty ("fader" + juce::String (i), (double) i / 63.0, nullptr);
        state.setProperty ("lock" + juce::String (i), i % 5 == 0, nullptr);
        state.setProperty ("dots" + juce::String (i), i % 3 == 0, nullptr);
    }

    state.setProperty ("LoopRangeMin", 4, nullptr);
    state.setProperty ("LoopRangeMax", 12, nullptr);

    juce::MemoryBlock blob;
    source->getStateInformation (blob);
    processor.setStateInformation (blob.getData(), (int) blob.getSize());

    ASSERT_TRUE (pumpUntil ([this] { return value (63) == 1.0f; }, 3000)) << "the reload arrives";
    ASSERT_TRUE (deliverPostedMessages());

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_NEAR (value (i), (float) i / 63.0f, 1.0e-6f);
        EXPECT_EQ (table.faders[(size_t) i]->locked, i % 5 == 0);
        EXPECT_EQ (e.editor->dotsComponent.dots[(size_t) i]->dotted, i % 3 == 0);
    }

    expectLoop (4, 12);
}

TEST_F (EditorSync, ARestoredStateWithNonsenseValuesShowsThemClamped)
{
    juce::ValueTree tree ("PARAMETERS");
    tree.setProperty ("fader0", 7.5, nullptr);
    tree.setProperty ("fader1", -3.0, nullptr);
    tree.setProperty ("fader2", std::numeric_limits<double>::quiet_NaN(), nullptr);
    tree.setProperty ("fader3", "loud", nullptr);
    tree.setProperty ("LoopRangeMin", 50, nullptr);
    tree.setProperty ("LoopRangeMax", -9, nullptr);

    juce::MemoryBlock blob;
    juce::AudioProcessor::copyXmlToBinary (*tree.createXml(), blob);
    processor.setStateInformation (blob.getData(), (int) blob.getSize());

    ASSERT_TRUE (pumpUntil ([this] { return value (0) == 1.0f; }, 3000));
    ASSERT_TRUE (deliverPostedMessages());

    EXPECT_FLOAT_EQ (value (1), 0.0f);
    EXPECT_FLOAT_EQ (value (2), 0.0f);
    EXPECT_FLOAT_EQ (value (3), 0.0f);

    // A loop given upside down and out of range still comes out as a valid loop.
    EXPECT_GE ((int) loop.getMinValue(), 0);
    EXPECT_GE ((int) loop.getMaxValue() - (int) loop.getMinValue(), 2);
    EXPECT_LE ((int) loop.getMaxValue(), (int) length.getValue());
}

TEST_F (EditorSync, TheSoundingStepIsHighlightedAloneAndMinusOneClearsIt)
{
    const auto highlighted = [this]
    {
        std::vector<int> on;

        for (int i = 0; i < 64; ++i)
            if (table.faders[(size_t) i]->current)
                on.push_back (i);

        return on;
    };

    for (const int step : { 5, 6, 63, 0 })
    {
        processor.stepPositionToUI (step);
        processor.deliverPendingNotices();
        EXPECT_EQ (highlighted(), std::vector<int> { step });
    }

    for (const int none : { -1, 64, 1000 })
    {
        processor.stepPositionToUI (3);
        processor.deliverPendingNotices();
        processor.stepPositionToUI (none);
        processor.deliverPendingNotices();
        EXPECT_TRUE (highlighted().empty()) << none;
    }
}

TEST_F (EditorSync, ShorteningTheSequenceLimitsTheLoopAndGreysTheRest)
{
    dragLoopThumb (0, 4);
    expectLoop (4, 32);

    length.setValue (8, juce::sendNotificationSync);
    ASSERT_TRUE (deliverPostedMessages());

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_EQ (table.faders[(size_t) i]->isVisible(), i < 8) << "fader " << i;
        EXPECT_EQ (e.editor->dotsComponent.dots[(size_t) i]->isVisible(), i < 8) << "dot " << i;
    }

    EXPECT_EQ (loop.getMaximum(), 8.0);
    expectLoop (4, 8);
    EXPECT_EQ (processor.parameters.getRawParameterValue ("sequenceSize")->load(), 8.0f);

    // A loop ending within one step of the new length is pushed back to two steps.
    dragLoopThumb (4, 7);
    expectLoop (6, 8);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMin"), 6);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMax"), 8);
}

TEST_F (EditorSync, TheStepButtonsChangeTheLengthByOneAtOnce)
{
    auto& size = e.editor->sequenceSizeSlider;
    const auto press = [this] (IncDecButton& b) { mouse.click (b.button, b.button.getLocalBounds().getCentre()); };

    press (*size.decreaseButton);
    EXPECT_EQ ((int) length.getValue(), 31);
    EXPECT_TRUE (table.faders[30]->isVisible());
    EXPECT_FALSE (table.faders[31]->isVisible());
    EXPECT_FALSE (e.editor->dotsComponent.dots[31]->isVisible());
    ASSERT_TRUE (deliverPostedMessages());
    expectLoop (0, 31);
    EXPECT_EQ (processor.parameters.getRawParameterValue ("sequenceSize")->load(), 31.0f);

    press (*size.increaseButton);
    press (*size.increaseButton);
    EXPECT_EQ ((int) length.getValue(), 33);
    EXPECT_TRUE (table.faders[32]->isVisible());

    length.setValue (64, juce::sendNotificationSync);
    press (*size.increaseButton);
    EXPECT_EQ ((int) length.getValue(), 64) << "the length stays within 2 … 64";
}

TEST_F (EditorSync, TheLoopIsNeverShorterThanTwoSteps)
{
    // The start thumb dragged onto the end gives way to it.
    dragLoopThumb (0, 32);
    expectLoop (30, 32);

    // The end thumb dragged down to the start pushes the start before it, and
    // to 0 leaves the loop at 0 … 2.
    dragLoopThumb (32, 0);
    expectLoop (0, 2);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMin"), 0);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMax"), 2);
}

TEST_F (EditorSync, ReleasingTheLengthStoresTheCutLoopInTheTree)
{
    const auto centre = juce::Point<int> (length.getWidth() / 2, length.getHeight() / 2);
    mouse.gesture (length, { centre, centre.translated (0, 4), centre.translated (0, 12) });
    ASSERT_TRUE (deliverPostedMessages());

    const int n = (int) length.getValue();
    ASSERT_LT (n, 32) << "dragging the number down shortens the sequence";
    expectLoop (0, n);
    EXPECT_EQ ((int) treeValue (processor, "LoopRangeMax"), n);
}

TEST_F (EditorSync, TheSequenceLengthControllerSetsTheLength)
{
    auto& state = processor.parameters.state;
    state.setProperty ("CCstates8", 9, nullptr);
    state.setProperty ("comboChannelChangeSelector", 1, nullptr);   // every channel
    processor.prepareToPlay (48000.0, 256);

    for (const auto& [cc, expected] : { std::pair { 0, 2 }, { 127, 64 }, { 64, 33 } })
    {
        juce::AudioBuffer<float> buffer (2, 256);
        buffer.clear();
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 9, cc), 0);
        processor.processBlock (buffer, midi);
        processor.deliverPendingNotices();

        ASSERT_TRUE (pumpUntil ([&] { return table.numVisible == expected; })) << "CC value " << cc;
        EXPECT_EQ ((int) length.getValue(), expected);
        EXPECT_EQ (processor.parameters.getRawParameterValue ("sequenceSize")->load(), (float) expected);
    }

    processor.releaseResources();
}

TEST_F (EditorSync, ATypedLengthIsClampedAndTextWithoutANumberIgnored)
{
    auto* box = dynamic_cast<juce::Label*> (length.getChildComponent (0));
    ASSERT_NE (box, nullptr);

    const auto type = [box] (const juce::String& text)
    {
        box->showEditor();
        auto* editor = box->getCurrentTextEditor();
        ASSERT_NE (editor, nullptr);
        editor->setText (text, false);
        editor->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    };

    const struct { const char* text; int length; } cases[] = {
        { "12", 12 }, { "400", 64 }, { "loud", 64 }, { "", 64 }, { "-3", 2 }, { " 9 steps", 9 },
    };

    for (const auto& c : cases)
    {
        type (c.text);
        ASSERT_TRUE (deliverPostedMessages());
        EXPECT_EQ ((int) length.getValue(), c.length) << '"' << c.text << '"';
        EXPECT_EQ (table.numVisible, c.length) << '"' << c.text << '"';
        EXPECT_EQ (processor.parameters.getRawParameterValue ("sequenceSize")->load(), (float) c.length);
    }
}

TEST_F (EditorSync, AnInfinityRandomisationReachesTheScreenAndSparesLocks)
{
    drawEightAndLock (1);
    const auto before = screenValues();

    processor.generateRandomStepsInfinity();
    processor.deliverPendingNotices();

    expectRandomisedAsOneUndoStep (before, 1, 5);
}

TEST_F (EditorSync, TheDiceControllerRandomisesTheUnlockedFadersAsOneUndoStep)
{
    drawEightAndLock (3);
    processor.parameters.state.setProperty ("CCstates0", 1, nullptr);
    processor.parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);
    processor.prepareToPlay (48000.0, 64);
    const auto before = screenValues();

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 1, 127), 0);
    processor.processBlock (buffer, midi);
    processor.deliverPendingNotices();

    expectRandomisedAsOneUndoStep (before, 3, 6);
}
