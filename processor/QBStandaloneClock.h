#pragma once

#include <juce_events/juce_events.h>

/** The beat clock of the standalone application: a message-thread timer that
    advances a beat position by a tenth of a quarter note per tick. The tick
    period sets the tempo: a period of p ms gives 6000 / p quarter notes per minute.
    Inside a plugin host the clock exists but is never started. */
class QBStandaloneClock : public juce::Timer
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void timerClockListenerStandalone (float position) = 0;
    };

    ~QBStandaloneClock() override;
    void timerCallback() override;

    /** Sets the tempo in quarter notes per minute: the one way the window changes
        the clock's speed. A running clock takes the new tempo at once. */
    void setTempo (float bpm);

    /** The tempo last set, in quarter notes per minute (120 until one is set). */
    float getTempo() const noexcept { return tempo; }

    /** The tick period, in whole milliseconds, for a tempo in quarter notes per minute. */
    static int periodForTempo (float bpm) noexcept;

    /** Beat position in quarter notes. It grows by 0.1 per tick and is never
        reset; it is kept in double precision so that long sessions never make
        the increment vanish into the rounding of a float. */
    double position = 0.0;

    /** Play state, set by the editor's play button (message thread). */
    bool isPlaying = false;

    juce::ListenerList<Listener> listeners;

private:
    float tempo = 120.0f;
};
