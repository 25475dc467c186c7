#pragma once

#include <juce_events/juce_events.h>

#include <functional>

/** Turns the signals that end a desktop session into an orderly quit on the
    message thread: SIGTERM (a logout, systemctl, kill, a process manager) and
    SIGHUP (the terminal that started the application closed). The framework
    itself handles only SIGINT.

    The signal handler only writes one byte into a pipe; the message loop
    watches the pipe's other end and calls `onQuitRequested` there, so the
    handler itself does nothing that is unsafe inside a signal. One instance at
    a time; the previous handlers come back when it is destroyed. */
class QBQuitSignals
{
public:
    explicit QBQuitSignals (std::function<void()> onQuitRequested);
    ~QBQuitSignals();

private:
    std::function<void()> onQuit;

    JUCE_DECLARE_NON_COPYABLE (QBQuitSignals)
};
