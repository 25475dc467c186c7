#pragma once

#include <juce_data_structures/juce_data_structures.h>

class VornicAudioProcessor;

/** What a preset holds of the processor, and the fast presets as the processor
    carries them out while no window is open. Message thread only. */
namespace QBPresetState
{
    /** Appends the CC map, the channel and the parameters' values to `preset`
        (after the sequence, before the loop range). */
    void addMapAndParameters (VornicAudioProcessor&, juce::ValueTree& preset);

    /** Moves every parameter `preset` holds a finite value for, as its control would. */
    void applyParameters (VornicAudioProcessor&, const juce::ValueTree& preset);

    /** The whole current state as a preset, read from the state tree. */
    juce::ValueTree fromTree (VornicAudioProcessor&);

    /** Fast preset `slot` (0 … 15): loads the slot's preset if the slot is
        assigned; otherwise stores the current state as "Preset_" slot+1 in a new
        row and assigns the slot to it, with the bookkeeping the window keeps. */
    void quickPresetWithoutEditor (VornicAudioProcessor&, int slot);
}
