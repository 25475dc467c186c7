// The parameters as hosts read them: kinds, step counts, text both ways, the
// host's bypass, the tail, and states saved by earlier builds.
#include "TestHelpers.h"

#include <cmath>

using namespace tessaline::test;

namespace
{
    juce::RangedAudioParameter& param (VornicAudioProcessor& p, const char* id)
    {
        auto* found = p.parameters.getParameter (id);
        EXPECT_NE (found, nullptr) << id;
        return *found;
    }

    juce::String textOf (juce::RangedAudioParameter& prm, float realValue)
    {
        return prm.getText (prm.convertTo0to1 (realValue), 1024);
    }

    float realFromText (juce::RangedAudioParameter& prm, const juce::String& text)
    {
        return prm.convertFrom0to1 (prm.getValueForText (text));
    }
}

TEST (Parameters, KindsAndStepCountsAsHostsReadThem)
{
    // Continuous parameters report JUCE's default step count: hosts move them freely.
    constexpr int continuous = 0x7fffffff;
    struct Kind { const char* id; bool discrete, boolean; int steps; float defaultReal; };
    const Kind kinds[] = {
        { "typeOfFilter", true, false, 3, 2.0f },          { "filterRange", false, false, continuous, 0.5f },
        { "resonance", false, false, continuous, 0.5f },          { "smoother", false, false, continuous, 0.5f },
        { "quantize", true, false, 11, 7.0f },             { "sequenceSize", true, false, 63, 32.0f },
        { "byPassButton", true, true, 2, 1.0f },           { "infinityButton", true, true, 2, 0.0f },
        { "numbersBeforeInfinity", true, false, 64, 1.0f }, { "dryWet", false, false, continuous, 1.0f },
        { "direction", true, false, 3, 0.0f },             { "collapse", true, true, 2, 0.0f },
    };

    VornicAudioProcessor p;
    ASSERT_EQ (p.getParameters().size(), (int) std::size (kinds));

    for (size_t i = 0; i < std::size (kinds); ++i)
    {
        const auto& k = kinds[i];
        auto& prm = param (p, k.id);
        EXPECT_EQ (prm.getParameterIndex(), (int) i) << k.id;   // the order of the state's children
        EXPECT_EQ (prm.isDiscrete(), k.discrete) << k.id;
        EXPECT_EQ (prm.isBoolean(), k.boolean) << k.id;
        EXPECT_EQ (prm.getNumSteps(), k.steps) << k.id;
        EXPECT_EQ (prm.getLabel(), "") << k.id;
        EXPECT_FLOAT_EQ (prm.convertFrom0to1 (prm.getDefaultValue()), k.defaultReal) << k.id;
        EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue (k.id)->load(), k.defaultReal) << k.id;
        EXPECT_EQ (prm.getAllValueStrings().size(), k.discrete ? k.steps : 0) << k.id;
    }

    EXPECT_NE (dynamic_cast<juce::AudioParameterInt*> (&param (p, "byPassButton")), nullptr);
    EXPECT_NE (dynamic_cast<juce::AudioParameterInt*> (&param (p, "quantize")), nullptr);
    EXPECT_NE (dynamic_cast<juce::AudioParameterFloat*> (&param (p, "dryWet")), nullptr);
}

TEST (Parameters, EveryValueShowsATextThatReadsBackAsTheSameValue)
{
    struct Case { const char* id; float real; const char* text; };
    const Case cases[] = {
        { "typeOfFilter", 0, "High-pass" }, { "typeOfFilter", 1, "Band-pass" }, { "typeOfFilter", 2, "Low-pass" },
        { "quantize", 1, "1/2" },   { "quantize", 2, "1/2T" },  { "quantize", 3, "1/4" },   { "quantize", 4, "1/4T" },
        { "quantize", 5, "1/8" },   { "quantize", 6, "1/8T" },  { "quantize", 7, "1/16" },  { "quantize", 8, "1/16T" },
        { "quantize", 9, "1/32" },  { "quantize", 10, "1/32T" }, { "quantize", 11, "1/64" },
        { "direction", 0, "Forward" }, { "direction", 1, "Ping-pong" }, { "direction", 2, "Backward" },
        { "byPassButton", 1, "Off" }, { "byPassButton", 0, "On" },
        { "infinityButton", 0, "Off" }, { "infinityButton", 1, "On" },
        { "collapse", 0, "Off" }, { "collapse", 1, "On" },
        { "sequenceSize", 2, "2 steps" }, { "sequenceSize", 64, "64 steps" },
        { "numbersBeforeInfinity", 1, "1 loop" }, { "numbersBeforeInfinity", 17, "17 loops" },
        { "filterRange", 0.0f, "0 %" }, { "filterRange", 0.73f, "73 %" }, { "resonance", 1.0f, "100 %" },
        { "smoother", 0.05f, "5 %" }, { "dryWet", 0.5f, "50 %" },
    };

    VornicAudioProcessor p;
    for (const auto& c : cases)
    {
        auto& prm = param (p, c.id);
        EXPECT_EQ (textOf (prm, c.real), c.text) << c.id << " " << c.real;
        EXPECT_FLOAT_EQ (realFromText (prm, c.text), c.real) << c.id << " " << c.text;
    }

    // Every step of every discrete parameter has a text of its own, read back as itself.
    for (auto* prm : p.getParameters())
    {
        if (! prm->isDiscrete())
            continue;

        juce::StringArray seen;
        const int steps = prm->getNumSteps();
        for (int i = 0; i < steps; ++i)
        {
            const float normalised = (float) i / (float) (steps - 1);
            const auto text = prm->getText (normalised, 1024);
            EXPECT_FALSE (seen.contains (text)) << prm->getName (100) << " " << text;
            seen.add (text);
            EXPECT_FLOAT_EQ (prm->getValueForText (text), normalised) << prm->getName (100) << " " << text;
        }
    }
}

TEST (Parameters, TypedTextIsReadForgivinglyAndSafely)
{
    struct Case { const char* id; const char* typed; float real; };
    const Case cases[] = {
        { "typeOfFilter", "low pass", 2 },  { "typeOfFilter", "BAND", 1 },   { "typeOfFilter", "0", 0 },
        { "typeOfFilter", "7", 2 },         { "typeOfFilter", "whatever", 2 },
        { "quantize", "1/16t", 8 },         { "quantize", " 1/64 ", 11 },    { "quantize", "3", 3 },
        { "quantize", "1/", 7 },            // names no label alone
        { "direction", "ping", 1 },         { "direction", "back", 2 },       { "direction", "pingpong", 1 },
        { "byPassButton", "on", 0 },        { "byPassButton", "OFF", 1 },     { "byPassButton", "1", 1 },
        { "byPassButton", "maybe", 1 },     { "infinityButton", "yes", 1 },   { "collapse", "false", 0 },
        { "sequenceSize", "12", 12 },       { "sequenceSize", "999 steps", 64 }, { "sequenceSize", "1", 2 },
        { "sequenceSize", "many", 32 },     { "numbersBeforeInfinity", "4 loops", 4 },
        { "dryWet", "25%", 0.25f },         { "dryWet", "120 %", 1.0f },       { "dryWet", "-3", 0.0f },
        { "dryWet", "half", 1.0f },         { "resonance", "33.3 %", 0.33f },  { "filterRange", "", 0.5f },
    };

    VornicAudioProcessor p;
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ (realFromText (param (p, c.id), c.typed), c.real) << c.id << " '" << c.typed << "'";
}

TEST (Parameters, AStateSavedByTheFirstReleaseRestoresTheSameValuesAndSequence)
{
    const auto blobFile = juce::File (TESSALINE_FIXTURES_DIR).getChildFile ("state-1.0.0.bin");
    juce::MemoryBlock blob;
    ASSERT_TRUE (blobFile.loadFileAsData (blob)) << blobFile.getFullPathName();

    VornicAudioProcessor p;
    p.setStateInformation (blob.getData(), (int) blob.getSize());

    struct Expected { const char* id; float real; const char* text; };
    const Expected expected[] = {
        { "typeOfFilter", 1, "Band-pass" }, { "filterRange", 0.73f, "73 %" }, { "resonance", 0.86f, "86 %" },
        { "smoother", 0.12f, "12 %" },      { "quantize", 4, "1/4T" },        { "sequenceSize", 24, "24 steps" },
        { "byPassButton", 0, "On" },        { "infinityButton", 1, "On" },    { "numbersBeforeInfinity", 5, "5 loops" },
        { "dryWet", 0.64f, "64 %" },        { "direction", 1, "Ping-pong" },  { "collapse", 1, "On" },
    };
    for (const auto& e : expected)
    {
        EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue (e.id)->load(), e.real) << e.id;
        EXPECT_EQ (param (p, e.id).getCurrentValueAsText(), e.text) << e.id;
    }

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_FLOAT_EQ (p.faderMirror (i), (float) ((i * 37) % 64) / 63.0f) << i;
        EXPECT_EQ (p.dotMirror (i), i % 5 == 2) << i;
        EXPECT_EQ ((bool) p.parameters.state["lock" + juce::String (i)], i % 7 == 0) << i;
    }
    EXPECT_EQ (p.loopRangeMin.load(), 3);
    EXPECT_EQ (p.loopRangeMax.load(), 21);
    EXPECT_EQ (p.channelSelectorMirror(), 4);
    EXPECT_TRUE (p.parameters.state.getChildWithName ("Sweep").isValid());

    // Saved again, the parameters are stored with the same real values.
    juce::MemoryBlock again;
    p.getStateInformation (again);
    const auto xml = juce::AudioProcessor::getXmlFromBinary (again.getData(), (int) again.getSize());
    ASSERT_NE (xml, nullptr);
    for (const auto& e : expected)
    {
        const auto* child = xml->getChildByAttribute ("id", e.id);
        ASSERT_NE (child, nullptr) << e.id;
        EXPECT_FLOAT_EQ ((float) child->getDoubleAttribute ("value"), e.real) << e.id;
    }
}

TEST (Parameters, TheHostsBypassIsTheEffectsOwnSwitch)
{
    VornicAudioProcessor p;
    auto* bypass = p.getBypassParameter();
    ASSERT_EQ (bypass, p.parameters.getParameter ("byPassButton"));

    // Hosts bypass with the normalised value 1; the stored switch then reads 0.
    EXPECT_FLOAT_EQ (bypass->getDefaultValue(), 0.0f);
    EXPECT_FLOAT_EQ (bypass->getValue(), 0.0f);
    bypass->setValueNotifyingHost (1.0f);
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("byPassButton")->load(), 0.0f);
    bypass->setValueNotifyingHost (0.0f);
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("byPassButton")->load(), 1.0f);

    // The switch decides what is heard: a low-pass at 50 Hz silences 5 kHz, so
    // the dry signal is easy to tell. The change ramps over one block.
    constexpr int block = 256;
    setParam (p, "smoother", 0.0f);
    setParam (p, "filterRange", 0.5f);
    p.prepareToPlay (48000.0, block);
    p.parameters.state.setProperty ("fader2", 1.0, nullptr);
    p.currentStep = 2;

    juce::MidiBuffer midi;
    int64_t phase = 0;
    auto render = [&]
    {
        juce::AudioBuffer<float> b (2, block);
        for (int i = 0; i < block; ++i, ++phase)
            for (int ch = 0; ch < 2; ++ch)
                b.setSample (ch, i, (float) std::sin (juce::MathConstants<double>::twoPi * 5000.0 * (double) phase / 48000.0));
        const auto input = b;
        p.processBlock (b, midi);
        float worst = 0.0f, level = 0.0f, step = 0.0f, previous = b.getSample (0, 0);
        for (int i = 0; i < block; ++i)
        {
            worst = juce::jmax (worst, std::abs (b.getSample (0, i) - input.getSample (0, i)));
            level = juce::jmax (level, std::abs (b.getSample (0, i)));
            step = juce::jmax (step, std::abs (b.getSample (0, i) - previous));
            previous = b.getSample (0, i);
        }
        return std::make_tuple (worst, level, step);
    };

    for (int n = 0; n < 20; ++n)
        render();
    EXPECT_LT (std::get<1> (render()), 0.01f);            // filtered

    bypass->setValueNotifyingHost (1.0f);                 // the host's bypass button
    const auto [rampDiff, rampLevel, rampStep] = render();
    EXPECT_LT (rampStep, 0.7f);                           // no jump: a 5 kHz sine moves 0.6 per sample at most
    EXPECT_LT (std::get<2> (render()), 0.7f);             // nor in the rest of the fade

    for (int n = 0; n < 4; ++n)                           // the fade takes a few blocks
        render();
    EXPECT_LT (std::get<0> (render()), 1.0e-6f);          // then the dry signal, untouched

    // The editor's momentary bypass-across clears effectOn while the switch is on;
    // a switch turned on later (with no editor to follow it) is heard all the same.
    p.effectOn = false;
    bypass->setValueNotifyingHost (0.0f);
    for (int n = 0; n < 4; ++n)
        render();
    EXPECT_LT (std::get<1> (render()), 0.01f);
    EXPECT_TRUE (p.effectOn.load());
    juce::ignoreUnused (rampDiff, rampLevel);
}

TEST (Parameters, TheTailCoversTheRingAtTheLowestCutoff)
{
    // An impulse through the low-pass with a step that closes it to 50 Hz: the
    // ring must have fallen by 100 dB within the reported tail.
    for (const float resonance : { 0.0f, 0.5f, 1.0f })
    {
        VornicAudioProcessor p;
        constexpr double rate = 48000.0;
        constexpr int block = 480;
        setParam (p, "smoother", 0.0f);
        setParam (p, "resonance", resonance);
        p.prepareToPlay (rate, block);
        p.parameters.state.setProperty ("fader0", 1.0, nullptr);
        p.currentStep = 0;

        juce::MidiBuffer midi;
        juce::AudioBuffer<float> b (2, block);
        for (int n = 0; n < 4; ++n)                    // settle the cutoff and the mix ramps
        {
            b.clear();
            p.processBlock (b, midi);
        }

        const double tail = p.getTailLengthSeconds();
        float peak = 0.0f, lastAudible = 0.0f;
        const int blocks = (int) std::ceil (3.0 * tail * rate / block) + 2;
        for (int n = 0; n < blocks; ++n)
        {
            b.clear();
            if (n == 0)
                b.setSample (0, 0, 1.0f);
            p.processBlock (b, midi);
            for (int i = 0; i < block; ++i)
            {
                const float v = std::abs (b.getSample (0, i));
                peak = juce::jmax (peak, v);
                if (v > 0.0f && v >= peak * 1.0e-5f)
                    lastAudible = (float) (n * block + i) / (float) rate;
            }
        }

        EXPECT_GT (peak, 0.0f) << resonance;
        EXPECT_LE (lastAudible, tail) << "resonance " << resonance;
        EXPECT_GT (lastAudible, tail * 0.3) << "resonance " << resonance;   // and not far beyond it
    }

    // The high- and band-pass never go below 500 Hz: their tails are shorter.
    VornicAudioProcessor p;
    setParam (p, "resonance", 1.0f);
    const double lowPass = p.getTailLengthSeconds();
    setParam (p, "typeOfFilter", 0.0f);
    EXPECT_LT (p.getTailLengthSeconds(), lowPass);
    EXPECT_GT (p.getTailLengthSeconds(), 0.0);
}

