#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

#include "QBBackCirculaForButton_onlyUI.h"

/** The play-direction selector: forward, ping-pong and backward buttons on
    round plates, one of them on at a time. A hidden slider holds the direction
    (0 forward, 1 ping-pong, 2 backward) for the editor's parameter attachment;
    the buttons set the slider and the slider switches the buttons, so a click
    and an automated or MIDI-driven change look the same. */
class QBSquenceDirectionButtons : public juce::Component
{
public:
    QBSquenceDirectionButtons();
    ~QBSquenceDirectionButtons() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** The shadow one plate casts inside the group. */
    void dropShadow (juce::Rectangle<float> plate, juce::Rectangle<int> bounds, juce::Graphics&);

    std::unique_ptr<juce::Slider> directionSlider;
    std::unique_ptr<juce::DrawableButton> forwardButton;
    std::unique_ptr<juce::DrawableButton> pingPongButton;
    std::unique_ptr<juce::DrawableButton> backwardButton;

    /** Behind the forward, ping-pong and backward buttons, in that order. */
    std::array<std::unique_ptr<QBBackCirculaForButton_onlyUI>, 3> plates;

    juce::DropShadow shadow { juce::Colour (0x90000000), 4, { 0, 0 } };

private:
    /** Switches on the button of `direction`; other values do nothing. */
    void showDirection (int direction);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSquenceDirectionButtons)
};
