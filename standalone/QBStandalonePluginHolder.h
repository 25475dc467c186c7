#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

#include <atomic>

class VornicAudioProcessor;

/** Connects the processor to the computer's audio and MIDI devices when the
    system runs as the desktop application.

    It owns the processor, the device manager and the player that runs the
    processor from the device callback. The devices open as they were last
    used; every MIDI input feeds the processor; the audio input can be muted so
    that a microphone cannot feed back into the speakers. The device state, the
    mute choice and the processor's state live in the application's settings.

    The device callbacks run on the audio device's thread, everything else on
    the message thread. The mute choice reaches the audio thread through an
    atomic copy of the mute-input value, kept by a listener on the message thread. */
class QBStandalonePluginHolder : public juce::AudioIODeviceCallback,
                                 public juce::Timer,
                                 private juce::Value::Listener
{
public:
    struct PluginInOuts
    {
        short numIns, numOuts;
    };

    /** `settingsToUse` may be null: then nothing is restored or saved. It is
        owned by the holder only when `takeOwnershipOfSettings` is true. */
    QBStandalonePluginHolder (juce::PropertySet* settingsToUse,
                              bool takeOwnershipOfSettings = false,
                              const juce::String& preferredDefaultDeviceName = {},
                              const juce::AudioDeviceManager::AudioDeviceSetup* preferredSetupOptions = nullptr,
                              const juce::Array<PluginInOuts>& channels = {});

    ~QBStandalonePluginHolder() override;

    /** Opens the devices and starts processing. */
    void init (bool enableAudioInput, const juce::String& preferredDefaultDeviceName);

    void createPlugin();
    void deletePlugin();

    /** Stores the processor's state under "filterState". */
    void savePluginState();

    /** How long after the first unsaved change of the processor's state the
        state and the settings file are saved, so that a crash or a kill loses
        at most this much. */
    static constexpr int autosaveDelayMs = 2000;

    /** Stores the processor's state and writes the settings file now, when it is one. */
    void saveSettingsNow();

    /** Stores `processor`'s state blob in `settings` under "filterState". */
    static void storeProcessorState (juce::PropertySet& settings, juce::AudioProcessor& processor);

    /** Restores `processor` from the "filterState" in `settings`. Only a blob that
        holds the processor's state tree is handed on; false when a "filterState"
        is there but is not one. */
    static bool restoreProcessorState (const juce::PropertySet& settings, VornicAudioProcessor& processor);

    /** True when a "filterState" was found at start but could not be restored. */
    bool hadUnreadableSavedState() const noexcept { return savedStateWasUnreadable; }

    /** The processor's main-bus channel counts, or those of the channel configuration when there is one. */
    int getNumInputChannels() const;
    int getNumOutputChannels() const;

    juce::OptionalScopedPointer<juce::PropertySet> settings;
    std::unique_ptr<juce::AudioProcessor> processor;
    juce::Array<PluginInOuts> channelConfiguration;

    juce::AudioDeviceManager deviceManager;
    juce::AudioProcessorPlayer player;

    bool processorHasPotentialFeedbackLoop = true;

    /** Whether the audio input is replaced by silence (a bool). */
    juce::Value shouldMuteInput;
    bool autoOpenMidiDevices = true;

    /** Polls made while no audio device was open. */
    int ticksWithoutAudioDevice = 0;

    /** The user chose no audio device ("<< none >>"): the poll opens none. */
    bool noAudioDeviceChosen = false;
    bool hadAudioDeviceAtLastPoll = false;

    void audioDeviceIOCallbackWithContext (const float* const* inputChannelData, int numInputChannels,
                                           float* const* outputChannelData, int numOutputChannels,
                                           int numSamples, const juce::AudioIODeviceCallbackContext&) override;
    void audioDeviceAboutToStart (juce::AudioIODevice*) override;
    void audioDeviceStopped() override;

    /** The device poll: enables new MIDI inputs, disables vanished ones, and
        while no audio device is open, opens the first one that appears. */
    void timerCallback() override;
    void openFirstAvailableAudioDevice();

private:
    class JackTransport;

    void valueChanged (juce::Value&) override;
    void followJackTransport (juce::AudioIODevice*);
    void stopFollowingJackTransport();

    class StateAutosave;
    void startAutosave();
    void stopAutosave();

    void setupAudioDevices (bool enableAudioInput, const juce::String& preferredDefaultDeviceName);
    void reloadPluginState();
    void shutDownAudioDevices();

    std::atomic<bool> inputMuted { true };
    juce::Array<juce::MidiDeviceInfo> lastMidiDevices;
    std::unique_ptr<juce::AudioDeviceManager::AudioDeviceSetup> options;
    bool savedStateWasUnreadable = false;
    std::unique_ptr<StateAutosave> autosave;
    std::unique_ptr<JackTransport> jackTransport;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBStandalonePluginHolder)
};
