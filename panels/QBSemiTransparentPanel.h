#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The dark layer over the window below the header while a panel is open; a
    press on it asks the editor to close every panel. */
class QBSemiTransparentPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void clickOnTheSemiTransparentPanel() = 0;
    };

    QBSemiTransparentPanel() = default;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSemiTransparentPanel)
};
