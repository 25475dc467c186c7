#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

/** The beat clock of the standalone application.

    While an audio device runs, the clock moves with the audio it plays: each
    block advances `position` by frames × tempo / 60 / sample rate quarter
    notes, on the audio thread (advanceWithAudio), so every step can begin on
    its sample and any tempo is exact. With no audio device running, a
    message-thread timer moves it by the time that passed and tells the
    listener, so the window still shows the steps. Inside a plugin host the
    clock exists but never runs. */
class QBStandaloneClock : public juce::Timer
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** Called on the message thread at each tick of the timer, only while no audio runs. */
        virtual void timerClockListenerStandalone (float position) = 0;
    };

    static constexpr float minTempo = 10.0f, maxTempo = 600.0f;

    ~QBStandaloneClock() override;
    void timerCallback() override;

    /** Sets the tempo in quarter notes per minute (10 … 600; others are
        clamped): the one way the window changes the clock's speed. The clock
        takes the new tempo from its next block or tick on, and keeps it over
        device restarts. */
    void setTempo (float bpm);

    /** The tempo last set, in quarter notes per minute (120 until one is set). */
    float getTempo() const noexcept { return tempo.load (std::memory_order_relaxed); }

    /** Starts the timer that moves the clock while no audio device runs. */
    void startRunning();

    /** Audio side: whether an audio device now moves the clock (the timer then
        leaves it alone). Set when the processor is prepared and released. */
    void setDrivenByAudio (bool driven) noexcept;
    bool isDrivenByAudio() const noexcept { return drivenByAudio.load (std::memory_order_acquire); }

    struct Block
    {
        double position;    ///< quarter notes at the block's first sample
        double bpm;
        bool playing;
    };

    /** Audio thread: the clock over the next `frames`, then moved past them. */
    Block advanceWithAudio (int frames, double sampleRate) noexcept;

    /** Moves the position forward to the next multiple of 1 / stepsPerQuarterNote
        (or leaves it on one), so that playback resumed now starts on a whole step. */
    void moveToNextStep (double stepsPerQuarterNote) noexcept;

    /** Beat position in quarter notes, never reset. Double precision, so long
        sessions never make the increment vanish into the rounding of a float. */
    std::atomic<double> position { 0.0 };

    /** Play state, set by the editor's play button (message thread). */
    std::atomic<bool> isPlaying { false };

    /** True while the application follows an external transport (JACK's,
        rolling) instead of this clock; the window may show it as playing.
        Written by the audio thread. */
    std::atomic<bool> followsExternalTransport { false };

    juce::ListenerList<Listener> listeners;

private:
    std::atomic<float> tempo { 120.0f };
    std::atomic<bool> drivenByAudio { false };
    double lastTickMs = 0.0;

    // Audio thread: the frame count the position is computed from.
    double basePosition = 0.0, lastAudioPosition = -1.0, baseTempo = 0.0, baseRate = 0.0;
    long long framesSinceBase = 0;
};
