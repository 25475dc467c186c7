#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** An invisible cover laid over a header control inside a plugin host, where the
    host owns the tempo: it paints nothing and takes the control's mouse clicks. */
class EmptyCompToBlockTempo : public juce::Component
{
public:
    EmptyCompToBlockTempo() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EmptyCompToBlockTempo)
};
