#include "PluginEditor.h"

#include <array>

#include "QBColours.h"
#include "QBFonts.h"
#include "QBImages.h"
#include "QBStateIdentifiers.h"

namespace
{
    constexpr int numSteps = VornicAudioProcessor::maxSteps;

    int truncated (float x) noexcept { return (int) x; }
}

//==============================================================================
VornicAudioProcessorEditor::VornicAudioProcessorEditor (VornicAudioProcessor& p)
    : juce::AudioProcessorEditor (p), processor (p)
{
    setResizable (true, true);
    setResizeLimits (204, 153, 4096, 3072);

    addAndMakeVisible (rightEdgeStrip);
    addAndMakeVisible (bottomEdgeStrip);

    applyWindowSize (false);
    startTimer (10);

    processor.listeners.add (this);
    processor.parameters.state.addListener (this);

    if (processor.isStandalone())
        playStopAndTempoStandalone();

    setValuesFromTreeToNotAutoParams();

    addAndMakeVisible (topLineSeparator);

    // A state saved with the compact window opens compact.
    applyWindowSize (processor.parameters.getRawParameterValue ("collapse")->load() > 0.5f);

    // The faders draw values until a lock switch turns lock mode on.
    fadersTable.setLockMode (false);
    fromLockStateTableToLockDots();

    dotsComponent.addListener (this);
    addAndMakeVisible (dotsComponent);
    const auto& images = QBImages::images();
    resetDotsButton.setImages (images.resetDotsImage.get(), nullptr, images.resetLockImageDown.get());
    addAndMakeVisible (resetDotsButton);
    resetDotsButton.onClick = [this]
    {
        dotsComponent.clearUnlockedDots();
        clickUpOnDotsComponent();
    };

    addAndMakeVisible (sequenceBackground);

    fadersTable.addListener (this);
    addAndMakeVisible (fadersTable);
    sequenceSizeAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (
        processor.parameters, "sequenceSize", *sequenceSizeSlider.slider);
    {
        // A typed length without a number in it is ignored rather than read as 0
        // (and so as the shortest sequence); numbers are clamped into 2 … 64.
        auto& number = *sequenceSizeSlider.slider;
        number.valueFromTextFunction = [&number, parse = number.valueFromTextFunction] (const juce::String& text)
        {
            return text.containsAnyOf ("0123456789") ? parse (text) : number.getValue();
        };
    }
    addAndMakeVisible (sequenceSizeSlider);
    addAndMakeVisible (loopRangeSlider);
    loopRangeSlider.addListener (this);
    loopRangeSlider.setNumberOfSteps ((int) sequenceSizeSlider.slider->getValue());
    fromValueTreeToLoopRange();
    sliderSizeAndRangeLoopSelected();
    sequenceSizeSlider.addListener (this);
    sequenceSizeSlider.slider->onValueChange = [this] { sliderSizeAndRangeLoopSelected(); };
    sequenceSizeSlider.slider->onDragEnd = [this] { mouseDragEndMinMaxLoop(); };

    setUpMidiCCSettings();

    processor.editorIsOpen = true;
}

VornicAudioProcessorEditor::~VornicAudioProcessorEditor()
{
    stopTimer();
    processor.parameters.state.removeListener (this);
    processor.listeners.remove (this);
    dotsComponent.removeListener (this);
    fadersTable.removeListener (this);
    loopRangeSlider.removeListener (this);
    sequenceSizeSlider.removeListener (this);
    tearDownMidiCCSettings();
    processor.editorIsOpen = false;
}

void VornicAudioProcessorEditor::applyWindowSize (bool collapsed)
{
    if (collapsed)
        setSize (820, 615);
    else
        setSize (1024, 768);
}

void VornicAudioProcessorEditor::playStopAndTempoStandalone()
{
    addAndMakeVisible (playLabel);
    playLabel.setColour (juce::Label::textColourId, QBColours::whiteText);
    playLabel.setJustificationType (juce::Justification::centred);

    const auto& images = QBImages::images();
    playStopButton.setImages (images.playImage.get(), nullptr, nullptr, nullptr, images.stopImage.get());
    playStopButton.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    addAndMakeVisible (playStopButton);
    playStopButton.setClickingTogglesState (true);

    // The clock may still run from an earlier window: show what it does.
    const bool playing = processor.standaloneClock.isPlaying;
    playStopButton.setToggleState (playing, juce::dontSendNotification);
    playLabel.setText (playing ? "Stop" : "Play", juce::dontSendNotification);

    playStopButton.onClick = [this]
    {
        const bool on = playStopButton.getToggleState();
        processor.standaloneClock.isPlaying = on;
        playLabel.setText (on ? "Stop" : "Play", juce::dontSendNotification);
    };
}

//==============================================================================
void VornicAudioProcessorEditor::resized()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W;
    const float h = (float) H;
    const int hh = truncated (0.09f * h);
    const int top = hh;
    const float b = (float) (H - hh);
    const int controlRow = top + truncated (0.251f * b);

    topLineSeparator.setBounds (truncated (0.025f * b), top,
                                juce::jmax (0, W - truncated (0.05f * b)), truncated (0.007f * b));

    sequenceSizeSlider.setBounds (W / 2 - truncated (0.05f * w), controlRow,
                                  truncated (0.1f * w), truncated (0.045f * b));

    fadersTable.setBounds (W / 2 - truncated (0.426f * w), truncated (0.5f * b),
                           truncated (0.85f * w), truncated (0.42f * b));
    const auto t = fadersTable.getBounds();
    const float tw = (float) t.getWidth(), th = (float) t.getHeight();

    const int dx = juce::roundToInt (0.02f * tw), dy = juce::roundToInt (0.04f * th);
    sequenceBackground.setBounds (t.getX() - dx / 2, t.getY() - dy / 2, t.getWidth() + dx, t.getHeight() + dy);

    rightEdgeStrip.setBounds (t.getRight() - juce::roundToInt (0.01f * tw), t.getY(),
                              juce::roundToInt (0.02f * tw), t.getHeight());
    bottomEdgeStrip.setBounds (t.getX(), t.getBottom() - juce::roundToInt (0.02f * th),
                               t.getWidth(), juce::roundToInt (0.04f * th));

    dotsComponent.setBounds (t.getX(), t.getBottom() + truncated (0.02f * h), t.getWidth(), truncated (0.035f * h));
    resetDotsButton.setBounds (dotsComponent.getRight() + truncated (0.01f * w), dotsComponent.getY(),
                               truncated (0.03f * w), truncated (0.03f * h));

    loopRangeSlider.setBounds (W / 2 - truncated (0.425f * w), truncated (0.445f * b),
                               truncated (0.85f * w), truncated (0.023f * b));

    // The transport switch sits level with the caption of the fast-presets bar,
    // whose place follows from the bar's.
    const int barHeight = truncated (0.11f * b);
    const juce::Rectangle<int> presetsBar (W / 2 - truncated (0.389f * w), H - barHeight,
                                           truncated (0.78f * w), barHeight);
    const juce::Rectangle<int> presetsCaption (juce::roundToInt (0.06f * (float) presetsBar.getWidth()),
                                               presetsBar.getY() + presetsBar.getHeight() / 2 - truncated (0.05f * b),
                                               truncated (0.08f * w), truncated (0.1f * b));

    playStopButton.setBounds (W - truncated (0.08f * w),
                              presetsCaption.getY() + presetsCaption.getHeight() / 2 - truncated (0.03f * h),
                              truncated (0.04f * w), truncated (0.06f * h));
    const auto ps = playStopButton.getBounds();
    playLabel.setFont (QBFonts::revereveBold ((float) truncated (0.015f * w)));
    playLabel.setBounds (ps.getX() - truncated (0.036f * w), ps.getY() + ps.getHeight() / 2 - truncated (0.05f * b),
                         truncated (0.04f * w), truncated (0.1f * b));

    layOutSettingsPanel (top, H - hh);
}

void VornicAudioProcessorEditor::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    const float corner = 3.0f * h * 0.01f;

    g.fillAll (QBColours::editorBackground);

    // The dark band behind the sliders and the step table, from 38 % to 90 %
    // of the height, with rounded corners at both ends.
    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (0.0f, (float) truncated (0.38f * h), w, (float) truncated (4.0f * h), corner);
    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (0.0f, (float) truncated (0.9f * h), w, (float) truncated (4.0f * h), corner);

    // The strips along the table's right and bottom edges make it cast its
    // shadow on those two sides only.
    for (auto* c : { static_cast<juce::Component*> (&sequenceSizeSlider),
                     static_cast<juce::Component*> (&rightEdgeStrip),
                     static_cast<juce::Component*> (&bottomEdgeStrip) })
        dropShadowForSliders (c->getBounds().toFloat(), getLocalBounds(), g, false);
}

void VornicAudioProcessorEditor::dropShadowForSliders (juce::Rectangle<float> area, juce::Rectangle<int> editorBounds,
                                                       juce::Graphics& g, bool)
{
    juce::Path path;
    path.addRoundedRectangle (area, 2.0f * (float) editorBounds.getHeight() * 0.01f);

    tableShadow.colour = juce::Colours::black.withAlpha ((juce::uint8) 0x4c);
    tableShadow.radius = 10;
    tableShadow.offset = { 4, 5 };
    tableShadow.drawForPath (g, path);
}

void VornicAudioProcessorEditor::timerCallback()
{
    // Drives the slide-in panels and the header's host tempo, which do not exist yet.
    advanceSettingsSlide();
}

//==============================================================================
void VornicAudioProcessorEditor::setNoAutoValuesToTree()
{
    const auto& ids = QBStateIdentifiers::get();
    auto& state = processor.parameters.state;

    processor.undoManager.beginNewTransaction();

    for (int i = 0; i < numSteps; ++i)
    {
        const auto& f = *fadersTable.faders[(size_t) i];
        state.setProperty (ids.fader[(size_t) i], (double) f.value, &processor.undoManager);
        state.setProperty (ids.lock[(size_t) i], f.locked, &processor.undoManager);
    }
}

void VornicAudioProcessorEditor::clickUpOnDotsComponent()
{
    const auto& ids = QBStateIdentifiers::get();
    auto& state = processor.parameters.state;

    processor.undoManager.beginNewTransaction();

    for (int i = 0; i < numSteps; ++i)
        state.setProperty (ids.dots[(size_t) i], dotsComponent.dots[(size_t) i]->dotted, &processor.undoManager);
}

void VornicAudioProcessorEditor::setValuesFromTreeToNotAutoParams()
{
    const auto& ids = QBStateIdentifiers::get();
    const auto& state = processor.parameters.state;

    // An undo calls this once per property it restores: only what changed is repainted.
    for (int i = 0; i < numSteps; ++i)
    {
        auto& f = *fadersTable.faders[(size_t) i];
        const auto value = QBStateIdentifiers::faderValue (state[ids.fader[(size_t) i]]);
        const auto locked = (bool) state[ids.lock[(size_t) i]];

        if (f.value != value || f.locked != locked)
        {
            f.value = value;
            f.locked = locked;
            f.repaint();
        }

        auto& d = *dotsComponent.dots[(size_t) i];
        const auto dotted = (bool) state[ids.dots[(size_t) i]];

        if (d.dotted != dotted)
        {
            d.dotted = dotted;
            d.repaint();
        }
    }
}

void VornicAudioProcessorEditor::fromLockStateTableToLockDots()
{
    const auto& ids = QBStateIdentifiers::get();

    for (int i = 0; i < numSteps; ++i)
        dotsComponent.dots[(size_t) i]->stepLocked = (bool) processor.parameters.state[ids.lock[(size_t) i]];
}

void VornicAudioProcessorEditor::fromValueTreeToLoopRange()
{
    const auto& ids = QBStateIdentifiers::get();
    const auto& state = processor.parameters.state;

    loopRangeSlider.slider->setMinAndMaxValues ((double) state[ids.loopRangeMin], (double) state[ids.loopRangeMax],
                                                juce::sendNotificationAsync);
}

void VornicAudioProcessorEditor::sliderSizeAndRangeLoopSelected()
{
    const int n = (int) sequenceSizeSlider.slider->getValue();

    for (int i = 0; i < numSteps; ++i)
    {
        fadersTable.faders[(size_t) i]->setVisible (i < n);
        dotsComponent.dots[(size_t) i]->setVisible (i < n);
    }

    fadersTable.numVisible = n;
    fadersTable.resized();
    dotsComponent.numVisible = n;
    dotsComponent.resized();

    loopRangeSlider.setNumberOfSteps (n);
    loopRangeSlider.rangeLoopSliderChange();
    loopRangeSlider.repaint();

    setActiveSteps ((int) loopRangeSlider.slider->getMinValue(), (int) loopRangeSlider.slider->getMaxValue());
}

void VornicAudioProcessorEditor::setActiveSteps (int loopMin, int loopMax)
{
    for (int i = 0; i < numSteps; ++i)
    {
        const bool active = loopMin <= i && i < loopMax;
        auto& f = *fadersTable.faders[(size_t) i];
        auto& d = *dotsComponent.dots[(size_t) i];

        if (f.active != active)
        {
            f.active = active;
            f.repaint();
        }

        if (d.active != active)
        {
            d.active = active;
            d.repaint();
        }
    }
}

void VornicAudioProcessorEditor::randomiseUnlockedFaders()
{
    juce::Random random;
    random.setSeedRandomly();

    for (auto& f : fadersTable.faders)
    {
        if (f->locked)
            continue;

        f->value = random.nextFloat();
        f->repaint();
    }
}

//==============================================================================
void VornicAudioProcessorEditor::randomTriggerInfinity()
{
    randomiseUnlockedFaders();
    setNoAutoValuesToTree();
}

void VornicAudioProcessorEditor::clickIncDecSequeceSize()
{
    sliderSizeAndRangeLoopSelected();
}

void VornicAudioProcessorEditor::minMaxLoopValueChanged (int loopMin, int loopMax)
{
    setActiveSteps (loopMin, loopMax);
    processor.loopRangeMin = loopMin;
    processor.loopRangeMax = loopMax;
}

void VornicAudioProcessorEditor::mouseDragEndMinMaxLoop()
{
    processor.setLoopRangeToValueTreeOnDragEnd ((int) loopRangeSlider.slider->getMinValue(),
                                                (int) loopRangeSlider.slider->getMaxValue());
}

void VornicAudioProcessorEditor::clickUpAndDownOnTheComponent()
{
    setNoAutoValuesToTree();
    fromLockStateTableToLockDots();
}

void VornicAudioProcessorEditor::stepPositionFromPorcessor (int step)
{
    for (int i = 0; i < numSteps; ++i)
    {
        auto& f = *fadersTable.faders[(size_t) i];
        const bool current = i == step;

        if (f.current != current)
        {
            f.current = current;
            f.repaint();
        }
    }
}

void VornicAudioProcessorEditor::valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&)
{
    // The editor's own writes are not read back; only undo and redo change
    // the tree behind the screen's back.
    if (! processor.undoManager.isPerformingUndoRedo())
        return;

    setValuesFromTreeToNotAutoParams();
    fromLockStateTableToLockDots();
    fromValueTreeToLoopRange();
}

void VornicAudioProcessorEditor::loadAndSendTableValues()
{
    setValuesFromTreeToNotAutoParams();
    fromValueTreeToLoopRange();
}

//==============================================================================
// MIDI CC actions. Each drives its control as a mouse edit would; the controls
// that do not exist in this window yet leave their action without effect.
void VornicAudioProcessorEditor::CCRandomDice()
{
    // What the dice does: new random values for the unlocked faders, stored as one undo step.
    randomiseUnlockedFaders();
    setNoAutoValuesToTree();
}

void VornicAudioProcessorEditor::CCSequenceLength (int value)
{
    sequenceSizeSlider.slider->setValue ((double) ((float) value * 62.0f / 127.0f + 2.0f), juce::sendNotificationAsync);
}

void VornicAudioProcessorEditor::CCDirection (int)     {}  // the direction buttons do not exist yet
void VornicAudioProcessorEditor::CCResetSequence()     {}  // the reset-sequence button does not exist yet
void VornicAudioProcessorEditor::CCTypeOfFilter (int)  {}  // the filter-type selector does not exist yet
void VornicAudioProcessorEditor::CCSmoother (int)      {}  // the smoother slider does not exist yet
void VornicAudioProcessorEditor::CCFilterRange (int)   {}  // the filter-range slider does not exist yet
void VornicAudioProcessorEditor::CCResonance (int)     {}  // the resonance slider does not exist yet
void VornicAudioProcessorEditor::CCQuantization (int)  {}  // the quantisation box does not exist yet
void VornicAudioProcessorEditor::CCLockSwitch()        {}  // the lock switch does not exist yet
void VornicAudioProcessorEditor::CCDryWetSlider (int)  {}  // the dry/wet slider does not exist yet
void VornicAudioProcessorEditor::CCByPassSwitch()      {}  // the bypass switch does not exist yet
void VornicAudioProcessorEditor::CCByPassAcross (bool) {}  // the bypass-across button does not exist yet
void VornicAudioProcessorEditor::CCInfinitySwitch()    {}  // the infinity switch does not exist yet
void VornicAudioProcessorEditor::CCInfinityNumber (int) {} // the repeat count does not exist yet
void VornicAudioProcessorEditor::CCResetAll()          {}  // the header does not exist yet
void VornicAudioProcessorEditor::CCTempo (int)         {}  // the header does not exist yet
void VornicAudioProcessorEditor::CCUndo()              {}  // the header does not exist yet
void VornicAudioProcessorEditor::QucikPreset1()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset2()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset3()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset4()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset5()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset6()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset7()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset8()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset9()        {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset10()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset11()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset12()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset13()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset14()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset15()       {}  // the fast-presets bar does not exist yet
void VornicAudioProcessorEditor::QucikPreset16()       {}  // the fast-presets bar does not exist yet

//==============================================================================
// MIDI CC settings.
void VornicAudioProcessorEditor::setUpMidiCCSettings()
{
    const auto& ids = QBStateIdentifiers::get();
    auto& state = processor.parameters.state;

    if (processor.isStandalone())
        settingsPanel = std::make_unique<QBSettingsPanel>();

    auto& cc = midiCCComponent();

    // A tree that has never had a mapping gets the defaults 1 … 34, outside the undo history.
    if (! state.hasProperty (ids.ccStates[0]))
        for (int k = 0; k < numberOfCCActions; ++k)
            state.setProperty (ids.ccStates[(size_t) k], k + 1, nullptr);

    ccMirrorList.clearQuick();

    for (int k = 0; k < numberOfCCActions; ++k)
    {
        const int number = (int) state[ids.ccStates[(size_t) k]];
        cc.setStatesCCToArrayComboBoxes (k, number);
        ccMirrorList.add (number);
    }

    cc.learnSource.arm = [&p = processor] (bool on) { p.setCCLearning (on); };
    cc.learnSource.take = [&p = processor] { return p.takeLearnedController(); };
    cc.addListener (this);

    cc.channelBox.setSelectedId ((int) state[ids.channelSelector], juce::dontSendNotification);

    if (cc.channelBox.getSelectedId() == 0)
        cc.channelBox.setSelectedId (1, juce::sendNotificationAsync);

    settingsPanelForPlugIn.addListener (this);

    if (settingsPanel != nullptr)
        settingsPanel->addListener (this);

    auto& panel = settingsPanelInUse();
    addAndMakeVisible (panel);
    panel.setAlwaysOnTop (true);
    resized();
}

void VornicAudioProcessorEditor::tearDownMidiCCSettings()
{
    midiCCComponent().setLearningRow (-1);
    midiCCComponent().removeListener (this);
    settingsPanelForPlugIn.removeListener (this);

    if (settingsPanel != nullptr)
        settingsPanel->removeListener (this);

    settingsPanel.reset();
}

QBMidiCCComponent& VornicAudioProcessorEditor::midiCCComponent() noexcept
{
    return settingsPanel != nullptr ? settingsPanel->midiCC : settingsPanelForPlugIn.midiCC;
}

juce::Component& VornicAudioProcessorEditor::settingsPanelInUse() noexcept
{
    return settingsPanel != nullptr ? static_cast<juce::Component&> (*settingsPanel)
                                    : static_cast<juce::Component&> (settingsPanelForPlugIn);
}

void VornicAudioProcessorEditor::openSettingsPanel()
{
    if (settingsPanel != nullptr)
        settingsPanel->setAlwaysOnTop (true);

    settingsPanelForPlugIn.slide.open();
}

void VornicAudioProcessorEditor::clickOnSettingsPanelToClose()
{
    midiCCComponent().setLearningRow (-1);
    settingsPanelForPlugIn.slide.close();
}

void VornicAudioProcessorEditor::clickOnSettingsPanelToClosePlugIn()
{
    clickOnSettingsPanelToClose();
}

void VornicAudioProcessorEditor::assignedCCArrayUpdate (juce::Array<int> numbers)
{
    const auto& ids = QBStateIdentifiers::get();

    for (int i = 0; i < numbers.size(); ++i)
    {
        while (ccMirrorList.size() <= i)
            ccMirrorList.add (0);

        ccMirrorList.set (i, numbers[i]);

        if (i < numberOfCCActions)
            processor.parameters.state.setProperty (ids.ccStates[(size_t) i], numbers[i], nullptr);
    }
}

void VornicAudioProcessorEditor::comboChannelChangeSlected (int itemId)
{
    processor.parameters.state.setProperty (QBStateIdentifiers::get().channelSelector, itemId, nullptr);
}

void VornicAudioProcessorEditor::layOutSettingsPanel (int top, int height)
{
    // One layout pass is one tick of the slide: the panel is placed where the
    // slide stands, then the slide moves on.
    auto& slide = settingsPanelForPlugIn.slide;
    const int W = getWidth();
    const int q = truncated (0.35f * (float) W);

    settingsPanelInUse().setBounds (truncated ((2.0f - slide.position) * (float) (W - q)), top, q, height);

    if (slide.animating)
        slide.tick();
}

void VornicAudioProcessorEditor::advanceSettingsSlide()
{
    // The last pass of a slide snaps it onto its target; one more places the panel there.
    if (settingsPanelForPlugIn.slide.animating)
    {
        resized();

        if (! settingsPanelForPlugIn.slide.animating)
            resized();
    }
}
