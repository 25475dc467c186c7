#include "PluginProcessor.h"
#include "QBSafeXml.h"
#include "PluginEditor.h"
#include "QBCCActions.h"
#include "QBParameterTable.h"

#include <cmath>
#include <utility>

namespace
{
    template <size_t N>
    int indexOf (const std::array<juce::Identifier, N>& ids, const juce::Identifier& id) noexcept
    {
        for (size_t i = 0; i < N; ++i)
            if (ids[i] == id)
                return (int) i;

        return -1;
    }

    using namespace QBCCActions;

}

//==============================================================================
/** Keeps the processor's atomic mirrors equal to the state tree: on every
    property change, on undo and redo (which arrive as property changes), and
    when the whole tree is replaced. Runs on whichever thread edits the tree. */
class VornicAudioProcessor::TreeMirror : private juce::ValueTree::Listener
{
public:
    // Listens on the parameter tree's own handle, which follows replaceState
    // and direct assignment (a separate handle would stay on the old tree).
    explicit TreeMirror (VornicAudioProcessor& p) : processor (p)
    {
        processor.parameters.state.addListener (this);
    }

    ~TreeMirror() override
    {
        processor.parameters.state.removeListener (this);
    }

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override
    {
        if (tree == processor.parameters.state)
            processor.syncMirrorFromProperty (property);
    }

    void valueTreeRedirected (juce::ValueTree& tree) override
    {
        if (tree == processor.parameters.state)
            processor.syncMirrorsFromTree();
    }

    VornicAudioProcessor& processor;
};

/** Drains the audio side's notices on the message thread. */
class VornicAudioProcessor::NoticeTimer : public juce::Timer
{
public:
    explicit NoticeTimer (VornicAudioProcessor& p) : processor (p) {}
    ~NoticeTimer() override { stopTimer(); }
    void timerCallback() override { processor.deliverPendingNotices(); }

private:
    VornicAudioProcessor& processor;
};

/** The reload notice after a state restore: 100 ms later, one more hop through
    the message queue, then loadAndSendTableValues() on the listeners registered
    at that moment. Owned by the processor, so it can never fire after it. */
class VornicAudioProcessor::ReloadNotifier : public juce::Timer,
                                             private juce::AsyncUpdater
{
public:
    explicit ReloadNotifier (VornicAudioProcessor& p) : processor (p) {}

    ~ReloadNotifier() override
    {
        stopTimer();
        cancelPendingUpdate();
    }

    void timerCallback() override
    {
        stopTimer();
        triggerAsyncUpdate();
    }

private:
    void handleAsyncUpdate() override
    {
        processor.listeners.call ([] (Listener& l) { l.loadAndSendTableValues(); });
    }

    VornicAudioProcessor& processor;
};

//==============================================================================
VornicAudioProcessor::VornicAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      parameters (*this, &undoManager, "PARAMETERS", createParameterLayout()),
      filterParameters (new juce::dsp::StateVariableFilter::Parameters<float>())
{
    typeOfFilterParam          = parameters.getRawParameterValue ("typeOfFilter");
    filterRangeParam           = parameters.getRawParameterValue ("filterRange");
    resonanceParam             = parameters.getRawParameterValue ("resonance");
    smootherParam              = parameters.getRawParameterValue ("smoother");
    quantizeParam              = parameters.getRawParameterValue ("quantize");
    infinityButtonParam        = parameters.getRawParameterValue ("infinityButton");
    numbersBeforeInfinityParam = parameters.getRawParameterValue ("numbersBeforeInfinity");
    dryWetParam                = parameters.getRawParameterValue ("dryWet");
    directionParam             = parameters.getRawParameterValue ("direction");
    byPassButtonParam          = parameters.getRawParameterValue ("byPassButton");

    const auto& ids = QBStateIdentifiers::get();
    parameters.state.setProperty (ids.loopRangeMin, 0, nullptr);
    parameters.state.setProperty (ids.loopRangeMax, 32, nullptr);

    syncMirrorsFromTree();
    treeMirror = std::make_unique<TreeMirror> (*this);
    noticeTimer = std::make_unique<NoticeTimer> (*this);
    reloadNotifier = std::make_unique<ReloadNotifier> (*this);

    // Registered here rather than in prepareToPlay, which runs on the audio
    // device's thread while the clock's timer may be visiting its listeners.
    standaloneClock.listeners.add (this);

    // The standalone clock runs from its timer until an audio device moves it,
    // and the window learns of its steps even before any device has opened.
    if (isStandalone())
    {
        standaloneClock.startRunning();
        ensureNoticeTimerRunning();
    }
}

VornicAudioProcessor::~VornicAudioProcessor()
{
    standaloneClock.listeners.remove (this);
    standaloneClock.stopTimer();
    reloadNotifier.reset();
    noticeTimer.reset();
    treeMirror.reset();
}

juce::AudioProcessorValueTreeState::ParameterLayout VornicAudioProcessor::createParameterLayout()
{
    return QBParameterTable::createLayout();
}

//==============================================================================
const juce::String VornicAudioProcessor::getName() const  { return "Tessaline"; }
bool VornicAudioProcessor::acceptsMidi() const             { return true; }
bool VornicAudioProcessor::producesMidi() const            { return false; }
bool VornicAudioProcessor::isMidiEffect() const            { return false; }
double VornicAudioProcessor::getTailLengthSeconds() const
{
    return QBParameterTable::tailSeconds (resonanceParam->load (std::memory_order_relaxed),
                                          (int) typeOfFilterParam->load (std::memory_order_relaxed));
}

juce::AudioProcessorParameter* VornicAudioProcessor::getBypassParameter() const
{
    return parameters.getParameter ("byPassButton");
}

int VornicAudioProcessor::getNumPrograms()                 { return 1; }
int VornicAudioProcessor::getCurrentProgram()              { return 0; }
void VornicAudioProcessor::setCurrentProgram (int)         {}
const juce::String VornicAudioProcessor::getProgramName (int) { return "Default"; }
void VornicAudioProcessor::changeProgramName (int, const juce::String&) {}
bool VornicAudioProcessor::hasEditor() const               { return true; }

juce::AudioProcessorEditor* VornicAudioProcessor::createEditor()
{
    return new VornicAudioProcessorEditor (*this);
}

bool VornicAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();

    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == out;
}

//==============================================================================
void VornicAudioProcessor::prepareToPlay (double newSampleRate, int)
{
    sampleRate = newSampleRate > 0.0 ? (float) newSampleRate : 44100.0f;
    glideReferenceFrames = QBFilterKernel::glideReferenceSeconds * (double) sampleRate;
    wetRampFrames = juce::jmax (1, juce::roundToInt (glideReferenceFrames));
    cachedSmoother = -1.0f;
    writtenType = -1;

    const int numChannels = getBus (false, 0) != nullptr ? getMainBusNumOutputChannels() : 0;

    for (auto& f : filters)
        f.reset();

    updateFilter ((int) typeOfFilterParam->load());

    filters.resize ((size_t) numChannels);

    for (auto& f : filters)
        f.reset();

    // A restart continues where the music is: the transport is read afresh.
    hostWasPlaying = false;
    standaloneWasPlaying = false;
    glideAhead = 0;

    // From now on the audio device moves the standalone clock; the tempo is kept.
    if (isStandalone())
        standaloneClock.setDrivenByAudio (true);

    ensureNoticeTimerRunning();
}

void VornicAudioProcessor::releaseResources()
{
    // Without audio the standalone clock falls back to its timer.
    standaloneClock.setDrivenByAudio (false);
}

void VornicAudioProcessor::ensureNoticeTimerRunning()
{
    if (! noticeTimer->isTimerRunning())
        noticeTimer->startTimer (10);
}

//==============================================================================
void VornicAudioProcessor::handleStepPosition (double position, bool isPlaying)
{
    stepAt (position, isPlaying, QBStepClock::Cue::none);
}

void VornicAudioProcessor::stepAt (double position, bool isPlaying, QBStepClock::Cue cue) noexcept
{
    const int loopMin = loopRangeMin.load (std::memory_order_relaxed);
    const int loopMax = loopRangeMax.load (std::memory_order_relaxed);
    const int lo = QBStepClock::playableLoop (loopMin, loopMax).first;

    advanceStepClock (position, isPlaying, loopMin, loopMax, directionParam->load (std::memory_order_relaxed), cue);

    const int step = currentStep.load (std::memory_order_relaxed);

    if (step != lastSentStep)
    {
        stepPositionToUI (step);
        lastSentStep = step;
    }

    if (! isPlaying)
        return;

    // Infinity mode: count returns to the loop start, randomise on the 1st,
    // (N+1)th, (2N+1)th … return.
    if (infinityButtonParam->load (std::memory_order_relaxed) == 0.0f || step == lastInfinityStep)
        return;

    if (step == lo)
    {
        const int count = infinityCounter.fetch_add (1, std::memory_order_relaxed);
        const int every = juce::jmax (1, (int) numbersBeforeInfinityParam->load (std::memory_order_relaxed));

        if (count % every == 0)
            generateRandomStepsInfinity();
    }

    lastInfinityStep = step;
}

void VornicAudioProcessor::stepPositionToUI (int step)
{
    pendingStep.store (step, std::memory_order_release);
}

void VornicAudioProcessor::timerClockListenerStandalone (float)
{
    // The timer moves the clock only while no audio runs; the window still shows the steps.
    if (! standaloneClock.isPlaying.load (std::memory_order_relaxed))
        return;

    const auto rate = stepsPerQuarterNote ((int) quantizeParam->load (std::memory_order_relaxed));
    handleStepPosition (standaloneClock.position.load (std::memory_order_relaxed) * rate, true);
}

//==============================================================================
float VornicAudioProcessor::glideRemainingFor (float smoother, double frames) noexcept
{
    if (smoother != cachedSmoother)
    {
        cachedSmoother = smoother;
        cachedLogPerFrame = QBFilterKernel::glideLogPerFrame (smoother, (double) sampleRate);
        cachedRunRemaining = (float) std::exp ((double) glideRun * cachedLogPerFrame);
    }

    if (frames == (double) glideRun)
        return cachedRunRemaining;

    return frames > 0.0 ? (float) std::exp (frames * cachedLogPerFrame) : 1.0f;
}

void VornicAudioProcessor::updateFilter (int step)
{
    updateFilter (step, glideReferenceFrames);
}

void VornicAudioProcessor::updateFilter (int step, double frames)
{
    using Type = juce::dsp::StateVariableFilter::Parameters<float>::Type;

    const int typeValue = (int) typeOfFilterParam->load (std::memory_order_relaxed);
    const auto type = QBFilterKernel::outputFor (typeValue);
    const float q = QBFilterKernel::qFor (resonanceParam->load (std::memory_order_relaxed));
    const float target = QBFilterKernel::targetCutoff (type, filterRangeParam->load (std::memory_order_relaxed),
                                                       faderMirror (step));

    const float remaining = glideRemainingFor (smootherParam->load (std::memory_order_relaxed), frames);
    smoothedCutoff = target + (smoothedCutoff - target) * remaining;

    if (std::abs (smoothedCutoff - target) < 1.0e-3f)
        smoothedCutoff = target;

    // Keep the cutoff well inside the band at any sample rate so the filter stays stable.
    const float cutoff = juce::jlimit (0.0f, 0.45f * sampleRate, smoothedCutoff);

    if (cutoff == writtenCutoff && q == writtenQ && (int) type == writtenType)
        return;

    writtenCutoff = cutoff;
    writtenQ = q;
    writtenType = (int) type;
    coefficients = QBFilterKernel::Coefficients::forCutoff (cutoff, q, (double) sampleRate);

    auto& p = *filterParameters;
    p.type = type == QBFilterKernel::Output::lowPass ? Type::lowPass
           : (type == QBFilterKernel::Output::bandPass ? Type::bandPass : Type::highPass);
    p.g  = coefficients.g;
    p.R2 = coefficients.R2;
    p.h  = coefficients.h;
}

//==============================================================================
VornicAudioProcessor::Transport VornicAudioProcessor::readPlayHead (juce::AudioPlayHead& head, int numSamples) noexcept
{
    const auto info = head.getPosition().orFallback (juce::AudioPlayHead::PositionInfo {});
    Transport t;

    if (const auto bpm = info.getBpm(); bpm && *bpm > 0.0)
    {
        hostBpm.store (*bpm, std::memory_order_relaxed);
        t.bpm = *bpm;
    }
    else
    {
        t.bpm = hostBpm.load (std::memory_order_relaxed);
    }

    t.drivesClock = true;
    t.playing = info.getIsPlaying();
    t.ppq = info.getPpqPosition().orFallback (0.0);

    if (! std::isfinite (t.ppq))
        t.ppq = 0.0;

    // A position other than where the frames just played left it is a jump (a
    // loop back, a locate): the step clock re-synchronises as at a start. A
    // millisecond of slack absorbs hosts' rounding and tempo ramps.
    const double quartersPerSample = t.bpm / 60.0 / (double) sampleRate;
    const double slack = juce::jmax (1.0e-9, 0.001 * (double) sampleRate * quartersPerSample);

    // The first block after a start or a re-activation is re-synchronised the same way.
    if (t.playing && (! hostWasPlaying || std::abs (t.ppq - expectedPpq) > slack))
        t.cue = QBStepClock::Cue::jump;

    hostWasPlaying = t.playing;
    expectedPpq = t.ppq + (t.playing ? (double) numSamples * quartersPerSample : 0.0);
    lastPlayedPpq = t.ppq + (t.playing ? (double) juce::jmax (0, numSamples - 1) * quartersPerSample : 0.0);
    return t;
}

VornicAudioProcessor::Transport VornicAudioProcessor::readTransport (int numSamples, double stepsPerQuarter) noexcept
{
    auto* head = getPlayHead();

    if (! isStandalone())
        return head != nullptr ? readPlayHead (*head, numSamples) : Transport {};

    // The standalone application follows an external transport (JACK's) while
    // it rolls, and its own clock otherwise. The player's own play head carries
    // no musical position and is never followed.
    if (head != nullptr)
    {
        const auto info = head->getPosition();

        if (info && info->getPpqPosition() && info->getIsPlaying())
        {
            followedExternalTransport = true;
            standaloneClock.followsExternalTransport.store (true, std::memory_order_relaxed);
            return readPlayHead (*head, numSamples);
        }
    }

    Transport stoppedExternal;

    if (std::exchange (followedExternalTransport, false))
    {
        standaloneClock.followsExternalTransport.store (false, std::memory_order_relaxed);
        // The external transport stopped: the sequence stops with it, as in a
        // host, at the last position played (so no further step sounds).
        stoppedExternal.drivesClock = true;
        stoppedExternal.ppq = lastPlayedPpq;
        hostWasPlaying = false;
        return stoppedExternal;
    }

    const bool playing = standaloneClock.isPlaying.load (std::memory_order_relaxed);
    Transport t;

    // Play resumes on a whole step, and that step sounds from the first sample.
    if (playing && ! standaloneWasPlaying)
    {
        standaloneClock.moveToNextStep (stepsPerQuarter);
        t.cue = QBStepClock::Cue::resume;
    }

    standaloneWasPlaying = playing;
    const auto block = standaloneClock.advanceWithAudio (numSamples, (double) sampleRate);

    // While the clock is stopped the step clock is left alone: the last step keeps sounding.
    t.drivesClock = playing;
    t.playing = playing;
    t.ppq = block.position;
    t.bpm = block.bpm;
    return t;
}

void VornicAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    juce::ScopedNoDenormals noDenormals;

    for (const auto event : midi)
    {
        // Channel filter: selector 1 passes everything, c + 1 passes channel c
        // only (system messages count as channel 0). Messages longer than a
        // short MIDI message are never control changes and are skipped without
        // being copied.
        if (event.numBytes <= 0 || event.numBytes > 3)
            continue;

        const int status = event.data[0];
        const int channel = (status >= 0x80 && status < 0xf0) ? (status & 0x0f) + 1 : 0;
        const int selector = channelSelectorMirror();

        if (selector == 1 || channel == selector - 1)
        {
            juce::MidiMessage message (event.data, event.numBytes, (double) event.samplePosition);
            CCMessagesToUI (message);
        }
    }

    const int numSamples = buffer.getNumSamples();

    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        if (ch < buffer.getNumChannels())
            buffer.clear (ch, 0, numSamples);

    if (isStandalone() && ! isStereo.load (std::memory_order_relaxed) && buffer.getNumChannels() >= 2)
        buffer.copyFrom (1, 0, buffer, 0, 0, numSamples);

    // The block is cut at every sample where the position enters a new step:
    // the step clock runs there and the filter takes the new step's cutoff
    // from that sample on, however many steps the block holds.
    const double rate = stepsPerQuarterNote ((int) quantizeParam->load (std::memory_order_relaxed));
    const auto transport = readTransport (numSamples, rate);
    double start = 0.0, perSample = 0.0;

    if (transport.drivesClock)
    {
        start = transport.ppq * rate;
        perSample = transport.playing ? transport.bpm / 60.0 / (double) sampleRate * rate : 0.0;
        stepAt (start, transport.playing, transport.cue);
    }

    for (int from = 0; from < numSamples;)
    {
        const int to = QBStepClock::nextStepBoundary (start, perSample, from, numSamples);
        renderSpan (buffer, from, to);

        if (to < numSamples)
            stepAt (start + to * perSample, true, QBStepClock::Cue::none);

        from = to;
    }
}

bool VornicAudioProcessor::isEffectHeard() noexcept
{
    // "byPassButton" is the switch that hosts, their automation and the editor
    // share; whenever it changes, `effectOn` follows it, as the editor's switch
    // makes it do, so a change made with the window closed is heard too. The
    // editor's momentary bypass-across clears `effectOn` alone while it is held.
    const bool switchOn = byPassButtonParam->load (std::memory_order_relaxed) >= 0.5f;

    if (switchOn != lastBypassSwitch)
    {
        lastBypassSwitch = switchOn;
        effectOn.store (switchOn, std::memory_order_relaxed);
    }

    return switchOn && effectOn.load (std::memory_order_relaxed);
}

void VornicAudioProcessor::startWetRamp (float target) noexcept
{
    wetGain = target;
    wetRampLeft = previousWetGain == target ? 0 : wetRampFrames;
    wetRampStep = (target - previousWetGain) / (float) wetRampFrames;
}

void VornicAudioProcessor::renderSpan (juce::AudioBuffer<float>& buffer, int from, int to) noexcept
{
    const int step = currentStep.load (std::memory_order_relaxed);
    const int numChannels = buffer.getNumChannels();
    const int filtered = juce::jmin (numChannels, (int) filters.size());

    while (from < to)
    {
        // Every glideRun frames, and at once for a new step: the cutoff glides
        // on, the coefficients follow, and the mix takes the step's gain.
        if (step != renderedStep || glideAhead <= 0)
        {
            updateFilter (step, (double) (glideRun - juce::jmax (0, glideAhead)));
            glideAhead = glideRun;
            renderedStep = step;

            // Whether the effect is heard for this step.
            const bool heard = isEffectHeard() && ! dotMirror (step);

            const float target = heard ? dryWetParam->load (std::memory_order_relaxed) : 0.0f;

            if (target != wetGain || (wetRampLeft == 0 && previousWetGain != target))
                startWetRamp (target);
        }

        int n = juce::jmin (to - from, glideAhead);

        if (wetRampLeft > 0)
            n = juce::jmin (n, wetRampLeft);

        const QBFilterKernel::Ramp ramp { previousWetGain, wetRampLeft > 0 ? wetRampStep : 0.0f };

        // Nothing of the filter reaches the output while the wet gain stays at 0:
        // the filter keeps running and the samples keep the dry signal.
        const bool mix = ! (previousWetGain == 0.0f && ramp.wetStep == 0.0f);
        const auto type = (QBFilterKernel::Output) writtenType;
        int ch = 0;

        for (; ch < filtered; ch += 2)
        {
            const bool pair = ch + 1 < filtered;
            float* a = buffer.getWritePointer (ch, from);
            float* b = pair ? buffer.getWritePointer (ch + 1, from) : nullptr;
            auto* states = filters.data() + ch;

            if (mix)
                QBFilterKernel::run<true> (type, a, b, n, states, coefficients, ramp);
            else
                QBFilterKernel::run<false> (type, a, b, n, states, coefficients, ramp);

            QBFilterKernel::settle (states[0]);
            if (pair)
                QBFilterKernel::settle (states[1]);
        }

        // Channels without a filter of their own get the dry gain alone.
        for (; ch < numChannels; ++ch)
            buffer.applyGainRamp (ch, from, n, 1.0f - ramp.wet, 1.0f - (ramp.wet + ramp.wetStep * (float) n));

        if (wetRampLeft > 0)
        {
            wetRampLeft -= n;
            previousWetGain = wetRampLeft > 0 ? previousWetGain + wetRampStep * (float) n : wetGain;
        }

        glideAhead -= n;
        from += n;
    }
}

//==============================================================================
void VornicAudioProcessor::generateRandomStepsInfinity()
{
    // Runs on the audio thread in a host: the tree is written later, on the
    // message thread, by deliverPendingNotices().
    pendingRandomisations.fetch_add (1, std::memory_order_acq_rel);
}

void VornicAudioProcessor::randomiseFadersInTree()
{
    const auto& ids = QBStateIdentifiers::get();
    juce::Random random;
    random.setSeedRandomly();

    undoManager.beginNewTransaction();

    for (int i = 0; i < maxSteps; ++i)
        parameters.state.setProperty (ids.fader[(size_t) i], (double) random.nextFloat(), &undoManager);
}

void VornicAudioProcessor::CCMessagesToUI (juce::MidiMessage& message)
{
    if (message.getRawDataSize() < 3 || (message.getRawData()[0] & 0xf0) != 0xb0)
        return;

    const int controller = message.getRawData()[1];
    const int value = message.getRawData()[2];

    if (ccLearnArmed.load (std::memory_order_acquire))
    {
        reportControllerToLearn (controller);
        return;
    }

    for (int k = 0; k < numCCActions; ++k)
    {
        // Number 0 means "unassigned": controller 0 (bank select) fires nothing.
        const int number = ccNumbers[(size_t) k].load (std::memory_order_relaxed);

        if (number <= 0 || number != controller)
            continue;

        bool fires = value == 127;

        switch (k)
        {
            case ccDirection: case ccTypeOfFilter: case ccSmoother: case ccFilterRange:
            case ccResonance: case ccQuantization: case ccSequenceLength: case ccDryWetSlider:
            case ccByPassAcross: case ccInfinityNumber:
                fires = true;
                break;
            case ccTempo:
                fires = isStandalone();
                break;
            default:
                break;
        }

        if (! fires)
            continue;

        // Without an editor the processor acts on its own, on the message thread;
        // the dice keeps its path through the infinity randomisation.
        if (k == ccRandomDice && ! editorIsOpen.load (std::memory_order_relaxed))
            generateRandomStepsInfinity();
        else
            postCCAction (k, value);
    }
}

void VornicAudioProcessor::postCCAction (int action, int value) noexcept
{
    // Single producer (processBlock), single consumer (the notice timer). A full
    // queue drops the action: a controller can outrun the screen, not the audio.
    const auto scope = ccFifo.write (1);

    if (scope.blockSize1 > 0)
        ccQueue[(size_t) scope.startIndex1] = { action, value };
}

void VornicAudioProcessor::deliverPendingNotices()
{
    const int step = pendingStep.exchange (noStepPending, std::memory_order_acq_rel);

    if (step != noStepPending)
        listeners.call ([step] (Listener& l) { l.stepPositionFromPorcessor (step); });

    for (int n = pendingRandomisations.exchange (0, std::memory_order_acq_rel); n > 0; --n)
    {
        if (! editorIsOpen)
            randomiseFadersInTree();

        listeners.call ([] (Listener& l) { l.randomTriggerInfinity(); });
    }

    for (int ready = ccFifo.getNumReady(); ready > 0; --ready)
    {
        CCEvent event {};

        {
            const auto scope = ccFifo.read (1);
            if (scope.blockSize1 == 0)
                break;
            event = ccQueue[(size_t) scope.startIndex1];
        }

        dispatchCCAction (event);
    }
}

void VornicAudioProcessor::dispatchCCAction (const CCEvent& e)
{
    const int v = e.value;

    if (listeners.isEmpty())
    {
        QBCCActions::performWithoutEditor (*this, e.action, v);
        return;
    }

    listeners.call ([&e, v] (Listener& l)
    {
        switch (e.action)
        {
            case ccRandomDice:     l.CCRandomDice(); break;
            case ccDirection:      l.CCDirection (threeWaySplit (v)); break;
            case ccResetSequence:  l.CCResetSequence(); break;
            case ccTypeOfFilter:   l.CCTypeOfFilter (threeWaySplit (v)); break;
            case ccSmoother:       l.CCSmoother (v); break;
            case ccFilterRange:    l.CCFilterRange (v); break;
            case ccResonance:      l.CCResonance (v); break;
            case ccQuantization:   l.CCQuantization (v); break;
            case ccSequenceLength: l.CCSequenceLength (v); break;
            case ccLockSwitch:     l.CCLockSwitch(); break;
            case ccDryWetSlider:   l.CCDryWetSlider (v); break;
            case ccByPassSwitch:   l.CCByPassSwitch(); break;
            case ccByPassAcross:   l.CCByPassAcross (v == 127); break;
            case ccInfinitySwitch: l.CCInfinitySwitch(); break;
            case ccInfinityNumber: l.CCInfinityNumber (v); break;
            case ccResetAll:       l.CCResetAll(); break;
            case ccTempo:          l.CCTempo (v); break;
            case ccUndo:           l.CCUndo(); break;
            case ccPreset1 + 0:    l.QucikPreset1(); break;
            case ccPreset1 + 1:    l.QucikPreset2(); break;
            case ccPreset1 + 2:    l.QucikPreset3(); break;
            case ccPreset1 + 3:    l.QucikPreset4(); break;
            case ccPreset1 + 4:    l.QucikPreset5(); break;
            case ccPreset1 + 5:    l.QucikPreset6(); break;
            case ccPreset1 + 6:    l.QucikPreset7(); break;
            case ccPreset1 + 7:    l.QucikPreset8(); break;
            case ccPreset1 + 8:    l.QucikPreset9(); break;
            case ccPreset1 + 9:    l.QucikPreset10(); break;
            case ccPreset1 + 10:   l.QucikPreset11(); break;
            case ccPreset1 + 11:   l.QucikPreset12(); break;
            case ccPreset1 + 12:   l.QucikPreset13(); break;
            case ccPreset1 + 13:   l.QucikPreset14(); break;
            case ccPreset1 + 14:   l.QucikPreset15(); break;
            case ccPreset1 + 15:   l.QucikPreset16(); break;
            default: break;
        }
    });
}

//==============================================================================
float VornicAudioProcessor::faderMirror (int step) const noexcept
{
    return (step >= 0 && step < maxSteps) ? faders[(size_t) step].load (std::memory_order_relaxed) : 0.0f;
}

bool VornicAudioProcessor::dotMirror (int step) const noexcept
{
    return step >= 0 && step < maxSteps
        && (dots.load (std::memory_order_relaxed) & (std::uint64_t { 1 } << step)) != 0;
}

int VornicAudioProcessor::ccNumberMirror (int action) const noexcept
{
    return (action >= 0 && action < numCCActions) ? ccNumbers[(size_t) action].load (std::memory_order_relaxed) : 0;
}

void VornicAudioProcessor::syncMirrorsFromTree()
{
    const auto& ids = QBStateIdentifiers::get();
    const auto& state = parameters.state;
    std::uint64_t dotBits = 0;

    for (int i = 0; i < maxSteps; ++i)
    {
        faders[(size_t) i].store (QBStateIdentifiers::faderValue (state[ids.fader[(size_t) i]]), std::memory_order_relaxed);

        if ((bool) state[ids.dots[(size_t) i]])
            dotBits |= std::uint64_t { 1 } << i;
    }

    dots.store (dotBits, std::memory_order_relaxed);

    for (int k = 0; k < numCCActions; ++k)
        syncMirrorFromProperty (ids.ccStates[(size_t) k]);

    syncMirrorFromProperty (ids.channelSelector);
}

void VornicAudioProcessor::syncMirrorFromProperty (const juce::Identifier& property)
{
    const auto& ids = QBStateIdentifiers::get();
    const auto& state = parameters.state;

    if (const int i = indexOf (ids.fader, property); i >= 0)
    {
        faders[(size_t) i].store (QBStateIdentifiers::faderValue (state[property]), std::memory_order_relaxed);
    }
    else if (const int d = indexOf (ids.dots, property); d >= 0)
    {
        const auto bit = std::uint64_t { 1 } << d;

        if ((bool) state[property])
            dots.fetch_or (bit, std::memory_order_relaxed);
        else
            dots.fetch_and (~bit, std::memory_order_relaxed);
    }
    // A tree that has never had a mapping (the window never opened) works with
    // the one the window writes when it first opens: numbers 1 … 34 on every channel.
    else if (const int k = indexOf (ids.ccStates, property); k >= 0)
    {
        ccNumbers[(size_t) k].store (state.hasProperty (property) ? (int) state[property] : k + 1,
                                     std::memory_order_relaxed);
    }
    else if (property == ids.channelSelector)
    {
        channelSelector.store (state.hasProperty (property) ? (int) state[property] : 1, std::memory_order_relaxed);
    }
}

//==============================================================================
void VornicAudioProcessor::setLoopRangeToValueTreeOnDragEnd (int loopMin, int loopMax)
{
    const auto& ids = QBStateIdentifiers::get();
    undoManager.beginNewTransaction();
    parameters.state.setProperty (ids.loopRangeMin, loopMin, &undoManager);
    parameters.state.setProperty (ids.loopRangeMax, loopMax, &undoManager);
}

void VornicAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    // copyState() first writes the latest parameter values into their "PARAM" children.
    if (auto xml = parameters.copyState().createXml())
        copyXmlToBinary (*xml, destData);
}

std::unique_ptr<juce::XmlElement> VornicAudioProcessor::stateXmlFromBinary (const void* data, int sizeInBytes)
{
    constexpr int headerSize = 8;

    if (data == nullptr || sizeInBytes <= headerSize)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto textLength = juce::jmin ((juce::int64) juce::ByteOrder::littleEndianInt (bytes + 4),
                                        (juce::int64) (sizeInBytes - headerSize));

    if (textLength <= 0 || ! QBSafeXml::canParse (bytes + headerSize, (int) textLength))
        return {};

    return getXmlFromBinary (data, sizeInBytes);
}

namespace
{
    /** A copy in which a property named twice in the XML (the framework keeps
        both) is there once, with its first value, as saving will write it. */
    juce::ValueTree withoutRepeatedProperties (const juce::ValueTree& source)
    {
        if (! source.isValid())
            return {};

        juce::ValueTree copy (source.getType());

        for (int i = 0; i < source.getNumProperties(); ++i)
            if (const auto name = source.getPropertyName (i); ! copy.hasProperty (name))
                copy.setProperty (name, source.getProperty (name), nullptr);

        for (const auto& child : source)
            copy.appendChild (withoutRepeatedProperties (child), nullptr);

        return copy;
    }
}

void VornicAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto xml = stateXmlFromBinary (data, sizeInBytes);

    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (parameters.state.getType().toString()))
        return;

    auto tree = withoutRepeatedProperties (juce::ValueTree::fromXml (*xml));

    if (! tree.isValid())
        return;

    // A root tag that differs only in case is accepted; the tree keeps its own type.
    if (tree.getType() != parameters.state.getType())
    {
        juce::ValueTree renamed (parameters.state.getType());
        renamed.copyPropertiesAndChildrenFrom (tree, nullptr);
        tree = renamed;
    }

    // Each parameter's saved value as the parameter will hold it: within its
    // range, on its steps, and there at all. The parameter tree would otherwise
    // keep a value in the tree that its parameter does not have, and the next
    // save would not say what the restore made of it.
    for (auto* p : getParameters())
    {
        auto* param = dynamic_cast<juce::RangedAudioParameter*> (p);

        if (param == nullptr)
            continue;

        const auto defaultValue = param->convertFrom0to1 (param->getDefaultValue());
        bool found = false;

        for (auto child : tree)
        {
            if (child.getType() != juce::Identifier ("PARAM") || child["id"].toString() != param->getParameterID())
                continue;

            const auto saved = child.hasProperty ("value") ? (float) child["value"] : defaultValue;
            child.setProperty ("value", std::isfinite (saved) ? param->convertFrom0to1 (param->convertTo0to1 (saved))
                                                              : defaultValue, nullptr);
            found = true;
        }

        // A parameter the state does not mention starts from its default.
        if (! found)
            tree.appendChild (juce::ValueTree ("PARAM", { { "id", param->getParameterID() }, { "value", defaultValue } }), nullptr);
    }

    // Under the parameter tree's state lock, as copyState() takes it: a host
    // saving on another thread sees the old tree or the new one, whole. The undo
    // history goes with the old tree: its actions hold that tree, and undoing
    // them would edit a tree nobody sees any more.
    parameters.replaceState (tree);

    const auto& ids = QBStateIdentifiers::get();
    loopRangeMin = (int) tree[ids.loopRangeMin];
    loopRangeMax = (int) tree[ids.loopRangeMax];

    reloadNotifier->startTimer (100);
}

//==============================================================================
void VornicAudioProcessor::setCCLearning (bool shouldLearn) noexcept
{
    learnedController.store (0, std::memory_order_relaxed);
    ccLearnArmed.store (shouldLearn, std::memory_order_release);
}

int VornicAudioProcessor::takeLearnedController() noexcept
{
    const int controller = learnedController.exchange (0, std::memory_order_acq_rel);

    if (controller > 0)
        ccLearnArmed.store (false, std::memory_order_release);

    return controller;
}

void VornicAudioProcessor::reportControllerToLearn (int controller) noexcept
{
    // The first controller after arming wins; 0 (bank select) names no action.
    int none = 0;

    if (controller > 0)
        learnedController.compare_exchange_strong (none, controller, std::memory_order_acq_rel);
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VornicAudioProcessor();
}
