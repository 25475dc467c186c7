#include "TestHelpers.h"

using namespace tessaline::test;

namespace
{
    std::vector<double> fadersOf (const VornicAudioProcessor& p)
    {
        std::vector<double> v;
        for (int i = 0; i < 64; ++i)
            v.push_back ((double) p.parameters.state["fader" + juce::String (i)]);
        return v;
    }

    /** Plays `steps` steps forward and returns the 1-based arrivals at the loop
        start at which a randomisation was asked for. */
    std::vector<int> randomisingArrivals (VornicAudioProcessor& p, RecordingListener& l, int steps, bool playing = true)
    {
        std::vector<int> arrivals;
        int arrival = 0;
        for (int i = 0; i < steps; ++i)
        {
            p.handleStepPosition (0.5 + i, playing);
            const int before = l.randomTriggers;
            p.deliverPendingNotices();
            if (p.currentStep.load() == p.loopRangeMin.load())
                ++arrival;
            if (l.randomTriggers > before)
                arrivals.push_back (arrival);
        }
        return arrivals;
    }
}

TEST (Infinity, RandomisesOnTheFirstAndEveryNthReturnToTheLoopStart)
{
    struct Case { const char* name; float on; int every; std::vector<int> expected; };
    const Case cases[] = {
        { "every return",     1.0f, 1, { 1, 2, 3, 4, 5, 6 } },
        { "every 4th return", 1.0f, 4, { 1, 5 } },
        { "switched off",     0.0f, 1, {} },
    };

    for (const auto& c : cases)
    {
        VornicAudioProcessor p;
        RecordingListener l;
        p.listeners.add (&l);
        p.loopRangeMax = 4;
        setParam (p, "infinityButton", c.on);
        setParam (p, "numbersBeforeInfinity", (float) c.every);
        EXPECT_EQ (randomisingArrivals (p, l, 24), c.expected) << c.name;
        p.listeners.remove (&l);
    }
}

TEST (Infinity, NothingIsCountedWhileStoppedAndResetCountsAgainAtOnce)
{
    VornicAudioProcessor p;
    RecordingListener l;
    p.listeners.add (&l);
    p.loopRangeMax = 4;
    setParam (p, "infinityButton", 1.0f);
    setParam (p, "numbersBeforeInfinity", 3.0f);

    EXPECT_TRUE (randomisingArrivals (p, l, 12, false).empty());
    EXPECT_EQ (p.infinityCounter.load(), 0);

    EXPECT_EQ (randomisingArrivals (p, l, 8), (std::vector<int> { 1 }));
    p.infinityCounter = 0;                               // the editor does this when infinity is switched on
    p.handleStepPosition (100.5, true);
    while (p.currentStep.load() != 0)
        p.handleStepPosition (p.currentTick + 1.5, true);
    p.deliverPendingNotices();
    EXPECT_EQ (l.randomTriggers, 2);
    p.listeners.remove (&l);
}

TEST (Infinity, WithoutAnEditorTheProcessorWritesOneUndoableTransaction)
{
    VornicAudioProcessor p;
    for (int i = 0; i < 64; ++i)
    {
        p.parameters.state.setProperty ("fader" + juce::String (i), -1.0, nullptr);
        p.parameters.state.setProperty ("lock" + juce::String (i), i % 2 == 0, nullptr);
    }
    const auto before = fadersOf (p);

    p.generateRandomStepsInfinity();
    EXPECT_EQ (fadersOf (p), before);                    // nothing is written on the calling thread
    p.deliverPendingNotices();

    const auto after = fadersOf (p);
    for (int i = 0; i < 64; ++i)
    {
        EXPECT_GE (after[(size_t) i], 0.0) << i;           // locked faders too
        EXPECT_LT (after[(size_t) i], 1.0) << i;
        EXPECT_FLOAT_EQ (p.faderMirror (i), (float) after[(size_t) i]);
    }

    p.undoManager.undo();
    EXPECT_EQ (fadersOf (p), before);
    EXPECT_FALSE (p.undoManager.canUndo());
}

TEST (Infinity, WithAnEditorOnlyTheEditorIsAsked)
{
    VornicAudioProcessor p;
    RecordingListener l;
    p.listeners.add (&l);
    p.editorIsOpen = true;
    const auto before = fadersOf (p);

    p.generateRandomStepsInfinity();
    p.generateRandomStepsInfinity();
    p.deliverPendingNotices();

    EXPECT_EQ (l.randomTriggers, 2);
    EXPECT_EQ (fadersOf (p), before);
    EXPECT_FALSE (p.undoManager.canUndo());
    p.listeners.remove (&l);
}

//==============================================================================
namespace
{
    struct CCRig
    {
        explicit CCRig (std::unique_ptr<VornicAudioProcessor> proc = std::make_unique<VornicAudioProcessor>())
            : p (std::move (proc))
        {
            for (int k = 0; k < 34; ++k)
                p->parameters.state.setProperty ("CCstates" + juce::String (k), k + 1, nullptr);
            p->parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);
            p->prepareToPlay (48000.0, 64);
            p->listeners.add (&l);
            p->editorIsOpen = true;
        }

        ~CCRig() { p->listeners.remove (&l); }

        std::vector<juce::String> send (std::initializer_list<juce::MidiMessage> messages)
        {
            l.calls.clear();
            juce::AudioBuffer<float> b (2, 64);
            b.clear();
            juce::MidiBuffer midi;
            int t = 0;
            for (const auto& m : messages)
                midi.addEvent (m, t++);
            p->processBlock (b, midi);
            p->deliverPendingNotices();
            return l.calls;
        }

        std::unique_ptr<VornicAudioProcessor> p;
        RecordingListener l;
    };

    juce::MidiMessage cc (int channel, int number, int value)
    {
        return juce::MidiMessage::controllerEvent (channel, number, value);
    }

    using Calls = std::vector<juce::String>;
}

TEST (MidiCC, ValuesAndConditionsReachTheEditor)
{
    CCRig rig;
    struct Case { int number, value; Calls expected; };
    const Case cases[] = {
        { 2, 41, { "direction 0" } },     { 2, 42, { "direction 1" } },
        { 2, 84, { "direction 1" } },     { 2, 85, { "direction 2" } },
        { 4, 100, { "type 2" } },         { 8, 127, { "quantization 127" } },
        { 8, 0, { "quantization 0" } },   { 5, 64, { "smoother 64" } },
        { 13, 127, { "across 1" } },      { 13, 126, { "across 0" } },
        { 1, 127, { "dice" } },           { 1, 126, {} },
        { 3, 127, { "resetSequence" } },  { 10, 127, { "lock" } },
        { 12, 127, { "bypass" } },        { 14, 127, { "infinity" } },
        { 15, 7, { "infinityNumber 7" } }, { 16, 127, { "resetAll" } },
        { 18, 127, { "undo" } },          { 18, 100, {} },
        { 21, 127, { "preset 3" } },      { 34, 127, { "preset 16" } },
        { 17, 64, {} },                   // tempo: not inside a host
        { 99, 127, {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (rig.send ({ cc (1, c.number, c.value) }), c.expected) << "CC " << c.number << " = " << c.value;

    // Anything that is not a control change is ignored.
    EXPECT_TRUE (rig.send ({ juce::MidiMessage::noteOn (1, 1, 1.0f), juce::MidiMessage::pitchWheel (1, 127),
                             juce::MidiMessage::midiClock() }).empty());
}

TEST (MidiCC, ChannelFilterSharedNumbersAndTempoInTheStandalone)
{
    CCRig rig;
    rig.p->parameters.state.setProperty ("comboChannelChangeSelector", 5, nullptr);   // channel 4
    EXPECT_TRUE (rig.send ({ cc (3, 2, 100) }).empty());
    EXPECT_EQ (rig.send ({ cc (4, 2, 100) }), (Calls { "direction 2" }));

    rig.p->parameters.state.removeProperty ("comboChannelChangeSelector", nullptr);    // never set: every channel
    EXPECT_EQ (rig.send ({ cc (1, 2, 100) }), (Calls { "direction 2" }));

    rig.p->parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);    // OMNI
    rig.p->parameters.state.setProperty ("CCstates6", 2, nullptr);                     // Resonance shares Direction's number
    EXPECT_EQ (rig.send ({ cc (9, 2, 100) }), (Calls { "direction 2", "resonance 100" }));

    CCRig standalone (makeStandaloneProcessor());
    EXPECT_EQ (standalone.send ({ cc (1, 17, 64) }), (Calls { "tempo 64" }));
}

TEST (MidiCC, WithoutAnEditorTheDiceRandomisesAndLateJobsAreCarriedOutByTheProcessor)
{
    CCRig rig;
    rig.p->editorIsOpen = false;
    rig.p->listeners.remove (&rig.l);
    const auto before = fadersOf (*rig.p);

    rig.send ({ cc (1, 1, 127) });                       // dice randomises in the processor
    EXPECT_NE (fadersOf (*rig.p), before);

    // A job queued for an editor that has gone before it runs: the processor acts.
    rig.p->editorIsOpen = true;
    rig.p->listeners.add (&rig.l);
    juce::AudioBuffer<float> b (2, 64);
    juce::MidiBuffer midi;
    midi.addEvent (cc (1, 2, 100), 0);
    rig.p->processBlock (b, midi);
    rig.p->listeners.remove (&rig.l);
    rig.p->editorIsOpen = false;
    rig.l.calls.clear();
    rig.p->deliverPendingNotices();
    EXPECT_TRUE (rig.l.calls.empty());
    EXPECT_EQ (rig.p->parameters.getRawParameterValue ("direction")->load(), 2.0f);
    rig.p->listeners.add (&rig.l);
}

TEST (MidiCC, NumberZeroIsUnassignedAndNeverFires)
{
    CCRig rig;
    for (int k = 0; k < 34; ++k)                         // as after "Clear"
        rig.p->parameters.state.setProperty ("CCstates" + juce::String (k), 0, nullptr);

    EXPECT_TRUE (rig.send ({ cc (1, 0, 127), cc (1, 0, 0), cc (1, 0, 64) }).empty());

    // Bank select before a program change leaves a mapped action alone too.
    rig.p->parameters.state.setProperty ("CCstates1", 2, nullptr);
    EXPECT_EQ (rig.send ({ cc (1, 0, 127), cc (1, 2, 100) }), (Calls { "direction 2" }));
}

TEST (MidiCC, AStateWithoutAMappingAnswersTheDefaultNumbersOnEveryChannel)
{
    VornicAudioProcessor p;                             // no window has ever written the mapping
    p.prepareToPlay (48000.0, 64);
    juce::AudioBuffer<float> b (2, 64);
    juce::MidiBuffer midi;
    midi.addEvent (cc (7, 2, 100), 0);                   // "Direction", CC 2 by default
    p.processBlock (b, midi);
    p.deliverPendingNotices();
    EXPECT_EQ (p.parameters.getRawParameterValue ("direction")->load(), 2.0f);
}

//==============================================================================
namespace
{
    /** The rig with the window closed: no editor, no listener. */
    struct ClosedWindowRig : CCRig
    {
        ClosedWindowRig()
        {
            p->listeners.remove (&l);
            p->editorIsOpen = false;
        }

        ~ClosedWindowRig() { p->listeners.add (&l); }

        float param (const char* id) const { return p->parameters.getRawParameterValue (id)->load(); }
        double fader (int i) const { return (double) p->parameters.state["fader" + juce::String (i)]; }
    };
}

TEST (MidiCCWithoutEditor, ControlsTakeTheValuesTheirControlsWouldGive)
{
    struct Case { int number, value; const char* id; float expected; };
    const Case cases[] = {
        { 2, 41, "direction", 0.0f },        { 2, 42, "direction", 1.0f },
        { 2, 85, "direction", 2.0f },        { 4, 0, "typeOfFilter", 0.0f },
        { 4, 84, "typeOfFilter", 1.0f },     { 5, 64, "smoother", 0.5f },       // 64/127 snaps to 0.50
        { 6, 127, "filterRange", 1.0f },     { 7, 0, "resonance", 0.0f },
        { 8, 0, "quantize", 1.0f },          { 8, 64, "quantize", 6.0f },
        { 8, 127, "quantize", 11.0f },       { 11, 32, "dryWet", 0.25f },
        { 9, 127, "sequenceSize", 64.0f },   { 9, 64, "sequenceSize", 33.0f },   // 33.24 rounds to 33
        { 15, 127, "numbersBeforeInfinity", 64.0f }, { 15, 64, "numbersBeforeInfinity", 33.0f },
    };

    for (const auto& c : cases)
    {
        ClosedWindowRig rig;
        rig.send ({ cc (1, c.number, c.value) });
        EXPECT_FLOAT_EQ (rig.param (c.id), c.expected) << "CC " << c.number << " = " << c.value;
    }
}

TEST (MidiCCWithoutEditor, SwitchesToggleAndBypassAcrossSetsWhatIsHeard)
{
    ClosedWindowRig rig;
    rig.p->infinityCounter = 5;

    rig.send ({ cc (1, 12, 127) });                      // "Bypass State"
    EXPECT_EQ (rig.param ("byPassButton"), 0.0f);
    EXPECT_FALSE (rig.p->effectOn.load());
    rig.send ({ cc (1, 12, 100) });                      // only 127 switches
    EXPECT_EQ (rig.param ("byPassButton"), 0.0f);
    rig.send ({ cc (1, 12, 127) });
    EXPECT_EQ (rig.param ("byPassButton"), 1.0f);
    EXPECT_TRUE (rig.p->effectOn.load());

    rig.send ({ cc (1, 13, 126) });                      // "Bypas Across": dry only, switch untouched
    EXPECT_FALSE (rig.p->effectOn.load());
    EXPECT_EQ (rig.param ("byPassButton"), 1.0f);
    rig.send ({ cc (1, 13, 127) });
    EXPECT_TRUE (rig.p->effectOn.load());

    rig.send ({ cc (1, 14, 127) });                      // "Infinity Switch" on counts afresh
    EXPECT_EQ (rig.param ("infinityButton"), 1.0f);
    EXPECT_EQ (rig.p->infinityCounter.load(), 0);
    rig.send ({ cc (1, 14, 127) });
    EXPECT_EQ (rig.param ("infinityButton"), 0.0f);
}

TEST (MidiCCWithoutEditor, ResetSequenceKeepsLockedStepsAndUndoTakesItBackWithTheLoop)
{
    ClosedWindowRig rig;
    auto& state = rig.p->parameters.state;

    rig.p->undoManager.beginNewTransaction();
    for (int i = 0; i < 64; ++i)
        state.setProperty ("fader" + juce::String (i), 0.7, &rig.p->undoManager);
    state.setProperty ("lock3", true, &rig.p->undoManager);

    rig.send ({ cc (1, 3, 127) });                       // "Reset Sequence"
    EXPECT_EQ (rig.fader (0), 0.0);
    EXPECT_EQ (rig.fader (63), 0.0);
    EXPECT_DOUBLE_EQ (rig.fader (3), 0.7);

    rig.send ({ cc (1, 18, 127) });                      // "Undo": the whole reset in one step
    EXPECT_DOUBLE_EQ (rig.fader (0), 0.7);
    EXPECT_DOUBLE_EQ (rig.fader (63), 0.7);

    // Undoing a loop range brings the live range back with the saved one.
    rig.p->setLoopRangeToValueTreeOnDragEnd (4, 12);
    rig.p->loopRangeMin = 4;
    rig.p->loopRangeMax = 12;
    rig.send ({ cc (1, 18, 127) });
    EXPECT_EQ (rig.p->loopRangeMin.load(), 0);
    EXPECT_EQ (rig.p->loopRangeMax.load(), 32);
}

TEST (MidiCCWithoutEditor, AShorterSequenceTakesTheLoopWithItAndWindowOnlyActionsDoNothing)
{
    ClosedWindowRig rig;
    rig.send ({ cc (1, 9, 0) });                         // "Sequence Length" to 2
    EXPECT_EQ (rig.param ("sequenceSize"), 2.0f);
    EXPECT_EQ (rig.p->loopRangeMin.load(), 0);
    EXPECT_EQ (rig.p->loopRangeMax.load(), 2);

    // The lock switch and tempo (standalone only) need the window.
    const auto before = rig.p->parameters.copyState().toXmlString();
    rig.send ({ cc (1, 10, 127), cc (1, 17, 64) });
    EXPECT_EQ (rig.p->parameters.copyState().toXmlString(), before);
}
