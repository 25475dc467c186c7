#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The lock switch (a drag on the faders paints locks while it is on) and the
    button that clears every lock, on one pill. The editor handles both. */
class QBLockAndResetButtons : public juce::Component
{
public:
    QBLockAndResetButtons();
    ~QBLockAndResetButtons() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::DrawableButton> lockButton;
    std::unique_ptr<juce::DrawableButton> resetLocksButton;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBLockAndResetButtons)
};
