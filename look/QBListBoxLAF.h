#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Toggle buttons in lists: a ticked button shows a round yellow dot (grey when
    disabled); an unticked one shows nothing, not even a box outline. */
class QBListBoxLAF : public juce::LookAndFeel_V4
{
public:
    void drawTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h,
                      bool ticked, bool isEnabled,
                      bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** The dot itself, shared with the settings panel's look. */
    static void drawTickDot (juce::Graphics&, float x, float y, float h, bool ticked, bool isEnabled);
};
