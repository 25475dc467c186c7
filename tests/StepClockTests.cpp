#include "TestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct Sequence
    {
        const char* name;
        int direction;
        int loopMin, loopMax;
        double startPosition;           // the transport starts here, then moves a step per call
        std::vector<int> expected;      // currentStep after each call
    };

    std::vector<int> play (VornicAudioProcessor& p, double start, size_t calls)
    {
        std::vector<int> steps;
        for (size_t i = 0; i < calls; ++i)
        {
            p.handleStepPosition (start + (double) i, true);
            steps.push_back (p.currentStep.load());
        }
        return steps;
    }
}

TEST (StepClock, SequencesForEveryDirection)
{
    const Sequence cases[] = {
        { "forward 0..4",             0, 0, 4,  0.5,  { 0, 1, 2, 3, 0, 1, 2, 3, 0 } },
        { "forward 5..8 from 37.5",   0, 5, 8,  37.5, { 6, 7, 5, 6, 7, 5 } },
        { "backward 2..6",            2, 2, 6,  3.5,  { 5, 4, 3, 2, 5, 4, 3, 2 } },
        { "ping-pong 0..4",           1, 0, 4,  0.5,  { 0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2 } },
        { "ping-pong two steps",      1, 6, 8,  0.5,  { 6, 7, 6, 7, 6, 7 } },
        { "ping-pong one step",       1, 9, 10, 0.5,  { 9, 9, 9, 9 } },
        { "start resyncs 37.5 in 32", 0, 0, 32, 37.5, { 5, 6, 7, 8 } },
    };

    for (const auto& c : cases)
    {
        VornicAudioProcessor p;
        setParam (p, "direction", (float) c.direction);
        p.loopRangeMin = c.loopMin;
        p.loopRangeMax = c.loopMax;
        EXPECT_EQ (play (p, c.startPosition, c.expected.size()), c.expected) << c.name;
    }
}

TEST (StepClock, LoopChangesWhileRunningTakeEffectAtTheNextTick)
{
    // Backward with 19 queued, the loop shrinks to 0..8: 19 plays, then the bound 8, then 7, 6 …
    VornicAudioProcessor p;
    setParam (p, "direction", 2.0f);
    p.loopRangeMin = 0;
    p.loopRangeMax = 32;
    p.handleStepPosition (20.5, true);      // start: plays 20, queues 19
    ASSERT_EQ (p.currentStep.load(), 20);
    p.loopRangeMax = 8;
    EXPECT_EQ (play (p, 21.5, 4), (std::vector<int> { 19, 8, 7, 6 }));

    // Forward: a step beyond a shrunken loop returns to its start.
    VornicAudioProcessor q;
    q.loopRangeMax = 32;
    q.handleStepPosition (20.5, true);
    q.loopRangeMin = 2;
    q.loopRangeMax = 6;
    EXPECT_EQ (play (q, 21.5, 4), (std::vector<int> { 21, 2, 3, 4 }));
}

TEST (StepClock, TicksStoppedStateAndNotices)
{
    VornicAudioProcessor p;
    RecordingListener l;
    p.listeners.add (&l);

    p.handleStepPosition (3.2, true);                 // start, plays 3
    p.handleStepPosition (3.7, true);                 // same tick: nothing
    p.deliverPendingNotices();
    EXPECT_EQ (l.steps, (std::vector<int> { 3 }));

    p.handleStepPosition (4.1, false);                // stop, but a new tick still plays one step
    EXPECT_EQ (p.currentStep.load(), 4);
    p.handleStepPosition (4.6, false);                // unchanged tick while stopped: −1
    EXPECT_EQ (p.currentStep.load(), -1);
    p.handleStepPosition (4.9, false);
    p.deliverPendingNotices();
    EXPECT_EQ (l.steps.back(), -1);
    EXPECT_EQ (std::count (l.steps.begin(), l.steps.end(), -1), 1);

    // Around zero the tick is 0 on both sides, so a count-in crossing 0 does not advance.
    VornicAudioProcessor q;
    q.handleStepPosition (-0.5, true);
    const int first = q.currentStep.load();
    q.handleStepPosition (0.5, true);
    EXPECT_EQ (q.currentStep.load(), first);
    q.handleStepPosition (1.5, true);
    EXPECT_NE (q.currentStep.load(), first);

    p.listeners.remove (&l);
}

TEST (StepClock, NoticesAreDeliveredByTheMessageLoopAndCoalesceToTheLatest)
{
    VornicAudioProcessor p;
    p.prepareToPlay (48000.0, 64);                   // starts the notice timer
    RecordingListener l;
    p.listeners.add (&l);

    p.handleStepPosition (1.5, true);
    EXPECT_TRUE (l.steps.empty());                   // never delivered on the calling thread
    EXPECT_TRUE (pumpUntil ([&] { return ! l.steps.empty(); }));
    EXPECT_EQ (l.steps, (std::vector<int> { 1 }));

    p.handleStepPosition (2.5, true);
    p.handleStepPosition (3.5, true);                // two steps before the screen looks
    EXPECT_TRUE (pumpUntil ([&] { return l.steps.size() > 1; }));
    pumpFor (50);
    EXPECT_EQ (l.steps, (std::vector<int> { 1, 3 }));
    p.listeners.remove (&l);
}

TEST (StepClock, QuantizeRates)
{
    const std::pair<int, double> rates[] = { { 0, 0.5 }, { 1, 0.5 }, { 2, 0.75 }, { 3, 1.0 }, { 4, 1.5 }, { 5, 2.0 },
                                             { 6, 3.0 }, { 7, 4.0 }, { 8, 6.0 }, { 9, 8.0 }, { 10, 12.0 },
                                             { 11, 16.0 }, { 12, 0.5 }, { -3, 0.5 } };
    for (const auto& [q, rate] : rates)
        EXPECT_DOUBLE_EQ (VornicAudioProcessor::stepsPerQuarterNote (q), rate) << q;
}

TEST (StepClock, EmptyOrInvertedLoopKeepsStepsInRangeAndRecovers)
{
    struct Case { const char* name; int direction; int lo, hi; };
    const Case cases[] = {
        { "both 0, forward", 0, 0, 0 },      { "both 0, backward", 2, 0, 0 },  { "both 0, ping-pong", 1, 0, 0 },
        { "inverted, forward", 0, 40, 10 },  { "inverted, backward", 2, 40, 10 }, { "inverted, ping-pong", 1, 40, 10 },
        { "out of range", 0, 70, 90 },       { "negative", 2, -5, -1 },
    };

    for (const auto& c : cases)
    {
        VornicAudioProcessor p;
        setParam (p, "direction", (float) c.direction);
        p.loopRangeMin = c.lo;
        p.loopRangeMax = c.hi;

        for (int i = 0; i < 200; ++i)
        {
            p.handleStepPosition (i * 0.75 + 13.0, true);
            const int s = p.currentStep.load();
            ASSERT_TRUE (s >= 0 && s < 64) << c.name << " step " << s;
        }

        // A queued step outside the sequence (the stopped step, a count-in) never sounds.
        for (int queued : { -1, -7, 64, 1000 })
        {
            p.nextStep = queued;
            p.handleStepPosition (p.currentTick + 1.5, true);
            ASSERT_TRUE (p.currentStep.load() >= 0 && p.currentStep.load() < 64) << c.name << " queued " << queued;
        }

        // Once the editor sets a valid range, it plays normally.
        p.loopRangeMin = 4;
        p.loopRangeMax = 8;
        std::vector<int> steps;
        for (int i = 0; i < 12; ++i)
        {
            p.handleStepPosition (200.5 + i, true);
            steps.push_back (p.currentStep.load());
        }
        for (size_t i = 4; i < steps.size(); ++i)
            EXPECT_TRUE (steps[i] >= 4 && steps[i] < 8) << c.name << " step " << steps[i];
    }
}

TEST (StepClock, HostFeedFollowsThePlayHead)
{
    struct Head : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return info; }
        PositionInfo info;
    } head;

    VornicAudioProcessor p;
    p.setPlayHead (&head);
    p.prepareToPlay (48000.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;

    // "quantize" 7 is a sixteenth: the step clock gets quarter notes × 4.
    head.info.setBpm (133.0);
    head.info.setIsPlaying (true);
    head.info.setPpqPosition (2.3);                  // step position 9.2
    buffer.clear();
    p.processBlock (buffer, midi);
    EXPECT_DOUBLE_EQ (p.hostBpm.load(), 133.0);
    EXPECT_EQ (p.currentTick, 9);
    EXPECT_EQ (p.currentStep.load(), 9);

    setParam (p, "quantize", 1.0f);                  // a half note: 0.5 steps per quarter
    head.info.setPpqPosition (9.0);                  // step position 4.5
    p.processBlock (buffer, midi);
    EXPECT_EQ (p.currentTick, 4);

    head.info.setIsPlaying (false);
    p.processBlock (buffer, midi);
    p.processBlock (buffer, midi);
    EXPECT_EQ (p.currentStep.load(), -1);
    p.setPlayHead (nullptr);
}

TEST (StandaloneClock, WithoutAudioTheTimerDrivesTheSequence)
{
    // No device has prepared the processor: the clock's timer moves it, so the window still shows steps.
    auto p = makeStandaloneProcessor();
    RecordingListener window;
    p->listeners.add (&window);
    EXPECT_TRUE (p->standaloneClock.isTimerRunning());
    p->standaloneClock.setTempo (600.0f);
    EXPECT_TRUE (pumpUntil ([&] { return p->standaloneClock.position.load() > 0.05; }));
    EXPECT_EQ (p->currentStep.load(), -1);                // stopped: the sequence does not move

    p->standaloneClock.isPlaying = true;
    EXPECT_TRUE (pumpUntil ([&] { return p->currentStep.load() >= 0; }));
    const int first = p->currentStep.load();
    EXPECT_TRUE (pumpUntil ([&] { return p->currentStep.load() != first; }));
    EXPECT_TRUE (pumpUntil ([&] { return window.steps.size() >= 2; }));   // the window is told
    p->listeners.remove (&window);

    // Once audio runs, the timer leaves the clock to it.
    p->prepareToPlay (48000.0, 512);
    const double before = p->standaloneClock.position.load();
    pumpFor (60);
    EXPECT_EQ (p->standaloneClock.position.load(), before);
    p->releaseResources();
    EXPECT_TRUE (pumpUntil ([&] { return p->standaloneClock.position.load() > before; }));
}

TEST (StandaloneClock, TempoIsClampedAndPositionNeverStalls)
{
    QBStandaloneClock clock;
    EXPECT_EQ (clock.getTempo(), 120.0f);
    const std::pair<float, float> tempos[] = { { 130.0f, 130.0f }, { 5.0f, 10.0f }, { 900.0f, 600.0f },
                                               { std::numeric_limits<float>::quiet_NaN(), 600.0f } };
    for (const auto& [set, got] : tempos)
    {
        clock.setTempo (set);
        EXPECT_EQ (clock.getTempo(), got) << set;
    }

    clock.position = 1.0e7;                               // some 190 days at 120 BPM
    clock.setTempo (120.0f);
    const auto block = clock.advanceWithAudio (480, 48000.0);
    EXPECT_EQ (block.position, 1.0e7);
    EXPECT_NEAR (clock.position.load() - 1.0e7, 0.02, 1.0e-9);

    VornicAudioProcessor host;                            // inside a host the clock never runs
    host.prepareToPlay (48000.0, 512);
    EXPECT_FALSE (host.standaloneClock.isTimerRunning());
}
