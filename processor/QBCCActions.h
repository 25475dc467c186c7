#pragma once

#include <utility>

class VornicAudioProcessor;

/** The MIDI CC actions, in the order of their "CCstates" indices, and what the
    processor does with them on its own while no editor listens. */
namespace QBCCActions
{
    enum Action
    {
        ccRandomDice, ccDirection, ccResetSequence, ccTypeOfFilter, ccSmoother, ccFilterRange,
        ccResonance, ccQuantization, ccSequenceLength, ccLockSwitch, ccDryWetSlider,
        ccByPassSwitch, ccByPassAcross, ccInfinitySwitch, ccInfinityNumber, ccResetAll,
        ccTempo, ccUndo, ccPreset1
    };

    /** 0 below 42, 1 from 42 to 84, 2 from 85: the split of the three-way selectors. */
    int threeWaySplit (int value) noexcept;

    /** A 7-bit controller value scaled onto a control: value × span / 127 + offset,
        in single precision, as every controller action computes it. */
    float scaled (int value, float span, float offset) noexcept;

    /** The loop [lo, hi] as the loop slider keeps it in a sequence of `steps`:
        inside the steps, and at least two steps long where it can be. */
    std::pair<int, int> loopInside (int lo, int hi, int steps) noexcept;

    /** Carries out `action` with the 7-bit `value` as the open window would:
        the same parameters, the same sequence edits, the same undo steps.
        Message thread only. Returns false for the actions that need the window
        (the lock switch and tempo), which do nothing. */
    bool performWithoutEditor (VornicAudioProcessor&, int action, int value);

    /** One undo step back, parameter changes still on their way to the tree
        included; the live loop range follows what the tree now holds. */
    void undo (VornicAudioProcessor&);

    /** Writes the sequence a reset leaves into the state tree, inside the current
        undo transaction: every fader at 0, unlocked and without a dot, and the
        loop over steps 0 … 32. */
    void writeClearedSequence (VornicAudioProcessor&);

    /** What the window's "RESET" gives, as one undo step: the cleared sequence,
        the parameters at their reset values and the effect heard. */
    void resetAll (VornicAudioProcessor&);
}
