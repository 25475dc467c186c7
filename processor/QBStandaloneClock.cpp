#include "QBStandaloneClock.h"

#include <cmath>

namespace
{
    constexpr int fallbackTickMs = 10;
}

QBStandaloneClock::~QBStandaloneClock()
{
    stopTimer();
}

void QBStandaloneClock::startRunning()
{
    lastTickMs = juce::Time::getMillisecondCounterHiRes();

    if (! isTimerRunning())
        startTimer (fallbackTickMs);
}

void QBStandaloneClock::setDrivenByAudio (bool driven) noexcept
{
    drivenByAudio.store (driven, std::memory_order_release);
}

void QBStandaloneClock::timerCallback()
{
    const double now = juce::Time::getMillisecondCounterHiRes();
    const double elapsedMs = juce::jlimit (0.0, 1000.0, now - lastTickMs);
    lastTickMs = now;

    if (isDrivenByAudio())
        return;

    const double p = position.load (std::memory_order_relaxed) + elapsedMs / 60000.0 * (double) getTempo();
    position.store (p, std::memory_order_relaxed);
    listeners.call ([p] (Listener& l) { l.timerClockListenerStandalone ((float) p); });
}

void QBStandaloneClock::setTempo (float bpm)
{
    if (std::isfinite (bpm))
        tempo.store (juce::jlimit (minTempo, maxTempo, bpm), std::memory_order_relaxed);
}

QBStandaloneClock::Block QBStandaloneClock::advanceWithAudio (int frames, double sampleRate) noexcept
{
    const double bpm = (double) getTempo();
    const double start = position.load (std::memory_order_relaxed);

    // The position is counted in frames from a base, so that adding up block
    // durations never drifts; a new tempo or rate, or a position set from
    // elsewhere, starts a new base.
    if (start != lastAudioPosition || bpm != baseTempo || sampleRate != baseRate)
    {
        basePosition = start;
        framesSinceBase = 0;
        baseTempo = bpm;
        baseRate = sampleRate;
    }

    if (sampleRate > 0.0 && frames > 0)
    {
        framesSinceBase += frames;
        lastAudioPosition = basePosition + (double) framesSinceBase * bpm / 60.0 / sampleRate;
        position.store (lastAudioPosition, std::memory_order_relaxed);
    }
    else
    {
        lastAudioPosition = start;
    }

    return { start, bpm, isPlaying.load (std::memory_order_relaxed) };
}

void QBStandaloneClock::moveToNextStep (double stepsPerQuarterNote) noexcept
{
    if (! (stepsPerQuarterNote > 0.0))
        return;

    const double steps = position.load (std::memory_order_relaxed) * stepsPerQuarterNote;
    const double nearest = std::round (steps);

    // A position already on a step stays there, also when rounding put it a hair below.
    const double whole = std::abs (steps - nearest) < 1.0e-9 * juce::jmax (1.0, std::abs (nearest)) ? nearest
                                                                                                    : std::ceil (steps);
    position.store (whole / stepsPerQuarterNote, std::memory_order_relaxed);
}
