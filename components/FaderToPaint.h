#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBColours.h"

/** One step of the sequence: a vertical bar whose height is the step's cutoff
    value. The row that owns it (QBSequencerFadersTable) interprets gestures
    that cross several faders; the fader itself only answers a press on itself. */
class FaderToPaint : public juce::Component
{
public:
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;

    /** Set by a press in lock mode; read and cleared by the table. */
    bool pressed = false;

    /** Height of the bar, 0 (empty) … 1 (full). */
    float value = 1.0f;

    juce::Colour fillColour = QBColours::sliderFilterActive;
    juce::Colour backgroundColour = QBColours::sliderBGNoBlackColour;

    /** Inside the loop range; drawn faded when not. */
    bool active = true;

    /** Mirrors the table's lock mode: a press marks the fader instead of setting it. */
    bool lockMode = true;

    /** Protected from drawing, randomising and resetting. */
    bool locked = false;

    /** This step sounds now. */
    bool current = false;

private:
    void setValueFromMouse();
};
