// A JACK client for the LV2 tests: it plays a 240 Hz tone, sends control
// changes on a MIDI port and records what comes back, all on JACK's own clock.
//
// Usage: tessaline_jack_cc_probe <seconds per segment> [<controller>:<value> ...]
// Segment 0 plays the tone alone; segment i sends the i-th control change (on
// channel 1) at its first frame. Once its three ports are connected the probe
// runs every segment, then prints one line per segment: the RMS of its second
// half. It exits with 1 if its ports are not connected within 20 seconds.

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
    struct Probe
    {
        jack_port_t* toneOut = nullptr;
        jack_port_t* midiOut = nullptr;
        jack_port_t* audioIn = nullptr;

        std::vector<std::pair<int, int>> changes;
        std::vector<float> recording;
        long segmentFrames = 0;
        double phase = 0.0, increment = 0.0;

        std::atomic<bool> running { false };
        std::atomic<long> recorded { 0 };
    };

    int process (jack_nframes_t frames, void* arg)
    {
        auto& p = *static_cast<Probe*> (arg);
        auto* tone = static_cast<float*> (jack_port_get_buffer (p.toneOut, frames));
        auto* midi = jack_port_get_buffer (p.midiOut, frames);
        const auto* in = static_cast<const float*> (jack_port_get_buffer (p.audioIn, frames));
        jack_midi_clear_buffer (midi);

        for (jack_nframes_t i = 0; i < frames; ++i)
        {
            tone[i] = 0.25f * (float) std::sin (p.phase);
            p.phase = std::fmod (p.phase + p.increment, 2.0 * M_PI);
        }

        if (! p.running.load())
            return 0;

        const long done = p.recorded.load (std::memory_order_relaxed);
        const long total = (long) p.recording.size();

        for (jack_nframes_t i = 0; i < frames && done + (long) i < total; ++i)
        {
            const long frame = done + (long) i;

            if (frame % p.segmentFrames == 0)
            {
                const auto segment = (size_t) (frame / p.segmentFrames);

                if (segment >= 1 && segment <= p.changes.size())
                {
                    const auto [controller, value] = p.changes[segment - 1];
                    const unsigned char message[3] = { 0xb0, (unsigned char) controller, (unsigned char) value };
                    jack_midi_event_write (midi, i, message, 3);
                }
            }

            p.recording[(size_t) frame] = in[i];
        }

        p.recorded.store (std::min (total, done + (long) frames), std::memory_order_release);
        return 0;
    }
}

int main (int argc, char** argv)
{
    if (argc < 2)
        return 2;

    Probe probe;

    for (int i = 2; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const auto colon = arg.find (':');
        probe.changes.emplace_back (std::atoi (arg.substr (0, colon).c_str()), std::atoi (arg.substr (colon + 1).c_str()));
    }

    jack_status_t status {};
    auto* client = jack_client_open ("ccprobe", JackNoStartServer, &status);

    if (client == nullptr)
        return 1;

    const double rate = (double) jack_get_sample_rate (client);
    probe.segmentFrames = (long) (std::atof (argv[1]) * rate);
    probe.recording.assign ((size_t) (probe.segmentFrames * (long) (probe.changes.size() + 1)), 0.0f);
    probe.increment = 2.0 * M_PI * 240.0 / rate;

    probe.toneOut = jack_port_register (client, "tone", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    probe.midiOut = jack_port_register (client, "cc", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    probe.audioIn = jack_port_register (client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback (client, process, &probe);

    if (jack_activate (client) != 0)
        return 1;

    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds (20);
    auto connected = [&] { return jack_port_connected (probe.toneOut) > 0 && jack_port_connected (probe.midiOut) > 0
                                  && jack_port_connected (probe.audioIn) > 0; };

    while (! connected() && steady_clock::now() < deadline)
        std::this_thread::sleep_for (milliseconds (20));

    if (! connected())
    {
        jack_client_close (client);
        return 1;
    }

    // Let the connections carry audio for a moment before the first segment.
    std::this_thread::sleep_for (milliseconds (300));
    probe.running = true;

    const long total = (long) probe.recording.size();

    while (probe.recorded.load (std::memory_order_acquire) < total && steady_clock::now() < deadline + seconds (60))
        std::this_thread::sleep_for (milliseconds (20));

    jack_deactivate (client);
    jack_client_close (client);

    for (size_t s = 0; s <= probe.changes.size(); ++s)
    {
        const long from = (long) s * probe.segmentFrames + probe.segmentFrames / 2;
        const long to = (long) (s + 1) * probe.segmentFrames;
        double sum = 0.0;

        for (long f = from; f < to; ++f)
            sum += (double) probe.recording[(size_t) f] * probe.recording[(size_t) f];

        std::printf ("%.5f\n", std::sqrt (sum / (double) (to - from)));
    }

    return probe.recorded.load() < total ? 1 : 0;
}
