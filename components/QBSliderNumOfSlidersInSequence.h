#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "IncDecButton.h"
#include "QBSliderNumOfSliderInSequenceLAF.h"

/** The sequence length: a number (2 … 64) that a vertical drag or typing
    changes, between two step buttons that change it by one. */
class QBSliderNumOfSlidersInSequence : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** A step button has changed the length. */
        virtual void clickIncDecSequeceSize() = 0;
    };

    QBSliderNumOfSlidersInSequence();
    ~QBSliderNumOfSlidersInSequence() override;

    void resized() override;

    void addListener (Listener* l)     { listeners.add (l); }
    void removeListener (Listener* l)  { listeners.remove (l); }

    /** The number; the editor attaches it to the sequence-size parameter. */
    std::unique_ptr<juce::Slider> slider;
    std::unique_ptr<IncDecButton> increaseButton;
    std::unique_ptr<IncDecButton> decreaseButton;

private:
    void stepBy (int delta);

    QBSliderNumOfSliderInSequenceLAF laf;
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSliderNumOfSlidersInSequence)
};
