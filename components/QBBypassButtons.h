#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The bypass group: a switch that turns the effect on and off (the saved
    "byPassButton" parameter, through the editor's attachment) and a momentary
    button that inverts the switch for as long as it is held, without touching
    the parameter. Both report the effect's state to the listeners. */
class QBBypassButtons : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** The effect is to be heard (true) or only the dry signal (false). */
        virtual void acrossByPassState (bool effectOn) = 0;
    };

    QBBypassButtons();
    ~QBBypassButtons() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    void addListener (Listener* l)     { listeners.add (l); }
    void removeListener (Listener* l)  { listeners.remove (l); }

    std::unique_ptr<juce::DrawableButton> byPassSwitch;
    std::unique_ptr<juce::DrawableButton> byPassAcross;

private:
    void tell (bool effectOn);

    juce::ListenerList<Listener> listeners;
    juce::Rectangle<float> acrossBounds;

    /** Whether the last report of the across button was its press. */
    bool acrossHeld = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBBypassButtons)
};
