#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Tests run on the process's main thread, which is JUCE's message thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    const int result = RUN_ALL_TESTS();
    juce::DeletedAtShutdown::deleteAll();
    return result;
}
