// The audio path's cost per stereo frame at 48 kHz, against a floor: a bare
// loop in this binary doing the same work (a cutoff glide step and coefficient
// update every 64 frames, the per-sample state-variable filter on both
// channels in one loop with its state in locals, and the dry and wet gain
// ramps). The processor runs twice: with the sequence at rest between steps
// (120 BPM sixteenths, a step every 6000 frames), and with a step boundary
// inside every block. Every heap allocation of the process is counted, so the processor's
// figure also shows how many allocations a block costs (the goal is none).
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "PluginProcessor.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr double bpm = 120.0;
    constexpr float dryWet = 0.75f;

    /** A transport that plays at a set tempo and moves one block per call. */
    struct RunningTransport : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return info; }

        void advance (int frames)
        {
            info.setPpqPosition ((double) played / sampleRate * tempo / 60.0);
            played += frames;
        }

        PositionInfo info;
        double tempo = bpm;
        long long played = 0;
    };

    void fillNoise (juce::AudioBuffer<float>& b, juce::Random& r)
    {
        for (int ch = 0; ch < b.getNumChannels(); ++ch)
            for (int i = 0; i < b.getNumSamples(); ++i)
                b.setSample (ch, i, r.nextFloat() * 2.0f - 1.0f);
    }

    void BM_Processor (benchmark::State& state)
    {
        const int block = (int) state.range (0);
        const bool stepEveryBlock = state.range (1) != 0;

        VornicAudioProcessor processor;
        auto set = [&] (const char* id, float v)
        {
            auto* p = processor.parameters.getParameter (id);
            p->setValueNotifyingHost (p->convertTo0to1 (v));
        };
        set ("dryWet", dryWet);
        set ("resonance", 0.3f);
        for (int i = 0; i < 64; ++i)
            processor.parameters.state.setProperty ("fader" + juce::String (i), (i * 7 % 16) / 15.0, nullptr);

        RunningTransport transport;
        if (stepEveryBlock)
        {
            // Sixty-fourths at the tempo that puts one step in each block, the
            // boundary half way through it.
            set ("quantize", 11.0f);
            transport.tempo = 60.0 * sampleRate / (16.0 * block);
            transport.played = block / 2;
        }
        transport.info.setIsPlaying (true);
        transport.info.setBpm (transport.tempo);
        processor.setPlayHead (&transport);
        processor.prepareToPlay (sampleRate, block);

        juce::AudioBuffer<float> input (2, block), buffer (2, block);
        juce::Random random (42);
        fillNoise (input, random);
        juce::MidiBuffer midi;

        const long allocationsBefore = tessaline::allocationCount();

        for (auto _ : state)
        {
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, input, ch, 0, block);
            transport.advance (block);
            processor.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
            benchmark::ClobberMemory();
        }

        state.counters["allocs_per_block"] = (double) (tessaline::allocationCount() - allocationsBefore) / (double) state.iterations();
        state.SetItemsProcessed (state.iterations() * block);
        processor.setPlayHead (nullptr);
    }

    /** The floor: the same per-block and per-sample work, written plainly. */
    struct Floor
    {
        float s1l = 0, s2l = 0, s1r = 0, s2r = 0;
        float cutoff = 1000.0f, previousWet = dryWet;
        float stepHz[16] {};
        uint64_t frames = 0;

        Floor()
        {
            for (int i = 0; i < 16; ++i)
                stepHz[i] = 50.0f + 2950.0f * (float) (i * 7 % 16) / 15.0f;
        }

        __attribute__((noinline)) void process (float* left, float* right, int n)
        {
            const int step = (int) ((double) frames / (sampleRate * 60.0 / bpm / 4.0)) % 16;
            frames += (uint64_t) n;

            const float wet = dryWet;
            float gd = 1.0f - previousWet, gw = previousWet;
            const float dd = ((1.0f - wet) - gd) / (float) n, dw = (wet - gw) / (float) n;
            previousWet = wet;

            float al = s1l, bl = s2l, ar = s1r, br = s2r;

            // Every 64 frames: one glide step towards the sounding step, one tan().
            for (int run = 0; run < n; run += 64)
            {
                cutoff -= (cutoff - stepHz[step]) * (1.0f - std::pow (0.9f * 0.5f, 64.0f / 512.0f));
                const float g = (float) std::tan (juce::MathConstants<double>::pi * cutoff / sampleRate);
                const float R2 = 1.0f / 5.0f;
                const float h = 1.0f / (g * g + R2 * g + 1.0f);

                for (int i = run; i < std::min (n, run + 64); ++i)
                {
                    const float xl = left[i], xr = right[i];
                    const float hpl = (xl - al * R2 - al * g - bl) * h;
                    const float hpr = (xr - ar * R2 - ar * g - br) * h;
                    const float bpl = hpl * g + al, bpr = hpr * g + ar;
                    al = hpl * g + bpl;
                    ar = hpr * g + bpr;
                    const float lpl = bpl * g + bl, lpr = bpr * g + br;
                    bl = bpl * g + lpl;
                    br = bpr * g + lpr;
                    left[i]  = xl * gd + lpl * gw;
                    right[i] = xr * gd + lpr * gw;
                    gd += dd;
                    gw += dw;
                }
            }

            s1l = al; s2l = bl; s1r = ar; s2r = br;
        }
    };

    void BM_Floor (benchmark::State& state)
    {
        const int block = (int) state.range (0);
        juce::AudioBuffer<float> input (2, block), buffer (2, block);
        juce::Random random (42);
        fillNoise (input, random);
        Floor floor;

        for (auto _ : state)
        {
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, input, ch, 0, block);
            floor.process (buffer.getWritePointer (0), buffer.getWritePointer (1), block);
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
            benchmark::ClobberMemory();
        }

        state.SetItemsProcessed (state.iterations() * block);
    }

    void blockSizes (benchmark::internal::Benchmark* b)
    {
        for (int n : { 32, 64, 512, 2048 })
            b->Arg (n);
        b->MinTime (0.5)->Repetitions (5)->ReportAggregatesOnly (true);
    }

    void blockSizesAndSteps (benchmark::internal::Benchmark* b)
    {
        for (int steps : { 0, 1 })
            for (int n : { 32, 64, 512, 2048 })
                b->Args ({ n, steps });
        b->MinTime (0.5)->Repetitions (5)->ReportAggregatesOnly (true);
    }

    BENCHMARK (BM_Processor)->Apply (blockSizesAndSteps);
    BENCHMARK (BM_Floor)->Apply (blockSizes);

    /** Keeps the median of each benchmark for the summary. */
    class SummaryReporter : public benchmark::ConsoleReporter
    {
    public:
        struct Figures { double nsPerFrame = 0.0, allocsPerBlock = 0.0; };
        std::map<std::pair<std::string, int>, Figures> medians;

        void ReportRuns (const std::vector<Run>& runs) override
        {
            ConsoleReporter::ReportRuns (runs);

            for (const auto& run : runs)
            {
                if (run.aggregate_name != "median")
                    continue;

                auto name = run.run_name.function_name;
                const auto& args = run.run_name.args;
                const int block = std::stoi (args);
                if (const auto slash = args.find ('/'); slash != std::string::npos && args.substr (slash + 1) == "1")
                    name += "/steps";
                Figures f;
                f.nsPerFrame = run.GetAdjustedCPUTime() / block;   // time unit: ns per block
                if (const auto it = run.counters.find ("allocs_per_block"); it != run.counters.end())
                    f.allocsPerBlock = it->second.value;
                medians[{ name, block }] = f;
            }
        }
    };
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    benchmark::Shutdown();

    std::printf ("\nTessaline audio path, 48 kHz stereo (medians, CPU time)\n");
    std::printf ("%8s %8s %16s %16s %8s %18s\n", "frames", "steps", "processor ns/fr", "floor ns/fr", "ratio", "allocs per block");

    for (const char* variant : { "BM_Processor", "BM_Processor/steps" })
    {
        for (int block : { 32, 64, 512, 2048 })
        {
            const auto p = reporter.medians.find ({ variant, block });
            const auto f = reporter.medians.find ({ "BM_Floor", block });
            if (p == reporter.medians.end() || f == reporter.medians.end())
                continue;

            std::printf ("%8d %8s %16.2f %16.2f %8.3f %18.3f\n", block,
                         std::string (variant).find ("steps") != std::string::npos ? "every" : "rest",
                         p->second.nsPerFrame, f->second.nsPerFrame,
                         p->second.nsPerFrame / f->second.nsPerFrame, p->second.allocsPerBlock);
        }
    }

    return 0;
}
