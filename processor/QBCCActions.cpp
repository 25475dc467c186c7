#include "QBCCActions.h"

#include "PluginProcessor.h"
#include "QBPresetState.h"

namespace
{
    /** Moves a parameter to `realValue` as its attached control would: snapped to
        the parameter's interval, inside one gesture, telling the host. */
    void setAsControl (VornicAudioProcessor& p, const char* id, float realValue)
    {
        auto* param = dynamic_cast<juce::RangedAudioParameter*> (p.parameters.getParameter (id));

        if (param == nullptr)
            return;

        const auto& range = param->getNormalisableRange();
        const float normalised = param->convertTo0to1 (range.snapToLegalValue (realValue));

        param->beginChangeGesture();
        param->setValueNotifyingHost (normalised);
        param->endChangeGesture();
    }

    float valueOf (VornicAudioProcessor& p, const char* id)
    {
        return p.parameters.getRawParameterValue (id)->load();
    }


    /** The live loop after the number of steps became `steps`. */
    void fitLoopInto (VornicAudioProcessor& p, int steps)
    {
        const auto [lo, hi] = QBCCActions::loopInside (p.loopRangeMin.load(), p.loopRangeMax.load(), steps);
        p.loopRangeMin = lo;
        p.loopRangeMax = hi;
    }

    /** Every unlocked fader to 0 as one undo step; locked ones keep their value. */
    void resetSequence (VornicAudioProcessor& p)
    {
        const auto& ids = QBStateIdentifiers::get();
        auto& state = p.parameters.state;

        p.undoManager.beginNewTransaction();

        for (size_t i = 0; i < (size_t) VornicAudioProcessor::maxSteps; ++i)
            if (! (bool) state[ids.lock[i]])
                state.setProperty (ids.fader[i], 0.0, &p.undoManager);
    }
}

namespace QBCCActions
{
    int threeWaySplit (int value) noexcept
    {
        return value < 42 ? 0 : (value < 85 ? 1 : 2);
    }

    float scaled (int value, float span, float offset) noexcept
    {
        return (float) value * span / 127.0f + offset;
    }

    std::pair<int, int> loopInside (int lo, int hi, int steps) noexcept
    {
        hi = juce::jlimit (0, steps, hi);
        lo = juce::jlimit (0, hi, lo);

        if (lo + 2 >= hi)
            lo = juce::jmax (0, hi - 2);

        if (hi <= 2)
            hi = 2;

        return { lo, hi };
    }

    bool performWithoutEditor (VornicAudioProcessor& p, int action, int v)
    {
        switch (action)
        {
            case ccDirection:      setAsControl (p, "direction", (float) threeWaySplit (v)); return true;
            case ccTypeOfFilter:   setAsControl (p, "typeOfFilter", (float) threeWaySplit (v)); return true;
            case ccSmoother:       setAsControl (p, "smoother", scaled (v, 1.0f, 0.0f)); return true;
            case ccFilterRange:    setAsControl (p, "filterRange", scaled (v, 1.0f, 0.0f)); return true;
            case ccResonance:      setAsControl (p, "resonance", scaled (v, 1.0f, 0.0f)); return true;
            case ccDryWetSlider:   setAsControl (p, "dryWet", scaled (v, 1.0f, 0.0f)); return true;
            case ccQuantization:   setAsControl (p, "quantize", (float) ((int) scaled (v, 10.0f, 0.0f) + 1)); return true;
            case ccInfinityNumber: setAsControl (p, "numbersBeforeInfinity", scaled (v, 63.0f, 1.0f)); return true;

            case ccSequenceLength:
                setAsControl (p, "sequenceSize", scaled (v, 62.0f, 2.0f));
                fitLoopInto (p, (int) valueOf (p, "sequenceSize"));
                return true;

            case ccByPassSwitch:
            {
                const bool on = valueOf (p, "byPassButton") < 0.5f;
                setAsControl (p, "byPassButton", on ? 1.0f : 0.0f);
                p.effectOn = on;
                return true;
            }

            case ccByPassAcross:
                p.effectOn = v == 127;
                return true;

            case ccInfinitySwitch:
            {
                const bool on = valueOf (p, "infinityButton") < 0.5f;

                if (on)
                    p.infinityCounter = 0;

                setAsControl (p, "infinityButton", on ? 1.0f : 0.0f);
                return true;
            }

            case ccResetSequence:  resetSequence (p); return true;
            case ccResetAll:       resetAll (p); return true;
            case ccUndo:           undo (p); return true;

            default:
                if (action >= ccPreset1 && action < ccPreset1 + 16)
                {
                    QBPresetState::quickPresetWithoutEditor (p, action - ccPreset1);
                    return true;
                }

                return false;
        }
    }

    void undo (VornicAudioProcessor& p)
    {
        const auto& ids = QBStateIdentifiers::get();

        // Parameter changes reach the tree on a timer: store any still pending, so
        // that they belong to the step being undone rather than trail after it.
        p.parameters.copyState();
        p.undoManager.undo();

        const auto& state = p.parameters.state;

        if (state.hasProperty (ids.loopRangeMin) && state.hasProperty (ids.loopRangeMax))
        {
            p.loopRangeMin = (int) state[ids.loopRangeMin];
            p.loopRangeMax = (int) state[ids.loopRangeMax];
        }
    }

    void writeClearedSequence (VornicAudioProcessor& p)
    {
        const auto& ids = QBStateIdentifiers::get();
        auto& state = p.parameters.state;

        for (size_t i = 0; i < (size_t) VornicAudioProcessor::maxSteps; ++i)
        {
            state.setProperty (ids.fader[i], 0.0, &p.undoManager);
            state.setProperty (ids.lock[i], false, &p.undoManager);
            state.setProperty (ids.dots[i], false, &p.undoManager);
        }

        state.setProperty (ids.loopRangeMin, 0, &p.undoManager);
        state.setProperty (ids.loopRangeMax, 32, &p.undoManager);
    }

    void resetAll (VornicAudioProcessor& p)
    {
        static constexpr std::pair<const char*, float> resetValues[] = {
            { "dryWet", 1.0f }, { "byPassButton", 1.0f }, { "infinityButton", 0.0f },
            { "numbersBeforeInfinity", 1.0f }, { "direction", 0.0f }, { "quantize", 7.0f },
            { "sequenceSize", 32.0f }, { "typeOfFilter", 2.0f },
            { "smoother", 0.5f }, { "filterRange", 0.5f }, { "resonance", 0.5f },
        };

        p.undoManager.beginNewTransaction();

        for (const auto& [id, value] : resetValues)
            setAsControl (p, id, value);

        p.effectOn = true;
        writeClearedSequence (p);
        p.loopRangeMin = 0;
        p.loopRangeMax = 32;

        // The parameters reach the tree on a timer; store them now, inside this step.
        p.parameters.copyState();
    }
}
