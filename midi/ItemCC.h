#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBFastPresetComboLAF.h"
#include "QBTextButtonLAF.h"

/** One row of the MIDI CC mapping list: the action's name, a learn toggle and
    the box that chooses its controller number ("-" for none, "CC1" … "CC127";
    the item id is the number + 1). */
class ItemCC : public juce::Component
{
public:
    ItemCC();
    ~ItemCC() override;

    void resized() override;

    juce::Label label;
    juce::ComboBox numberBox;

    /** On while the row waits for a controller to learn its number from. */
    juce::TextButton learnButton { "Learn" };

private:
    /** The learn toggle shows yellow while it is on, not only while it is pressed. */
    class LearnToggleLAF : public QBTextButtonLAF
    {
    public:
        void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&,
                                   bool highlighted, bool down) override;
        void drawButtonText (juce::Graphics&, juce::TextButton&, bool highlighted, bool down) override;
    };

    QBFastPresetComboLAF laf;
    LearnToggleLAF learnLaf;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ItemCC)
};
