#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct SequenceActions : ::testing::Test
    {
        OpenEditor e;
        Mouse mouse { *e.editor };
        VornicAudioProcessorEditor& editor = *e.editor;
        VornicAudioProcessor& processor = *e.processor;
        QBSequencerFadersTable& table = editor.fadersTable;

        void click (const juce::Component& c)  { mouse.click (c, c.getLocalBounds().getCentre()); }

        FaderToPaint& fader (int i) { return *table.faders[(size_t) i]; }
        Dot& dot (int i)            { return *editor.dotsComponent.dots[(size_t) i]; }
        float stored (int i)        { return (float) (double) treeValue (processor, "fader" + juce::String (i)); }
        bool storedLock (int i)     { return (bool) treeValue (processor, "lock" + juce::String (i)); }
        bool storedDot (int i)      { return (bool) treeValue (processor, "dots" + juce::String (i)); }
        float parameter (const char* id) { return processor.parameters.getRawParameterValue (id)->load(); }

        /** A slider set by a click tells its attachment through the message loop. */
        bool parameterBecomes (const char* id, float value)
        {
            return pumpUntil ([this, id, value] { return parameter (id) == value; });
        }

        /** Puts a sequence into the tree as a restored state would, then has the editor read it. */
        void loadSequence (std::function<float (int)> value, std::function<bool (int)> locked,
                           std::function<bool (int)> dotted)
        {
            auto& state = processor.parameters.state;

            for (int i = 0; i < 64; ++i)
            {
                state.setProperty ("fader" + juce::String (i), (double) value (i), nullptr);
                state.setProperty ("lock" + juce::String (i), locked (i), nullptr);
                state.setProperty ("dots" + juce::String (i), dotted (i), nullptr);
            }

            editor.loadAndSendTableValues();
            processor.undoManager.clearUndoHistory();
        }

        struct Step { float value; bool locked, dotted; };

        std::vector<Step> screen()
        {
            std::vector<Step> steps;
            for (int i = 0; i < 64; ++i)
                steps.push_back ({ fader (i).value, fader (i).locked, dot (i).dotted });
            return steps;
        }
    };

    float ramp (int i) { return (float) (i + 1) / 65.0f; }
}

TEST_F (SequenceActions, TheDiceRerollsOnlyUnlockedFadersAsOneUndoStep)
{
    loadSequence (ramp, [] (int i) { return i == 3 || i == 40; }, [] (int) { return false; });

    click (*editor.dice.diceButton);

    for (int i = 0; i < 64; ++i)
    {
        if (i == 3 || i == 40)
        {
            EXPECT_FLOAT_EQ (fader (i).value, ramp (i)) << "locked fader " << i;
            EXPECT_FLOAT_EQ (stored (i), ramp (i)) << "locked fader " << i;
        }
        else
        {
            EXPECT_NE (fader (i).value, ramp (i)) << "fader " << i;
            EXPECT_FLOAT_EQ (stored (i), fader (i).value) << "the tree holds the new value, fader " << i;
        }
    }

    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_FALSE (processor.undoManager.canUndo()) << "one roll, one undo step";

    for (int i = 0; i < 64; ++i)
        EXPECT_FLOAT_EQ (fader (i).value, ramp (i)) << "the undo brings back fader " << i;
}

TEST_F (SequenceActions, WithEveryFaderLockedTheDiceChangesAndRecordsNothing)
{
    loadSequence (ramp, [] (int) { return true; }, [] (int) { return false; });

    click (*editor.dice.diceButton);

    for (int i = 0; i < 64; ++i)
        EXPECT_FLOAT_EQ (fader (i).value, ramp (i)) << "fader " << i;

    EXPECT_FALSE (processor.undoManager.canUndo());
}

TEST_F (SequenceActions, RotatingMovesValuesLocksAndDotsTogether)
{
    loadSequence (ramp, [] (int i) { return i == 5 || i == 63; }, [] (int i) { return i == 9 || i == 0; });
    const auto start = screen();

    click (editor.moveSeqNextButton);

    EXPECT_FLOAT_EQ (fader (6).value, ramp (5));
    EXPECT_TRUE (fader (6).locked) << "the lock travels with its value";
    EXPECT_FALSE (fader (5).locked);
    EXPECT_TRUE (fader (0).locked) << "the last step wraps round to the first";
    EXPECT_FLOAT_EQ (fader (0).value, ramp (63));
    EXPECT_TRUE (dot (10).dotted);
    EXPECT_TRUE (dot (1).dotted);
    EXPECT_FALSE (dot (9).dotted);
    EXPECT_TRUE (dot (6).stepLocked) << "the dots' locks follow the faders'";
    EXPECT_FALSE (dot (5).stepLocked);
    EXPECT_TRUE (storedLock (6));
    EXPECT_TRUE (storedDot (10));
    EXPECT_FLOAT_EQ (processor.faderMirror (6), ramp (5)) << "the sound follows at once";

    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_FALSE (processor.undoManager.canUndo()) << "values, locks and dots are undone together";

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_FLOAT_EQ (fader (i).value, start[(size_t) i].value) << "step " << i;
        EXPECT_EQ (fader (i).locked, start[(size_t) i].locked) << "step " << i;
        EXPECT_EQ (dot (i).dotted, start[(size_t) i].dotted) << "step " << i;
    }

    click (editor.moveSeqBackButton);
    EXPECT_FLOAT_EQ (fader (63).value, ramp (0)) << "back moves step 0 to the end";
    EXPECT_TRUE (dot (63).dotted);
    EXPECT_TRUE (fader (4).locked);
}

TEST_F (SequenceActions, SixtyFourRotationsGiveBackTheSequence)
{
    // The whole of 64 steps turns, whatever the sequence length.
    loadSequence (ramp, [] (int i) { return i % 7 == 0; }, [] (int i) { return i % 5 == 1; });
    const auto start = screen();

    for (auto* button : { &editor.moveSeqNextButton, &editor.moveSeqBackButton })
    {
        for (int n = 0; n < 64; ++n)
            click (*button);

        const auto end = screen();

        for (int i = 0; i < 64; ++i)
        {
            EXPECT_FLOAT_EQ (end[(size_t) i].value, start[(size_t) i].value) << button->getName() << " step " << i;
            EXPECT_EQ (end[(size_t) i].locked, start[(size_t) i].locked) << button->getName() << " step " << i;
            EXPECT_EQ (end[(size_t) i].dotted, start[(size_t) i].dotted) << button->getName() << " step " << i;
            EXPECT_EQ (dot (i).stepLocked, start[(size_t) i].locked) << button->getName() << " step " << i;
        }
    }
}

TEST_F (SequenceActions, ResetSequenceZeroesUnlockedFadersAndResetLocksClearsEveryLock)
{
    loadSequence (ramp, [] (int i) { return i == 2 || i == 30; }, [] (int) { return false; });

    click (*editor.resetSequenceButton.button);

    for (int i = 0; i < 64; ++i)
    {
        const float expected = (i == 2 || i == 30) ? ramp (i) : 0.0f;
        EXPECT_FLOAT_EQ (fader (i).value, expected) << "fader " << i;
        EXPECT_FLOAT_EQ (stored (i), expected) << "fader " << i;
    }

    click (*editor.lockAndResetButtons.resetLocksButton);

    for (int i : { 2, 30 })
    {
        EXPECT_FALSE (fader (i).locked);
        EXPECT_FALSE (storedLock (i));
        EXPECT_FALSE (dot (i).stepLocked);
    }

    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_TRUE (fader (2).locked) << "clearing the locks was one undo step";
    ASSERT_TRUE (processor.undoManager.undo());
    EXPECT_FLOAT_EQ (fader (0).value, ramp (0)) << "and the reset another";
    EXPECT_FALSE (processor.undoManager.canUndo());
}

TEST_F (SequenceActions, TheLockSwitchTurnsLockModeOnAndOff)
{
    auto& lock = *editor.lockAndResetButtons.lockButton;
    EXPECT_FALSE (table.lockMode) << "a new window draws values";

    click (lock);
    EXPECT_TRUE (table.lockMode);
    EXPECT_TRUE (fader (17).lockMode);

    mouse.gesture (table, { onFader (table, 4, 0.5f) });
    EXPECT_TRUE (fader (4).locked) << "a click on a fader now locks it";
    EXPECT_TRUE (dot (4).stepLocked);

    click (lock);
    EXPECT_FALSE (table.lockMode);
    EXPECT_FALSE (fader (17).lockMode);
}

TEST_F (SequenceActions, DirectionButtonsSetTheParameterAndForwardAndBackwardReplayTheSoundingStep)
{
    auto& d = editor.directionButtons;
    const struct { juce::DrawableButton* button; float direction; bool replays; } cases[] = {
        { d.backwardButton.get(), 2.0f, true },
        { d.pingPongButton.get(), 1.0f, false },
        { d.forwardButton.get(),  0.0f, true },
        { d.pingPongButton.get(), 1.0f, false },
    };

    for (const auto& c : cases)
    {
        processor.currentStep = 5;
        processor.nextStep = 6;

        click (*c.button);

        EXPECT_TRUE (parameterBecomes ("direction", c.direction)) << "direction " << c.direction;
        EXPECT_TRUE (c.button->getToggleState());
        EXPECT_EQ (processor.nextStep.load(), c.replays ? 5 : 6) << "direction " << c.direction;

        for (auto* other : { d.forwardButton.get(), d.pingPongButton.get(), d.backwardButton.get() })
            if (other != c.button)
                EXPECT_FALSE (other->getToggleState()) << "direction " << c.direction;
    }
}

TEST_F (SequenceActions, AnAutomatedDirectionSwitchesItsButtonAndReplaysAsAClickWould)
{
    auto& d = editor.directionButtons;
    const struct { float direction; juce::DrawableButton* button; bool replays; } cases[] = {
        { 2.0f, d.backwardButton.get(), true }, { 1.0f, d.pingPongButton.get(), false },
        { 0.0f, d.forwardButton.get(), true },
    };

    for (const auto& c : cases)
    {
        processor.currentStep = 5;
        processor.nextStep = 6;

        setParam (processor, "direction", c.direction);
        EXPECT_TRUE (pumpUntil ([b = c.button] { return b->getToggleState(); })) << "direction " << c.direction;
        EXPECT_EQ (d.directionSlider->getValue(), (double) c.direction);
        EXPECT_EQ (processor.nextStep.load(), c.replays ? 5 : 6) << "direction " << c.direction;
    }
}

TEST_F (SequenceActions, TheQuantizeBoxStoresTheItemIdAndFollowsTheParameter)
{
    auto& box = *editor.quantizeComboBox.comboBox;
    EXPECT_EQ (box.getText(), "1/16") << "the default step is a sixteenth";

    const std::pair<const char*, float> cases[] = { { "1/16", 7.0f }, { "1/64", 11.0f }, { "1/2", 1.0f }, { "1/8T", 6.0f } };

    for (const auto& [text, id] : cases)
    {
        for (int i = 0; i < box.getNumItems(); ++i)
            if (box.getItemText (i) == text)
                box.setSelectedItemIndex (i, juce::sendNotificationSync);

        EXPECT_EQ (parameter ("quantize"), id) << text;
    }

    setParam (processor, "quantize", 4.0f);
    EXPECT_TRUE (pumpUntil ([&box] { return box.getSelectedId() == 4; }));
    EXPECT_EQ (box.getText(), "1/4T");
}

TEST_F (SequenceActions, TheRepeatCountStepsWithinOneToSixtyFour)
{
    auto& group = editor.infiniteButtons;
    ASSERT_EQ (group.repeatCount, 1);

    click (group.decreaseButton);
    EXPECT_EQ (group.repeatCount, 1) << "stepping below 1 does nothing";
    EXPECT_EQ (parameter ("numbersBeforeInfinity"), 1.0f);

    for (int n = 0; n < 70; ++n)
        click (group.increaseButton);

    EXPECT_EQ (group.repeatCount, 64) << "stepping stops at 64";
    EXPECT_TRUE (parameterBecomes ("numbersBeforeInfinity", 64.0f));

    click (group.decreaseButton);
    EXPECT_TRUE (parameterBecomes ("numbersBeforeInfinity", 63.0f));

    setParam (processor, "numbersBeforeInfinity", 12.0f);
    EXPECT_TRUE (pumpUntil ([&group] { return group.repeatCount == 12; })) << "the count follows automation";
}

TEST_F (SequenceActions, SwitchingInfinityOnStartsTheCountAgainAndHoveringDoesNot)
{
    auto& button = *editor.infiniteButtons.infinityButton;

    processor.infinityCounter = 5;
    click (button);
    EXPECT_EQ (parameter ("infinityButton"), 1.0f);
    EXPECT_EQ (processor.infinityCounter.load(), 0);

    processor.infinityCounter = 3;
    mouse.up (button, { 2, 2 });     // the pointer moves over the switch without a press
    mouse.up (button, button.getLocalBounds().getCentre());
    EXPECT_EQ (processor.infinityCounter.load(), 3);

    click (button);
    EXPECT_EQ (parameter ("infinityButton"), 0.0f);
    EXPECT_EQ (processor.infinityCounter.load(), 3) << "switching off leaves the count";
}

TEST_F (SequenceActions, ARestoredStateBringsTheDotsLocksWithTheFaders)
{
    auto source = makeStandaloneProcessor();
    source->parameters.state.setProperty ("lock7", true, nullptr);
    juce::MemoryBlock blob;
    source->getStateInformation (blob);

    dot (7).stepLocked = false;
    processor.setStateInformation (blob.getData(), (int) blob.getSize());

    ASSERT_TRUE (pumpUntil ([this] { return fader (7).locked; }));
    EXPECT_TRUE (dot (7).stepLocked);

    // A drag across the dots passes over the locked step's dot.
    auto& row = editor.dotsComponent;
    const bool before = dot (7).dotted;
    mouse.gesture (row, { dot (5).getBounds().getCentre(), dot (9).getBounds().getCentre() });
    EXPECT_EQ (dot (7).dotted, before);
}
