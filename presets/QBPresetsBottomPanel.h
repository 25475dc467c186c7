#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

#include "QBFastPresetsNumberButtonBottomLAF.h"
#include "QBPresetsButtonBottomLAF.h"

/** The fast-presets bar: sixteen slots along the bottom of the window. A free
    slot shows "+", which stores the current state as a new preset and assigns
    it; an assigned slot shows its number, which loads the slot's preset. The
    numbers form one radio group, so the last loaded slot stays lit. */
class QBPresetsBottomPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void fastPresetLoadButtonWasPressed (int slot) = 0;
        virtual void fastPresetAddButtonWasPressed (int slot) = 0;
    };

    static constexpr int numSlots = 16;
    static constexpr int radioGroup = 123456;

    QBPresetsBottomPanel();
    ~QBPresetsBottomPanel() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    /** Shows slot `slot` as assigned (its number) or free (its "+"). */
    void setSlotAssigned (int slot, bool assigned);
    bool isSlotAssigned (int slot) const;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::vector<std::unique_ptr<juce::TextButton>> addButtons;
    std::vector<std::unique_ptr<juce::TextButton>> loadButtons;

private:
    QBPresetsButtonBottomLAF addLAF;
    QBFastPresetsNumberButtonBottomLAF loadLAF;
    juce::ListenerList<Listener> listeners;
    juce::DropShadow shadow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBPresetsBottomPanel)
};
