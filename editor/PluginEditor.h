#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include "PluginProcessor.h"
#include "HeaderPanel.h"
#include "QBBGSequenceTable.h"
#include "QBBypassButtons.h"
#include "QBCircularBGNextBackSeq.h"
#include "QBDelayedCall.h"
#include "QBDice.h"
#include "QBDotsComponent.h"
#include "QBDryWetSlider.h"
#include "QBFilterRangeSlider.h"
#include "QBImproveShadowsOject.h"
#include "QBInfiniteButtons.h"
#include "QBInfoPanel.h"
#include "QBLockAndResetButtons.h"
#include "QBQuantizeComboBox.h"
#include "QBResetSequenceButton.h"
#include "QBPresetsBottomPanel.h"
#include "QBPresetsPanel.h"
#include "QBMidiCCComponent.h"
#include "QBSequenceRangeLoopSlider.h"
#include "QBSequencerFadersTable.h"
#include "QBSettingsPanel.h"
#include "QBSettingsPanelForPlugIn.h"
#include "QBSemiTransparentPanel.h"
#include "QBSlideState.h"
#include "QBSliderNumOfSlidersInSequence.h"
#include "QBSquenceDirectionButtons.h"
#include "QBTempoPanel.h"
#include "QBTopLineSeparator.h"
#include "QBTypeOfFilterButton.h"
#include "QBWetImage.h"

/** The listener interfaces the editor implements, gathered in one base. */
class QBEditorListeners : public QBInfoPanel::Listener,
                          public HeaderPanel::Listener,
                          public QBSemiTransparentPanel::Listener,
                          public QBTempoPanel::Listener,
                          public QBSequenceRangeLoopSlider::Listener,
                          public juce::ValueTree::Listener,
                          public QBSequencerFadersTable::Listener,
                          public VornicAudioProcessor::Listener,
                          public QBSliderNumOfSlidersInSequence::Listener,
                          public QBBypassButtons::Listener,
                          public QBDotsComponent::Listener,
                          // Presets: the presets panel and the fast-presets bar.
                          public QBPresetsPanel::Listener,
                          public QBPresetsBottomPanel::Listener,
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
    // The header and the panels it opens.
    void isMonoStereoState (bool stereo) override;
    void clickOnTheSemiTransparentPanel() override;
    void clickOverInfoPanelToClose() override;
    void clickOnTempoPaneToClose() override;
    void setTempoFromTextToSliderTempo (float tempo) override;

    //==============================================================================
    void acrossByPassState (bool effectOn) override;

    //==============================================================================
    // Presets (PluginEditorPresets.cpp)
    void clickOnPresetsPaneToClose() override;
    void clickOnSavePreset (juce::String name) override;
    void doubleClickOnRowLoadPreset (juce::String name, int slot) override;
    void removePreset (int row, int slot, bool deleteRow) override;
    void presetComboBoxHasChanged (int newSlot, int row, int oldSlot) override;
    void fastPresetLoadButtonWasPressed (int slot) override;
    void fastPresetAddButtonWasPressed (int slot) override;

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

    /** Rotates all 64 steps (values, locks and dots) by one: towards the start for
        -1, towards the end for +1; then stores them. */
    void rotateSequence (int direction);

    /** The shadow one control casts on the window. The last argument is unused. */
    void dropShadowForSliders (juce::Rectangle<float> area, juce::Rectangle<int> editorBounds,
                               juce::Graphics&, bool);

    //==============================================================================
    HeaderPanel headerPanel;
    QBTopLineSeparator topLineSeparator;
    QBSemiTransparentPanel semiTransparentPanel;
    QBInfoPanel infoPanel;
    QBTempoPanel tempoPanel;
    QBSlideState infoSlide, tempoSlide;

    // The sequence's action controls and the filter's controls.
    juce::Label presetsLabel { {}, {} };
    QBDice dice;
    QBTypeOfFilterButton typeOfFilterButton;
    QBFilterRangeSlider smootherSlider { "Smoother" };
    QBFilterRangeSlider filterRangeSlider { "Filter Range" };
    QBFilterRangeSlider resonanceSlider { "Resonance" };
    QBLockAndResetButtons lockAndResetButtons;
    QBDryWetSlider dryWetSlider;
    QBWetImage wetImage;
    QBBypassButtons bypassButtons;
    QBSquenceDirectionButtons directionButtons;
    QBInfiniteButtons infiniteButtons;
    QBResetSequenceButton resetSequenceButton;
    QBQuantizeComboBox quantizeComboBox;

    QBSliderNumOfSlidersInSequence sequenceSizeSlider;
    QBSequenceRangeLoopSlider loopRangeSlider;
    QBBGSequenceTableWithSpec sequenceBackground;
    QBSequencerFadersTable fadersTable;
    QBDotsComponent dotsComponent;
    juce::DrawableButton resetDotsButton { "resetDots", juce::DrawableButton::ImageFitted };
    QBCircularBGWIthSpecNextBackSeq moveSeqBackPlate;
    QBCircularBGWIthSpecNextBackSeq moveSeqNextPlate;
    juce::DrawableButton moveSeqBackButton { "moveSeqBack", juce::DrawableButton::ImageFitted };
    juce::DrawableButton moveSeqNextButton { "moveSeqNext", juce::DrawableButton::ImageFitted };
    juce::DrawableButton playStopButton { "PlayStop", juce::DrawableButton::ImageFitted };
    juce::Label playLabel { "Play", {} };

    VornicAudioProcessor& processor;

    juce::DropShadow tableShadow { juce::Colour (0x90000000), 4, { 0, 0 } };
    QBImproveShadowsOject rightEdgeStrip;
    QBImproveShadowsOject bottomEdgeStrip;

    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> sequenceSizeAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> collapseAttachment;

    // The attachments of the sequence's action controls and the filter's controls.
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> filterRangeAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> resonanceAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> smootherAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> quantizeAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> dryWetAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> byPassAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> infinityAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> numbersBeforeInfinityAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> directionAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> typeOfFilterAttachment;

    //==============================================================================
    // Presets (PluginEditorPresets.cpp)

    /** Rebuilds the presets list and the fast-presets bar from the state tree. */
    void initialRowPresetsValueFromTreeToListBox();

    /** The header's presets action: slides the presets panel in and focuses its name field. */
    void openPresetsPanel();

    QBPresetsPanel presetsPanel;
    QBPresetsBottomPanel presetsBottomPanel;
    juce::StringArray fastPresetNames;

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
    //==============================================================================
    // Presets (PluginEditorPresets.cpp)
    void buildPresets();
    void restoreFastPresetButtonsFromTree();
    void layOutPresets (juce::Rectangle<int> bar, juce::Rectangle<int> caption, int top);
    void quickPreset (int slot);
    std::uint32_t fastPresetAddsPending = 0;     // one bit per slot whose add click is on its way
    juce::ValueTree currentStateAsPreset() const;
    void writeFastPresetBookkeeping (bool includingNamesAndSize);
    void applyPresetLoopRange (const juce::String& name);

    // The presets' follow-up steps: owned, so none outlives the window.
    QBDelayedCall presetListRebuild, presetLoopRangeStep;

    //==============================================================================
    void setUpMidiCCSettings();
    void tearDownMidiCCSettings();
    void layOutSettingsPanel (int top, int height);

    //==============================================================================
    void timerCallback() override;
    void applyWindowSize (bool collapsed);
    void playStopAndTempoStandalone();
    void setActiveSteps (int loopMin, int loopMax);

    // The header's handlers and the slide-in panels it opens.
    void headerPanelFunction();
    void openInfoPanel();
    void openTempoPanel();
    void resetAll();
    void undoLastStep();
    /** Starts the slide-out of every panel but `keep` (none when null), in the order
        information, tempo, presets, settings. */
    void closePanelsExcept (const QBSlideState* keep);
    void layOutSlidingPanels (int top, int bodyHeight);
    /** Writes every dot to the tree inside the current transaction. */
    void writeDotsToTree();

    // Builders of the sequence's action controls and the filter's controls.
    void addFilterControls();
    void addLockControls();
    void addMixControls();
    void addInfinityControls();
    void addSequenceActionControls();
    void addMoveButtons();
    void addDice();
    void layOutControls();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornicAudioProcessorEditor)
};
