// Writes the fuzzers' seed corpus: state blobs and settings files made by the
// processor and the application's own code, fresh and edited as a user would.
// Usage: tessaline_fuzz_seeds <folder>; writes <folder>/state and <folder>/settings.

#include "PluginProcessor.h"
#include "QBStandalonePluginHolder.h"

namespace
{
    /** A processor with a drawn sequence, locks and dots, a loop, CC numbers and two presets. */
    void edit (VornicAudioProcessor& p)
    {
        auto& state = p.parameters.state;

        for (int i = 0; i < 64; ++i)
        {
            state.setProperty ("fader" + juce::String (i), (i * 7 % 64) / 63.0, nullptr);
            state.setProperty ("lock" + juce::String (i), i % 5 == 0, nullptr);
            state.setProperty ("dots" + juce::String (i), i % 3 == 0, nullptr);
        }

        state.setProperty ("LoopRangeMin", 4, nullptr);
        state.setProperty ("LoopRangeMax", 20, nullptr);
        state.setProperty ("comboChannelChangeSelector", 3, nullptr);

        for (int k = 0; k < 34; ++k)
            state.setProperty ("CCstates" + juce::String (k), 20 + k, nullptr);

        for (const auto* name : { "Warm sweep", "Gate 16" })
        {
            juce::ValueTree preset { juce::Identifier (juce::String (name).replaceCharacter (' ', '_')) };
            preset.copyPropertiesFrom (state, nullptr);
            state.appendChild (preset, nullptr);
        }

        for (auto* param : p.getParameters())
            param->setValueNotifyingHost (0.3f);
    }
}

int main (int argc, char** argv)
{
    if (argc < 2)
        return 2;

    juce::ScopedJuceInitialiser_GUI juce;
    const auto out = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    const auto stateFolder = out.getChildFile ("state"), settingsFolder = out.getChildFile ("settings");
    stateFolder.createDirectory();
    settingsFolder.createDirectory();

    for (const bool edited : { false, true })
    {
        VornicAudioProcessor p;

        if (edited)
            edit (p);

        const auto name = juce::String (edited ? "edited" : "fresh");

        juce::MemoryBlock blob;
        p.getStateInformation (blob);
        stateFolder.getChildFile (name + ".state").replaceWithData (blob.getData(), blob.getSize());

        juce::PropertiesFile::Options options;
        options.storageFormat = juce::PropertiesFile::storeAsXML;
        options.millisecondsBeforeSaving = -1;
        juce::PropertiesFile settings (settingsFolder.getChildFile (name + ".settings"), options);

        QBStandalonePluginHolder::storeProcessorState (settings, p);
        settings.setValue ("shouldMuteInput", ! edited);
        settings.setValue ("windowX", edited ? 140 : -100);
        settings.setValue ("windowY", edited ? 90 : -100);

        if (edited)
        {
            juce::XmlElement setup ("DEVICESETUP");
            setup.setAttribute ("deviceType", "ALSA");
            setup.setAttribute ("audioOutputDeviceName", "default");
            setup.setAttribute ("audioInputDeviceName", "default");
            setup.setAttribute ("audioDeviceRate", 48000.0);
            setup.setAttribute ("audioDeviceBufSize", 256);
            settings.setValue ("audioSetup", &setup);
        }

        if (! settings.save())
            return 1;
    }

    return 0;
}
