#include "QBQuitSignals.h"

#if JUCE_LINUX || JUCE_BSD
 #include <csignal>
 #include <fcntl.h>
 #include <unistd.h>

namespace
{
    int wakePipe[2] = { -1, -1 };
    struct sigaction previousTerm {}, previousHup {};

    void onSignal (int)
    {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write (wakePipe[1], &byte, 1);
    }
}

QBQuitSignals::QBQuitSignals (std::function<void()> onQuitRequested)
    : onQuit (std::move (onQuitRequested))
{
    if (::pipe (wakePipe) != 0)
        return;

    for (const int fd : wakePipe)
    {
        ::fcntl (fd, F_SETFL, ::fcntl (fd, F_GETFL) | O_NONBLOCK);
        ::fcntl (fd, F_SETFD, FD_CLOEXEC);
    }

    juce::LinuxEventLoop::registerFdCallback (wakePipe[0], [this] (int fd)
    {
        char bytes[16];
        while (::read (fd, bytes, sizeof (bytes)) > 0) {}

        if (onQuit != nullptr)
            onQuit();
    });

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset (&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction (SIGTERM, &action, &previousTerm);
    sigaction (SIGHUP, &action, &previousHup);
}

QBQuitSignals::~QBQuitSignals()
{
    if (wakePipe[0] < 0)
        return;

    sigaction (SIGTERM, &previousTerm, nullptr);
    sigaction (SIGHUP, &previousHup, nullptr);
    juce::LinuxEventLoop::unregisterFdCallback (wakePipe[0]);

    for (auto& fd : wakePipe)
    {
        ::close (fd);
        fd = -1;
    }
}

#else

QBQuitSignals::QBQuitSignals (std::function<void()> onQuitRequested) : onQuit (std::move (onQuitRequested)) {}
QBQuitSignals::~QBQuitSignals() = default;

#endif
