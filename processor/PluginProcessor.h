#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>
#include <limits>
#include <vector>

#include "QBFilterKernel.h"
#include "QBStandaloneClock.h"
#include "QBStateIdentifiers.h"
#include "QBStepClock.h"

/** The step filter: a resonant state-variable filter whose cutoff follows a
    sequence of up to 64 faders, stepped by the host's transport or by the
    standalone clock.

    Threads. The audio thread never touches the state tree, the undo manager or
    a string, and never allocates or locks. Each block is cut at every sample
    where the musical position enters a new step, so every step begins on its
    own sample; the step clock (QBStepClock), the filter kernel (QBFilterKernel)
    and the standalone clock (QBStandaloneClock) are units of their own that
    the processor wires together. It reads the parameters through
    cached atomic pointers, and the sequence (faders, dots), the CC numbers and
    the MIDI channel through atomic mirrors that a tree listener on the message
    thread keeps equal to the tree. What the editor must learn (a new step, an
    infinity randomisation, a CC action) goes out through pre-allocated
    lock-free slots that a message-thread timer owned by the processor drains;
    the timer dies with the processor, so nothing ever runs against a deleted one. */
class VornicAudioProcessor : public juce::AudioProcessor,
                             public QBStepClock,
                             public QBStandaloneClock::Listener
{
public:
    //==============================================================================
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void loadAndSendTableValues() = 0;
        virtual void randomTriggerInfinity() = 0;
        virtual void stepPositionFromPorcessor (int step) = 0;

        virtual void CCRandomDice() = 0;
        virtual void CCDirection (int direction) = 0;
        virtual void CCResetSequence() = 0;
        virtual void CCTypeOfFilter (int type) = 0;
        virtual void CCSmoother (int value) = 0;
        virtual void CCFilterRange (int value) = 0;
        virtual void CCResonance (int value) = 0;
        virtual void CCQuantization (int value) = 0;
        virtual void CCSequenceLength (int value) = 0;
        virtual void CCLockSwitch() = 0;
        virtual void CCDryWetSlider (int value) = 0;
        virtual void CCByPassSwitch() = 0;
        virtual void CCByPassAcross (bool effectHeard) = 0;
        virtual void CCInfinitySwitch() = 0;
        virtual void CCInfinityNumber (int value) = 0;
        virtual void CCResetAll() = 0;
        virtual void CCTempo (int value) = 0;
        virtual void CCUndo() = 0;

        virtual void QucikPreset1() = 0;
        virtual void QucikPreset2() = 0;
        virtual void QucikPreset3() = 0;
        virtual void QucikPreset4() = 0;
        virtual void QucikPreset5() = 0;
        virtual void QucikPreset6() = 0;
        virtual void QucikPreset7() = 0;
        virtual void QucikPreset8() = 0;
        virtual void QucikPreset9() = 0;
        virtual void QucikPreset10() = 0;
        virtual void QucikPreset11() = 0;
        virtual void QucikPreset12() = 0;
        virtual void QucikPreset13() = 0;
        virtual void QucikPreset14() = 0;
        virtual void QucikPreset15() = 0;
        virtual void QucikPreset16() = 0;
    };

    static constexpr int maxSteps = QBStateIdentifiers::numSteps;
    static constexpr int numCCActions = QBStateIdentifiers::numCCActions;

    //==============================================================================
    VornicAudioProcessor();
    ~VornicAudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;
    bool isBusesLayoutSupported (const BusesLayout&) const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    double getTailLengthSeconds() const override;
    juce::AudioProcessorParameter* getBypassParameter() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int) override;
    const juce::String getProgramName (int) override;
    void changeProgramName (int, const juce::String&) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    /** The XML of a state blob ("VC2!", length, UTF-8 XML); null when the bytes
        are not one. Text the framework's parser cannot take safely is refused
        before it is parsed (see QBSafeXml). */
    static std::unique_ptr<juce::XmlElement> stateXmlFromBinary (const void* data, int sizeInBytes);

    //==============================================================================
    void timerClockListenerStandalone (float position) override;

    /** Commits a loop range to the state tree as one undoable transaction. */
    void setLoopRangeToValueTreeOnDragEnd (int loopMin, int loopMax);

    /** Advances the step clock; `position` is in steps. Called at the start of
        each block and at every step boundary inside it. */
    void handleStepPosition (double position, bool isPlaying);

    /** Tells the listeners, on the message thread, that `step` now sounds. */
    void stepPositionToUI (int step);

    /** Computes the cutoff target of `step`, glides towards it for one
        reference period (512 frames at 48 kHz) and writes the coefficients. */
    void updateFilter (int step);

    /** The same, gliding for `frames` at the prepared sample rate. */
    void updateFilter (int step, double frames);

    /** Replaces the sequence with random values (see the implementation for who writes what). */
    void generateRandomStepsInfinity();

    /** Matches one MIDI message against the CC map and hands matching actions to the editor. */
    void CCMessagesToUI (juce::MidiMessage& message);

    /** True when this instance runs as the standalone application. */
    bool isStandalone() const noexcept { return wrapperType == wrapperType_Standalone; }

    /** Delivers everything the audio side has queued for the message thread.
        The processor's own timer calls this; tests call it to deliver at once. */
    void deliverPendingNotices();

    //==============================================================================
    // Shared with the editor (message thread) and the audio thread.
    // currentStep, nextStep, the ticks and the direction state are the step clock's (QBStepClock).
    QBStandaloneClock standaloneClock;
    std::atomic<bool> isStereo { true };
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState parameters;
    std::vector<std::unique_ptr<juce::ValueTree>> presetTrees;
    std::atomic<double> hostBpm { 100.0 };
    std::atomic<bool> editorIsOpen { false };
    std::atomic<int> infinityCounter { 0 };
    std::atomic<int> loopRangeMin { 0 };
    std::atomic<int> loopRangeMax { 32 };
    float smoothedCutoff = -1.0f;
    std::atomic<bool> effectOn { true };

    /** The filter: one parameter set (type, g, R2, h) shared by the state of
        one filter per output channel. The two state variables are those of
        juce::dsp::StateVariableFilter; they live here, where the block loop can
        keep them in registers. */
    juce::dsp::StateVariableFilter::Parameters<float>::Ptr filterParameters;
    std::vector<QBFilterKernel::State> filters;

    float sampleRate = 44100.0f;
    juce::ListenerList<Listener> listeners;
    float wetGain = 1.0f;
    float previousWetGain = -1.0f;
    int lastInfinityStep = -1;
    int lastSentStep = -1;

    //==============================================================================
    // Learning a controller number. While learning is on, control changes that
    // pass the channel filter act on nothing: the audio thread keeps the first
    // controller it sees, and the message thread takes it.

    /** Starts (or stops) waiting for a controller; forgets one seen before. Message thread. */
    void setCCLearning (bool shouldLearn) noexcept;

    /** The controller seen since learning started (and ends learning), or 0 for none yet. */
    int takeLearnedController() noexcept;

    bool isLearningCC() const noexcept { return ccLearnArmed.load (std::memory_order_acquire); }

    //==============================================================================
    // Audio-side views of the state tree, kept equal to it on the message thread.
    float faderMirror (int step) const noexcept;
    bool dotMirror (int step) const noexcept;
    int ccNumberMirror (int action) const noexcept;
    int channelSelectorMirror() const noexcept { return channelSelector.load (std::memory_order_relaxed); }

private:
    class TreeMirror;
    class NoticeTimer;
    class ReloadNotifier;

    struct CCEvent
    {
        int action;
        int value;
    };

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    void syncMirrorsFromTree();
    void syncMirrorFromProperty (const juce::Identifier& property);
    void randomiseFadersInTree();
    void postCCAction (int action, int value) noexcept;
    void dispatchCCAction (const CCEvent&);
    void ensureNoticeTimerRunning();
    /** What drives the step clock over one block. */
    struct Transport
    {
        bool drivesClock = false;
        bool playing = false;
        double ppq = 0.0, bpm = 120.0;
        QBStepClock::Cue cue = QBStepClock::Cue::none;
    };

    Transport readTransport (int numSamples, double stepsPerQuarter) noexcept;
    Transport readPlayHead (juce::AudioPlayHead&, int numSamples) noexcept;
    void stepAt (double position, bool isPlaying, QBStepClock::Cue) noexcept;
    void renderSpan (juce::AudioBuffer<float>&, int from, int to) noexcept;
    void startWetRamp (float target) noexcept;
    float glideRemainingFor (float smoother, double frames) noexcept;

    // The glide moves the coefficients every glideRun frames (1.3 ms at 48 kHz); a new step moves them at once.
    static constexpr int glideRun = 64;
    int glideAhead = 0;             // frames the glide has already been advanced past the current sample
    int renderedStep = std::numeric_limits<int>::min();
    double glideReferenceFrames = 512.0;
    float cachedSmoother = -1.0f, cachedRunRemaining = 0.0f;
    double cachedLogPerFrame = 0.0;
    float writtenCutoff = -1.0f, writtenQ = 0.0f;
    int writtenType = -1;
    QBFilterKernel::Coefficients coefficients;

    // The wet gain ramps linearly to each new value over the glide's reference period.
    int wetRampFrames = 512, wetRampLeft = 0;
    float wetRampStep = 0.0f;

    // Transport continuity: where the host's position should be at the next block.
    double expectedPpq = 0.0, lastPlayedPpq = 0.0;
    bool hostWasPlaying = false;
    bool standaloneWasPlaying = false;
    bool followedExternalTransport = false;
    bool isEffectHeard() noexcept;

    // Cached parameter values (the parameter tree's atomic raw values).
    std::atomic<float>* typeOfFilterParam = nullptr;
    std::atomic<float>* filterRangeParam = nullptr;
    std::atomic<float>* resonanceParam = nullptr;
    std::atomic<float>* smootherParam = nullptr;
    std::atomic<float>* quantizeParam = nullptr;
    std::atomic<float>* infinityButtonParam = nullptr;
    std::atomic<float>* numbersBeforeInfinityParam = nullptr;
    std::atomic<float>* dryWetParam = nullptr;
    std::atomic<float>* directionParam = nullptr;
    std::atomic<float>* byPassButtonParam = nullptr;

    // The bypass switch as the audio thread last saw it (audio thread only).
    bool lastBypassSwitch = true;

    // Mirrors of the tree.
    std::array<std::atomic<float>, maxSteps> faders {};
    std::atomic<std::uint64_t> dots { 0 };
    std::array<std::atomic<int>, numCCActions> ccNumbers {};
    std::atomic<int> channelSelector { 0 };

    // Audio side -> message thread. Step notices keep only the latest value
    // (noStepPending when none is waiting); randomisations are counted; CC
    // actions go through a single-producer FIFO written by processBlock.
    static constexpr int noStepPending = std::numeric_limits<int>::min();
    std::atomic<int> pendingStep { noStepPending };
    std::atomic<int> pendingRandomisations { 0 };
    static constexpr int ccQueueSize = 256;
    juce::AbstractFifo ccFifo { ccQueueSize };
    std::array<CCEvent, ccQueueSize> ccQueue {};

    void reportControllerToLearn (int controller) noexcept;
    std::atomic<bool> ccLearnArmed { false };
    std::atomic<int> learnedController { 0 };

    std::unique_ptr<TreeMirror> treeMirror;
    std::unique_ptr<NoticeTimer> noticeTimer;
    std::unique_ptr<ReloadNotifier> reloadNotifier;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornicAudioProcessor)
};
