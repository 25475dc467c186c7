#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One step's dot under the step table: yellow while the step is filtered,
    dark while it is dotted (the dry signal passes alone). The row that owns it
    (QBDotsComponent) interprets the gestures. */
class Dot : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    /** Set on mouse down; the row reads it to decide what a gesture paints. */
    bool pressed = true;

    /** The step lets the dry signal through alone. */
    bool dotted = true;

    /** Inside the loop range; drawn dimmed when not. */
    bool active = true;

    /** The step's fader is locked: gestures and clearing leave the dot alone. */
    bool stepLocked = false;

    juce::DropShadow shadow { juce::Colour (0x90000000), 4, { 0, 0 } };
};
