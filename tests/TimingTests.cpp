// Step timing through the real processor: a play head (or the standalone
// clock) moves at a known tempo, noise goes in, and every step's cutoff must
// take effect on the sample where the position enters that step, whatever the
// block size.
#include "TestHelpers.h"

#include <cmath>

using namespace tessaline::test;

namespace
{
    constexpr int loopLength = 16;

    /** A transport that moves by the frames of each block it is asked for. Like
        a host, it counts samples and computes the position from them. */
    struct MovingHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override
        {
            PositionInfo info;
            info.setPpqPosition (ppq());
            info.setBpm (bpm);
            info.setIsPlaying (playing);
            return info;
        }

        double ppq() const { return basePpq + (double) frames * bpm / 60.0 / sampleRate; }
        void locate (double newPpq) { basePpq = newPpq; frames = 0; }
        void setTempo (double newBpm) { locate (ppq()); bpm = newBpm; }
        void advance (int n) { if (playing) frames += n; }

        double basePpq = 0.0, bpm = 120.0, sampleRate = 48000.0;
        long long frames = 0;
        bool playing = true;
    };

    /** A processor with a low-pass sequence whose faders differ from step to
        step, and no glide unless asked: a new step's cutoff applies at once. */
    std::unique_ptr<VornicAudioProcessor> makeSequencer (int quantize, double sampleRate, float smoother = 0.0f,
                                                         bool standalone = false)
    {
        auto p = standalone ? makeStandaloneProcessor() : std::make_unique<VornicAudioProcessor>();
        setParam (*p, "typeOfFilter", 2.0f);
        setParam (*p, "filterRange", 0.5f);
        setParam (*p, "smoother", smoother);
        setParam (*p, "quantize", (float) quantize);
        for (int i = 0; i < 64; ++i)
            p->parameters.state.setProperty ("fader" + juce::String (i), (i * 7 % loopLength) / (double) (loopLength - 1), nullptr);
        p->loopRangeMin = 0;
        p->loopRangeMax = loopLength;
        p->prepareToPlay (sampleRate, 512);
        return p;
    }

    float cutoffOfStep (int step)
    {
        return QBFilterKernel::targetCutoff (QBFilterKernel::Output::lowPass, 0.5f, (step * 7 % loopLength) / (float) (loopLength - 1));
    }

    /** What a render saw: the output of channel 0, and the step and cutoff after each block. */
    struct Render
    {
        std::vector<float> out;
        std::vector<int> steps;
        std::vector<float> cutoffs;
    };

    /** Runs `total` samples of seeded noise through the processor in blocks of
        `blockSize`; `beforeBlock` may move the transport (it gets the first sample's index). */
    Render render (VornicAudioProcessor& p, int blockSize, int total, const std::function<void (int, int)>& beforeBlock)
    {
        Render r;
        r.out.reserve ((size_t) total);
        juce::Random random (99);
        juce::AudioBuffer<float> b (2, blockSize);
        juce::MidiBuffer midi;

        for (int done = 0; done < total;)
        {
            const int n = std::min (blockSize, total - done);
            b.setSize (2, n, false, false, true);
            for (int i = 0; i < n; ++i)
            {
                const float x = random.nextFloat() * 2.0f - 1.0f;
                b.setSample (0, i, x);
                b.setSample (1, i, x);
            }
            beforeBlock (done, n);
            p.processBlock (b, midi);
            for (int i = 0; i < n; ++i)
                r.out.push_back (b.getSample (0, i));
            r.steps.push_back (p.currentStep.load());
            r.cutoffs.push_back (p.smoothedCutoff);
            done += n;
        }
        return r;
    }

    /** The first sample where two renders differ by more than float rounding, or -1. */
    int firstDifference (const Render& a, const Render& b, float tolerance = 1.0e-4f)
    {
        for (size_t i = 0; i < std::min (a.out.size(), b.out.size()); ++i)
            if (std::abs (a.out[i] - b.out[i]) > tolerance)
                return (int) i;
        return -1;
    }

    Render renderWithHead (VornicAudioProcessor& p, MovingHead& head, int blockSize, int total)
    {
        p.setPlayHead (&head);
        auto r = render (p, blockSize, total, [&] (int first, int) { if (first > 0) head.advance (blockSize); });
        head.advance (total - (total - 1) / blockSize * blockSize);
        p.setPlayHead (nullptr);
        return r;
    }

    /** Checks a sample-by-sample render: after sample i the step and the cutoff are those of the position there. */
    ::testing::AssertionResult everySampleOnItsStep (const Render& r, double startSteps, double stepsPerSample)
    {
        for (size_t i = 0; i < r.steps.size(); ++i)
        {
            const long double position = (long double) startSteps + (long double) i * (long double) stepsPerSample;
            const int expected = (int) std::floor (position + 1.0e-12L) % loopLength;
            if (r.steps[i] != expected || std::abs (r.cutoffs[i] - cutoffOfStep (expected)) > 0.01f)
                return ::testing::AssertionFailure() << "sample " << i << ": step " << r.steps[i] << " (cutoff "
                                                     << r.cutoffs[i] << "), expected step " << expected;
        }
        return ::testing::AssertionSuccess();
    }
}

TEST (Timing, EveryStepOnItsSampleAtAnyBlockSizeRateAndTempo)
{
    constexpr double sr = 48000.0;

    for (const double bpm : { 60.0, 130.0, 174.0, 600.0 })
    {
        for (int quantize = 1; quantize <= 11; ++quantize)
        {
            const double rate = VornicAudioProcessor::stepsPerQuarterNote (quantize);
            const double perSample = bpm / 60.0 / sr * rate;
            const double startPpq = 0.3;                          // playback starts inside a step
            const int total = (int) (10.5 / perSample);           // ten and a half steps
            const auto label = juce::String (bpm) + " BPM, quantize " + juce::String (quantize);

            auto reference = makeSequencer (quantize, sr);
            MovingHead head;
            head.bpm = bpm;
            head.locate (startPpq);
            const auto bySample = renderWithHead (*reference, head, 1, total);
            EXPECT_TRUE (everySampleOnItsStep (bySample, startPpq * rate, perSample)) << label;

            for (const int blockSize : { 17, 64, 512, 4096 })
            {
                auto p = makeSequencer (quantize, sr);
                MovingHead h;
                h.bpm = bpm;
                h.locate (startPpq);
                const auto blocks = renderWithHead (*p, h, blockSize, total);
                EXPECT_EQ (firstDifference (bySample, blocks), -1) << label << ", " << blockSize << " frames";
                EXPECT_EQ (blocks.steps.back(), bySample.steps.back()) << label << ", " << blockSize << " frames";
            }
        }
    }
}

TEST (Timing, GlideIsTheSameAtAnyBlockSize)
{
    // The same gliding sequence at 64 and at 2048 frames gives the same output.
    auto glideRender = [] (int blockSize)
    {
        auto p = makeSequencer (7, 48000.0, 0.8f);
        MovingHead head;
        return renderWithHead (*p, head, blockSize, 48000 * 2);
    };
    const auto small = glideRender (64), large = glideRender (2048);
    EXPECT_EQ (firstDifference (small, large, 1.0e-3f), -1);

    // At 512 frames and 48 kHz each block moves the cutoff as the per-block rule
    // says: "smoother" 1 leaves 90 % of the distance, 0.5 leaves 45 %.
    for (const float smoother : { 1.0f, 0.5f })
    {
        auto p = makeSequencer (7, 48000.0, smoother);
        p->currentStep = 3;                                   // held: no play head
        p->smoothedCutoff = 4000.0f;
        const float target = cutoffOfStep (3);
        float distance = 4000.0f - target;
        const auto r = render (*p, 512, 512 * 6, [] (int, int) {});
        for (const float cutoff : r.cutoffs)
        {
            distance *= 0.9f * smoother;
            EXPECT_NEAR (cutoff - target, distance, 0.05f) << smoother;
        }
    }
}

TEST (Timing, HostTransportStartsJumpsAndRestarts)
{
    constexpr double sr = 48000.0, bpm = 120.0, perSample = bpm / 60.0 / sr * 4.0;   // sixteenths

    // Stopped at 0 for a while, then play: step 0 sounds from the first sample,
    // not one step later; the same from a boundary and from inside a step.
    for (const double startPpq : { 0.0, 1.0, 1.1 })
    {
        auto p = makeSequencer (7, sr);
        MovingHead head;
        head.locate (startPpq);
        head.playing = false;
        renderWithHead (*p, head, 256, 2048);
        EXPECT_EQ (p->currentStep.load(), -1);
        head.playing = true;
        const auto r = renderWithHead (*p, head, 1, 6000 * 2);
        EXPECT_TRUE (everySampleOnItsStep (r, startPpq * 4.0, perSample)) << "start at " << startPpq;
    }

    // A loop of two beats (eight steps in a sixteen-step sequence): every pass
    // plays the same steps, forward and ping-pong.
    for (const float direction : { 0.0f, 1.0f })
    {
        auto p = makeSequencer (7, sr);
        setParam (*p, "direction", direction);
        MovingHead head;
        head.locate (0.5);
        const int passLength = (int) std::lround (1.5 * 60.0 / bpm * sr);     // ppq 0.5 … 2
        p->setPlayHead (&head);
        std::vector<std::vector<int>> passes;
        for (int pass = 0; pass < 3; ++pass)
        {
            head.locate (0.5);
            const auto r = render (*p, 480, passLength, [&] (int first, int) { if (first > 0) head.advance (480); });
            passes.push_back (r.steps);
        }
        p->setPlayHead (nullptr);
        EXPECT_EQ (passes[1], passes[0]) << "direction " << direction;
        EXPECT_EQ (passes[2], passes[0]) << "direction " << direction;
        EXPECT_EQ (passes[0].front(), 2) << "direction " << direction;
    }

    // A locate while playing: the step under the new position sounds at once,
    // and steps go on from there on their samples.
    {
        auto p = makeSequencer (7, sr);
        MovingHead head;
        renderWithHead (*p, head, 512, 512 * 20);
        head.locate (10.3);
        const auto r = renderWithHead (*p, head, 1, 6000 * 3);
        EXPECT_TRUE (everySampleOnItsStep (r, 10.3 * 4.0, perSample));
    }

    // A count-in: negative positions play, the steps stay in range, and from
    // the second step after zero the steps are on their samples again.
    {
        auto p = makeSequencer (7, sr);
        MovingHead head;
        head.locate (-1.0);
        const auto r = renderWithHead (*p, head, 64, 6000 * 12);
        for (const int s : r.steps)
            ASSERT_TRUE (s >= 0 && s < loopLength) << s;
        const auto afterCountIn = renderWithHead (*p, head, 1, 6000 * 4);   // from ppq 1.5 on
        std::vector<int> changes;
        for (size_t i = 1; i < afterCountIn.steps.size(); ++i)
            if (afterCountIn.steps[i] != afterCountIn.steps[i - 1])
                changes.push_back ((int) i);
        EXPECT_EQ (changes, (std::vector<int> { 6000, 12000, 18000 }));
    }

    // A tempo change while playing: the steps follow the new tempo from the
    // block where it changes, at the same samples whatever the block size.
    {
        auto tempoRender = [&] (int blockSize)
        {
            auto p = makeSequencer (7, sr);
            MovingHead head;
            p->setPlayHead (&head);
            auto r = render (*p, blockSize, 48000 * 2, [&] (int first, int)
            {
                if (first > 0)
                    head.advance (blockSize);
                if (first >= 24000 && head.bpm == 120.0)
                    head.setTempo (90.0);
            });
            p->setPlayHead (nullptr);
            return r;
        };
        const auto a = tempoRender (64), b = tempoRender (480);
        EXPECT_EQ (firstDifference (a, b), -1);
    }

    // Stop, then start elsewhere: the stop silences the sequence (-1), the start
    // plays the step under the new position at once.
    {
        auto p = makeSequencer (7, sr);
        MovingHead head;
        renderWithHead (*p, head, 512, 512 * 10);
        head.playing = false;
        renderWithHead (*p, head, 512, 1024);
        EXPECT_EQ (p->currentStep.load(), -1);
        head.playing = true;
        head.locate (3.0);
        const auto r = renderWithHead (*p, head, 1, 6000);
        EXPECT_TRUE (everySampleOnItsStep (r, 12.0, perSample));
    }

    // Re-activation and a new sample rate: the host goes on, and the steps are
    // where the position says, on the new rate's samples.
    for (const double newRate : { 48000.0, 44100.0 })
    {
        auto p = makeSequencer (7, sr);
        MovingHead head;
        renderWithHead (*p, head, 512, 512 * 10);
        p->prepareToPlay (newRate, 512);
        head.sampleRate = newRate;
        head.locate (5.7);
        const auto r = renderWithHead (*p, head, 1, (int) newRate);
        EXPECT_TRUE (everySampleOnItsStep (r, 5.7 * 4.0, bpm / 60.0 / newRate * 4.0)) << newRate;
    }
}

TEST (Timing, StandaloneClockPutsEveryStepOnItsSample)
{
    // 130 BPM in sixteenths for a minute of audio: the clock moves with the
    // audio, so every step lasts exactly its share of samples.
    for (const double sr : { 44100.0, 48000.0 })
    {
        auto bySample = makeSequencer (7, sr, 0.0f, true);
        bySample->standaloneClock.setTempo (130.0f);
        bySample->standaloneClock.isPlaying = true;
        const int total = (int) (60.0 * sr);
        const auto r = render (*bySample, 1, total, [] (int, int) {});

        // Play starts on a whole step, which sounds from the first sample.
        const double perSample = 130.0 / 60.0 / sr * 4.0;
        std::vector<int> onsets { 0 };
        for (size_t i = 1; i < r.steps.size(); ++i)
            if (r.steps[i] != r.steps[i - 1])
                onsets.push_back ((int) i);
        ASSERT_EQ (onsets.size(), 520u) << sr;                 // 130 beats of four steps
        for (size_t k = 0; k < onsets.size(); ++k)
            ASSERT_EQ (onsets[k], (int) std::ceil ((double) k / perSample - 1.0e-6)) << sr << " step " << k;

        auto blocks = makeSequencer (7, sr, 0.0f, true);
        blocks->standaloneClock.setTempo (130.0f);
        blocks->standaloneClock.isPlaying = true;
        EXPECT_EQ (firstDifference (r, render (*blocks, 512, total, [] (int, int) {})), -1) << sr;
    }

    // The tempo survives a restart of the device; stop keeps the last step,
    // start resumes with the step after it, at once.
    auto p = makeSequencer (7, 48000.0, 0.0f, true);
    p->standaloneClock.setTempo (130.0f);
    p->standaloneClock.isPlaying = true;
    render (*p, 512, 48000, [] (int, int) {});
    p->prepareToPlay (48000.0, 256);
    EXPECT_EQ (p->standaloneClock.getTempo(), 130.0f);
    const double before = p->standaloneClock.position.load();
    render (*p, 480, 480, [] (int, int) {});
    EXPECT_NEAR (p->standaloneClock.position.load() - before, 480.0 * 130.0 / 60.0 / 48000.0, 0.26);

    p->standaloneClock.isPlaying = false;
    const int last = p->currentStep.load();
    render (*p, 512, 48000, [] (int, int) {});
    EXPECT_EQ (p->currentStep.load(), last);
    p->standaloneClock.isPlaying = true;
    render (*p, 1, 1, [] (int, int) {});
    EXPECT_EQ (p->currentStep.load(), (last + 1) % loopLength);
}

TEST (Timing, StandaloneFollowsAnExternalTransportWhileItRolls)
{
    // A rolling transport (JACK's, in the application) drives the steps as a
    // host's would; once it stops, the sequence stops with it and Play and the
    // clock's tempo work as before.
    constexpr double sr = 48000.0, perSample = 120.0 / 60.0 / sr * 4.0;
    auto p = makeSequencer (7, sr, 0.0f, true);
    MovingHead head;
    head.locate (2.25);
    const auto r = renderWithHead (*p, head, 1, 12000);
    EXPECT_TRUE (everySampleOnItsStep (r, 9.0, perSample));
    EXPECT_TRUE (p->standaloneClock.followsExternalTransport.load());

    head.playing = false;
    renderWithHead (*p, head, 256, 256);
    EXPECT_FALSE (p->standaloneClock.followsExternalTransport.load());
    EXPECT_EQ (p->currentStep.load(), -1);

    p->standaloneClock.isPlaying = true;
    renderWithHead (*p, head, 256, 256);
    EXPECT_GE (p->currentStep.load(), 0);
}
