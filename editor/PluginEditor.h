#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include "PluginProcessor.h"
#include "QBBGSequenceTable.h"
#include "QBDotsComponent.h"
#include "QBImproveShadowsOject.h"
#include "QBMidiCCComponent.h"
#include "QBSequenceRangeLoopSlider.h"
#include "QBSequencerFadersTable.h"
#include "QBSettingsPanel.h"
#include "QBSettingsPanelForPlugIn.h"
#include "QBSliderNumOfSlidersInSequence.h"
#include "QBTopLineSeparator.h"

/** The listener interfaces the editor implements, gathered in one base. */
class QBEditorListeners : public QBSequenceRangeLoopSlider::Listener,
                          public juce::ValueTree::Listener,
                          public QBSequencerFadersTable::Listener,
                          public VornicAudioProcessor::Listener,
                          public QBSliderNumOfSlidersInSequence::Listener,
                          public QBDotsComponent::Listener,
                          public QBSettingsPanel::Listener,
                          public QBSettingsPanelForPlugIn::Listener,
                          public QBMidiCCComponent::Listener
{
};

/** The whole content of the window.

    The screen is the working copy of the sequence: a gesture changes faders or
    dots on screen, and when it ends the editor writes them to the processor's
    state tree as one undoable transaction. The editor reads the tree back when
    it opens, after the host restores a state, and while the undo manager undoes
    or redoes. Everything here runs on the message thread; the audio thread
    sees the tree through the processor's atomic mirrors. */
class VornicAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   private juce::Timer,
                                   public QBEditorListeners
{
public:
    explicit VornicAudioProcessorEditor (VornicAudioProcessor&);
    ~VornicAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    //==============================================================================
    void randomTriggerInfinity() override;
    void clickIncDecSequeceSize() override;
    void minMaxLoopValueChanged (int loopMin, int loopMax) override;
    void mouseDragEndMinMaxLoop() override;
    void clickUpAndDownOnTheComponent() override;
    void stepPositionFromPorcessor (int step) override;
    void clickUpOnDotsComponent() override;
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override;
    void loadAndSendTableValues() override;

    void CCRandomDice() override;
    void CCDirection (int) override;
    void CCResetSequence() override;
    void CCTypeOfFilter (int) override;
    void CCSmoother (int) override;
    void CCFilterRange (int) override;
    void CCResonance (int) override;
    void CCQuantization (int) override;
    void CCSequenceLength (int value) override;
    void CCLockSwitch() override;
    void CCDryWetSlider (int) override;
    void CCByPassSwitch() override;
    void CCByPassAcross (bool) override;
    void CCInfinitySwitch() override;
    void CCInfinityNumber (int) override;
    void CCResetAll() override;
    void CCTempo (int) override;
    void CCUndo() override;
    void QucikPreset1() override;
    void QucikPreset2() override;
    void QucikPreset3() override;
    void QucikPreset4() override;
    void QucikPreset5() override;
    void QucikPreset6() override;
    void QucikPreset7() override;
    void QucikPreset8() override;
    void QucikPreset9() override;
    void QucikPreset10() override;
    void QucikPreset11() override;
    void QucikPreset12() override;
    void QucikPreset13() override;
    void QucikPreset14() override;
    void QucikPreset15() override;
    void QucikPreset16() override;

    //==============================================================================
    /** Writes every fader's value and lock to the tree as one undoable transaction. */
    void setNoAutoValuesToTree();

    /** Reads faders, locks and dots back from the tree. */
    void setValuesFromTreeToNotAutoParams();

    /** Sets the loop slider from the tree's saved loop range. */
    void fromValueTreeToLoopRange();

    /** Copies the faders' locks into the dots. */
    void fromLockStateTableToLockDots();

    /** Applies the sequence length: visible faders and dots, the loop's limit. */
    void sliderSizeAndRangeLoopSelected();

    /** Gives every unlocked fader a new random value, on screen only. */
    void randomiseUnlockedFaders();

    /** The shadow one control casts on the window. The last argument is unused. */
    void dropShadowForSliders (juce::Rectangle<float> area, juce::Rectangle<int> editorBounds,
                               juce::Graphics&, bool);

    //==============================================================================
    QBTopLineSeparator topLineSeparator;
    QBSliderNumOfSlidersInSequence sequenceSizeSlider;
    QBSequenceRangeLoopSlider loopRangeSlider;
    QBBGSequenceTableWithSpec sequenceBackground;
    QBSequencerFadersTable fadersTable;
    QBDotsComponent dotsComponent;
    juce::DrawableButton resetDotsButton { "resetDots", juce::DrawableButton::ImageFitted };
    juce::DrawableButton playStopButton { "PlayStop", juce::DrawableButton::ImageFitted };
    juce::Label playLabel { "Play", {} };

    VornicAudioProcessor& processor;

    juce::DropShadow tableShadow { juce::Colour (0x90000000), 4, { 0, 0 } };
    QBImproveShadowsOject rightEdgeStrip;
    QBImproveShadowsOject bottomEdgeStrip;

    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> sequenceSizeAttachment;

    //==============================================================================
    // MIDI CC settings: the settings panel with the mapping list, and its slide.
    void clickOnSettingsPanelToClose() override;
    void clickOnSettingsPanelToClosePlugIn() override;
    void assignedCCArrayUpdate (juce::Array<int> numbers) override;
    void comboChannelChangeSlected (int itemId) override;

    /** The header's "open settings" action: slides the settings panel in. */
    void openSettingsPanel();

    /** The mapping list of the settings panel in use. */
    QBMidiCCComponent& midiCCComponent() noexcept;

    /** The settings panel in use: the application's, or the one for hosts. */
    juce::Component& settingsPanelInUse() noexcept;

    /** Standalone only: the panel with the device selector. */
    std::unique_ptr<QBSettingsPanel> settingsPanel;

    /** Inside a host the panel shown; in every form the owner of the settings slide. */
    QBSettingsPanelForPlugIn settingsPanelForPlugIn;

    /** The CC numbers as last written to the tree. */
    juce::Array<int> ccMirrorList;
    static constexpr int numberOfCCActions = VornicAudioProcessor::numCCActions;

private:
    void setUpMidiCCSettings();
    void tearDownMidiCCSettings();
    void layOutSettingsPanel (int top, int height);
    void advanceSettingsSlide();

    //==============================================================================
    void timerCallback() override;
    void applyWindowSize (bool collapsed);
    void playStopAndTempoStandalone();
    void setActiveSteps (int loopMin, int loopMax);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornicAudioProcessorEditor)
};
