#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The button that sets every unlocked fader to 0, on a small pill. The editor
    handles its click. */
class QBResetSequenceButton : public juce::Component
{
public:
    QBResetSequenceButton();
    ~QBResetSequenceButton() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::DrawableButton> button;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBResetSequenceButton)
};
