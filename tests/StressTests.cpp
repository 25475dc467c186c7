#include "TestHelpers.h"

#include <thread>

using namespace tessaline::test;

// One thread plays blocks without pause, as an audio device would, while the
// message thread edits everything the audio path reads. Built with
// ThreadSanitizer by `make tsan`, this is the proof that the two never race.
TEST (Stress, AudioThreadRunsWhileTheMessageThreadEditsAndRestores)
{
    VornicAudioProcessor p;
    p.prepareToPlay (48000.0, 128);

    RecordingListener listener;
    p.listeners.add (&listener);

    const auto savedState = [&]
    {
        VornicAudioProcessor other;
        for (int i = 0; i < 64; ++i)
            other.parameters.state.setProperty ("fader" + juce::String (i), (i % 7) / 7.0, nullptr);
        other.parameters.state.setProperty ("LoopRangeMin", 2, nullptr);
        other.parameters.state.setProperty ("LoopRangeMax", 12, nullptr);
        other.parameters.state.setProperty ("comboChannelChangeSelector", 1, nullptr);
        juce::MemoryBlock block;
        other.getStateInformation (block);
        return block;
    }();

    struct Head : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return info; }
        PositionInfo info;
    } head;
    head.info.setIsPlaying (true);
    head.info.setBpm (140.0);
    p.setPlayHead (&head);

    std::atomic<bool> stop { false };
    std::atomic<long> blocks { 0 };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 128);
        juce::MidiBuffer midi;
        midi.ensureSize (256);
        juce::Random random (1);
        double ppq = 0.0;

        while (! stop.load())
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 128; ++i)
                    buffer.setSample (ch, i, random.nextFloat() - 0.5f);

            midi.clear();
            midi.addEvent (juce::MidiMessage::controllerEvent (1 + random.nextInt (16), 1 + random.nextInt (34),
                                                               random.nextBool() ? 127 : random.nextInt (128)), 0);
            head.info.setPpqPosition (ppq);
            head.info.setIsPlaying ((blocks.load() / 500) % 4 != 3);
            ppq += 128.0 / 48000.0 * 140.0 / 60.0;

            p.processBlock (buffer, midi);
            blocks.fetch_add (1);
        }
    });

    juce::Random random (2);
    auto& state = p.parameters.state;

    for (int round = 0; round < 4000; ++round)
    {
        const int step = random.nextInt (64);

        p.undoManager.beginNewTransaction();
        state.setProperty ("fader" + juce::String (step), random.nextDouble(), &p.undoManager);
        state.setProperty ("dots" + juce::String (step), random.nextBool(), &p.undoManager);
        state.setProperty ("CCstates" + juce::String (random.nextInt (34)), random.nextInt (128), nullptr);
        state.setProperty ("comboChannelChangeSelector", random.nextInt (18), nullptr);

        if (round % 7 == 0)
            p.undoManager.undo();
        if (round % 11 == 0)
            p.undoManager.redo();
        if (round % 50 == 0)
            p.setStateInformation (savedState.getData(), (int) savedState.getSize());

        setParam (p, "typeOfFilter", (float) random.nextInt (3));
        setParam (p, "direction", (float) random.nextInt (3));
        setParam (p, "infinityButton", (float) random.nextInt (2));
        setParam (p, "dryWet", random.nextFloat());

        p.loopRangeMin = random.nextInt (20);
        p.loopRangeMax = random.nextInt (64);
        p.nextStep = p.currentStep.load();
        p.effectOn = random.nextBool();
        p.editorIsOpen = random.nextBool();
        p.infinityCounter = 0;

        if (round % 10 == 0)
            pumpFor (1);                                 // deliver notices, reloads and randomisations
    }

    // Let the audio thread run a little more against the last edits.
    const long target = blocks.load() + 200;
    while (blocks.load() < target)
        std::this_thread::yield();

    stop = true;
    audio.join();
    p.setPlayHead (nullptr);
    p.deliverPendingNotices();
    p.listeners.remove (&listener);

    EXPECT_GT (blocks.load(), 200);
    EXPECT_FALSE (listener.steps.empty());
    for (int s : listener.steps)
        EXPECT_TRUE (s >= -1 && s < 64) << s;
}

// A host may save the project on one thread while it restores a state on
// another: every saved blob is one whole state, the old one or the new one.
// Under ThreadSanitizer this also proves that the two never race.
TEST (Stress, SavingOnOneThreadWhileRestoringOnAnother)
{
    VornicAudioProcessor p;

    const auto stateWithFaders = [] (double value)
    {
        VornicAudioProcessor other;
        for (int i = 0; i < 64; ++i)
            other.parameters.state.setProperty ("fader" + juce::String (i), value, nullptr);
        juce::MemoryBlock block;
        other.getStateInformation (block);
        return block;
    };
    const juce::MemoryBlock states[] = { stateWithFaders (0.25), stateWithFaders (0.75) };

    std::atomic<bool> stop { false };
    std::atomic<int> saves { 0 }, mixed { 0 };

    std::thread host ([&]
    {
        while (! stop.load())
        {
            juce::MemoryBlock saved;
            p.getStateInformation (saved);
            const auto xml = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());

            if (xml == nullptr)
            {
                mixed.fetch_add (1);
                continue;
            }

            const auto first = xml->getDoubleAttribute ("fader0");
            for (int i = 1; i < 64; ++i)
                if (xml->getDoubleAttribute ("fader" + juce::String (i)) != first)
                    mixed.fetch_add (1);

            saves.fetch_add (1);
        }
    });

    for (int round = 0; round < 400 || saves.load() < 50; ++round)
    {
        const auto& blob = states[round % 2];
        p.setStateInformation (blob.getData(), (int) blob.getSize());
    }

    stop = true;
    host.join();
    EXPECT_EQ (mixed.load(), 0);
}
