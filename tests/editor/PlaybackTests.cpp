#include "EditorTestHelpers.h"

#include <map>

using namespace tessaline::test;

// The standalone path end to end: faders drawn with the mouse, Play pressed,
// the clock stepping at 120 BPM, the editor highlighting each step and the
// filter following the drawn values.
TEST (StandalonePlayback, PlayMakesTheDrawnStepsAudibleOneByOne)
{
    OpenEditor e;
    Mouse mouse { *e.editor };
    auto& processor = *e.processor;
    auto& table = e.editor->fadersTable;

    // Four steps: open, closed, open, closed (the default low-pass closes as a fader rises).
    e.editor->sequenceSizeSlider.slider->setValue (4, juce::sendNotificationSync);
    ASSERT_TRUE (deliverPostedMessages());

    for (int i = 0; i < 4; ++i)
        mouse.gesture (table, { onFader (table, i, i % 2 == 0 ? 0.0f : 1.0f) });

    constexpr int blockSize = 512;
    processor.setPlayConfigDetails (2, 2, 48000.0, blockSize);
    processor.prepareToPlay (48000.0, blockSize);

    mouse.click (e.editor->playStopButton, e.editor->playStopButton.getLocalBounds().getCentre());
    ASSERT_TRUE (processor.standaloneClock.isPlaying);
    EXPECT_EQ (e.editor->playLabel.getText(), "Stop");

    juce::Random noise (1);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    std::map<int, std::vector<float>> levelsByStep;
    std::set<int> highlighted;
    int lastStep = -1, blocksInStep = 0;

    // Every step highlighted and heard a few times over; at 120 BPM in
    // sixteenths a step lasts 125 ms, so this takes about a second when idle.
    const auto heardEveryStep = [&]
    {
        if (highlighted != std::set<int> { 0, 1, 2, 3 })
            return false;

        for (int step = 0; step < 4; ++step)
            if (levelsByStep[step].size() < 6)
                return false;

        return true;
    };

    const auto giveUp = juce::Time::getMillisecondCounter() + 30000;

    while (! heardEveryStep() && juce::Time::getMillisecondCounter() < giveUp)
    {
        pumpFor (5);

        for (int ch = 0; ch < 2; ++ch)
            for (int s = 0; s < blockSize; ++s)
                buffer.setSample (ch, s, noise.nextFloat() * 2.0f - 1.0f);

        processor.processBlock (buffer, midi);

        const int step = processor.currentStep.load();
        blocksInStep = step == lastStep ? blocksInStep + 1 : 0;
        lastStep = step;

        // Let the smoothed cutoff settle before measuring a step.
        if (step >= 0 && blocksInStep >= 4)
            levelsByStep[step].push_back (buffer.getRMSLevel (0, 0, blockSize));

        for (int i = 0; i < 64; ++i)
            if (table.faders[(size_t) i]->current)
                highlighted.insert (i);
    }

    mouse.click (e.editor->playStopButton, e.editor->playStopButton.getLocalBounds().getCentre());
    EXPECT_FALSE (processor.standaloneClock.isPlaying);
    EXPECT_EQ (e.editor->playLabel.getText(), "Play");
    processor.releaseResources();

    EXPECT_EQ (highlighted, (std::set<int> { 0, 1, 2, 3 }));

    const auto mean = [] (const std::vector<float>& v)
    {
        float sum = 0.0f;
        for (auto x : v) sum += x;
        return v.empty() ? 0.0f : sum / (float) v.size();
    };

    for (int step = 0; step < 4; ++step)
        ASSERT_FALSE (levelsByStep[step].empty()) << "step " << step << " was heard";

    // Noise through the open steps (3 kHz) keeps far more energy than through the closed ones (50 Hz).
    EXPECT_GT (mean (levelsByStep[0]), 3.0f * mean (levelsByStep[1]));
    EXPECT_GT (mean (levelsByStep[2]), 3.0f * mean (levelsByStep[3]));
}
