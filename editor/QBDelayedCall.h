#pragma once

#include <juce_events/juce_events.h>

#include <functional>

/** A one-shot call after a delay, owned by the object it calls: it dies with its
    owner, so it can never run against a deleted one, and a call still pending
    when the program quits leaves nothing behind. Scheduling again replaces a
    pending call. Message thread only. */
class QBDelayedCall : private juce::Timer
{
public:
    ~QBDelayedCall() override { stopTimer(); }

    void schedule (int milliseconds, std::function<void()> callback)
    {
        pending = std::move (callback);
        startTimer (milliseconds);
    }

    bool isPending() const noexcept { return isTimerRunning(); }

private:
    void timerCallback() override
    {
        stopTimer();
        auto call = std::move (pending);
        pending = nullptr;

        if (call)
            call();
    }

    std::function<void()> pending;
};
