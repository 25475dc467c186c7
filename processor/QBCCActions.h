#pragma once

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

    /** Carries out `action` with the 7-bit `value` as the open window would:
        the same parameters, the same sequence edits, the same undo steps.
        Message thread only. Returns false for the actions that need the window
        (the lock switch, tempo, reset all and the fast presets), which do nothing. */
    bool performWithoutEditor (VornicAudioProcessor&, int action, int value);
}
