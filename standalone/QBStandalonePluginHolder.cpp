#include "QBStandalonePluginHolder.h"

#include "PluginProcessor.h"
#include "QBSafeXml.h"

#include <limits>

#include <jack/jack.h>
#include <jack/transport.h>

namespace
{
    constexpr const char* audioSetupKey  = "audioSetup";
    constexpr const char* muteInputKey   = "shouldMuteInput";
    constexpr const char* filterStateKey = "filterState";
    constexpr const char* noAudioDeviceKey = "noAudioDeviceChosen";

    constexpr int midiPollPeriodMs = 500;

    /** True when the setup last chosen or restored names no audio device. */
    bool setupNamesNoAudioDevice (const juce::XmlElement* setup)
    {
        return setup != nullptr && setup->hasTagName ("DEVICESETUP")
            && setup->getStringAttribute ("audioDeviceName").isEmpty()
            && setup->getStringAttribute ("audioInputDeviceName").isEmpty()
            && setup->getStringAttribute ("audioOutputDeviceName").isEmpty();
    }
}

//==============================================================================
/** Saves the settings a short time after the processor's state tree changes.
    It listens on the message thread, where the tree is edited; the audio
    thread never touches the tree, so it is never involved. The first change
    starts the delay and later ones do not push it back, so a stream of edits
    (a drag, infinity mode) still saves every `autosaveDelayMs`. */
class QBStandalonePluginHolder::StateAutosave : private juce::ValueTree::Listener,
                                                private juce::Timer
{
public:
    /** `stateToWatch` is the parameter tree's own handle, which follows a restore. */
    StateAutosave (QBStandalonePluginHolder& h, juce::ValueTree& stateToWatch)
        : holder (h), state (stateToWatch)
    {
        state.addListener (this);
    }

    ~StateAutosave() override
    {
        state.removeListener (this);
        stopTimer();
    }

private:
    void changed()
    {
        if (! isTimerRunning())
            startTimer (autosaveDelayMs);
    }

    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { changed(); }
    void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override { changed(); }
    void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override { changed(); }
    void valueTreeChildOrderChanged (juce::ValueTree&, int, int) override { changed(); }
    void valueTreeRedirected (juce::ValueTree&) override { changed(); }

    void timerCallback() override
    {
        stopTimer();
        holder.saveSettingsNow();
    }

    QBStandalonePluginHolder& holder;
    juce::ValueTree& state;
};

//==============================================================================
QBStandalonePluginHolder::QBStandalonePluginHolder (juce::PropertySet* settingsToUse,
                                                    bool takeOwnershipOfSettings,
                                                    const juce::String& preferredDefaultDeviceName,
                                                    const juce::AudioDeviceManager::AudioDeviceSetup* preferredSetupOptions,
                                                    const juce::Array<PluginInOuts>& channels)
    : settings (settingsToUse, takeOwnershipOfSettings),
      channelConfiguration (channels),
      shouldMuteInput (true)
{
    if (preferredSetupOptions != nullptr)
        options = std::make_unique<juce::AudioDeviceManager::AudioDeviceSetup> (*preferredSetupOptions);

    shouldMuteInput.addListener (this);

    createPlugin();
    init (getNumInputChannels() > 0, preferredDefaultDeviceName);
}

//==============================================================================
/** The JACK transport as the processor's play head, while the audio device is
    JACK's: a client of its own (no ports) asks the server for the transport
    state of the current cycle, which is safe from the audio thread. While the
    transport rolls, the processor follows its position and tempo as a plugin
    follows its host; stopped, it leaves the processor to its own clock. */
class QBStandalonePluginHolder::JackTransport : public juce::AudioPlayHead
{
public:
    JackTransport()
    {
        jack_status_t status {};
        client = jack_client_open ("Tessaline-transport", JackNoStartServer, &status);
    }

    ~JackTransport() override
    {
        if (client != nullptr)
            jack_client_close (client);
    }

    bool isOpen() const noexcept { return client != nullptr; }

    /** Called on the audio thread, once or more per cycle. */
    juce::Optional<PositionInfo> getPosition() const override
    {
        jack_position_t pos {};
        const auto state = jack_transport_query (client, &pos);
        PositionInfo info;
        info.setIsPlaying (state == JackTransportRolling);
        info.setTimeInSamples ((int64_t) pos.frame);

        if (pos.frame_rate > 0)
            info.setTimeInSeconds ((double) pos.frame / (double) pos.frame_rate);

        if ((pos.valid & JackPositionBBT) != 0 && (double) pos.beats_per_minute > 0.0 && pos.beats_per_bar > 0.0f
            && pos.frame_rate > 0)
        {
            // The bar, the beat in it and the tick give the musical position at
            // a start, a locate or a new tempo; from there it is carried forward
            // by the frames, as LV2 hosts do. (Timebase masters that add up
            // whole ticks per cycle would otherwise drift from the frames.)
            const double bpm = (double) pos.beats_per_minute;
            const bool continues = rolling && state == JackTransportRolling && bpm == anchorBpm
                                && (pos.frame == lastFrame || pos.frame == lastFrame + jack_get_buffer_size (client));

            if (! continues)
            {
                const double quarterPerBeat = pos.beat_type > 0.0f ? 4.0 / (double) pos.beat_type : 1.0;
                const double beatsBefore = (double) (pos.bar - 1) * (double) pos.beats_per_bar + (double) (pos.beat - 1)
                                         + (pos.ticks_per_beat > 0.0 ? (double) pos.tick / pos.ticks_per_beat : 0.0);
                anchorPpq = beatsBefore * quarterPerBeat;
                anchorFrame = pos.frame;
                anchorBpm = bpm;
            }

            info.setBpm (bpm);
            info.setPpqPosition (anchorPpq + (double) (pos.frame - anchorFrame) * bpm / 60.0 / (double) pos.frame_rate);
            info.setTimeSignature (TimeSignature { (int) pos.beats_per_bar, (int) pos.beat_type });
        }

        rolling = state == JackTransportRolling;
        lastFrame = pos.frame;
        return info;
    }

private:
    jack_client_t* client = nullptr;

    // Audio thread only: where the carried position was anchored.
    mutable double anchorPpq = 0.0, anchorBpm = 0.0;
    mutable jack_nframes_t anchorFrame = 0, lastFrame = 0;
    mutable bool rolling = false;
};

void QBStandalonePluginHolder::followJackTransport (juce::AudioIODevice* device)
{
    stopFollowingJackTransport();

    if (device == nullptr || device->getTypeName() != "JACK" || processor == nullptr)
        return;

    auto transport = std::make_unique<JackTransport>();

    if (! transport->isOpen())
        return;

    jackTransport = std::move (transport);
    processor->setPlayHead (jackTransport.get());
}

void QBStandalonePluginHolder::stopFollowingJackTransport()
{
    if (jackTransport == nullptr)
        return;

    if (processor != nullptr && processor->getPlayHead() == jackTransport.get())
        processor->setPlayHead (nullptr);

    jackTransport.reset();
}

QBStandalonePluginHolder::~QBStandalonePluginHolder()
{
    stopTimer();
    deletePlugin();
    shutDownAudioDevices();
    shouldMuteInput.removeListener (this);
}

//==============================================================================
void QBStandalonePluginHolder::init (bool enableAudioInput, const juce::String& preferredDefaultDeviceName)
{
    setupAudioDevices (enableAudioInput, preferredDefaultDeviceName);
    reloadPluginState();
    startAutosave();
    player.setProcessor (processor.get());

    if (autoOpenMidiDevices)
        startTimer (midiPollPeriodMs);
}

void QBStandalonePluginHolder::createPlugin()
{
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
    auto created = std::make_unique<VornicAudioProcessor>();
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);

    deletePlugin();
    processor = std::move (created);

    processor->disableNonMainBuses();
    processor->setRateAndBufferSizeDetails (44100, 512);

    processorHasPotentialFeedbackLoop = getNumInputChannels() > 0 && getNumOutputChannels() > 0;
}

void QBStandalonePluginHolder::deletePlugin()
{
    // Under the player's lock: the device callback never sees a processor
    // that is being deleted.
    player.setProcessor (nullptr);
    stopAutosave();
    processor = nullptr;
}

int QBStandalonePluginHolder::getNumInputChannels() const
{
    if (processor == nullptr)
        return 0;

    return channelConfiguration.isEmpty() ? processor->getMainBusNumInputChannels()
                                          : (int) channelConfiguration[0].numIns;
}

int QBStandalonePluginHolder::getNumOutputChannels() const
{
    if (processor == nullptr)
        return 0;

    return channelConfiguration.isEmpty() ? processor->getMainBusNumOutputChannels()
                                          : (int) channelConfiguration[0].numOuts;
}

//==============================================================================
void QBStandalonePluginHolder::savePluginState()
{
    if (settings != nullptr && processor != nullptr)
        storeProcessorState (*settings, *processor);
}

void QBStandalonePluginHolder::storeProcessorState (juce::PropertySet& settingsToWrite, juce::AudioProcessor& processorToSave)
{
    juce::MemoryBlock data;
    processorToSave.getStateInformation (data);
    settingsToWrite.setValue (filterStateKey, data.toBase64Encoding());
}

bool QBStandalonePluginHolder::restoreProcessorState (const juce::PropertySet& savedSettings, VornicAudioProcessor& processorToRestore)
{
    if (! savedSettings.containsKey (filterStateKey))
        return true;

    juce::MemoryBlock data;

    if (data.fromBase64Encoding (savedSettings.getValue (filterStateKey)) && data.getSize() > 0
        && data.getSize() < (size_t) std::numeric_limits<int>::max())
    {
        const auto xml = VornicAudioProcessor::stateXmlFromBinary (data.getData(), (int) data.getSize());
        const auto stateType = processorToRestore.parameters.state.getType();

        if (xml != nullptr && xml->getTagName().equalsIgnoreCase (stateType.toString()))
        {
            processorToRestore.setStateInformation (data.getData(), (int) data.getSize());
            return true;
        }
    }

    return false;
}

void QBStandalonePluginHolder::saveSettingsNow()
{
    savePluginState();

    if (auto* file = dynamic_cast<juce::PropertiesFile*> (settings.get()))
        file->saveIfNeeded();
}

void QBStandalonePluginHolder::startAutosave()
{
    if (settings != nullptr)
        if (auto* p = dynamic_cast<VornicAudioProcessor*> (processor.get()))
            autosave = std::make_unique<StateAutosave> (*this, p->parameters.state);
}

void QBStandalonePluginHolder::stopAutosave()
{
    autosave = nullptr;
}

void QBStandalonePluginHolder::reloadPluginState()
{
    // The caller must learn that a saved state was lost, so that it can keep the settings file.
    if (settings != nullptr)
        if (auto* p = dynamic_cast<VornicAudioProcessor*> (processor.get()))
            savedStateWasUnreadable = ! restoreProcessorState (*settings, *p);
}

//==============================================================================
void QBStandalonePluginHolder::setupAudioDevices (bool enableAudioInput, const juce::String& preferredDefaultDeviceName)
{
    deviceManager.addAudioCallback (this);
    deviceManager.addMidiInputDeviceCallback ({}, &player);

    std::unique_ptr<juce::XmlElement> savedSetup;

    if (settings != nullptr)
    {
        if (const auto setup = settings->getValue (audioSetupKey); QBSafeXml::canParse (setup))
            savedSetup = juce::parseXML (setup);
        shouldMuteInput.setValue (settings->getBoolValue (muteInputKey, true));
        valueChanged (shouldMuteInput);   // the audio thread's copy, before any device starts
    }

    // With no device at all this leaves the manager without a current device;
    // the window still works and a device can be chosen once one exists.
    deviceManager.initialise (enableAudioInput ? getNumInputChannels() : 0,
                              getNumOutputChannels(),
                              savedSetup.get(),
                              true,
                              preferredDefaultDeviceName,
                              options.get());

    // "<< none >>", chosen in an earlier run, stays chosen.
    noAudioDeviceChosen = settings != nullptr && settings->getBoolValue (noAudioDeviceKey, false)
                       && setupNamesNoAudioDevice (savedSetup.get());
    hadAudioDeviceAtLastPoll = deviceManager.getCurrentAudioDevice() != nullptr;
}

void QBStandalonePluginHolder::shutDownAudioDevices()
{
    if (settings != nullptr)
    {
        // The manager has a state to save only once a setup was restored or chosen.
        if (const auto xml = deviceManager.createStateXml())
            settings->setValue (audioSetupKey, xml.get());

        settings->setValue (muteInputKey, (bool) shouldMuteInput.getValue());
        settings->setValue (noAudioDeviceKey, noAudioDeviceChosen);
    }

    deviceManager.removeMidiInputDeviceCallback ({}, &player);
    deviceManager.removeAudioCallback (this);
}

void QBStandalonePluginHolder::valueChanged (juce::Value&)
{
    inputMuted.store ((bool) shouldMuteInput.getValue(), std::memory_order_relaxed);
}

//==============================================================================
void QBStandalonePluginHolder::timerCallback()
{
    // Without an audio device, look for one every two seconds and open the
    // first that appears (a sound card plugged in, a JACK server started),
    // unless the user chose "<< none >>": an open device closed with a setup
    // naming no device. A device that vanishes leaves its name in the setup.
    const bool hasAudioDevice = deviceManager.getCurrentAudioDevice() != nullptr;

    if (hasAudioDevice)
        noAudioDeviceChosen = false;
    else if (hadAudioDeviceAtLastPoll && setupNamesNoAudioDevice (deviceManager.createStateXml().get()))
        noAudioDeviceChosen = true;

    hadAudioDeviceAtLastPoll = hasAudioDevice;

    if (! hasAudioDevice && ! noAudioDeviceChosen && ++ticksWithoutAudioDevice % 4 == 0)
        openFirstAvailableAudioDevice();

    const auto available = juce::MidiInput::getAvailableDevices();

    if (available == lastMidiDevices)
        return;

    for (const auto& device : lastMidiDevices)
        if (! available.contains (device))
            deviceManager.setMidiInputDeviceEnabled (device.identifier, false);

    for (const auto& device : available)
        if (! lastMidiDevices.contains (device))
            deviceManager.setMidiInputDeviceEnabled (device.identifier, true);

    lastMidiDevices = available;
}

void QBStandalonePluginHolder::openFirstAvailableAudioDevice()
{
    for (auto* type : deviceManager.getAvailableDeviceTypes())
    {
        type->scanForDevices();

        if (type->getDeviceNames().isEmpty())
            continue;

        if (type->getTypeName() == deviceManager.getCurrentAudioDeviceType())
        {
            // Choosing the current type again changes nothing: open its default devices.
            auto setup = deviceManager.getAudioDeviceSetup();
            setup.outputDeviceName = type->getDeviceNames (false)[juce::jmax (0, type->getDefaultDeviceIndex (false))];
            setup.inputDeviceName = type->getDeviceNames (true)[juce::jmax (0, type->getDefaultDeviceIndex (true))];
            setup.useDefaultInputChannels = setup.useDefaultOutputChannels = true;
            deviceManager.setAudioDeviceSetup (setup, true);
        }
        else
        {
            deviceManager.setCurrentAudioDeviceType (type->getTypeName(), true);
        }

        if (deviceManager.getCurrentAudioDevice() != nullptr)
            return;
    }
}

//==============================================================================
void QBStandalonePluginHolder::audioDeviceIOCallbackWithContext (const float* const* inputChannelData,
                                                                 int numInputChannels,
                                                                 float* const* outputChannelData,
                                                                 int numOutputChannels,
                                                                 int numSamples,
                                                                 const juce::AudioIODeviceCallbackContext& context)
{
    // While the input is muted the player is given no input channels, and it
    // feeds the processor silence on every one of its inputs.
    const bool muted = inputMuted.load (std::memory_order_relaxed);

    player.audioDeviceIOCallbackWithContext (muted ? nullptr : inputChannelData,
                                             muted ? 0 : numInputChannels,
                                             outputChannelData, numOutputChannels, numSamples, context);
}

void QBStandalonePluginHolder::audioDeviceAboutToStart (juce::AudioIODevice* device)
{
    // Before the player starts: it installs a play head of its own only when the processor has none.
    followJackTransport (device);
    player.audioDeviceAboutToStart (device);
    player.setMidiOutput (deviceManager.getDefaultMidiOutput());
}

void QBStandalonePluginHolder::audioDeviceStopped()
{
    player.setMidiOutput (nullptr);
    player.audioDeviceStopped();
    stopFollowingJackTransport();
}
