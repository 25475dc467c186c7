#include "QBStateIdentifiers.h"

QBStateIdentifiers::QBStateIdentifiers()
{
    for (int i = 0; i < numSteps; ++i)
    {
        fader[(size_t) i] = juce::Identifier ("fader" + juce::String (i));
        lock[(size_t) i]  = juce::Identifier ("lock" + juce::String (i));
        dots[(size_t) i]  = juce::Identifier ("dots" + juce::String (i));
    }

    for (int k = 0; k < numCCActions; ++k)
        ccStates[(size_t) k] = juce::Identifier ("CCstates" + juce::String (k));
}

const QBStateIdentifiers& QBStateIdentifiers::get()
{
    static const QBStateIdentifiers ids;
    return ids;
}

float QBStateIdentifiers::faderValue (const juce::var& stored) noexcept
{
    const auto f = (float) (double) stored;
    return f >= 0.0f ? juce::jmin (f, 1.0f) : 0.0f;
}
