#include "QBStepClock.h"

#include <algorithm>
#include <cmath>

double QBStepClock::stepsPerQuarterNote (int quantize) noexcept
{
    static constexpr double rates[] = { 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0, 12.0, 16.0 };
    return (quantize >= 2 && quantize <= 11) ? rates[quantize - 2] : 0.5;
}

std::pair<int, int> QBStepClock::playableLoop (int loopMin, int loopMax) noexcept
{
    const int lo = std::clamp (loopMin, 0, maxSteps - 1);
    return { lo, std::clamp (loopMax, lo + 1, maxSteps) };
}

double QBStepClock::onWholeStep (double position) noexcept
{
    // Positions reached by adding up sample durations land a rounding error
    // away from the whole step they stand for; such a position is on the step.
    const double whole = std::round (position);
    return std::abs (position - whole) <= 1.0e-12 * std::max (1.0, std::abs (whole)) ? whole : position;
}

int QBStepClock::tickOf (double position) noexcept
{
    // The modulus is 63, and the tick is truncated toward zero: it is 0 on both
    // sides of position 0.
    // Equal to (int) fmod (position, 63.0) for any position a transport reaches, without the division.
    return (int) ((long long) std::trunc (onWholeStep (position)) % 63);
}

int QBStepClock::nextStepBoundary (double start, double perSample, int from, int end) noexcept
{
    if (! (perSample > 0.0) || from + 1 >= end)
        return end;

    const double here = start + from * perSample;
    const int tick = tickOf (here);

    // Where the tick changes: at the next whole number above a position at or
    // beyond -1, just past the next one below (truncation toward zero).
    const double target = here >= 0.0 ? std::floor (here) + 1.0
                        : (here > -1.0 ? 1.0 : std::ceil (here));
    const double guess = std::ceil ((target - start) / perSample);

    if (guess >= (double) end + 1.0)
        return end;

    // The guess may be off by a sample through rounding; the tick itself decides.
    int i = std::max (from + 1, (int) guess);

    while (i > from + 1 && tickOf (start + (i - 1) * perSample) != tick)
        --i;

    while (i < end && tickOf (start + i * perSample) == tick)
        ++i;

    return i;
}

bool QBStepClock::advanceStepClock (double position, bool isPlaying, int loopMin, int loopMax,
                                    float direction, Cue cue) noexcept
{
    position = std::isfinite (position) ? onWholeStep (position) : 0.0;

    const auto [lo, hi] = playableLoop (loopMin, loopMax);
    currentTick = tickOf (position);

    const bool started = isPlaying != lastIsPlaying;
    const bool jumped = isPlaying && cue == Cue::jump;

    if (started || jumped)
    {
        nextStep = (int) ((double) lo + std::fmod (position, (double) (hi - lo)));
        lastIsPlaying = isPlaying;

        // A re-synchronised sequence runs from the position upwards, the same
        // way on every pass of a loop.
        if (direction == pingPong)
            pingPongRising = true;
    }

    if (! isPlaying)
        currentStep = -1;

    // A start, a jump or a resume plays at once; otherwise a step plays when the tick changes.
    const bool playNow = isPlaying && (started || jumped || cue == Cue::resume);

    if (currentTick == lastTick && ! playNow)
        return false;

    playQueuedStep (lo, hi, direction);
    lastTick = currentTick;
    return true;
}

void QBStepClock::playQueuedStep (int lo, int hi, float direction) noexcept
{
    // A queued step outside the sequence (a count-in before zero, or the
    // editor queueing the stopped step -1) plays as the loop start.
    int s = nextStep.load (std::memory_order_relaxed);
    if (s < 0 || s >= maxSteps)
        s = lo;

    if (direction == forward)
    {
        currentStep = s;
        nextStep = (s >= hi - 1 || s < lo) ? lo : s + 1;
        pingPongRising = true;
    }
    else if (direction == pingPong)
    {
        if (hi - lo == 1)
        {
            currentStep = lo;
        }
        else if (pingPongRising)
        {
            currentStep = s;
            nextStep = s + 1;

            if (s >= hi - 2)
                pingPongRising = false;
            else if (s < lo)
                nextStep = lo;
        }
        else
        {
            currentStep = s;
            nextStep = s - 1;

            if (s <= lo + 1)
                pingPongRising = true;
            else if (s > hi)
                nextStep = hi;
        }
    }
    else if (direction == backward)
    {
        currentStep = s;
        nextStep = s <= lo ? hi - 1 : (s > hi ? hi : s - 1);
        pingPongRising = false;
    }
}
