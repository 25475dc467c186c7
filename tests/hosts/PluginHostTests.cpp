// The built plugins in JUCE's own VST3 and LV2 hosts: what a host reads of
// them (parameters, their kinds and texts, the bypass), and that their audio
// path allocates nothing once running.
#include "TestHelpers.h"
#include "AllocationCounter.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>

using namespace tessaline::test;

namespace
{
    constexpr double rate = 48000.0;
    constexpr int block = 512;

    struct Format
    {
        const char* name;
        std::function<std::unique_ptr<juce::AudioPluginFormat>()> make;
        juce::String identifier;
        juce::String searchPath;
    };

    std::vector<Format> formats()
    {
        return {
            { "VST3", [] { return std::make_unique<juce::VST3PluginFormat>(); },
              juce::File (TESSALINE_VST3_BUNDLE).getFullPathName(), {} },
            { "LV2", [] { return std::make_unique<juce::LV2PluginFormat>(); },
              TESSALINE_LV2URI, juce::File (TESSALINE_LV2_FOLDER).getFullPathName() },
        };
    }

    class HostedPlugin : public testing::TestWithParam<Format>
    {
    protected:
        void SetUp() override
        {
            const auto& f = GetParam();
            format = f.make();

            if (f.searchPath.isNotEmpty())
                format->searchPathsForPlugins (juce::FileSearchPath (f.searchPath), false, false);

            juce::OwnedArray<juce::PluginDescription> found;
            format->findAllTypesForFile (found, f.identifier);
            ASSERT_EQ (found.size(), 1) << f.name << " plugin not found at " << f.identifier;
            description = *found[0];

            juce::String error;
            plugin = format->createInstanceFromDescription (description, rate, block, error);
            ASSERT_NE (plugin, nullptr) << error;
        }

        void TearDown() override
        {
            if (plugin != nullptr)
                plugin->releaseResources();

            plugin.reset();
            format.reset();
        }

        juce::AudioProcessorParameter* parameterNamed (const juce::String& name) const
        {
            for (auto* p : plugin->getParameters())
                if (p->getName (100) == name)
                    return p;

            return nullptr;
        }

        /** Processes a 10 kHz tone and returns the output's gain in dB over the last block. */
        float renderGainDb (int blocks)
        {
            juce::AudioBuffer<float> buffer (2, block);
            float gain = 0.0f;

            for (int n = 0; n < blocks; ++n)
            {
                for (int i = 0; i < block; ++i, ++phase)
                    for (int ch = 0; ch < 2; ++ch)
                        buffer.setSample (ch, i, 0.5f * (float) std::sin (juce::MathConstants<double>::twoPi
                                                                           * 10000.0 * (double) phase / rate));
                plugin->processBlock (buffer, midi);
                gain = buffer.getRMSLevel (0, 0, block) / (0.5f * std::sqrt (0.5f));
            }

            return 20.0f * std::log10 (juce::jmax (gain, 1.0e-6f));
        }

        std::unique_ptr<juce::AudioPluginFormat> format;
        juce::PluginDescription description;
        std::unique_ptr<juce::AudioPluginInstance> plugin;
        juce::MidiBuffer midi;
        int64_t phase = 0;
    };
}

TEST_P (HostedPlugin, ShowsItsParametersWithTheirKindsAndTexts)
{
    EXPECT_EQ (description.name, "Tessaline");

    // VST3 carries the plugin's own texts; an LV2 host reads the labels of
    // discrete values from the turtle files (tests/lv2 checks those).
    const bool ownTexts = juce::String (GetParam().name) == "VST3";

    if (ownTexts)
    {
        EXPECT_EQ (description.version, TESSALINE_PROJECT_VERSION);
        EXPECT_EQ (description.manufacturerName, "Tessaline");
    }

    struct Expected { const char* name; bool discrete; int steps; const char* text; };
    const Expected expected[] = {
        { "Type Of Filter", true, 3, "Low-pass" }, { "Filter Range", false, 0, "50 %" },
        { "Resonance", false, 0, "50 %" },         { "Smoother", false, 0, "50 %" },
        { "Quantize", true, 11, "1/16" },          { "Sequence Size", true, 63, "32 steps" },
        { "ByPass", true, 2, "Off" },              { "Infinity", true, 2, "Off" },
        { "Number Before Infinity", true, 64, "1 loop" }, { "Dry/Wet", false, 0, "100 %" },
        { "Direction", true, 3, "Forward" },       { "Collapse", true, 2, "Off" },
    };

    for (const auto& e : expected)
    {
        auto* p = parameterNamed (e.name);
        ASSERT_NE (p, nullptr) << e.name;
        EXPECT_EQ (p->isDiscrete(), e.discrete) << e.name;
        if (e.discrete)
            EXPECT_EQ (p->getNumSteps(), e.steps) << e.name;
        if (ownTexts)
            EXPECT_EQ (p->getCurrentValueAsText(), e.text) << e.name;
    }

    if (! ownTexts)
        return;

    // Text typed in the host reaches the plugin and comes back as the plugin shows it.
    auto* quantize = parameterNamed ("Quantize");
    quantize->setValueNotifyingHost (quantize->getValueForText ("1/8T"));
    renderGainDb (1);
    EXPECT_EQ (quantize->getCurrentValueAsText(), "1/8T");

    auto* type = parameterNamed ("Type Of Filter");
    EXPECT_EQ (type->getText (0.0f, 100), "High-pass");
    EXPECT_EQ (type->getText (0.5f, 100), "Band-pass");
}

TEST_P (HostedPlugin, TheHostsBypassSwitchesTheEffectAndItsParametersChangeTheSound)
{
    const bool ownTexts = juce::String (GetParam().name) == "VST3";
    plugin->enableAllBuses();
    plugin->prepareToPlay (rate, block);

    auto* bypass = plugin->getBypassParameter();
    ASSERT_NE (bypass, nullptr);

    // Stopped, the low-pass rests at 3 kHz: a 10 kHz tone is cut well down.
    const float filtered = renderGainDb (20);
    EXPECT_LT (filtered, -12.0f);

    bypass->setValueNotifyingHost (1.0f);
    EXPECT_NEAR (renderGainDb (8), 0.0f, 0.1f);
    // The plugin's own switch followed the host's: VST3 hosts see its normalised
    // value (1 bypasses), LV2 hosts its real value (0, labelled "On", bypasses).
    EXPECT_FLOAT_EQ (parameterNamed ("ByPass")->getValue(), ownTexts ? 1.0f : 0.0f);

    bypass->setValueNotifyingHost (0.0f);
    EXPECT_NEAR (renderGainDb (8), filtered, 1.0f);

    // A high-pass lets the tone through.
    auto* type = parameterNamed ("Type Of Filter");
    type->setValueNotifyingHost (0.0f);
    EXPECT_GT (renderGainDb (20), filtered + 6.0f);
}

TEST_P (HostedPlugin, ItsAudioPathAllocatesNothingPerProcessCall)
{
    plugin->enableAllBuses();
    plugin->prepareToPlay (rate, block);
    renderGainDb (8);   // first blocks may set things up

    auto* dryWet = parameterNamed ("Dry/Wet");
    auto* type = parameterNamed ("Type Of Filter");
    ASSERT_NE (dryWet, nullptr);

    juce::AudioBuffer<float> buffer (2, block);
    buffer.clear();
    // The plugin runs on this thread; the hosts' and JUCE's own threads (timers,
    // message posting) may allocate meanwhile without touching the audio path.
    const long before = tessaline::allocationCountOnThisThread();

    for (int n = 0; n < 200; ++n)
    {
        // Automation on the way: the host hands the plugin parameter changes in the block.
        if (n % 10 == 0)
        {
            dryWet->setValue ((float) (n % 100) / 100.0f);
            type->setValue ((float) (n % 3) / 2.0f);
        }

        buffer.setSample (0, 0, 1.0f);
        plugin->processBlock (buffer, midi);
    }

    EXPECT_EQ (tessaline::allocationCountOnThisThread() - before, 0) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P (Formats, HostedPlugin, testing::ValuesIn (formats()),
                          [] (const testing::TestParamInfo<Format>& info) { return std::string (info.param.name); });
