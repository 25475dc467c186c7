#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <array>

/** The names of the properties kept on the root of the state tree, built once
    per process. A juce::Identifier compares by pointer, so matching a property
    against these is cheap. */
struct QBStateIdentifiers
{
    static constexpr int numSteps = 64;
    static constexpr int numCCActions = 34;

    std::array<juce::Identifier, numSteps> fader, lock, dots;
    std::array<juce::Identifier, numCCActions> ccStates;
    juce::Identifier loopRangeMin { "LoopRangeMin" };
    juce::Identifier loopRangeMax { "LoopRangeMax" };
    juce::Identifier channelSelector { "comboChannelChangeSelector" };

    static const QBStateIdentifiers& get();

    /** A fader value as stored in a tree that may have come from outside:
        NaN, negatives and non-numbers read as 0, anything above 1 as 1. */
    static float faderValue (const juce::var& stored) noexcept;

private:
    QBStateIdentifiers();
};
