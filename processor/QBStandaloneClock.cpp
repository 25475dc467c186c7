#include "QBStandaloneClock.h"

QBStandaloneClock::~QBStandaloneClock()
{
    stopTimer();
}

void QBStandaloneClock::timerCallback()
{
    position += 0.1;
    const auto p = (float) position;
    listeners.call ([p] (Listener& l) { l.timerClockListenerStandalone (p); });
}

int QBStandaloneClock::periodForTempo (float bpm) noexcept
{
    if (! (bpm > 0.0f))
        return 50;

    return juce::jmax (1, (int) (6000.0f / bpm));
}

void QBStandaloneClock::setTempo (float bpm)
{
    tempo = bpm;

    if (isTimerRunning())
        startTimer (periodForTempo (bpm));
}
