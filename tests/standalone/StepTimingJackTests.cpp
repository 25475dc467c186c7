// Step timing end to end: the LV2 plugin in a real LV2 host (jalv) and the
// standalone application, both on a JACK server whose transport rolls at a set
// tempo (jack_transport as timebase master). A 2.4 kHz tone goes in; even steps
// open the low-pass, odd steps close it, so each even step starts a burst in
// the recording. The bursts must begin within 1 ms of where the tempo puts the
// steps, counted in JACK transport frames.

#include "StandaloneTestHelpers.h"

#include <jack/jack.h>
#include <jack/transport.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdlib>

using namespace tessaline::test;

namespace
{
    constexpr double tempo = 130.0;
    constexpr double toneHz = 2400.0;
    constexpr int steps = 16;

    jack_client_t* openClient (const char* name)
    {
        jack_status_t status {};
        return jack_client_open (name, JackNoStartServer, &status);
    }

    /** jackd with the dummy driver under a name of this test's own, which
        becomes this process's JACK_DEFAULT_SERVER. */
    class JackServer
    {
    public:
        explicit JackServer (const juce::File& logFolder)
        {
            setenv ("JACK_DEFAULT_SERVER", name, 1);
            process = std::make_unique<ScopedProcess> (
                std::vector<std::string> { "/usr/bin/jackd", "--no-realtime", "--sync", "--name", name,
                                           "-d", "dummy", "-r", "48000", "-p", "256" },
                std::map<std::string, std::string> { { "JACK_DEFAULT_SERVER", name }, { "JACK_NO_AUDIO_RESERVATION", "1" } },
                logFolder.getChildFile ("jackd.log"));

            running = waitFor ([]
            {
                auto* probe = openClient ("tessaline-probe");
                if (probe != nullptr)
                    jack_client_close (probe);
                return probe != nullptr;
            }, 10000);
        }

        ~JackServer()
        {
            process->stop();
            unsetenv ("JACK_DEFAULT_SERVER");
        }

        bool isRunning() const noexcept { return running; }

        static constexpr const char* name = "tessaline-test-timing";

    private:
        std::unique_ptr<ScopedProcess> process;
        bool running = false;
    };

    /** A program whose standard input is a FIFO this test writes commands into. */
    class CommandedProcess
    {
    public:
        CommandedProcess (const juce::File& folder, const std::string& label, const std::string& commandLine,
                          std::map<std::string, std::string> environment = {})
            : fifo (folder.getChildFile (label + ".in"))
        {
            mkfifo (fifo.getFullPathName().toRawUTF8(), 0600);
            fd = open (fifo.getFullPathName().toRawUTF8(), O_RDWR | O_NONBLOCK);
            environment["JACK_DEFAULT_SERVER"] = JackServer::name;
            process = std::make_unique<ScopedProcess> (
                std::vector<std::string> { "/bin/sh", "-c", "exec " + commandLine + " < '" + fifo.getFullPathName().toStdString() + "'" },
                environment, folder.getChildFile (label + ".log"));
        }

        ~CommandedProcess()
        {
            process.reset();
            if (fd >= 0)
                close (fd);
        }

        void send (const std::string& line) { juce::ignoreUnused (write (fd, line.data(), line.size())); }

    private:
        juce::File fifo;
        int fd = -1;
        std::unique_ptr<ScopedProcess> process;
    };

    /** The tone into a client's inputs, and its first output recorded with the
        JACK transport frame of every sample, from the moment the transport rolls. */
    class ToneAndTransportRecorder
    {
    public:
        ToneAndTransportRecorder()
            : tone (openClient ("tone")), recorder (openClient ("recorder"))
        {
            if (tone == nullptr || recorder == nullptr)
                return;

            toneOut = jack_port_register (tone, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
            recorderIn = jack_port_register (recorder, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
            sampleRate = (double) jack_get_sample_rate (tone);
            samples.resize ((size_t) sampleRate * 6);
            frames.resize (samples.size());
            jack_set_process_callback (tone, playTone, this);
            jack_set_process_callback (recorder, record, this);
            open = jack_activate (tone) == 0 && jack_activate (recorder) == 0;
        }

        ~ToneAndTransportRecorder()
        {
            for (auto* client : { tone, recorder })
                if (client != nullptr)
                    jack_client_close (client);
        }

        bool isOpen() const noexcept { return open; }

        /** Connects the tone and the recorder; may be asked again until the
            other client is active (a connection already made counts). */
        bool connect (const std::string& in1, const std::string& in2, const std::string& out)
        {
            auto made = [] (int result) { return result == 0 || result == EEXIST; };
            return made (jack_connect (tone, "tone:out", in1.c_str()))
                && made (jack_connect (tone, "tone:out", in2.c_str()))
                && made (jack_connect (recorder, out.c_str(), "recorder:in"));
        }

        /** Every port of the server, for failure messages. */
        std::string allPorts() const
        {
            std::string names;
            if (const char** ports = jack_get_ports (tone, nullptr, nullptr, 0))
            {
                for (auto** p = ports; *p != nullptr; ++p)
                    names += std::string (*p) + " ";
                jack_free (ports);
            }
            return names;
        }

        static bool portExists (const std::string& port)
        {
            auto* client = openClient ("tessaline-lookup");
            if (client == nullptr)
                return false;
            const bool found = jack_port_by_name (client, port.c_str()) != nullptr;
            jack_client_close (client);
            return found;
        }

        bool recordRolling (double seconds)
        {
            wanted.store ((int) (seconds * sampleRate), std::memory_order_release);
            return waitFor ([&] { return recorded.load (std::memory_order_acquire) >= wanted.load(); }, 30000);
        }

        /** Transport frames at which the burst of an open step begins. */
        std::vector<long> burstOnsets() const
        {
            const int n = recorded.load();
            const int period = (int) std::lround (sampleRate / toneHz);
            std::vector<long> onsets;
            bool quiet = false;

            // The envelope of the sample-to-sample difference: it sees the tone
            // and not the slow swing with which the closed filter settles.
            for (int i = period + 1; i < n; ++i)
            {
                float envelope = 0.0f;
                for (int k = i - period + 1; k <= i; ++k)
                    envelope = std::max (envelope, std::abs (samples[(size_t) k] - samples[(size_t) k - 1]));

                if (envelope < 0.006f)
                    quiet = true;
                else if (quiet && envelope > 0.03f)
                {
                    onsets.push_back (frames[(size_t) i]);
                    quiet = false;
                }
            }
            return onsets;
        }

        double sampleRate = 48000.0;

    private:
        static int playTone (jack_nframes_t n, void* arg)
        {
            auto& self = *static_cast<ToneAndTransportRecorder*> (arg);
            auto* out = static_cast<float*> (jack_port_get_buffer (self.toneOut, n));
            const double increment = juce::MathConstants<double>::twoPi * toneHz / self.sampleRate;
            for (jack_nframes_t i = 0; i < n; ++i)
            {
                out[i] = 0.25f * (float) std::sin (self.phase);
                self.phase = std::fmod (self.phase + increment, juce::MathConstants<double>::twoPi);
            }
            return 0;
        }

        static int record (jack_nframes_t n, void* arg)
        {
            auto& self = *static_cast<ToneAndTransportRecorder*> (arg);
            jack_position_t position {};
            if (jack_transport_query (self.recorder, &position) != JackTransportRolling)
                return 0;

            const auto* in = static_cast<const float*> (jack_port_get_buffer (self.recorderIn, n));
            const int done = self.recorded.load (std::memory_order_relaxed);
            const int count = std::min ((int) n, std::min (self.wanted.load (std::memory_order_acquire), (int) self.samples.size()) - done);
            for (int i = 0; i < count; ++i)
            {
                self.samples[(size_t) (done + i)] = in[i];
                self.frames[(size_t) (done + i)] = (long) position.frame + i;
            }
            if (count > 0)
                self.recorded.store (done + count, std::memory_order_release);
            return 0;
        }

        jack_client_t* tone = nullptr;
        jack_client_t* recorder = nullptr;
        jack_port_t* toneOut = nullptr;
        jack_port_t* recorderIn = nullptr;
        bool open = false;
        double phase = 0.0;
        std::vector<float> samples;
        std::vector<long> frames;
        std::atomic<int> wanted { 0 }, recorded { 0 };
    };

    /** Sixteenths over a sixteen-step loop: even steps open (fader 0, the
        low-pass at 3 kHz), odd steps closed (fader 1, 50 Hz); no glide. */
    juce::String alternatingSequence()
    {
        auto p = makeStandaloneProcessor();
        setParam (*p, "typeOfFilter", 2.0f);
        setParam (*p, "filterRange", 0.5f);
        setParam (*p, "resonance", 0.0f);
        setParam (*p, "smoother", 0.0f);
        setParam (*p, "quantize", 7.0f);
        for (int i = 0; i < 64; ++i)
            p->parameters.state.setProperty ("fader" + juce::String (i), i % 2 == 0 ? 0.0 : 1.0, nullptr);
        p->parameters.state.setProperty ("LoopRangeMin", 0, nullptr);
        p->parameters.state.setProperty ("LoopRangeMax", steps, nullptr);
        return filterStateOf (*p);
    }

    /** Every burst within 1 ms of an even step's start, and no even step after the first without its burst. */
    void expectBurstsOnTheSteps (const std::vector<long>& onsets, double sampleRate, double recordedSeconds)
    {
        const double framesPerStep = sampleRate * 60.0 / tempo / 4.0;
        const double tolerance = 0.001 * sampleRate;
        double worst = 0.0;

        juce::String seen;
        for (const long onset : onsets)
            seen << juce::String (onset / framesPerStep, 3) << " ";
        SCOPED_TRACE ("onsets in steps: " + seen.toStdString());

        for (const long onset : onsets)
        {
            const double step = std::round (onset / framesPerStep);
            const double error = onset - step * framesPerStep;
            worst = std::max (worst, std::abs (error));
            EXPECT_EQ ((long) step % 2, 0) << "a burst began at a closed step, frame " << onset;
            EXPECT_LE (std::abs (error), tolerance) << "burst at frame " << onset << ", step " << step;
        }

        const auto expected = (size_t) (recordedSeconds * sampleRate / framesPerStep / 2.0) - 1;
        EXPECT_GE (onsets.size(), expected);
        std::printf ("%zu step onsets, largest error %.1f frames (%.3f ms)\n", onsets.size(), worst, worst / sampleRate * 1000.0);
    }

    void startTransport (CommandedProcess& transport)
    {
        transport.send ("master\n");
        transport.send ("tempo " + std::to_string ((int) tempo) + "\n");
        transport.send ("locate 0\n");
        transport.send ("play\n");
    }
}

TEST (StepTimingWithJack, Lv2InJalvFollowsTheJackTransport)
{
   #ifndef TESSALINE_LV2_DIR
    GTEST_SKIP() << "built without the LV2 bundle";
   #else
    TempFolder work;
    JackServer server (work.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";

    // The sequence reaches the plugin through its state, as a saved session's would.
    const juce::String uri = "https://tessaline.audio/plugins/tessaline";
    auto stateDir = work.folder.getChildFile ("state");
    stateDir.createDirectory();
    stateDir.getChildFile ("manifest.ttl").replaceWithText (
        "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
        "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
        "<state.ttl> a pset:Preset ; lv2:appliesTo <" + uri + "> ; rdfs:seeAlso <state.ttl> .\n");
    stateDir.getChildFile ("state.ttl").replaceWithText (
        "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
        "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
        "<> a pset:Preset ; lv2:appliesTo <" + uri + "> ;\n"
        "  state:state [ <" + uri + ":StateString> \"" + alternatingSequence() + "\" ] .\n");

    CommandedProcess jalv (work.folder, "jalv",
                           "/usr/bin/jalv -x -n tessaline -l '" + stateDir.getFullPathName().toStdString() + "' " + uri.toStdString(),
                           { { "LV2_PATH", TESSALINE_LV2_DIR } });
    ASSERT_TRUE (waitFor ([] { return ToneAndTransportRecorder::portExists ("tessaline:audio_out_1"); }, 20000))
        << work.folder.getChildFile ("jalv.log").loadFileAsString();

    ToneAndTransportRecorder io;
    ASSERT_TRUE (io.isOpen());
    ASSERT_TRUE (waitFor ([&] { return io.connect ("tessaline:audio_in_1", "tessaline:audio_in_2", "tessaline:audio_out_1"); }, 10000));

    CommandedProcess transport (work.folder, "transport", "/usr/bin/jack_transport");
    sleepMs (300);
    startTransport (transport);
    ASSERT_TRUE (io.recordRolling (4.0)) << "the transport did not roll";
    expectBurstsOnTheSteps (io.burstOnsets(), io.sampleRate, 4.0);
   #endif
}


TEST (StepTimingWithJack, StandaloneFollowsTheJackTransport)
{
    TempFolder config;
    JackServer server (config.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";

    writeSettings (settingsFileIn (config.folder), { { "filterState", alternatingSequence() }, { "shouldMuteInput", false } });
    auto app = startApplication (config.folder, { { "JACK_DEFAULT_SERVER", JackServer::name } });
    ASSERT_TRUE (waitFor ([] { return ToneAndTransportRecorder::portExists ("Tessaline:out_1"); }, 20000))
        << applicationLog (config.folder);

    ToneAndTransportRecorder io;
    ASSERT_TRUE (io.isOpen());
    ASSERT_TRUE (waitFor ([&] { return io.connect ("Tessaline:in_1", "Tessaline:in_2", "Tessaline:out_1"); }, 10000))
        << io.allPorts() << applicationLog (config.folder);

    CommandedProcess transport (config.folder, "transport", "/usr/bin/jack_transport");
    sleepMs (300);
    startTransport (transport);
    ASSERT_TRUE (io.recordRolling (4.0)) << "the transport did not roll";
    expectBurstsOnTheSteps (io.burstOnsets(), io.sampleRate, 4.0);
}
