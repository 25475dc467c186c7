#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The dice: a button on a hexagonal plate. The editor handles its click
    (new random values for every unlocked fader) and paints its shadow. */
class QBDice : public juce::Component
{
public:
    QBDice();
    ~QBDice() override;

    void resized() override;

    std::unique_ptr<juce::DrawableButton> diceButton;
    std::unique_ptr<juce::DrawableButton> diceBackground;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBDice)
};
