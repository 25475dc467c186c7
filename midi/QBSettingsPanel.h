#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

#include "QBMidiCCComponent.h"
#include "QBSettingsLAF.h"

/** The settings panel of the desktop application: the title, a close button,
    the audio and MIDI device selector of the application's device manager and
    the MIDI CC mapping list. */
class QBSettingsPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void clickOnSettingsPanelToClose() = 0;
    };

    /** Finds the application's device manager through its main window; without
        one (no such window on the desktop) the panel has no device selector. */
    QBSettingsPanel();
    ~QBSettingsPanel() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    /** The device manager of the application's main window, or null. */
    static juce::AudioDeviceManager* findApplicationDeviceManager();

    QBSettingsLAF settingsLaf;
    QBMidiCCComponent midiCC { true };
    juce::Label title { {}, "Settings" };
    juce::DrawableButton closeButton { "CloseSettingsWindowButton", juce::DrawableButton::ImageFitted };
    std::unique_ptr<juce::AudioDeviceSelectorComponent> deviceSelector;

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBSettingsPanel)
};
