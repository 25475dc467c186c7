// Real audio through a JACK server of the test's own (jackd with its dummy
// driver, under a server name no other test or user shares): a test tone goes
// into the application's input ports and its output ports are recorded.

#include "QBStandalonePluginHolder.h"
#include "StandaloneTestHelpers.h"

#include <jack/jack.h>

#include <atomic>
#include <cmath>
#include <cstdlib>

using namespace tessaline::test;

namespace
{
    constexpr float toneAmplitude = 0.25f;
    const float toneRms = toneAmplitude / std::sqrt (2.0f);

    jack_client_t* openClient (const char* name)
    {
        jack_status_t status {};
        return jack_client_open (name, JackNoStartServer, &status);
    }

    /** jackd with the dummy driver. Its name is set as this process's
        JACK_DEFAULT_SERVER, so the test's clients and every process the test
        starts from now on use this server. */
    class JackServer
    {
    public:
        explicit JackServer (const juce::File& logFolder)
            : name ("tessaline-test-standalone")   // fixed, so an entry left in JACK's
                                                // server table by a crashed run is reclaimed
        {
            setenv ("JACK_DEFAULT_SERVER", name.c_str(), 1);
            process = std::make_unique<ScopedProcess> (
                std::vector<std::string> { "/usr/bin/jackd", "--no-realtime", "--sync", "--name", name,
                                           "-d", "dummy", "-r", "48000", "-p", "1024", "-C", "2", "-P", "2" },
                std::map<std::string, std::string> { { "JACK_DEFAULT_SERVER", name },
                                                     { "JACK_NO_AUDIO_RESERVATION", "1" } },
                logFolder.getChildFile ("jackd.log"));

            running = waitFor ([]
            {
                if (auto* probe = openClient ("tessaline-probe"))
                {
                    jack_client_close (probe);
                    return true;
                }

                return false;
            }, 10000);
        }

        ~JackServer()
        {
            process->stop();
            unsetenv ("JACK_DEFAULT_SERVER");
        }

        bool isRunning() const noexcept { return running; }

    private:
        std::string name;
        std::unique_ptr<ScopedProcess> process;
        bool running = false;
    };

    /** Two clients of the test: "tone" plays a sine of a chosen frequency,
        "recorder" records a chosen number of samples on request. */
    class ToneAndRecorder
    {
    public:
        ToneAndRecorder()
            : tone (openClient ("tone")), recorder (openClient ("recorder"))
        {
            if (tone == nullptr || recorder == nullptr)
                return;

            toneOut = jack_port_register (tone, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
            recorderIn = jack_port_register (recorder, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
            sampleRate = (double) jack_get_sample_rate (tone);
            recording.resize ((size_t) sampleRate * 2);

            jack_set_process_callback (tone, playTone, this);
            jack_set_process_callback (recorder, record, this);
            activated = jack_activate (tone) == 0 && jack_activate (recorder) == 0;
        }

        ~ToneAndRecorder()
        {
            for (auto* client : { tone, recorder })
                if (client != nullptr)
                    jack_client_close (client);
        }

        bool isOpen() const noexcept { return activated; }

        bool connectThrough (const std::string& appClient)
        {
            return jack_connect (tone, "tone:out", (appClient + ":in_1").c_str()) == 0
                && jack_connect (tone, "tone:out", (appClient + ":in_2").c_str()) == 0
                && jack_connect (recorder, (appClient + ":out_1").c_str(), "recorder:in") == 0;
        }

        /** True once `port` exists and is connected: the framework connects a
            device's ports to the chosen device only after activating its client. */
        static bool portIsLive (const std::string& port)
        {
            auto* client = openClient ("tessaline-lookup");

            if (client == nullptr)
                return false;

            bool live = false;

            if (auto* p = jack_port_by_name (client, port.c_str()))
            {
                if (const char** connections = jack_port_get_all_connections (client, p))
                {
                    live = true;
                    jack_free (connections);
                }
            }

            jack_client_close (client);
            return live;
        }

        void setFrequency (float hz) { frequency.store (hz); }

        /** RMS of the next `seconds` of the recorder's input, after `settleSeconds`
            of audio have passed through the server (counted in its frames, so a
            slow machine waits as long as the audio needs). */
        float recordRms (double seconds, double settleSeconds = 0.3)
        {
            const auto settled = framesHeard.load (std::memory_order_acquire) + (long) (settleSeconds * sampleRate);

            if (! waitFor ([&] { return framesHeard.load (std::memory_order_acquire) >= settled; }, 10000))
                return -1.0f;

            const int wanted = (int) (seconds * sampleRate);
            recorded.store (0);
            samplesWanted.store (wanted, std::memory_order_release);

            if (! waitFor ([&] { return recorded.load (std::memory_order_acquire) >= wanted; }, 5000))
                return -1.0f;

            samplesWanted.store (0);
            double sum = 0.0;

            for (int i = 0; i < wanted; ++i)
                sum += (double) recording[(size_t) i] * recording[(size_t) i];

            return (float) std::sqrt (sum / wanted);
        }

    private:
        static int playTone (jack_nframes_t frames, void* arg)
        {
            auto& self = *static_cast<ToneAndRecorder*> (arg);
            auto* out = static_cast<float*> (jack_port_get_buffer (self.toneOut, frames));
            const double increment = juce::MathConstants<double>::twoPi * self.frequency.load() / self.sampleRate;

            for (jack_nframes_t i = 0; i < frames; ++i)
            {
                out[i] = toneAmplitude * (float) std::sin (self.phase);
                self.phase = std::fmod (self.phase + increment, juce::MathConstants<double>::twoPi);
            }

            return 0;
        }

        static int record (jack_nframes_t frames, void* arg)
        {
            auto& self = *static_cast<ToneAndRecorder*> (arg);
            const auto* in = static_cast<const float*> (jack_port_get_buffer (self.recorderIn, frames));
            const int wanted = juce::jmin (self.samplesWanted.load (std::memory_order_acquire), (int) self.recording.size());
            const int done = self.recorded.load (std::memory_order_relaxed);
            const int count = juce::jmin ((int) frames, wanted - done);
            self.framesHeard.fetch_add ((long) frames, std::memory_order_release);

            if (count > 0)
            {
                std::copy (in, in + count, self.recording.begin() + done);
                self.recorded.store (done + count, std::memory_order_release);
            }

            return 0;
        }

        jack_client_t* tone = nullptr;
        jack_client_t* recorder = nullptr;
        jack_port_t* toneOut = nullptr;
        jack_port_t* recorderIn = nullptr;
        bool activated = false;
        double sampleRate = 48000.0;

        std::atomic<float> frequency { 200.0f };
        double phase = 0.0;

        std::vector<float> recording;
        std::atomic<int> samplesWanted { 0 };
        std::atomic<int> recorded { 0 };
        std::atomic<long> framesHeard { 0 };
    };

    /** A low-pass at 1 kHz with no resonance while the clock is stopped: the
        top of the filter range with every fader at 0. */
    juce::String lowPassAt1kHz()
    {
        auto processor = makeStandaloneProcessor();
        setParam (*processor, "typeOfFilter", 2.0f);
        setParam (*processor, "filterRange", 1.0f);
        setParam (*processor, "resonance", 0.0f);
        return filterStateOf (*processor);
    }
}

//==============================================================================
TEST (ApplicationWithJack, MutedInputIsSilentAndUnmutedInputIsFilteredAsTheParametersSay)
{
    TempFolder config;
    JackServer server (config.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";

    // Input muted, as at a first start; the saved processor state is the low-pass.
    writeSettings (settingsFileIn (config.folder), { { "filterState", lowPassAt1kHz() } });

    XDisplay x;
    ASSERT_TRUE (x.isOpen());
    auto app = startApplication (config.folder);
    const auto window = x.waitForWindowOf (app->pid(), 15000);
    ASSERT_NE (window, 0u) << "no window appeared";

    ASSERT_TRUE (waitFor ([] { return ToneAndRecorder::portIsLive ("Tessaline:out_1"); }, 10000))
        << "the application did not connect to JACK";

    ToneAndRecorder io;
    ASSERT_TRUE (io.isOpen());
    ASSERT_TRUE (io.connectThrough ("Tessaline"));

    io.setFrequency (200.0f);
    const float muted = io.recordRms (0.5);
    ASSERT_GE (muted, 0.0f) << "nothing was recorded";
    EXPECT_LT (muted, 1.0e-5f) << "muted input reached the output";

    // "UNMUTE INPUT", at the right of the bar above the editor.
    x.click (window, x.boundsOf (window).getWidth() - 55, 15);

    const float low = io.recordRms (0.5);
    io.setFrequency (8000.0f);
    const float high = io.recordRms (0.5);

    EXPECT_GT (low, 0.8f * toneRms) << "200 Hz should pass the 1 kHz low-pass";
    EXPECT_LT (low, 1.2f * toneRms);
    EXPECT_LT (high, 0.05f * low) << "8 kHz should be well below 200 Hz through the 1 kHz low-pass";

    ASSERT_EQ (closeAndWaitForExit (x, *app), 0) << applicationLog (config.folder);
    EXPECT_FALSE (readSettings (settingsFileIn (config.folder))->getBoolValue ("shouldMuteInput", true));
}

TEST (ApplicationWithJack, UnmutedInputFromTheSettingsPlaysAtOnce)
{
    TempFolder config;
    JackServer server (config.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";
    writeSettings (settingsFileIn (config.folder), { { "shouldMuteInput", false } });

    auto app = startApplication (config.folder);
    ASSERT_TRUE (waitFor ([] { return ToneAndRecorder::portIsLive ("Tessaline:out_1"); }, 15000));

    ToneAndRecorder io;
    ASSERT_TRUE (io.isOpen());
    ASSERT_TRUE (io.connectThrough ("Tessaline"));

    // The default state: a resonant low-pass at 3 kHz lets 200 Hz through.
    io.setFrequency (200.0f);
    EXPECT_GT (io.recordRms (0.5), 0.5f * toneRms);
}

/** A plugin holder started while there is no audio device (no sound card on
    this machine, no JACK server), and then a JACK server that appears. */
struct PluginHolderWithJack : ::testing::Test
{
    void SetUp() override
    {
        setenv ("JACK_DEFAULT_SERVER", ("tessaline-absent-" + std::to_string (getpid())).c_str(), 1);
        holder = std::make_unique<QBStandalonePluginHolder> (nullptr);
        unsetenv ("JACK_DEFAULT_SERVER");

        if (holder->deviceManager.getCurrentAudioDevice() != nullptr)
            GTEST_SKIP() << "this machine has an audio device of its own";

        server = std::make_unique<JackServer> (logs.folder);
        ASSERT_TRUE (server->isRunning()) << "jackd did not start";
    }

    TempFolder logs;
    std::unique_ptr<JackServer> server;                  // outlives the holder's JACK client
    std::unique_ptr<QBStandalonePluginHolder> holder;
};

TEST_F (PluginHolderWithJack, DeviceCanBeChosenOnceOneExists)
{
    // What the device selector does when the user picks the new device.
    auto& devices = holder->deviceManager;
    for (auto* type : devices.getAvailableDeviceTypes())
        type->scanForDevices();

    devices.setCurrentAudioDeviceType ("JACK", true);
    ASSERT_NE (devices.getCurrentAudioDevice(), nullptr) << "JACK's device did not open";
    EXPECT_TRUE (devices.getCurrentAudioDevice()->isPlaying());

    holder->shouldMuteInput.setValue (false);
    ASSERT_TRUE (deliverPostedMessages());   // the value reports the change asynchronously

    ToneAndRecorder io;
    ASSERT_TRUE (io.isOpen());
    ASSERT_TRUE (waitFor ([] { return ToneAndRecorder::portIsLive ("Tessaline:in_1"); }, 5000));
    ASSERT_TRUE (io.connectThrough ("Tessaline"));

    io.setFrequency (200.0f);
    EXPECT_GT (io.recordRms (0.5), 0.5f * toneRms);
}

TEST_F (PluginHolderWithJack, ADeviceThatAppearsLaterIsOpenedByItself)
{
    // No one touches the holder: its own poll finds the new server.
    ASSERT_TRUE (pumpUntil ([&] { return holder->deviceManager.getCurrentAudioDevice() != nullptr; }, 15000));
    EXPECT_EQ (holder->deviceManager.getCurrentAudioDeviceType(), "JACK");
    EXPECT_TRUE (holder->deviceManager.getCurrentAudioDevice()->isPlaying());
}

/** Polls enough for the holder's fallback to have opened a device if it were going to. */
static void pollPastTheDeviceFallback (QBStandalonePluginHolder& holder)
{
    for (int i = 0; i < 8; ++i)
        holder.timerCallback();
}

TEST (PluginHolderDevices, NoAudioDeviceChosenStaysSoAndARestartKeepsIt)
{
    TempFolder logs;
    JackServer server (logs.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";
    juce::PropertySet settings;

    {
        QBStandalonePluginHolder holder (&settings);
        auto& devices = holder.deviceManager;

        if (devices.getCurrentAudioDevice() == nullptr)
        {
            for (auto* type : devices.getAvailableDeviceTypes())
                type->scanForDevices();
            devices.setCurrentAudioDeviceType ("JACK", true);
        }

        ASSERT_NE (devices.getCurrentAudioDevice(), nullptr);
        holder.timerCallback();

        // What the device selector does on "<< none >>".
        auto setup = devices.getAudioDeviceSetup();
        setup.outputDeviceName = setup.inputDeviceName = {};
        devices.setAudioDeviceSetup (setup, true);
        ASSERT_EQ (devices.getCurrentAudioDevice(), nullptr);

        pollPastTheDeviceFallback (holder);
        EXPECT_EQ (devices.getCurrentAudioDevice(), nullptr) << "the poll reopened a device";
    }

    QBStandalonePluginHolder restarted (&settings);
    EXPECT_EQ (restarted.deviceManager.getCurrentAudioDevice(), nullptr);
    pollPastTheDeviceFallback (restarted);
    EXPECT_EQ (restarted.deviceManager.getCurrentAudioDevice(), nullptr) << "the poll reopened a device after a restart";
}

//==============================================================================
// A saved device setup that cannot be used: the application opens the default
// device instead (here the JACK server's) and quits cleanly.
TEST (ApplicationWithJack, UnusableDeviceSetupFallsBackToTheDefaultDevice)
{
    TempFolder logs;
    JackServer server (logs.folder);
    ASSERT_TRUE (server.isRunning()) << "jackd did not start";
    XDisplay x;
    ASSERT_TRUE (x.isOpen());

    const std::pair<const char*, const char*> setups[] = {
        { "NotXml",          "<<DEVICESETUP deviceType=" },
        { "OtherElement",    "<SOMETHING deviceType=\"JACK\"/>" },
        { "MissingType",     "<DEVICESETUP deviceType=\"NoSuchType\" audioOutputDeviceName=\"nowhere\"/>" },
        { "VanishedDevice",  "<DEVICESETUP deviceType=\"ALSA\" audioOutputDeviceName=\"hw:9,9\" audioInputDeviceName=\"hw:9,9\"/>" },
        { "AbsurdNumbers",   "<DEVICESETUP deviceType=\"JACK\" audioOutputDeviceName=\"system\" audioInputDeviceName=\"system\""
                             " audioDeviceRate=\"-1e300\" audioDeviceBufferSize=\"-7\"/>" },
    };

    for (const auto& [name, setup] : setups)
    {
        SCOPED_TRACE (name);
        TempFolder config;
        writeSettings (settingsFileIn (config.folder), { { "audioSetup", juce::String (setup) } });

        auto app = startApplication (config.folder);
        const auto window = x.waitForWindowOf (app->pid(), 15000);
        ASSERT_NE (window, 0u) << "no window appeared";
        EXPECT_TRUE (waitFor ([] { return ToneAndRecorder::portIsLive ("Tessaline:out_1"); }, 10000))
            << "no device was opened";

        EXPECT_EQ (closeAndWaitForExit (x, *app), 0) << applicationLog (config.folder);
    }
}
