#include "QBPresetState.h"

#include <cmath>

#include "PluginProcessor.h"
#include "QBCCActions.h"
#include "QBPresetStore.h"
#include "QBStateIdentifiers.h"

namespace
{
    constexpr int numSteps = VornicAudioProcessor::maxSteps;

    void applyParameter (VornicAudioProcessor& p, const juce::ValueTree& preset, const juce::Identifier& property,
                         const char* parameterID)
    {
        if (! preset.hasProperty (property))
            return;

        const auto value = (double) preset[property];
        auto* parameter = p.parameters.getParameter (parameterID);

        if (parameter == nullptr || ! std::isfinite (value))
            return;

        const auto normalised = parameter->convertTo0to1 ((float) value);

        if (parameter->getValue() == normalised)
            return;

        parameter->beginChangeGesture();
        parameter->setValueNotifyingHost (normalised);
        parameter->endChangeGesture();
    }

    /** The preset's loop range as the loop slider takes it: each end rounded into
        the steps, the start giving way to the end. */
    void applyLoopRange (VornicAudioProcessor& p, const juce::ValueTree& preset)
    {
        if (! preset.hasProperty ("loopMin") || ! preset.hasProperty ("loopMax"))
            return;

        double lo = preset["loopMin"], hi = preset["loopMax"];

        if (! std::isfinite (lo) || ! std::isfinite (hi))
            return;

        if (hi < lo)
            std::swap (lo, hi);

        const double steps = p.parameters.getRawParameterValue ("sequenceSize")->load();
        const auto [loopMin, loopMax] = QBCCActions::loopInside (juce::roundToInt (juce::jlimit (0.0, steps, lo)),
                                                                 juce::roundToInt (juce::jlimit (0.0, steps, hi)),
                                                                 juce::roundToInt (steps));

        p.loopRangeMin = loopMin;
        p.loopRangeMax = loopMax;
        p.setLoopRangeToValueTreeOnDragEnd (loopMin, loopMax);
    }

    void load (VornicAudioProcessor& p, int slot)
    {
        const auto& ids = QBStateIdentifiers::get();
        auto& root = p.parameters.state;

        for (int s = 0; s < QBPresetStore::numSlots; ++s)
            QBPresetStore::rewrite (root, QBPresetStore::fastPresetIsSelected (s), s == slot);

        const auto preset = QBPresetStore::find (root, root[QBPresetStore::fastPresetNameAssigned (slot)].toString());

        // A preset that has gone, or holds nothing, leaves everything as it is.
        if (! preset.isValid() || preset.getNumProperties() == 0)
            return;

        QBPresetState::applyParameters (p, preset);

        // The faders and locks are one undo step, the dots another, as in the window.
        p.undoManager.beginNewTransaction();

        for (size_t i = 0; i < (size_t) numSteps; ++i)
        {
            if (preset.hasProperty (ids.fader[i]))
                root.setProperty (ids.fader[i], (double) QBStateIdentifiers::faderValue (preset[ids.fader[i]]), &p.undoManager);

            if (preset.hasProperty (ids.lock[i]))
                root.setProperty (ids.lock[i], (bool) preset[ids.lock[i]], &p.undoManager);
        }

        p.undoManager.beginNewTransaction();

        for (size_t i = 0; i < (size_t) numSteps; ++i)
            if (preset.hasProperty (ids.dots[i]))
                root.setProperty (ids.dots[i], (bool) preset[ids.dots[i]], &p.undoManager);

        applyLoopRange (p, preset);
    }

    void store (VornicAudioProcessor& p, int slot)
    {
        auto& root = p.parameters.state;
        const auto name = "Preset_" + juce::String (slot + 1);
        const auto values = QBPresetState::fromTree (p);

        // A slot belongs to one row at most.
        auto slots = QBPresetStore::slotsOfRows (root);

        for (auto& s : slots)
            if (s == slot)
                s = -1;

        slots.add (slot);

        juce::StringArray names;

        for (int s = 0; s < QBPresetStore::numSlots; ++s)
            names.add (s == slot ? name : root[QBPresetStore::fastPresetNameAssigned (s)].toString());

        juce::Array<bool> assigned;

        for (int s = 0; s < QBPresetStore::numSlots; ++s)
            assigned.add (s == slot || (bool) root[QBPresetStore::fastPresetState (s)]);

        p.presetTrees.push_back (std::make_unique<juce::ValueTree> (QBPresetStore::typeForName (name)));
        root.appendChild (*p.presetTrees.back(), nullptr);

        QBPresetStore::writeBookkeeping (root, slots, &names, [&assigned] (int s) { return assigned[s]; });
        QBPresetStore::writeAll (root, name, values);
    }
}

namespace QBPresetState
{
    void addMapAndParameters (VornicAudioProcessor& p, juce::ValueTree& preset)
    {
        const auto& ids = QBStateIdentifiers::get();
        const auto& root = p.parameters.state;

        // The CC map as stored; kept with the preset, never applied from it.
        for (size_t k = 0; k < (size_t) VornicAudioProcessor::numCCActions; ++k)
            if (root.hasProperty (ids.ccStates[k]))
                preset.setProperty (ids.ccStates[k], (int) root[ids.ccStates[k]], nullptr);

        preset.setProperty (ids.channelSelector, root[ids.channelSelector], nullptr);

        auto value = [&p] (const char* id) { return (double) p.parameters.getRawParameterValue (id)->load(); };

        preset.setProperty ("filterRange", value ("filterRange"), nullptr);
        preset.setProperty ("resonance", value ("resonance"), nullptr);
        preset.setProperty ("smoother", value ("smoother"), nullptr);
        preset.setProperty ("quantize", (int) value ("quantize"), nullptr);
        preset.setProperty ("sequenceSize", value ("sequenceSize"), nullptr);
        preset.setProperty ("dryWet", value ("dryWet"), nullptr);
        preset.setProperty ("byPass", value ("byPassButton") > 0.5, nullptr);
        preset.setProperty ("infinity", value ("infinityButton") > 0.5, nullptr);
        preset.setProperty ("numbersBeforeInfinity", value ("numbersBeforeInfinity"), nullptr);
        preset.setProperty ("direction", value ("direction"), nullptr);
        preset.setProperty ("typeOfFilter", value ("typeOfFilter"), nullptr);
    }

    void applyParameters (VornicAudioProcessor& p, const juce::ValueTree& preset)
    {
        applyParameter (p, preset, "filterRange", "filterRange");
        applyParameter (p, preset, "resonance", "resonance");
        applyParameter (p, preset, "smoother", "smoother");
        applyParameter (p, preset, "quantize", "quantize");
        applyParameter (p, preset, "sequenceSize", "sequenceSize");
        applyParameter (p, preset, "dryWet", "dryWet");
        applyParameter (p, preset, "byPass", "byPassButton");
        applyParameter (p, preset, "infinity", "infinityButton");
        applyParameter (p, preset, "numbersBeforeInfinity", "numbersBeforeInfinity");
        applyParameter (p, preset, "direction", "direction");
        applyParameter (p, preset, "typeOfFilter", "typeOfFilter");
    }

    juce::ValueTree fromTree (VornicAudioProcessor& p)
    {
        const auto& ids = QBStateIdentifiers::get();
        const auto& root = p.parameters.state;
        juce::ValueTree preset ("preset");

        for (size_t i = 0; i < (size_t) numSteps; ++i)
        {
            preset.setProperty (ids.fader[i], (double) QBStateIdentifiers::faderValue (root[ids.fader[i]]), nullptr);
            preset.setProperty (ids.lock[i], (bool) root[ids.lock[i]], nullptr);
            preset.setProperty (ids.dots[i], (bool) root[ids.dots[i]], nullptr);
        }

        addMapAndParameters (p, preset);
        preset.setProperty ("loopMin", (double) p.loopRangeMin.load(), nullptr);
        preset.setProperty ("loopMax", (double) p.loopRangeMax.load(), nullptr);
        return preset;
    }

    void quickPresetWithoutEditor (VornicAudioProcessor& p, int slot)
    {
        if (! QBPresetStore::isSlot (slot))
            return;

        if ((bool) p.parameters.state[QBPresetStore::fastPresetState (slot)])
            load (p, slot);
        else
            store (p, slot);
    }
}
