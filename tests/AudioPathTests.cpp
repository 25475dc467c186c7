#include "TestHelpers.h"

#include <cmath>

using namespace tessaline::test;

// The allocation counter is linked in: every heap allocation of this program is counted.
#include "AllocationCounter.h"

namespace
{
    constexpr double rate = 48000.0;
    constexpr int block = 512;

    float rms (const float* data, int n)
    {
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            sum += (double) data[i] * data[i];
        return (float) std::sqrt (sum / n);
    }

    float dB (float ratio) { return 20.0f * std::log10 (ratio); }

    void fillSine (juce::AudioBuffer<float>& b, double hz, int64_t& phase)
    {
        for (int i = 0; i < b.getNumSamples(); ++i, ++phase)
        {
            const auto v = (float) std::sin (juce::MathConstants<double>::twoPi * hz * (double) phase / rate);
            for (int ch = 0; ch < b.getNumChannels(); ++ch)
                b.setSample (ch, i, v);
        }
    }

    /** A processor set up to hold one step: the play head is absent, so the
        step the test puts in currentStep keeps sounding. */
    struct Rig
    {
        explicit Rig (std::unique_ptr<VornicAudioProcessor> proc = std::make_unique<VornicAudioProcessor>())
            : p (std::move (proc))
        {
            setParam (*p, "smoother", 0.0f);
            setParam (*p, "resonance", 0.0f);
            p->prepareToPlay (rate, block);
        }

        void holdStep (int step, float fader)
        {
            p->parameters.state.setProperty ("fader" + juce::String (step), fader, nullptr);
            p->currentStep = step;
        }

        /** Renders a sine for `blocks` blocks and returns the output level of the last half. */
        float gainFor (double hz, int blocks = 40)
        {
            juce::AudioBuffer<float> b (2, block);
            juce::MidiBuffer midi;
            int64_t phase = 0;
            double sum = 0.0;
            int counted = 0;

            for (int n = 0; n < blocks; ++n)
            {
                fillSine (b, hz, phase);
                p->processBlock (b, midi);
                if (n >= blocks / 2)
                {
                    sum += rms (b.getReadPointer (0), block);
                    ++counted;
                }
            }
            return (float) (sum / counted) / std::sqrt (0.5f);
        }

        std::unique_ptr<VornicAudioProcessor> p;
    };
}

//==============================================================================
TEST (AudioPath, CutoffResonanceAndSmoothingFollowTheirFormulas)
{
    struct Case { const char* name; int type; float range, fader; int step; float expectedHz; };
    const Case cases[] = {
        { "low-pass fader 1",   2, 0.5f, 1.0f, 5,  50.0f },
        { "low-pass fader 0",   2, 0.5f, 0.0f, 5,  3000.0f },
        { "high-pass fader 0",  0, 0.5f, 0.0f, 5,  500.0f },
        { "high-pass fader 1",  0, 0.5f, 1.0f, 5,  6500.0f },
        { "band-pass fader 1",  1, 1.0f, 1.0f, 5,  12000.0f },
        { "low-pass stopped",   2, 0.25f, 1.0f, -1, 4000.0f },
        { "high-pass stopped",  0, 0.5f, 1.0f, -1, 500.0f },
        { "band-pass stopped",  1, 0.5f, 1.0f, -1, 500.0f },
    };

    for (const auto& c : cases)
    {
        Rig rig;
        setParam (*rig.p, "typeOfFilter", (float) c.type);
        setParam (*rig.p, "filterRange", c.range);
        rig.holdStep (5, c.fader);
        rig.p->currentStep = c.step;

        juce::AudioBuffer<float> b (2, block);
        juce::MidiBuffer midi;
        b.clear();
        rig.p->processBlock (b, midi);
        EXPECT_NEAR (rig.p->smoothedCutoff, c.expectedHz, 0.01f) << c.name;

        const auto g = (float) std::tan (juce::MathConstants<double>::pi * c.expectedHz / rate);
        EXPECT_NEAR (rig.p->filterParameters->g, g, 1.0e-6f) << c.name;
    }

    const std::pair<float, float> resonances[] = { { 0.5f, 8.0f }, { 0.99f, 14.0f }, { 1.0f, 15.0f }, { 0.0f, 1.0f } };
    for (const auto& [resonance, q] : resonances)
    {
        Rig rig;
        setParam (*rig.p, "resonance", resonance);
        rig.p->updateFilter (0);
        EXPECT_FLOAT_EQ (rig.p->filterParameters->R2, 1.0f / q) << resonance;
    }

    // "smoother" 1: the distance to a constant target shrinks by 10 % per block.
    Rig rig;
    setParam (*rig.p, "smoother", 1.0f);
    setParam (*rig.p, "filterRange", 0.5f);
    rig.holdStep (0, 0.0f);                               // target 3000 Hz
    rig.p->smoothedCutoff = 1000.0f;
    for (int i = 0; i < 5; ++i)
    {
        const float before = 3000.0f - rig.p->smoothedCutoff;
        rig.p->updateFilter (0);
        EXPECT_NEAR (3000.0f - rig.p->smoothedCutoff, before * 0.9f, 0.01f);
    }
}

TEST (AudioPath, FiltersPassAndStopByMeasuredLevel)
{
    // Each filter at a computed cutoff of 1 kHz with Q 1.
    struct Case { const char* name; int type; float range, fader; double hz; float minDb, maxDb; };
    const Case cases[] = {
        { "low-pass passes 100 Hz",   2, 1.0f, 0.0f, 100.0,  -0.5f, 0.5f },
        { "low-pass at cutoff",       2, 1.0f, 0.0f, 1000.0, -0.5f, 0.5f },
        { "low-pass stops 8 kHz",     2, 1.0f, 0.0f, 8000.0, -60.0f, -30.0f },
        { "high-pass stops 100 Hz",   0, 0.0f, 1.0f, 100.0,  -60.0f, -35.0f },
        { "high-pass passes 8 kHz",   0, 0.0f, 1.0f, 8000.0, -0.5f, 0.5f },
        { "band-pass centre",         1, 0.0f, 1.0f, 1000.0, -0.5f, 0.5f },
        { "band-pass stops 100 Hz",   1, 0.0f, 1.0f, 100.0,  -25.0f, -15.0f },
        { "band-pass stops 10 kHz",   1, 0.0f, 1.0f, 10000.0, -25.0f, -15.0f },
    };

    for (const auto& c : cases)
    {
        Rig rig;
        setParam (*rig.p, "typeOfFilter", (float) c.type);
        setParam (*rig.p, "filterRange", c.range);
        rig.holdStep (3, c.fader);
        const float level = dB (rig.gainFor (c.hz));
        EXPECT_GE (level, c.minDb) << c.name;
        EXPECT_LE (level, c.maxDb) << c.name;
    }
}

TEST (AudioPath, DotsBypassAndDryWetMix)
{
    // A low-pass at 50 Hz nearly silences a 5 kHz tone, so the dry signal is easy to tell.
    auto lowPassAt50 = [] (Rig& rig) { setParam (*rig.p, "filterRange", 0.5f); rig.holdStep (2, 1.0f); };

    Rig wet;
    lowPassAt50 (wet);
    EXPECT_LT (dB (wet.gainFor (5000.0)), -60.0f);

    Rig dotted;
    lowPassAt50 (dotted);
    dotted.p->parameters.state.setProperty ("dots2", true, nullptr);
    EXPECT_NEAR (dB (dotted.gainFor (5000.0)), 0.0f, 0.05f);

    Rig bypassed;
    lowPassAt50 (bypassed);
    bypassed.p->effectOn = false;
    EXPECT_NEAR (dB (bypassed.gainFor (5000.0)), 0.0f, 0.05f);

    Rig dry;
    lowPassAt50 (dry);
    setParam (*dry.p, "dryWet", 0.0f);
    EXPECT_NEAR (dB (dry.gainFor (5000.0)), 0.0f, 0.05f);

    // "dryWet" 0.5 is half the input plus half of what the filter alone gives.
    Rig half, full;
    for (auto* r : { &half, &full })
    {
        setParam (*r->p, "typeOfFilter", 0.0f);
        setParam (*r->p, "filterRange", 0.0f);
        r->holdStep (1, 0.6f);
    }
    setParam (*half.p, "dryWet", 0.5f);

    juce::AudioBuffer<float> a (2, block), b (2, block), input (2, block);
    juce::MidiBuffer midi;
    int64_t phase = 0;
    for (int n = 0; n < 8; ++n)
    {
        fillSine (input, 700.0, phase);
        a.makeCopyOf (input);
        b.makeCopyOf (input);
        half.p->processBlock (a, midi);
        full.p->processBlock (b, midi);
        if (n < 2)
            continue;                                     // the first blocks ramp in from the initial gains
        for (int i = 0; i < block; ++i)
            ASSERT_NEAR (a.getSample (0, i), 0.5f * input.getSample (0, i) + 0.5f * b.getSample (0, i), 1.0e-5f);
    }
}

TEST (AudioPath, GainChangesRampAcrossTheBlockWithoutSteps)
{
    // DC through a high-pass settles to 0; switching the step's dot on lets the
    // DC through. The change must spread over the block, not jump.
    Rig rig;
    setParam (*rig.p, "typeOfFilter", 0.0f);
    rig.holdStep (4, 1.0f);

    juce::AudioBuffer<float> b (2, block);
    juce::MidiBuffer midi;
    for (int n = 0; n < 30; ++n)
    {
        for (int ch = 0; ch < 2; ++ch)
            juce::FloatVectorOperations::fill (b.getWritePointer (ch), 1.0f, block);
        rig.p->processBlock (b, midi);
    }
    ASSERT_LT (std::abs (b.getSample (0, block - 1)), 1.0e-3f);

    float previous = b.getSample (0, block - 1);
    float largestJump = 0.0f;
    for (bool dot : { true, false, true })
    {
        rig.p->parameters.state.setProperty ("dots4", dot, nullptr);
        for (int n = 0; n < 3; ++n)
        {
            for (int ch = 0; ch < 2; ++ch)
                juce::FloatVectorOperations::fill (b.getWritePointer (ch), 1.0f, block);
            rig.p->processBlock (b, midi);
            for (int i = 0; i < block; ++i)
            {
                largestJump = std::max (largestJump, std::abs (b.getSample (0, i) - previous));
                previous = b.getSample (0, i);
            }
        }
    }
    EXPECT_GT (previous, 0.99f);
    EXPECT_LT (largestJump, 2.0f / block);
}

TEST (AudioPath, KernelEqualsTheStateVariableFilterFormula)
{
    // The fused loop is arranged for speed; over runs of any length, with the
    // coefficients changing between runs, it must give what the textbook
    // per-sample filter gives, up to float rounding.
    using namespace QBFilterKernel;
    using Type = juce::dsp::StateVariableFilter::Parameters<float>::Type;
    const std::pair<Output, Type> types[] = { { Output::lowPass, Type::lowPass }, { Output::bandPass, Type::bandPass },
                                              { Output::highPass, Type::highPass } };

    for (const auto& [output, type] : types)
    {
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
        juce::dsp::StateVariableFilter::Filter<float> reference[2];
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE

        juce::Random random ((int) output + 1);
        State states[2];
        float worst = 0.0f;

        for (int run = 0; run < 300; ++run)
        {
            const int n = 1 + random.nextInt (100);
            const auto c = Coefficients::forCutoff (50.0f + 11000.0f * random.nextFloat(), (float) (1 + random.nextInt (15)), rate);
            juce::AudioBuffer<float> b (2, n);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < n; ++i)
                    b.setSample (ch, i, random.nextFloat() * 2.0f - 1.0f);
            juce::AudioBuffer<float> expected (b);

            QBFilterKernel::run<true> (output, b.getWritePointer (0), b.getWritePointer (1), n, states, c, Ramp { 1.0f, 0.0f });

            for (int ch = 0; ch < 2; ++ch)
            {
                reference[ch].parameters->type = type;
                reference[ch].parameters->g = c.g;
                reference[ch].parameters->R2 = c.R2;
                reference[ch].parameters->h = c.h;
                for (int i = 0; i < n; ++i)
                    worst = std::max (worst, std::abs (reference[ch].processSample (expected.getSample (ch, i)) - b.getSample (ch, i)));
            }
        }
        EXPECT_LT (worst, 2.0e-5f) << "type " << (int) output;
    }
}

TEST (AudioPath, RobustAgainstBadInputLongBlocksAndLowRates)
{
    // A NaN or an infinity spoils only the block it arrives in.
    for (float poison : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() })
    {
        Rig rig;
        rig.holdStep (0, 0.2f);
        juce::AudioBuffer<float> b (2, block);
        juce::MidiBuffer midi;
        int64_t phase = 0;
        fillSine (b, 300.0, phase);
        b.setSample (0, 100, poison);
        rig.p->processBlock (b, midi);

        for (int n = 0; n < 3; ++n)
        {
            fillSine (b, 300.0, phase);
            rig.p->processBlock (b, midi);
        }
        for (int i = 0; i < block; ++i)
            ASSERT_TRUE (std::isfinite (b.getSample (0, i)));
        EXPECT_GT (rms (b.getReadPointer (0), block), 0.3f);
    }

    // A block far longer than the prepared size is processed whole.
    {
        Rig rig;
        rig.p->prepareToPlay (rate, 64);
        rig.holdStep (0, 0.0f);
        juce::AudioBuffer<float> b (2, 8192);
        juce::MidiBuffer midi;
        int64_t phase = 0;
        for (int n = 0; n < 3; ++n)
        {
            fillSine (b, 200.0, phase);
            rig.p->processBlock (b, midi);
        }
        EXPECT_NEAR (rms (b.getReadPointer (1, 4096), 4096) / std::sqrt (0.5f), 1.0f, 0.02f);
    }

    // At low sample rates the highest cutoffs stay below Nyquist and the filter stays stable.
    for (double lowRate : { 8000.0, 22050.0 })
    {
        VornicAudioProcessor p;
        setParam (p, "typeOfFilter", 0.0f);
        setParam (p, "filterRange", 1.0f);
        setParam (p, "resonance", 1.0f);
        setParam (p, "smoother", 0.0f);
        p.parameters.state.setProperty ("fader0", 1.0, nullptr);   // target 12 kHz
        p.currentStep = 0;
        p.prepareToPlay (lowRate, 256);

        juce::AudioBuffer<float> b (2, 256);
        juce::MidiBuffer midi;
        juce::Random random (7);
        float peak = 0.0f;
        for (int n = 0; n < 200; ++n)
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 256; ++i)
                    b.setSample (ch, i, random.nextFloat() - 0.5f);
            p.processBlock (b, midi);
            peak = std::max (peak, b.getMagnitude (0, 256));
        }
        const double g = p.filterParameters->g;
        ASSERT_TRUE (std::isfinite (g) && g > 0.0) << lowRate;
        EXPECT_LT (std::atan (g) / juce::MathConstants<double>::pi * lowRate, 0.5 * lowRate);
        EXPECT_LT (peak, 20.0f) << lowRate;
    }
}

TEST (AudioPath, StandaloneMonoCopiesTheLeftInputToBothSides)
{
    Rig rig (makeStandaloneProcessor());
    rig.p->isStereo = false;
    rig.holdStep (0, 0.3f);

    juce::AudioBuffer<float> b (2, block);
    juce::MidiBuffer midi;
    int64_t phase = 0;
    for (int n = 0; n < 4; ++n)
    {
        fillSine (b, 440.0, phase);
        b.clear (1, 0, block);
        rig.p->processBlock (b, midi);
    }
    EXPECT_GT (rms (b.getReadPointer (1), block), 0.3f);
    for (int i = 0; i < block; ++i)
        ASSERT_FLOAT_EQ (b.getSample (0, i), b.getSample (1, i));
}

TEST (AudioPath, ProcessBlockAllocatesNothing)
{
    struct Head : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return info; }
        PositionInfo info;
    } head;

    VornicAudioProcessor p;
    p.parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);
    for (int k = 0; k < 34; ++k)
        p.parameters.state.setProperty ("CCstates" + juce::String (k), k + 1, nullptr);
    setParam (p, "infinityButton", 1.0f);
    p.editorIsOpen = true;                                // CC actions are queued for an editor
    p.setPlayHead (&head);
    head.info.setIsPlaying (true);
    head.info.setBpm (120.0);
    p.prepareToPlay (rate, 64);

    juce::AudioBuffer<float> b (2, 64);
    juce::MidiBuffer midi;
    midi.ensureSize (1024);
    double ppq = 0.0;

    // The counter sees operator new and the C allocator under JUCE's containers.
    const auto counts = [] (auto&& allocate)
    {
        const long countedBefore = tessaline::allocationCount();
        allocate();
        return tessaline::allocationCount() > countedBefore;
    };
    static void* volatile escaped = nullptr;   // keeps the compiler from eliding the allocations
    ASSERT_TRUE (counts ([] { auto* s = new juce::String ("the counter sees this"); escaped = s; delete s; }));
    ASSERT_TRUE (counts ([] { juce::Array<int> grows; for (int i = 0; i < 100; ++i) grows.add (i); escaped = grows.data(); }));
    ASSERT_TRUE (counts ([] { juce::HeapBlock<char> zeroed (64, true); escaped = zeroed.get(); }));
    ASSERT_TRUE (counts ([] { void* p = nullptr; if (posix_memalign (&p, 64, 256) == 0) { escaped = p; free (p); } }));

    const long before = tessaline::allocationCount();
    for (int n = 0; n < 4000; ++n)
    {
        midi.clear();
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 1 + n % 34, n % 128), 0);
        midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.5f), 1);
        head.info.setPpqPosition (ppq);
        ppq += 0.05;                                      // a new step every few blocks
        p.processBlock (b, midi);
        if (n % 100 == 99)
            p.loopRangeMax = 4 + n % 30;
    }
    EXPECT_EQ (tessaline::allocationCount() - before, 0);
    p.setPlayHead (nullptr);
    p.deliverPendingNotices();
}
