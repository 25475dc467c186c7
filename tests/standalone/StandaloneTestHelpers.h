#pragma once

// Helpers for the tests that drive the real application: as a process of its
// own on the test's X display, with its settings in a temporary folder, and
// against a JACK server of the test's own.

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_data_structures/juce_data_structures.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "TestHelpers.h"

// Last, and before no other JUCE header: Xlib's macros clash with JUCE's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace tessaline::test
{
    inline void sleepMs (int ms)
    {
        std::this_thread::sleep_for (std::chrono::milliseconds (ms));
    }

    /** Polls `done` without running the message loop (the application under
        test is another process) until it holds or `timeoutMs` passes. */
    template <typename Predicate>
    bool waitFor (Predicate&& done, int timeoutMs)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

        while (! done())
        {
            if (std::chrono::steady_clock::now() > end)
                return false;

            sleepMs (20);
        }

        return true;
    }

    //==============================================================================
    /** A folder that is removed with everything in it when the test ends. */
    struct TempFolder
    {
        TempFolder()
            : folder (juce::File::createTempFile ("tessaline-test"))
        {
            folder.createDirectory();
        }

        ~TempFolder() { folder.deleteRecursively(); }

        juce::File folder;
    };

    //==============================================================================
    /** A child process that is stopped when this object goes, and killed with
        the test process should that die first. */
    class ScopedProcess
    {
    public:
        ScopedProcess (const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& extraEnvironment,
                       const juce::File& logFile)
        {
            // Everything the child needs is built before fork(): after it the
            // child only calls async-signal-safe functions.
            std::vector<std::string> env;

            for (char** e = environ; *e != nullptr; ++e)
            {
                const std::string entry (*e);
                const auto name = entry.substr (0, entry.find ('='));

                if (extraEnvironment.count (name) == 0)
                    env.push_back (entry);
            }

            for (const auto& [name, value] : extraEnvironment)
                env.push_back (name + "=" + value);

            std::vector<char*> argv, envp;

            for (auto& a : args)  argv.push_back (const_cast<char*> (a.c_str()));
            for (auto& e : env)   envp.push_back (const_cast<char*> (e.c_str()));

            argv.push_back (nullptr);
            envp.push_back (nullptr);

            const auto logPath = logFile.getFullPathName().toStdString();
            const pid_t parent = getpid();

            childPid = fork();

            if (childPid == 0)
            {
                prctl (PR_SET_PDEATHSIG, SIGKILL);

                if (getppid() != parent)
                    _exit (127);

                const int log = open (logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);

                if (log >= 0)
                {
                    dup2 (log, STDOUT_FILENO);
                    dup2 (log, STDERR_FILENO);
                }

                execve (argv[0], argv.data(), envp.data());
                _exit (127);
            }
        }

        ~ScopedProcess() { stop(); }

        pid_t pid() const noexcept { return childPid; }

        bool isRunning()
        {
            return childPid > 0 && ! exitStatus.has_value() && ! reap (WNOHANG);
        }

        /** The exit code once the process has ended by itself within `timeoutMs`;
            -1 for a process ended by a signal. */
        std::optional<int> waitForExit (int timeoutMs)
        {
            waitFor ([this] { return ! isRunning(); }, timeoutMs);

            if (! exitStatus.has_value())
                return std::nullopt;

            return WIFEXITED (*exitStatus) ? WEXITSTATUS (*exitStatus) : -1;
        }

        /** Asks the process to stop (SIGINT), and kills it if it has not within 5 s. */
        void stop()
        {
            if (! isRunning())
                return;

            kill (childPid, SIGINT);

            if (! waitForExit (5000).has_value())
            {
                kill (childPid, SIGKILL);
                reap (0);
            }
        }

    private:
        bool reap (int flags)
        {
            int status = 0;

            if (waitpid (childPid, &status, flags) == childPid)
            {
                exitStatus = status;
                return true;
            }

            return false;
        }

        pid_t childPid = -1;
        std::optional<int> exitStatus;
    };

    //==============================================================================
    /** X errors are not fatal to the test process. The framework installs such
        a handler only in an application; without it, errors that the
        application ignores (requests naming window-manager atoms that a bare X
        server lacks) would end a test that opens windows, and so would a query
        about a window the application has just replaced. */
    inline void ignoreXErrors()
    {
        XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
    }

    /** The test's own connection to the X display the application runs on. */
    class XDisplay
    {
    public:
        XDisplay() : display (openDisplay())
        {
            ignoreXErrors();

            // A window manager creates these at its start, and applications
            // take them as they find them. On a bare X server they must exist
            // before the application starts, or it cannot be asked to close.
            if (display != nullptr)
                for (const char* atom : { "WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_PID" })
                    XInternAtom (display, atom, False);
        }
        ~XDisplay() { if (display != nullptr) XCloseDisplay (display); }

        /** A busy X server refuses some connections outright (the connect
            fails with EAGAIN while its queue of new clients is full), so the
            connection is tried again for a few seconds before giving up. */
        static Display* openDisplay()
        {
            for (int attempt = 0; attempt < 100; ++attempt)
            {
                if (auto* d = XOpenDisplay (nullptr))
                    return d;

                sleepMs (50);
            }

            return nullptr;
        }

        bool isOpen() const noexcept { return display != nullptr; }

        juce::Rectangle<int> screen() const
        {
            const int s = DefaultScreen (display);
            return { 0, 0, DisplayWidth (display, s), DisplayHeight (display, s) };
        }

        /** The shown top-level window of process `pid`, once it has kept the
            same id and bounds for 300 ms (the framework may replace a window
            while it sets it up); 0 when none settles within `timeoutMs`. */
        Window waitForWindowOf (pid_t pid, int timeoutMs) const
        {
            Window candidate = 0;
            juce::Rectangle<int> bounds;
            auto since = std::chrono::steady_clock::now();

            const bool settled = waitFor ([&]
            {
                const auto now = std::chrono::steady_clock::now();
                const auto w = shownWindowOf (pid);
                const auto b = w != 0 ? boundsOf (w) : juce::Rectangle<int>();

                if (w == 0 || w != candidate || b != bounds)
                {
                    candidate = w;
                    bounds = b;
                    since = now;
                    return false;
                }

                return now - since >= std::chrono::milliseconds (300);
            }, timeoutMs);

            return settled ? candidate : 0;
        }

        /** The window's bounds in screen coordinates. */
        juce::Rectangle<int> boundsOf (Window w) const
        {
            XWindowAttributes attributes {};
            XGetWindowAttributes (display, w, &attributes);

            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates (display, w, DefaultRootWindow (display), 0, 0, &x, &y, &child);
            return { x, y, attributes.width, attributes.height };
        }

        void move (Window w, int x, int y) const
        {
            XMoveWindow (display, w, x, y);
            XSync (display, False);
        }

        /** A left click at (x, y) inside the window, with the pointer moved there
            first, as a real click would find it (whatever earlier clients left
            the pointer over). */
        void click (Window w, int x, int y) const
        {
            int rootX = 0, rootY = 0;
            Window child = 0;
            XTranslateCoordinates (display, w, DefaultRootWindow (display), x, y, &rootX, &rootY, &child);
            XWarpPointer (display, None, DefaultRootWindow (display), 0, 0, 0, 0, rootX, rootY);
            XSync (display, False);

            for (const int type : { ButtonPress, ButtonRelease })
            {
                XEvent event {};
                event.xbutton.type = type;
                event.xbutton.window = w;
                event.xbutton.root = DefaultRootWindow (display);
                event.xbutton.x = x;
                event.xbutton.y = y;
                event.xbutton.x_root = rootX;
                event.xbutton.y_root = rootY;
                event.xbutton.button = Button1;
                event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
                event.xbutton.same_screen = True;
                XSendEvent (display, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
                XSync (display, False);   // the press reaches the server before the release
            }
        }

        /** What a window manager sends when the user clicks the close button. */
        /** The application's shown top-level window now, or 0. */
        Window currentWindowOf (pid_t pid) const { return shownWindowOf (pid); }

        void requestClose (Window w) const
        {
            XEvent event {};
            event.xclient.type = ClientMessage;
            event.xclient.window = w;
            event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = (long) XInternAtom (display, "WM_DELETE_WINDOW", False);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent (display, w, False, NoEventMask, &event);
            XFlush (display);
        }

    private:
        Window shownWindowOf (pid_t pid) const
        {
            const Atom pidAtom = XInternAtom (display, "_NET_WM_PID", False);
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            Window found = 0;

            if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) == 0)
                return 0;

            for (unsigned int i = 0; i < count && found == 0; ++i)
            {
                XWindowAttributes attributes {};

                if (XGetWindowAttributes (display, children[i], &attributes) == 0
                    || attributes.map_state != IsViewable)
                    continue;

                Atom type = 0;
                int format = 0;
                unsigned long items = 0, remaining = 0;
                unsigned char* data = nullptr;

                if (XGetWindowProperty (display, children[i], pidAtom, 0, 1, False, XA_CARDINAL,
                                        &type, &format, &items, &remaining, &data) == Success
                    && data != nullptr)
                {
                    if (items == 1 && (pid_t) *reinterpret_cast<unsigned long*> (data) == pid)
                        found = children[i];

                    XFree (data);
                }
            }

            if (children != nullptr)
                XFree (children);

            return found;
        }

        Display* display;
    };

    //==============================================================================
    /** The application's settings file under an XDG_CONFIG_HOME of the test's. */
    inline juce::File settingsFileIn (const juce::File& configHome)
    {
        return configHome.getChildFile ("Tessaline").getChildFile ("Tessaline.settings");
    }

    /** Writes `values` as the framework's XML properties file, as the application would. */
    inline void writeSettings (const juce::File& file, const std::map<juce::String, juce::var>& values)
    {
        file.getParentDirectory().createDirectory();
        juce::PropertiesFile::Options options;
        options.storageFormat = juce::PropertiesFile::storeAsXML;
        juce::PropertiesFile settings (file, options);

        for (const auto& [key, value] : values)
            settings.setValue (key, value);

        ASSERT_TRUE (settings.save());
    }

    inline std::unique_ptr<juce::PropertiesFile> readSettings (const juce::File& file)
    {
        juce::PropertiesFile::Options options;
        options.storageFormat = juce::PropertiesFile::storeAsXML;
        return std::make_unique<juce::PropertiesFile> (file, options);
    }

    /** A processor's state blob in the form the application keeps under
        "filterState". The parameter tree copies parameter values into the
        state tree from a timer, so the tree is taken through copyState(),
        which brings it up to date first. */
    inline juce::String filterStateOf (VornicAudioProcessor& processor)
    {
        juce::MemoryBlock block;
        juce::AudioProcessor::copyXmlToBinary (*processor.parameters.copyState().createXml(), block);
        return block.toBase64Encoding();
    }

    /** A standalone processor restored from a "filterState" text; null when it
        does not decode to a state blob of the processor. */
    inline std::unique_ptr<VornicAudioProcessor> processorFromFilterState (const juce::String& text)
    {
        juce::MemoryBlock block;

        if (! block.fromBase64Encoding (text) || block.getSize() == 0
            || juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize()) == nullptr)
            return nullptr;

        auto processor = makeStandaloneProcessor();
        processor->setStateInformation (block.getData(), (int) block.getSize());
        return processor;
    }

    inline float paramValue (VornicAudioProcessor& p, const char* id)
    {
        auto* param = p.parameters.getParameter (id);
        return param->convertFrom0to1 (param->getValue());
    }

    //==============================================================================
    /** What the application under test printed, for failure messages. */
    inline std::string applicationLog (const juce::File& configHome)
    {
        return configHome.getChildFile ("application.log").loadFileAsString().toStdString();
    }

    /** The application under test, started as its own process with its
        settings under `configHome`. */
    inline std::unique_ptr<ScopedProcess> startApplication (const juce::File& configHome,
                                                            std::map<std::string, std::string> environment = {})
    {
        environment["XDG_CONFIG_HOME"] = configHome.getFullPathName().toStdString();
        return std::make_unique<ScopedProcess> (std::vector<std::string> { TESSALINE_APP_PATH },
                                                environment,
                                                configHome.getChildFile ("application.log"));
    }

    /** Asks the application to close, as a window manager's close button does,
        and waits up to `timeoutMs` for it to end. On a starved machine the first
        request, sent the moment the window has settled, is sometimes never acted
        on while the application is still starting; so, as a user would click
        again, the request is repeated every two seconds until it has gone. */
    inline std::optional<int> closeAndWaitForExit (const XDisplay& x, ScopedProcess& app, int timeoutMs = 20000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

        while (std::chrono::steady_clock::now() < end)
        {
            if (const auto w = x.currentWindowOf (app.pid()))
                x.requestClose (w);

            if (auto code = app.waitForExit (2000))
                return code;
        }

        return std::nullopt;
    }

    /** Starts the application, waits for its window and closes it as the user
        would. Returns the exit code, or nullopt when no window appeared or the
        application did not end. */
    inline std::optional<int> startAndClose (const juce::File& configHome,
                                             std::optional<juce::Rectangle<int>>* windowBounds = nullptr)
    {
        XDisplay x;

        if (! x.isOpen())
            return std::nullopt;

        auto app = startApplication (configHome);
        const auto window = x.waitForWindowOf (app->pid(), 15000);

        if (window == 0)
            return std::nullopt;

        if (windowBounds != nullptr)
            *windowBounds = x.boundsOf (window);

        return closeAndWaitForExit (x, *app);
    }
}
