#pragma once

#include <cmath>
#include <limits>

/** The resonant state-variable filter and the dry/wet mix, as plain numbers in
    and out: the cutoff of a step, the glide of the cutoff towards it, the
    coefficients for a cutoff, and one fused pass of filter and mix over a run
    of samples with constant coefficients. Nothing here allocates or locks. */
namespace QBFilterKernel
{
    enum class Output { lowPass, bandPass, highPass };

    /** The filter of a "typeOfFilter" value: 2 low-pass, 1 band-pass, anything else high-pass. */
    inline Output outputFor (int typeOfFilter) noexcept
    {
        return typeOfFilter == 2 ? Output::lowPass : (typeOfFilter == 1 ? Output::bandPass : Output::highPass);
    }

    /** The cutoff a step's fader asks for, in Hz. Low-pass sweeps from
        top = 5000 + (1000 − 5000) × range down to 50 Hz as the fader rises;
        high- and band-pass from 500 Hz up to top = 1000 + (12000 − 1000) × range. */
    inline float targetCutoff (Output type, float filterRange, float fader) noexcept
    {
        const bool low = type == Output::lowPass;
        const float a = low ? 5000.0f : 1000.0f, b = low ? 1000.0f : 12000.0f, c = low ? 50.0f : 500.0f;
        const float top = a + (b - a) * filterRange;
        return low ? top + (c - top) * fader : c + (top - c) * fader;
    }

    /** The resonance's Q: the whole part of 1 + 14 × resonance (1 … 15). */
    inline float qFor (float resonance) noexcept
    {
        return (float) (int) (1.0f + 14.0f * resonance);
    }

    /** The glide is a time constant: each 512 frames at 48 kHz (10.67 ms) the
        distance to the target shrinks by the factor 0.9 × smoother, and over
        any other number of frames by the same exponential. */
    constexpr double glideReferenceSeconds = 512.0 / 48000.0;

    /** The natural logarithm of the fraction of the distance left per frame;
        minus infinity when the cutoff jumps ("smoother" 0). */
    inline double glideLogPerFrame (float smoother, double sampleRate) noexcept
    {
        const double perPeriod = 0.9 * (double) smoother;
        return perPeriod > 0.0 ? std::log (perPeriod) / (glideReferenceSeconds * sampleRate)
                               : -std::numeric_limits<double>::infinity();
    }

    /** The fraction of the distance to the target left after `frames` at `sampleRate`. */
    inline float glideRemaining (float smoother, double frames, double sampleRate) noexcept
    {
        if (! (frames > 0.0))
            return 1.0f;

        return (float) std::exp (frames * glideLogPerFrame (smoother, sampleRate));
    }

    /** Coefficients of the filter, as juce::dsp::StateVariableFilter keeps them
        (g, R2, h), with the two sums the fused loop needs. */
    struct Coefficients
    {
        float g = 0.0f, R2 = 1.0f, h = 1.0f;
        float k = 1.0f, gh = 0.0f;    // R2 + g and g × h

        static Coefficients forCutoff (float cutoffHz, float q, double sampleRate) noexcept
        {
            Coefficients c;
            c.g  = std::tan (3.14159265f * (float) ((double) cutoffHz / sampleRate));
            c.R2 = 1.0f / q;
            c.h  = 1.0f / (c.g * c.g + c.R2 * c.g + 1.0f);
            c.k  = c.R2 + c.g;
            c.gh = c.g * c.h;
            return c;
        }
    };

    /** The two state variables of one channel. */
    struct State
    {
        float s1 = 0.0f, s2 = 0.0f;
        void reset() noexcept { s1 = s2 = 0.0f; }
    };

    /** Dry and wet gains at the first sample of a run and their change per sample. */
    struct Ramp
    {
        float wet = 1.0f, wetStep = 0.0f;
    };

    /** Per sample the filter is
           hp = (x - s1*R2 - s1*g - s2) * h;  bp = hp*g + s1;  s1 = hp*g + bp;
           lp = bp*g + s2;                    s2 = bp*g + lp;
        rearranged so that the dependency from one sample to the next is shorter:
        with k = R2 + g and gh = g*h, v = x - s1*k - s2 gives hp*g = v*gh. The
        results equal the formula up to float rounding. */
    template <Output type>
    inline float filterSample (float x, float& s1, float& s2, const Coefficients& c) noexcept
    {
        const float v  = x - s1 * c.k - s2;
        const float hg = v * c.gh;
        const float bp = hg + s1;
        s1 = hg + bp;
        const float lp = bp * c.g + s2;
        s2 = bp * c.g + lp;

        if constexpr (type == Output::lowPass)  return lp;
        if constexpr (type == Output::bandPass) return bp;
        if constexpr (type == Output::highPass) return v * c.h;
    }

    /** Filters `n` samples of one channel (b null) or two side by side in place,
        writing x × (1 − wet) + y × wet; with `mix` false the samples keep the
        dry signal and only the state moves. */
    template <Output type, bool mix>
    void runChannels (float* a, float* b, int n, State* states, const Coefficients& c, Ramp r) noexcept
    {
        float s1a = states[0].s1, s2a = states[0].s2;
        float s1b = b != nullptr ? states[1].s1 : 0.0f, s2b = b != nullptr ? states[1].s2 : 0.0f;

        if (b != nullptr)
        {
            for (int i = 0; i < n; ++i)
            {
                const float xa = a[i], xb = b[i];
                const float ya = filterSample<type> (xa, s1a, s2a, c);
                const float yb = filterSample<type> (xb, s1b, s2b, c);

                if constexpr (mix)
                {
                    a[i] = xa + (ya - xa) * r.wet;
                    b[i] = xb + (yb - xb) * r.wet;
                    r.wet += r.wetStep;
                }
            }

            states[1] = { s1b, s2b };
        }
        else
        {
            for (int i = 0; i < n; ++i)
            {
                const float xa = a[i];
                const float ya = filterSample<type> (xa, s1a, s2a, c);

                if constexpr (mix)
                {
                    a[i] = xa + (ya - xa) * r.wet;
                    r.wet += r.wetStep;
                }
            }
        }

        states[0] = { s1a, s2a };
    }

    template <bool mix>
    inline void run (Output type, float* a, float* b, int n, State* states, const Coefficients& c, const Ramp& r) noexcept
    {
        switch (type)
        {
            case Output::lowPass:  runChannels<Output::lowPass,  mix> (a, b, n, states, c, r); break;
            case Output::bandPass: runChannels<Output::bandPass, mix> (a, b, n, states, c, r); break;
            case Output::highPass: runChannels<Output::highPass, mix> (a, b, n, states, c, r); break;
        }
    }

    /** After a run: a NaN or infinite input poisons the state, so start clean
        instead of staying silent for ever; tiny values are snapped to zero. */
    inline void settle (State& s) noexcept
    {
        for (float* v : { &s.s1, &s.s2 })
            if (! std::isfinite (*v) || std::abs (*v) < 1.0e-8f)
                *v = 0.0f;
    }
}
