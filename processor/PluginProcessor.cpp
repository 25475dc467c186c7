#include "PluginProcessor.h"
#include "QBSafeXml.h"
#include "PluginEditor.h"

#include <cmath>

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

    enum CCAction
    {
        ccRandomDice, ccDirection, ccResetSequence, ccTypeOfFilter, ccSmoother, ccFilterRange,
        ccResonance, ccQuantization, ccSequenceLength, ccLockSwitch, ccDryWetSlider,
        ccByPassSwitch, ccByPassAcross, ccInfinitySwitch, ccInfinityNumber, ccResetAll,
        ccTempo, ccUndo, ccPreset1
    };

    int threeWaySplit (int value) noexcept
    {
        return value < 42 ? 0 : (value < 85 ? 1 : 2);
    }

    //==============================================================================
    // The filter and the dry/wet mix, fused into one pass over the block.
    //
    // Per sample this is the state-variable filter
    //     hp = (x - s1*R2 - s1*g - s2) * h;  bp = hp*g + s1;  s1 = hp*g + bp;
    //     lp = bp*g + s2;                    s2 = bp*g + lp;
    // rearranged so that the serial dependency from one sample to the next is
    // shorter: with k = R2 + g and gh = g*h, v = x - s1*k - s2 gives hp*g = v*gh,
    // and s1, s2 advance by twice bp's and hp's contributions. The results equal
    // the formula up to float rounding. Both channels run side by side in one
    // loop with their state in locals, and the output is x*dry + y*wet with both
    // gains ramping linearly across the block.
    enum class Output { lowPass, bandPass, highPass };

    struct Coefficients
    {
        float g, k, gh, h;
    };

    struct Ramp
    {
        float dry, dryStep, wet, wetStep;
    };

    template <Output type>
    inline float filterSample (float x, float& s1, float& s2, const Coefficients& c) noexcept
    {
        const float v  = x - s1 * c.k - s2;
        const float hg = v * c.gh;
        const float bp = hg + s1;
        s1 = hg + bp;
        const float lp = bp * c.g + s2;
        s2 = bp * c.g + lp;

        if constexpr (type == Output::lowPass)  return lp;
        if constexpr (type == Output::bandPass) return bp;
        if constexpr (type == Output::highPass) return v * c.h;
    }

    template <Output type, bool mix>
    void runStereo (float* left, float* right, int n, float* state, const Coefficients& c, Ramp r) noexcept
    {
        float s1l = state[0], s2l = state[1], s1r = state[2], s2r = state[3];

        for (int i = 0; i < n; ++i)
        {
            const float xl = left[i], xr = right[i];
            const float yl = filterSample<type> (xl, s1l, s2l, c);
            const float yr = filterSample<type> (xr, s1r, s2r, c);

            if constexpr (mix)
            {
                left[i]  = xl * r.dry + yl * r.wet;
                right[i] = xr * r.dry + yr * r.wet;
                r.dry += r.dryStep;
                r.wet += r.wetStep;
            }
        }

        state[0] = s1l; state[1] = s2l; state[2] = s1r; state[3] = s2r;
    }

    template <Output type, bool mix>
    void runMono (float* data, int n, float* state, const Coefficients& c, Ramp r) noexcept
    {
        float s1 = state[0], s2 = state[1];

        for (int i = 0; i < n; ++i)
        {
            const float x = data[i];
            const float y = filterSample<type> (x, s1, s2, c);

            if constexpr (mix)
            {
                data[i] = x * r.dry + y * r.wet;
                r.dry += r.dryStep;
                r.wet += r.wetStep;
            }
        }

        state[0] = s1; state[1] = s2;
    }

    template <bool mix>
    void runChannels (Output type, float* a, float* b, int n, float* state, const Coefficients& c, const Ramp& r) noexcept
    {
        switch (type)
        {
            case Output::lowPass:
                b != nullptr ? runStereo<Output::lowPass, mix> (a, b, n, state, c, r)
                             : runMono<Output::lowPass, mix> (a, n, state, c, r);
                break;
            case Output::bandPass:
                b != nullptr ? runStereo<Output::bandPass, mix> (a, b, n, state, c, r)
                             : runMono<Output::bandPass, mix> (a, n, state, c, r);
                break;
            case Output::highPass:
                b != nullptr ? runStereo<Output::highPass, mix> (a, b, n, state, c, r)
                             : runMono<Output::highPass, mix> (a, n, state, c, r);
                break;
        }
    }

    void settleState (float& s) noexcept
    {
        // A NaN or infinite input poisons the state; start clean on the next block
        // instead of staying silent for ever. Tiny values are snapped to zero.
        if (! std::isfinite (s) || std::abs (s) < 1.0e-8f)
            s = 0.0f;
    }
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
    using namespace juce;
    AudioProcessorValueTreeState::ParameterLayout layout;

    auto intParam = [&layout] (const char* id, const char* name, int lo, int hi, int def)
    {
        layout.add (std::make_unique<AudioParameterInt> (ParameterID { id, 1 }, name, lo, hi, def));
    };
    auto floatParam = [&layout] (const char* id, const char* name, float def)
    {
        layout.add (std::make_unique<AudioParameterFloat> (ParameterID { id, 1 }, name,
                                                           NormalisableRange<float> (0.0f, 1.0f, 0.01f), def));
    };

    intParam   ("typeOfFilter",          "Type Of Filter",         0, 2, 2);
    floatParam ("filterRange",           "Filter Range",           0.5f);
    floatParam ("resonance",             "Resonance",              0.5f);
    floatParam ("smoother",              "Smoother",               0.5f);
    intParam   ("quantize",              "Quantize",               1, 11, 7);
    intParam   ("sequenceSize",          "Sequence Size",          2, 64, 32);
    intParam   ("byPassButton",          "ByPass",                 0, 1, 1);
    intParam   ("infinityButton",        "Infinity",               0, 1, 0);
    intParam   ("numbersBeforeInfinity", "Number Before Infinity", 1, 64, 1);
    floatParam ("dryWet",                "Dry/Wet",                1.0f);
    intParam   ("direction",             "Direction",              0, 2, 0);
    intParam   ("collapse",              "Collapse",               0, 1, 0);

    return layout;
}

//==============================================================================
const juce::String VornicAudioProcessor::getName() const  { return "Tessaline"; }
bool VornicAudioProcessor::acceptsMidi() const             { return true; }
bool VornicAudioProcessor::producesMidi() const            { return false; }
bool VornicAudioProcessor::isMidiEffect() const            { return false; }
double VornicAudioProcessor::getTailLengthSeconds() const  { return 0.0; }
int VornicAudioProcessor::getNumPrograms()                 { return 1; }
int VornicAudioProcessor::getCurrentProgram()              { return 0; }
void VornicAudioProcessor::setCurrentProgram (int)         {}
const juce::String VornicAudioProcessor::getProgramName (int) { return {}; }
void VornicAudioProcessor::changeProgramName (int, const juce::String&) {}
void VornicAudioProcessor::releaseResources()              {}
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
    if (isStandalone())
        standaloneClock.startTimer (50);

    sampleRate = (float) newSampleRate;

    const int numChannels = getBus (false, 0) != nullptr ? getMainBusNumOutputChannels() : 0;

    for (auto& f : filters)
        f.reset();

    updateFilter ((int) typeOfFilterParam->load());

    filters.resize ((size_t) numChannels);

    for (auto& f : filters)
        f.reset();

    ensureNoticeTimerRunning();
}

void VornicAudioProcessor::ensureNoticeTimerRunning()
{
    if (! noticeTimer->isTimerRunning())
        noticeTimer->startTimer (10);
}

//==============================================================================
double VornicAudioProcessor::stepsPerQuarterNote (int quantize) noexcept
{
    static constexpr double rates[] = { 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0, 12.0, 16.0 };
    return (quantize >= 2 && quantize <= 11) ? rates[quantize - 2] : 0.5;
}

void VornicAudioProcessor::handleStepPosition (double position, bool isPlaying)
{
    if (! std::isfinite (position))
        position = 0.0;

    // The editor keeps the loop non-empty; a restored state may not. Any range
    // read here is brought into 0 … 64 and made at least one step long, so every
    // step stays a valid index and a valid range plays as it should.
    const int lo = juce::jlimit (0, maxSteps - 1, loopRangeMin.load (std::memory_order_relaxed));
    const int hi = juce::jlimit (lo + 1, maxSteps, loopRangeMax.load (std::memory_order_relaxed));

    currentTick = (int) std::fmod (position, 63.0);

    if (isPlaying != lastIsPlaying)
    {
        nextStep = (int) ((double) lo + std::fmod (position, (double) (hi - lo)));
        lastIsPlaying = isPlaying;
    }

    if (! isPlaying)
        currentStep = -1;

    if (currentTick != lastTick)
    {
        const float direction = directionParam->load (std::memory_order_relaxed);

        // A queued step outside the sequence (a count-in before zero, or the
        // editor queueing the stopped step −1) plays as the loop start.
        int s = nextStep.load (std::memory_order_relaxed);
        if (s < 0 || s >= maxSteps)
            s = lo;

        if (direction == 0.0f)
        {
            currentStep = s;
            nextStep = (s >= hi - 1 || s < lo) ? lo : s + 1;
            pingPongRising = true;
        }
        else if (direction == 1.0f)
        {
            if (hi - lo == 1)
            {
                currentStep = lo;
            }
            else if (pingPongRising)
            {
                currentStep = s;
                nextStep = s + 1;

                if (s >= hi - 2)
                    pingPongRising = false;
                else if (s < lo)
                    nextStep = lo;
            }
            else
            {
                currentStep = s;
                nextStep = s - 1;

                if (s <= lo + 1)
                    pingPongRising = true;
                else if (s > hi)
                    nextStep = hi;
            }
        }
        else if (direction == 2.0f)
        {
            currentStep = s;
            nextStep = s <= lo ? hi - 1 : (s > hi ? hi : s - 1);
            pingPongRising = false;
        }

        lastTick = currentTick;
    }

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
    if (! standaloneClock.isPlaying)
        return;

    const auto rate = stepsPerQuarterNote ((int) quantizeParam->load (std::memory_order_relaxed));
    handleStepPosition (standaloneClock.position * rate, true);
}

//==============================================================================
void VornicAudioProcessor::updateFilter (int step)
{
    using Type = juce::dsp::StateVariableFilter::Parameters<float>::Type;

    const int type = (int) typeOfFilterParam->load (std::memory_order_relaxed);
    float a = 1000.0f, b = 12000.0f, c = 500.0f;
    Type filterType = Type::highPass;

    if (type == 2)
    {
        filterType = Type::lowPass;
        a = 5000.0f; b = 1000.0f; c = 50.0f;
    }
    else if (type == 1)
    {
        filterType = Type::bandPass;
    }

    const float q = (float) (int) (1.0f + 14.0f * resonanceParam->load (std::memory_order_relaxed));
    const float top = a + (b - a) * filterRangeParam->load (std::memory_order_relaxed);
    const float f = faderMirror (step);
    const float target = filterType == Type::lowPass ? top + (c - top) * f
                                                     : c + (top - c) * f;

    smoothedCutoff = smoothedCutoff - (smoothedCutoff - target)
                                        * (1.0f - 0.9f * smootherParam->load (std::memory_order_relaxed));

    // Keep the cutoff well inside the band at any sample rate so the filter stays stable.
    const float cutoff = juce::jlimit (0.0f, 0.45f * sampleRate, smoothedCutoff);

    auto& p = *filterParameters;
    p.type = filterType;
    p.g  = (float) std::tan (juce::MathConstants<double>::pi * (double) cutoff / (double) sampleRate);
    p.R2 = 1.0f / q;
    p.h  = 1.0f / (p.g * p.g + p.R2 * p.g + 1.0f);
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

    if (! isStandalone())
    {
        if (auto* hostPlayHead = getPlayHead())
        {
            const auto info = hostPlayHead->getPosition().orFallback (juce::AudioPlayHead::PositionInfo {});

            if (const auto bpm = info.getBpm())
                hostBpm.store (*bpm, std::memory_order_relaxed);

            const auto rate = stepsPerQuarterNote ((int) quantizeParam->load (std::memory_order_relaxed));
            handleStepPosition (info.getPpqPosition().orFallback (0.0) * rate, info.getIsPlaying());
        }
    }

    const int step = currentStep.load (std::memory_order_relaxed);

    if (! effectOn.load (std::memory_order_relaxed) || dotMirror (step))
        wetGain = 0.0f;
    else
        wetGain = dryWetParam->load (std::memory_order_relaxed);

    if (isStandalone() && ! isStereo.load (std::memory_order_relaxed) && buffer.getNumChannels() >= 2)
        buffer.copyFrom (1, 0, buffer, 0, 0, numSamples);

    updateFilter (step);
    filterBlock (buffer, buffer.getNumChannels(), numSamples);

    previousWetGain = wetGain;
}

void VornicAudioProcessor::filterBlock (juce::AudioBuffer<float>& buffer, int numChannels, int numSamples) noexcept
{
    if (numSamples <= 0)
        return;

    using Type = juce::dsp::StateVariableFilter::Parameters<float>::Type;
    const auto& p = *filterParameters;
    const Coefficients c { p.g, p.R2 + p.g, p.g * p.h, p.h };
    const Output type = p.type == Type::lowPass ? Output::lowPass
                      : (p.type == Type::bandPass ? Output::bandPass : Output::highPass);

    const float dryStart = 1.0f - previousWetGain, dryEnd = 1.0f - wetGain;
    const Ramp ramp { dryStart, (dryEnd - dryStart) / (float) numSamples,
                      previousWetGain, (wetGain - previousWetGain) / (float) numSamples };

    // Nothing of the filter reaches the output while the wet gain stays at 0:
    // the filter keeps running and the block keeps the dry signal untouched.
    const bool mix = ! (previousWetGain == 0.0f && wetGain == 0.0f);

    const int filtered = juce::jmin (numChannels, (int) filters.size());
    int ch = 0;

    for (; ch < filtered; ch += 2)
    {
        const bool pair = ch + 1 < filtered;
        float state[4] = { filters[(size_t) ch].s1, filters[(size_t) ch].s2,
                           pair ? filters[(size_t) ch + 1].s1 : 0.0f, pair ? filters[(size_t) ch + 1].s2 : 0.0f };
        float* a = buffer.getWritePointer (ch);
        float* b = pair ? buffer.getWritePointer (ch + 1) : nullptr;

        if (mix)
            runChannels<true> (type, a, b, numSamples, state, c, ramp);
        else
            runChannels<false> (type, a, b, numSamples, state, c, ramp);

        for (auto& s : state)
            settleState (s);

        filters[(size_t) ch] = { state[0], state[1] };

        if (pair)
            filters[(size_t) ch + 1] = { state[2], state[3] };
    }

    // Channels without a filter of their own get the dry ramp alone.
    for (; ch < numChannels; ++ch)
        buffer.applyGainRamp (ch, 0, numSamples, dryStart, dryEnd);
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

    for (int k = 0; k < numCCActions; ++k)
    {
        if (ccNumbers[(size_t) k].load (std::memory_order_relaxed) != controller)
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

        if (editorIsOpen.load (std::memory_order_relaxed))
            postCCAction (k, value);
        else if (k == ccRandomDice)
            generateRandomStepsInfinity();
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
        ccNumbers[(size_t) k].store ((int) state[ids.ccStates[(size_t) k]], std::memory_order_relaxed);

    channelSelector.store ((int) state[ids.channelSelector], std::memory_order_relaxed);
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
    else if (const int k = indexOf (ids.ccStates, property); k >= 0)
    {
        ccNumbers[(size_t) k].store ((int) state[property], std::memory_order_relaxed);
    }
    else if (property == ids.channelSelector)
    {
        channelSelector.store ((int) state[property], std::memory_order_relaxed);
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
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VornicAudioProcessor();
}
