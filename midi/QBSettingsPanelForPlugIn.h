#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBMidiCCComponent.h"
#include "QBSlideState.h"

/** The settings panel inside a host: the title, a close button and the MIDI CC
    mapping list. It carries the slide state of whichever settings panel the
    editor uses. */
class QBSettingsPanelForPlugIn : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void clickOnSettingsPanelToClosePlugIn() = 0;
    };

    QBSettingsPanelForPlugIn();
    ~QBSettingsPanelForPlugIn() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    QBMidiCCComponent midiCC { false };
    juce::Label title { {}, "Settings" };
    juce::DrawableButton closeButton { "CloseSettingsWindowButton", juce::DrawableButton::ImageFitted };

    QBSlideState slide;

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSettingsPanelForPlugIn)
};
