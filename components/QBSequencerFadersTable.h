#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

#include "FaderToPaint.h"

/** The row of 64 step faders. A gesture that starts on any fader is drawn
    across all of them: the table listens to every fader's mouse and applies the
    pointer's position to whichever faders lie under it. In lock mode the same
    gestures paint locks instead of values. The values stay on screen until the
    gesture ends; the listeners then take them (into the state tree). */
class QBSequencerFadersTable : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** A gesture on the table has ended. */
        virtual void clickUpAndDownOnTheComponent() = 0;
    };

    static constexpr int numFaders = 64;

    QBSequencerFadersTable();
    ~QBSequencerFadersTable() override;

    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    /** Applies the current pointer position to the faders under it. */
    void mousePosition();

    /** Switches lock mode for the table and every fader. */
    void setLockMode (bool shouldPaintLocks);

    void addListener (Listener* l)     { listeners.add (l); }
    void removeListener (Listener* l)  { listeners.remove (l); }

    /** The lock state a lock-mode gesture paints. */
    bool lockPaintValue = false;

    /** Step 0 first; always 64. */
    std::vector<std::unique_ptr<FaderToPaint>> faders;

    bool lockMode = false;

    /** How many faders share the width (the sequence length). */
    int numVisible = 64;

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSequencerFadersTable)
};
