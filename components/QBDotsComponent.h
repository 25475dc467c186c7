#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

#include "Dot.h"

/** The row of 64 step dots. A click toggles a dot; a drag paints the new state
    onto every dot it crosses, except those of locked steps. The listeners take
    the dots (into the state tree) when the gesture ends. */
class QBDotsComponent : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** A gesture on the row has ended. */
        virtual void clickUpOnDotsComponent() = 0;
    };

    static constexpr int numDots = 64;

    QBDotsComponent();
    ~QBDotsComponent() override;

    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    /** Applies the current pointer position to the dots under it. */
    void mousePosition();

    /** Clears every dot of an unlocked step, on screen only. */
    void clearUnlockedDots();

    void addListener (Listener* l)     { listeners.add (l); }
    void removeListener (Listener* l)  { listeners.remove (l); }

    /** The state the current gesture paints. */
    bool dotPaintValue = false;

    /** Step 0 first; always 64. */
    std::vector<std::unique_ptr<Dot>> dots;

    /** How many dots share the width (the sequence length). */
    int numVisible = 64;

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBDotsComponent)
};
