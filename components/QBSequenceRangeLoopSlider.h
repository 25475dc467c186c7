#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "QBSequenceLengthLoopLAF.h"

/** The loop range above the step table: a two-thumb slider whose minimum is
    the first looped step and whose maximum is one past the last. The loop is
    never shorter than two steps. Listeners hear every change of the range and
    the end of every drag. */
class QBSequenceRangeLoopSlider : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void minMaxLoopValueChanged (int loopMin, int loopMax) = 0;
        virtual void mouseDragEndMinMaxLoop() = 0;
    };

    QBSequenceRangeLoopSlider();
    ~QBSequenceRangeLoopSlider() override;

    void resized() override;
    void mouseDown (const juce::MouseEvent&) override {}
    void mouseUp (const juce::MouseEvent&) override {}

    /** Keeps the loop at least two steps long, then reports the range. */
    void rangeLoopSliderChange();

    /** Limits the range to the first `n` steps; the values are clamped into it. */
    void setNumberOfSteps (int n);

    void addListener (Listener* l)     { listeners.add (l); }
    void removeListener (Listener* l)  { listeners.remove (l); }

    std::unique_ptr<juce::Slider> slider;
    int rangeMin = 0;
    int rangeMax = 16;

private:
    QBSequenceLengthLoopLAF laf;
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSequenceRangeLoopSlider)
};
