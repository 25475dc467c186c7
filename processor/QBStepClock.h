#pragma once

#include <atomic>
#include <utility>

/** Turns a musical position, in steps, into the step of the sequence that
    sounds: it keeps the queued step and the play direction, plays one step each
    time the position enters a new whole step, and re-synchronises the queued
    step from the position when playback starts or the transport jumps.

    The state is plain data: `currentStep` and `nextStep` are shared with the
    message thread (the editor reads the one and may queue the other); the rest
    belongs to the thread that drives the clock. Nothing here allocates or locks. */
class QBStepClock
{
public:
    /** How a call relates to the calls before it. */
    enum class Cue
    {
        none,     ///< the position moved on by the frames just played
        jump,     ///< the transport moved elsewhere (a loop back, a locate)
        resume    ///< playback resumes after a pause: play the queued step now
    };

    /** Play directions, as the "direction" parameter stores them. */
    static constexpr float forward = 0.0f, pingPong = 1.0f, backward = 2.0f;

    /** Advances the clock for the musical `position` (in steps). Returns true
        when a step was played. At a start of playback and at a jump, the queued
        step is taken from the position and plays at once, so the step under the
        position sounds from its first sample. */
    bool advanceStepClock (double position, bool isPlaying, int loopMin, int loopMax,
                           float direction, Cue cue = Cue::none) noexcept;

    /** The loop actually played for the stored bounds: inside 0 … 64 and at
        least one step long, whatever a restored state or a drag left there. */
    static std::pair<int, int> playableLoop (int loopMin, int loopMax) noexcept;

    /** Steps per quarter note for a "quantize" value; 0.5 outside 2 … 11. */
    static double stepsPerQuarterNote (int quantize) noexcept;

    /** The position, or the whole step it is a rounding error away from. */
    static double onWholeStep (double position) noexcept;

    /** The whole-step tick of a position; the clock plays a step when it changes. */
    static int tickOf (double position) noexcept;

    /** The first sample after `from`, and before `end`, at which the position
        start + i × perSample enters a new tick; `end` when there is none. */
    static int nextStepBoundary (double start, double perSample, int from, int end) noexcept;

    std::atomic<int> currentStep { -1 };
    std::atomic<int> nextStep { 0 };
    int currentTick = -1;
    int lastTick = -1;
    bool lastIsPlaying = false;
    bool pingPongRising = true;

    static constexpr int maxSteps = 64;

private:
    void playQueuedStep (int lo, int hi, float direction) noexcept;
};
