#include "PluginEditor.h"

#include <array>
#include <cmath>

#include "QBCCActions.h"
#include "QBColours.h"
#include "QBFonts.h"
#include "QBImages.h"
#include "QBStateIdentifiers.h"

namespace
{
    constexpr int numSteps = VornicAudioProcessor::maxSteps;

    int truncated (float x) noexcept { return (int) x; }

    /** Typed text without a number in it is ignored rather than read as 0 (and
        so as the lowest value); numbers are clamped into the slider's range. */
    void ignoreTextWithoutNumber (juce::Slider& number)
    {
        number.valueFromTextFunction = [&number, parse = number.valueFromTextFunction] (const juce::String& text)
        {
            return text.containsAnyOf ("0123456789") ? parse (text) : number.getValue();
        };
    }

    template <typename Attachment, typename Control>
    std::unique_ptr<Attachment> attach (juce::AudioProcessorValueTreeState& parameters, const char* id, Control& control)
    {
        return std::make_unique<Attachment> (parameters, id, control);
    }

    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;
    using ComboBoxAttachment = juce::AudioProcessorValueTreeState::ComboBoxAttachment;
}

//==============================================================================
VornicAudioProcessorEditor::VornicAudioProcessorEditor (VornicAudioProcessor& p)
    : juce::AudioProcessorEditor (p), headerPanel (p.isStandalone()), processor (p)
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

    // The header and its panels: the header and the panels opened from it lie
    // above everything else; the overlay only shows while a panel is open.
    headerPanel.addListener (this);
    addAndMakeVisible (headerPanel);
    headerPanel.setAlwaysOnTop (true);
    addAndMakeVisible (semiTransparentPanel);
    semiTransparentPanel.setVisible (false);
    semiTransparentPanel.addListener (this);
    semiTransparentPanel.setAlwaysOnTop (true);
    infoPanel.addListener (this);
    addAndMakeVisible (infoPanel);
    infoPanel.setAlwaysOnTop (true);
    tempoPanel.addListener (this);
    addAndMakeVisible (tempoPanel);

    // Also attaches the window-size button: a state saved with the compact window opens compact.
    headerPanelFunction();

    addFilterControls();
    addLockControls();
    addMixControls();

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

    addInfinityControls();

    addAndMakeVisible (sequenceBackground);
    addSequenceActionControls();

    fadersTable.addListener (this);
    addAndMakeVisible (fadersTable);
    sequenceSizeAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (
        processor.parameters, "sequenceSize", *sequenceSizeSlider.slider);
    ignoreTextWithoutNumber (*sequenceSizeSlider.slider);
    addAndMakeVisible (sequenceSizeSlider);
    addAndMakeVisible (loopRangeSlider);
    loopRangeSlider.addListener (this);
    loopRangeSlider.setNumberOfSteps ((int) sequenceSizeSlider.slider->getValue());
    fromValueTreeToLoopRange();
    sliderSizeAndRangeLoopSelected();
    sequenceSizeSlider.addListener (this);
    sequenceSizeSlider.slider->onValueChange = [this] { sliderSizeAndRangeLoopSelected(); };
    sequenceSizeSlider.slider->onDragEnd = [this] { mouseDragEndMinMaxLoop(); };

    addMoveButtons();

    addAndMakeVisible (presetsLabel);
    presetsLabel.setText ("PRESETS", juce::dontSendNotification);
    presetsLabel.setColour (juce::Label::textColourId, QBColours::selectedControl);

    addDice();
    // Presets: the panel, the fast-presets bar and their state from the tree;
    // the presets list follows 50 ms later.
    buildPresets();
    setUpMidiCCSettings();

    processor.editorIsOpen = true;
}

VornicAudioProcessorEditor::~VornicAudioProcessorEditor()
{
    stopTimer();
    processor.parameters.state.removeListener (this);
    processor.listeners.remove (this);
    acrossByPassState (bypassButtons.byPassSwitch->getToggleState());  // a window closed mid-press ends the inversion
    bypassButtons.removeListener (this);
    dotsComponent.removeListener (this);
    fadersTable.removeListener (this);
    loopRangeSlider.removeListener (this);
    sequenceSizeSlider.removeListener (this);
    headerPanel.removeListener (this);
    semiTransparentPanel.removeListener (this);
    infoPanel.removeListener (this);
    tempoPanel.removeListener (this);
    presetsBottomPanel.removeListener (this);
    presetsPanel.removeListener (this);
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

    // The header's tempo drives the standalone clock; the header shows the clock's
    // tempo and the processor's channel mode, which may come from an earlier window.
    auto& tempoSlider = headerPanel.tempoSlider;
    tempoSlider.onValueChange = [this]
    {
        processor.standaloneClock.setTempo ((float) headerPanel.tempoSlider.getValue());
        headerPanel.setBpmTempoToLable();
    };
    tempoSlider.setValue ((double) processor.standaloneClock.getTempo(), juce::dontSendNotification);
    headerPanel.setBpmTempoToLable();

    const bool stereo = processor.isStereo.load();
    headerPanel.monoStereoButton.setToggleState (stereo, juce::dontSendNotification);
    headerPanel.monoStereoButton.setButtonText (stereo ? "STEREO" : "MONO");
}

//==============================================================================
void VornicAudioProcessorEditor::headerPanelFunction()
{
    headerPanel.logoButton.onClick = [this] { openInfoPanel(); };
    headerPanel.resetButton.onClick = [this] { resetAll(); };
    headerPanel.tempoLabel.onClick = [this] { openTempoPanel(); };

    collapseAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment> (
        processor.parameters, "collapse", headerPanel.collapseButton);
    applyWindowSize (headerPanel.collapseButton.getToggleState());

    // Also runs when the parameter changes behind the button (undo, a restored state).
    headerPanel.collapseButton.onClick = [this] { applyWindowSize (headerPanel.collapseButton.getToggleState()); };

    headerPanel.undoButton.onClick = [this] { undoLastStep(); };
    headerPanel.presetsButton.onClick = [this] { openPresetsPanel(); };
    headerPanel.settingsButton.onClick = [this] { openSettingsPanel(); };
}

void VornicAudioProcessorEditor::undoLastStep()
{
    QBCCActions::undo (processor);
}

void VornicAudioProcessorEditor::closePanelsExcept (const QBSlideState* keep)
{
    if (keep != &infoSlide)
        clickOverInfoPanelToClose();

    if (keep != &tempoSlide)
        clickOnTempoPaneToClose();

    if (keep != &presetsPanel.slide)
        clickOnPresetsPaneToClose();

    if (keep != &settingsPanelForPlugIn.slide)
        clickOnSettingsPanelToClose();
}

void VornicAudioProcessorEditor::openInfoPanel()
{
    closePanelsExcept (&infoSlide);
    headerPanel.toFront (false);
    infoSlide.open();
    semiTransparentPanel.setVisible (true);
}

void VornicAudioProcessorEditor::openTempoPanel()
{
    closePanelsExcept (&tempoSlide);
    tempoPanel.setAlwaysOnTop (true);
    headerPanel.toFront (false);
    tempoSlide.open();
    semiTransparentPanel.setVisible (true);

    auto& field = tempoPanel.tempoField;
    field.setText (juce::String ((int) headerPanel.tempoSlider.getValue()), true);
    field.toFront (false);
    field.grabKeyboardFocus();
    field.selectAll();
}

void VornicAudioProcessorEditor::resetAll()
{
    // Everything below is one undo step: no write in it begins a transaction of its
    // own, and every control reports to its attachment at once, inside this step.
    constexpr auto now = juce::sendNotificationSync;

    processor.undoManager.beginNewTransaction();

    for (auto& f : fadersTable.faders)
    {
        f->locked = false;
        f->value = 0.0f;
        f->repaint();
    }

    dryWetSlider.slider->setValue (1.0, now);
    bypassButtons.byPassSwitch->setToggleState (true, juce::sendNotification);
    infiniteButtons.infinityButton->setToggleState (false, juce::sendNotification);
    infiniteButtons.repeatSlider->setValue (1.0, now);
    directionButtons.directionSlider->setValue (0.0, now);
    quantizeComboBox.comboBox->setSelectedId (7, now);
    // The length applies at once, so the loop below may span all 32 steps.
    sequenceSizeSlider.slider->setValue (32.0, now);
    typeOfFilterButton.typeSlider->setValue (2.0, now);

    for (auto* bar : { &smootherSlider, &filterRangeSlider, &resonanceSlider })
        bar->slider->setValue (0.5, now);

    lockAndResetButtons.lockButton->setToggleState (false, juce::sendNotification);

    for (auto& d : dotsComponent.dots)
        d->stepLocked = false;

    dotsComponent.clearUnlockedDots();
    loopRangeSlider.slider->setMinAndMaxValues (0.0, 32.0, now);
    QBCCActions::writeClearedSequence (processor);

    // The parameters reach the tree on a timer; store them now, inside this step.
    processor.parameters.copyState();
}

//==============================================================================
// The sequence's action controls and the filter's controls: each attachment is
// made before its control becomes visible, so the control opens showing its parameter.
void VornicAudioProcessorEditor::addFilterControls()
{
    typeOfFilterAttachment = attach<SliderAttachment> (processor.parameters, "typeOfFilter", *typeOfFilterButton.typeSlider);
    addAndMakeVisible (typeOfFilterButton);
    filterRangeAttachment = attach<SliderAttachment> (processor.parameters, "filterRange", *filterRangeSlider.slider);
    addAndMakeVisible (filterRangeSlider);
    resonanceAttachment = attach<SliderAttachment> (processor.parameters, "resonance", *resonanceSlider.slider);
    addAndMakeVisible (resonanceSlider);
    smootherAttachment = attach<SliderAttachment> (processor.parameters, "smoother", *smootherSlider.slider);
    addAndMakeVisible (smootherSlider);
}

void VornicAudioProcessorEditor::addLockControls()
{
    addAndMakeVisible (lockAndResetButtons);
    auto& lockButton = *lockAndResetButtons.lockButton;

    // The lock switch is not saved: a new window draws values until it is switched on.
    fadersTable.setLockMode (lockButton.getToggleState());
    fromLockStateTableToLockDots();

    lockButton.onClick = [this, &lockButton] { fadersTable.setLockMode (lockButton.getToggleState()); };

    lockAndResetButtons.resetLocksButton->onClick = [this]
    {
        for (auto& f : fadersTable.faders)
        {
            f->locked = false;
            f->repaint();
        }

        for (auto& d : dotsComponent.dots)
            d->stepLocked = false;

        // Only the locks change; the dots are stored with them in the same undo step.
        setNoAutoValuesToTree();
        writeDotsToTree();
        fromLockStateTableToLockDots();
    };
}

void VornicAudioProcessorEditor::addMixControls()
{
    dryWetAttachment = attach<SliderAttachment> (processor.parameters, "dryWet", *dryWetSlider.slider);
    addAndMakeVisible (dryWetSlider);
    addAndMakeVisible (wetImage);
    byPassAttachment = attach<ButtonAttachment> (processor.parameters, "byPassButton", *bypassButtons.byPassSwitch);
    bypassButtons.addListener (this);
    addAndMakeVisible (bypassButtons);

    // The attachment reports the switch only when it changes it: a state saved
    // with the effect off must not leave the effect heard.
    acrossByPassState (bypassButtons.byPassSwitch->getToggleState());
}

void VornicAudioProcessorEditor::addInfinityControls()
{
    auto& group = infiniteButtons;
    infinityAttachment = attach<ButtonAttachment> (processor.parameters, "infinityButton", *group.infinityButton);
    numbersBeforeInfinityAttachment = attach<SliderAttachment> (processor.parameters, "numbersBeforeInfinity",
                                                                *group.repeatSlider);
    ignoreTextWithoutNumber (*group.repeatSlider);

    addAndMakeVisible (group);
    addAndMakeVisible (group.decreaseButton);
    addAndMakeVisible (group.increaseButton);

    group.decreaseButton.onClick = [&group]
    {
        if (group.repeatCount >= 2)
            group.repeatSlider->setValue ((double) --group.repeatCount, juce::sendNotification);
    };
    group.increaseButton.onClick = [&group]
    {
        if (group.repeatCount < 64)
            group.repeatSlider->setValue ((double) ++group.repeatCount, juce::sendNotification);
    };

    // A switch's state also changes on hover: only switching it on starts the count again.
    group.infinityButton->onStateChange = [this, &group, wasOn = group.infinityButton->getToggleState()]() mutable
    {
        const bool on = group.infinityButton->getToggleState();

        if (on && ! wasOn)
            processor.infinityCounter = 0;

        wasOn = on;
    };
}

void VornicAudioProcessorEditor::addSequenceActionControls()
{
    addAndMakeVisible (resetSequenceButton);
    resetSequenceButton.button->onClick = [this]
    {
        for (auto& f : fadersTable.faders)
        {
            if (f->locked)
                continue;

            f->value = 0.0f;
            f->repaint();
        }

        setNoAutoValuesToTree();
    };

    directionAttachment = attach<SliderAttachment> (processor.parameters, "direction", *directionButtons.directionSlider);
    addAndMakeVisible (directionButtons);

    // Forward and backward go on from the sounding step: it plays again at the
    // next tick and the sequence continues from it the new way.
    for (auto* b : { directionButtons.forwardButton.get(), directionButtons.backwardButton.get() })
        b->onClick = [this, b]
        {
            if (b->getToggleState())
                processor.nextStep = processor.currentStep.load();
        };

    quantizeAttachment = attach<ComboBoxAttachment> (processor.parameters, "quantize", *quantizeComboBox.comboBox);
    addAndMakeVisible (quantizeComboBox);
}

void VornicAudioProcessorEditor::addMoveButtons()
{
    addAndMakeVisible (moveSeqBackPlate);
    addAndMakeVisible (moveSeqNextPlate);

    const auto& images = QBImages::images();
    moveSeqBackButton.setImages (images.backArrowImage.get(), nullptr, images.backArrowImageDown.get());
    moveSeqNextButton.setImages (images.nextArrowImage.get(), nullptr, images.nextArrowImageDown.get());

    for (auto* b : { &moveSeqBackButton, &moveSeqNextButton })
    {
        b->setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
        addAndMakeVisible (*b);
    }

    moveSeqBackButton.onClick = [this] { rotateSequence (-1); };
    moveSeqNextButton.onClick = [this] { rotateSequence (1); };
}

void VornicAudioProcessorEditor::addDice()
{
    addAndMakeVisible (dice);
    dice.diceButton->onClick = [this]
    {
        randomiseUnlockedFaders();
        setNoAutoValuesToTree();
    };
}

void VornicAudioProcessorEditor::rotateSequence (int direction)
{
    std::array<float, numSteps> values {};
    std::array<bool, numSteps> locks {}, dotted {};

    for (size_t i = 0; i < (size_t) numSteps; ++i)
    {
        values[i] = fadersTable.faders[i]->value;
        locks[i] = fadersTable.faders[i]->locked;
        dotted[i] = dotsComponent.dots[i]->dotted;
    }

    for (int i = 0; i < numSteps; ++i)
    {
        const auto from = (size_t) ((i - direction + numSteps) % numSteps);
        auto& f = *fadersTable.faders[(size_t) i];
        auto& d = *dotsComponent.dots[(size_t) i];

        f.value = values[from];
        f.locked = locks[from];
        f.repaint();
        d.dotted = dotted[from];
        d.repaint();
    }

    // Values, locks and dots move together, so they are undone together.
    setNoAutoValuesToTree();
    writeDotsToTree();
    fromLockStateTableToLockDots();
}

void VornicAudioProcessorEditor::layOutControls()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W, h = (float) H;
    const int top = truncated (0.09f * h);
    const float b = (float) (H - top);
    const int p = top + truncated (0.02f * b);
    const int r = top + truncated (0.251f * b);
    const int barHeight = truncated (0.045f * b);

    dice.setBounds (W / 2 - truncated (0.06f * b), top + truncated (0.06f * b), truncated (0.12f * b), truncated (0.12f * b));
    const auto d = dice.getBounds();
    directionButtons.setBounds (d.getX() - juce::roundToInt (0.55f * (float) d.getHeight()), p,
                                juce::roundToInt (1.5f * (float) d.getWidth()), truncated (0.2f * b));
    resetSequenceButton.setBounds (d.getRight() + truncated (0.013f * w), d.getY() + d.getHeight() / 2 - truncated (0.021f * b),
                                   truncated (0.04f * b), truncated (0.04f * b));

    filterRangeSlider.setBounds (truncated (0.134f * w), truncated (0.291f * b), truncated (0.175f * w), barHeight);
    resonanceSlider.setBounds (truncated (0.134f * w), r, truncated (0.175f * w), barHeight);
    smootherSlider.setBounds (truncated (0.134f * w), truncated (0.233f * b), truncated (0.175f * w), barHeight);
    const auto fr = filterRangeSlider.getBounds();
    typeOfFilterButton.setBounds (W / 2 - truncated (0.44f * w), fr.getY() + fr.getHeight() / 2 - truncated (0.125f * b),
                                  truncated (0.15f * w), truncated (0.25f * b));

    quantizeComboBox.setBounds (truncated (0.34f * w), r, truncated (0.1f * w), barHeight);
    lockAndResetButtons.setBounds (truncated (0.56f * w), r, truncated (0.1f * w), barHeight);

    const auto t = fadersTable.getBounds();
    const float tw = (float) t.getWidth();
    const int plate = truncated (0.028f * w);
    moveSeqBackPlate.setBounds (t.getX() - juce::roundToInt (0.06f * tw), t.getY() + t.getHeight() / 2 - truncated (0.014f * w),
                                plate, plate);
    const auto P = moveSeqBackPlate.getBounds();
    const float pw = (float) P.getWidth();
    const int arrow = juce::roundToInt (0.65f * pw);
    moveSeqBackButton.setBounds (P.getX() + P.getWidth() / 2 - juce::roundToInt (0.37f * pw),
                                 P.getY() + P.getHeight() / 2 - juce::roundToInt (0.325f * pw), arrow, arrow);
    moveSeqNextPlate.setBounds (t.getRight() + juce::roundToInt (0.058f * tw) - P.getWidth(), P.getY(), P.getWidth(), P.getHeight());
    const auto Q = moveSeqNextPlate.getBounds();
    moveSeqNextButton.setBounds (Q.getX() + Q.getWidth() / 2 - juce::roundToInt (0.3f * pw),
                                 Q.getY() + Q.getHeight() / 2 - juce::roundToInt (0.325f * pw), arrow, arrow);

    const auto loop = loopRangeSlider.getBounds();
    const int k = truncated (0.085f * w);
    bypassButtons.setBounds (loop.getRight() - k, fr.getY(), k, fr.getHeight());
    infiniteButtons.setBounds (bypassButtons.getX(), smootherSlider.getY(), k, fr.getHeight());
    const auto inf = infiniteButtons.getBounds();
    const int e = truncated (0.02f * h), f = truncated (0.035f * h);
    infiniteButtons.decreaseButton.setBounds (inf.getX() - f, inf.getY() + inf.getHeight() / 2 - truncated (0.01f * h), e, e);
    const auto dec = infiniteButtons.decreaseButton.getBounds();
    infiniteButtons.increaseButton.setBounds (inf.getRight() + f - dec.getHeight(), dec.getY(), dec.getWidth(), dec.getHeight());

    const int g = truncated (0.19f * w);
    dryWetSlider.setBounds (loop.getRight() - g, r, g, resonanceSlider.getHeight());
    const auto dw = dryWetSlider.getBounds();
    wetImage.setBounds (dw.getX() - dw.getHeight() - juce::roundToInt (0.04f * (float) dw.getWidth()), dw.getY(),
                        dw.getHeight(), dw.getHeight());
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

    headerPanel.setBounds (0, 0, W, hh);

    topLineSeparator.setBounds (truncated (0.025f * b), top,
                                juce::jmax (0, W - truncated (0.05f * b)), truncated (0.007f * b));

    layOutSlidingPanels (top, H - hh);

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

    presetsLabel.setFont (QBFonts::revereveBook ((float) truncated (0.022f * b)));
    presetsLabel.setBounds (presetsCaption);

    playStopButton.setBounds (W - truncated (0.08f * w),
                              presetsCaption.getY() + presetsCaption.getHeight() / 2 - truncated (0.03f * h),
                              truncated (0.04f * w), truncated (0.06f * h));
    const auto ps = playStopButton.getBounds();
    playLabel.setFont (QBFonts::revereveBold ((float) truncated (0.015f * w)));
    playLabel.setBounds (ps.getX() - truncated (0.036f * w), ps.getY() + ps.getHeight() / 2 - truncated (0.05f * b),
                         truncated (0.04f * w), truncated (0.1f * b));

    layOutControls();

    // Presets: the bar, its caption and the sliding panel (one animation tick).
    layOutPresets (presetsBar, presetsCaption, top);
    layOutSettingsPanel (top, H - hh);

    // Each layout pass is one tick of the panels' slides; the new positions show at the next.
    for (auto* slide : { &infoSlide, &tempoSlide })
        slide->tick();
}

void VornicAudioProcessorEditor::layOutSlidingPanels (int top, int bodyHeight)
{
    const int W = getWidth();
    const float w = (float) W, b = (float) bodyHeight;
    const float y0 = (float) (top + truncated (0.02f * b));

    semiTransparentPanel.setBounds (0, top, W, bodyHeight);
    infoPanel.setBounds (W / 2 - truncated (0.25f * w), truncated ((infoSlide.position * 11.0f - 10.0f) * y0),
                         truncated (0.5f * w), truncated (0.7f * b));
    tempoPanel.setBounds (W / 2 - truncated (0.15f * w), truncated ((tempoSlide.position * 6.0f - 5.0f) * y0),
                          truncated (0.3f * w), truncated (0.2f * b));
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
    const juce::Component* shadowed[] = { &resonanceSlider, &filterRangeSlider, &smootherSlider, &quantizeComboBox,
                                          &dryWetSlider, &sequenceSizeSlider, &lockAndResetButtons, &wetImage,
                                          &resetSequenceButton, &bypassButtons, &infiniteButtons,
                                          &moveSeqBackPlate, &moveSeqNextPlate, &rightEdgeStrip, &bottomEdgeStrip };

    for (auto* c : shadowed)
        dropShadowForSliders (c->getBounds().toFloat(), getLocalBounds(), g, false);

    // The dice casts a hexagonal shadow, a corner straight above its centre.
    const auto d = dice.getBounds().toFloat();
    const auto centre = d.getCentre();
    const float radius = 0.47f * d.getHeight();
    juce::Path hexagon;

    for (int i = 0; i < 6; ++i)
    {
        const auto angle = juce::MathConstants<float>::pi / 3.0f * (float) i;
        const juce::Point<float> vertex (centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle));

        if (i == 0)
            hexagon.startNewSubPath (vertex);
        else
            hexagon.lineTo (vertex);
    }

    hexagon.closeSubPath();
    tableShadow.colour = juce::Colours::black.withAlpha ((juce::uint8) 0x4c);
    tableShadow.radius = 10;
    tableShadow.offset = { 4, 5 };
    tableShadow.drawForPath (g, hexagon);
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
    if (infoSlide.animating || tempoSlide.animating || presetsPanel.slide.animating
         || settingsPanelForPlugIn.slide.animating)
        resized();

    // Inside a host the header shows the host's tempo; a host that reports none
    // (zero or not a number) leaves the last one shown.
    if (const auto bpm = processor.hostBpm.load(); ! processor.isStandalone() && std::isfinite (bpm) && bpm > 0.0)
    {
        headerPanel.tempoSlider.setValue (bpm, juce::dontSendNotification);
        headerPanel.setBpmTempoToLable();
    }

    // In the application the play button shows whether the sequence runs: by its
    // own clock, or following a rolling JACK transport.
    if (processor.isStandalone())
    {
        const auto& clock = processor.standaloneClock;
        const bool running = clock.isPlaying.load() || clock.followsExternalTransport.load();

        if (playStopButton.getToggleState() != running)
        {
            playStopButton.setToggleState (running, juce::dontSendNotification);
            playLabel.setText (running ? "Stop" : "Play", juce::dontSendNotification);
        }
    }
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
    processor.undoManager.beginNewTransaction();
    writeDotsToTree();
}

void VornicAudioProcessorEditor::writeDotsToTree()
{
    const auto& ids = QBStateIdentifiers::get();
    auto& state = processor.parameters.state;

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
void VornicAudioProcessorEditor::isMonoStereoState (bool stereo)
{
    processor.isStereo = stereo;
}

void VornicAudioProcessorEditor::clickOnTheSemiTransparentPanel()
{
    closePanelsExcept (nullptr);
    semiTransparentPanel.setVisible (false);
}

void VornicAudioProcessorEditor::clickOverInfoPanelToClose()
{
    semiTransparentPanel.setVisible (false);
    infoSlide.close();
}

void VornicAudioProcessorEditor::clickOnTempoPaneToClose()
{
    semiTransparentPanel.setVisible (false);
    tempoSlide.close();

    // Keys typed after the panel has gone must not edit its hidden field.
    if (tempoPanel.tempoField.hasKeyboardFocus (false))
        tempoPanel.tempoField.giveAwayKeyboardFocus();
}

void VornicAudioProcessorEditor::setTempoFromTextToSliderTempo (float tempo)
{
    // The slider's range and interval clamp the tempo to 10 … 600 and round it.
    if (std::isfinite (tempo))
        headerPanel.tempoSlider.setValue ((double) tempo, juce::sendNotification);
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
    fromLockStateTableToLockDots();  // a dot of a locked step keeps its state through gestures
    fromValueTreeToLoopRange();

    // Presets: a restored state brings its own presets and fast slots.
    restoreFastPresetButtonsFromTree();
    initialRowPresetsValueFromTreeToListBox();
}

void VornicAudioProcessorEditor::acrossByPassState (bool effectOn)
{
    processor.effectOn = effectOn;
}

//==============================================================================
// MIDI CC actions. Each drives its control as a mouse edit would, so the change
// takes the same path: the attachment, the button's click handler.
void VornicAudioProcessorEditor::CCRandomDice()
{
    // What the dice does: new random values for the unlocked faders, stored as one undo step.
    randomiseUnlockedFaders();
    setNoAutoValuesToTree();
}

void VornicAudioProcessorEditor::CCSequenceLength (int value)
{
    sequenceSizeSlider.slider->setValue ((double) QBCCActions::scaled (value, 62.0f, 2.0f), juce::sendNotificationAsync);
}

namespace
{
    /** A controller's 7-bit value scaled as the window's controls take it. */
    double ccScaled (int value, float scale, float offset) noexcept
    {
        return (double) QBCCActions::scaled (value, scale, offset);
    }

    void invertToggle (juce::Button& button)
    {
        button.setToggleState (! button.getToggleState(), juce::sendNotification);
    }
}

void VornicAudioProcessorEditor::CCDirection (int direction)
{
    directionButtons.directionSlider->setValue ((double) direction, juce::sendNotificationAsync);
}

void VornicAudioProcessorEditor::CCResetSequence()    { resetSequenceButton.button->triggerClick(); }

void VornicAudioProcessorEditor::CCTypeOfFilter (int type)
{
    typeOfFilterButton.typeSlider->setValue ((double) type, juce::sendNotificationAsync);
}

void VornicAudioProcessorEditor::CCSmoother (int v)    { smootherSlider.slider->setValue (ccScaled (v, 1.0f, 0.0f), juce::sendNotificationAsync); }
void VornicAudioProcessorEditor::CCFilterRange (int v) { filterRangeSlider.slider->setValue (ccScaled (v, 1.0f, 0.0f), juce::sendNotificationAsync); }
void VornicAudioProcessorEditor::CCResonance (int v)   { resonanceSlider.slider->setValue (ccScaled (v, 1.0f, 0.0f), juce::sendNotificationAsync); }
void VornicAudioProcessorEditor::CCDryWetSlider (int v) { dryWetSlider.slider->setValue (ccScaled (v, 1.0f, 0.0f), juce::sendNotificationAsync); }

void VornicAudioProcessorEditor::CCQuantization (int v)
{
    quantizeComboBox.comboBox->setSelectedId ((int) QBCCActions::scaled (v, 10.0f, 0.0f) + 1, juce::sendNotificationAsync);
}

void VornicAudioProcessorEditor::CCLockSwitch()        { lockAndResetButtons.lockButton->triggerClick(); }
void VornicAudioProcessorEditor::CCByPassSwitch()      { invertToggle (*bypassButtons.byPassSwitch); }
void VornicAudioProcessorEditor::CCByPassAcross (bool effectHeard) { acrossByPassState (effectHeard); }
void VornicAudioProcessorEditor::CCInfinitySwitch()    { invertToggle (*infiniteButtons.infinityButton); }

void VornicAudioProcessorEditor::CCInfinityNumber (int v)
{
    infiniteButtons.repeatSlider->setValue (ccScaled (v, 63.0f, 1.0f), juce::sendNotificationAsync);
}
void VornicAudioProcessorEditor::CCResetAll()          { resetAll(); }
void VornicAudioProcessorEditor::CCUndo()              { undoLastStep(); }

void VornicAudioProcessorEditor::CCTempo (int value)
{
    // Inside a host the tempo is the host's.
    if (processor.isStandalone())
        headerPanel.tempoSlider.setValue ((double) QBCCActions::scaled (value, 590.0f, 10.0f), juce::sendNotification);
}
void VornicAudioProcessorEditor::QucikPreset1()        { quickPreset (0); }
void VornicAudioProcessorEditor::QucikPreset2()        { quickPreset (1); }
void VornicAudioProcessorEditor::QucikPreset3()        { quickPreset (2); }
void VornicAudioProcessorEditor::QucikPreset4()        { quickPreset (3); }
void VornicAudioProcessorEditor::QucikPreset5()        { quickPreset (4); }
void VornicAudioProcessorEditor::QucikPreset6()        { quickPreset (5); }
void VornicAudioProcessorEditor::QucikPreset7()        { quickPreset (6); }
void VornicAudioProcessorEditor::QucikPreset8()        { quickPreset (7); }
void VornicAudioProcessorEditor::QucikPreset9()        { quickPreset (8); }
void VornicAudioProcessorEditor::QucikPreset10()       { quickPreset (9); }
void VornicAudioProcessorEditor::QucikPreset11()       { quickPreset (10); }
void VornicAudioProcessorEditor::QucikPreset12()       { quickPreset (11); }
void VornicAudioProcessorEditor::QucikPreset13()       { quickPreset (12); }
void VornicAudioProcessorEditor::QucikPreset14()       { quickPreset (13); }
void VornicAudioProcessorEditor::QucikPreset15()       { quickPreset (14); }
void VornicAudioProcessorEditor::QucikPreset16()       { quickPreset (15); }

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
    closePanelsExcept (&settingsPanelForPlugIn.slide);
    headerPanel.toFront (false);
    semiTransparentPanel.setVisible (true);

    if (settingsPanel != nullptr)
        settingsPanel->setAlwaysOnTop (true);

    settingsPanelForPlugIn.slide.open();
}

void VornicAudioProcessorEditor::clickOnSettingsPanelToClose()
{
    semiTransparentPanel.setVisible (false);
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

