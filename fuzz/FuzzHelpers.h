#pragma once

#include "PluginProcessor.h"

#include <cstdio>
#include <cstdlib>

namespace tessaline::fuzz
{
    /** Two fresh processors for each input, so that every run can be repeated
        from its input alone: one takes the input, the other checks that what the
        first saves reads back. JUCE's message manager lives for the whole run. */
    struct Processors
    {
        Processors() { static auto* juce = new juce::ScopedJuceInitialiser_GUI(); juce::ignoreUnused (juce); }

        VornicAudioProcessor restored, check;
    };

    [[noreturn]] inline void fail (const char* what)
    {
        std::fprintf (stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }

    /** Whatever `p` was given, it still saves a valid state, and that state
        restores to one that saves the same bytes. */
    inline void expectItSavesAndRestoresAValidState (VornicAudioProcessor& p, VornicAudioProcessor& check)
    {
        juce::MemoryBlock saved;
        p.getStateInformation (saved);

        const auto xml = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());

        if (xml == nullptr)
            fail ("the saved state is not a state blob");

        if (! xml->hasTagName (p.parameters.state.getType().toString()))
            fail ("the saved state's root is not the state tree");

        if (p.parameters.state.getType() != juce::Identifier ("PARAMETERS"))
            fail ("the state tree changed its type");

        check.setStateInformation (saved.getData(), (int) saved.getSize());
        juce::MemoryBlock again;
        check.getStateInformation (again);

        if (again != saved)
        {
            const auto text = [] (const juce::MemoryBlock& b) { return juce::String::fromUTF8 (static_cast<const char*> (b.getData()) + 8, (int) b.getSize() - 9); };
            std::fprintf (stderr, "saved:\n%s\nread back and saved again:\n%s\n", text (saved).toRawUTF8(), text (again).toRawUTF8());
            fail ("the saved state does not read back as itself");
        }

        for (auto* param : p.getParameters())
            if (const auto v = param->getValue(); ! (v >= 0.0f && v <= 1.0f))
                fail ("a parameter is out of its range");
    }
}
