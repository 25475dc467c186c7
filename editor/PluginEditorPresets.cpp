// The editor's preset store: presets are children of the state tree's root
// (after the parameters' "PARAM" children), and the fast-preset bookkeeping is
// a set of root properties written without the undo manager.

#include "PluginEditor.h"

#include <cmath>

#include "QBColours.h"
#include "QBFonts.h"
#include "QBPresetState.h"
#include "QBPresetStore.h"
#include "QBStateIdentifiers.h"

namespace
{
    constexpr int numSlots = QBPresetsBottomPanel::numSlots;
    constexpr int numSteps = VornicAudioProcessor::maxSteps;

    using Store = QBPresetStore;
}

//==============================================================================
void VornicAudioProcessorEditor::buildPresets()
{
    presetsBottomPanel.addListener (this);

    presetsPanel.addListener (this);
    addAndMakeVisible (presetsPanel);
    presetsPanel.setAlwaysOnTop (true);

    addAndMakeVisible (presetsBottomPanel);

    restoreFastPresetButtonsFromTree();

    presetListRebuild.schedule (50, [this] { initialRowPresetsValueFromTreeToListBox(); });

    resized();
}

void VornicAudioProcessorEditor::restoreFastPresetButtonsFromTree()
{
    const auto& root = processor.parameters.state;

    for (int s = 0; s < numSlots; ++s)
    {
        presetsBottomPanel.setSlotAssigned (s, (bool) root[Store::fastPresetState (s)]);
        presetsBottomPanel.loadButtons[(size_t) s]->setToggleState ((bool) root[Store::fastPresetIsSelected (s)],
                                                                    juce::dontSendNotification);
    }

    while (fastPresetNames.size() < numSlots)
        fastPresetNames.add ({});
}

void VornicAudioProcessorEditor::layOutPresets (juce::Rectangle<int> bar, juce::Rectangle<int> caption, int top)
{
    const int W = getWidth();
    const int q = (int) (0.35f * (float) W);
    auto& slide = presetsPanel.slide;

    presetsPanel.setBounds ((int) ((2.0f - slide.position) * (float) (W - q)), top, q, getHeight() - top);
    presetsBottomPanel.setBounds (bar);
    presetsLabel.setFont (QBFonts::revereveBook ((float) (int) (0.022f * (float) (getHeight() - top))));
    presetsLabel.setBounds (caption);

    // The new position shows at the next pass.
    slide.tick();
}

//==============================================================================
void VornicAudioProcessorEditor::openPresetsPanel()
{
    closePanelsExcept (&presetsPanel.slide);
    headerPanel.toFront (false);

    presetsPanel.setAlwaysOnTop (true);
    presetsPanel.slide.open();

    semiTransparentPanel.setVisible (true);

    presetsPanel.nameField.clear();
    presetsPanel.nameField.toFront (false);
    presetsPanel.nameField.grabKeyboardFocus();
}

void VornicAudioProcessorEditor::clickOnPresetsPaneToClose()
{
    semiTransparentPanel.setVisible (false);
    presetsPanel.slide.close();

    // Keys typed after the panel has gone must not land in its hidden field.
    if (presetsPanel.nameField.hasKeyboardFocus (false))
        presetsPanel.nameField.giveAwayKeyboardFocus();
}

//==============================================================================
juce::ValueTree VornicAudioProcessorEditor::currentStateAsPreset() const
{
    const auto& ids = QBStateIdentifiers::get();
    juce::ValueTree preset ("preset");

    for (int i = 0; i < numSteps; ++i)
    {
        preset.setProperty (ids.fader[(size_t) i], (double) fadersTable.faders[(size_t) i]->value, nullptr);
        preset.setProperty (ids.lock[(size_t) i], fadersTable.faders[(size_t) i]->locked, nullptr);
        preset.setProperty (ids.dots[(size_t) i], dotsComponent.dots[(size_t) i]->dotted, nullptr);
    }

    QBPresetState::addMapAndParameters (processor, preset);
    preset.setProperty ("loopMin", loopRangeSlider.slider->getMinValue(), nullptr);
    preset.setProperty ("loopMax", loopRangeSlider.slider->getMaxValue(), nullptr);

    return preset;
}

void VornicAudioProcessorEditor::writeFastPresetBookkeeping (bool includingNamesAndSize)
{
    QBPresetStore::writeBookkeeping (processor.parameters.state, presetsPanel.rowModel.slots,
                                     includingNamesAndSize ? &fastPresetNames : nullptr,
                                     [this] (int s) { return presetsBottomPanel.isSlotAssigned (s); });
}

//==============================================================================
void VornicAudioProcessorEditor::clickOnSavePreset (juce::String name)
{
    auto& root = processor.parameters.state;
    const auto type = QBPresetStore::typeForName (name);

    if (type.isValid())
    {
        processor.presetTrees.push_back (std::make_unique<juce::ValueTree> (type));
        root.appendChild (*processor.presetTrees.back(), nullptr);
    }

    writeFastPresetBookkeeping (true);

    // Every child of that name gets the values, so deleting any one of them
    // never leaves another row without them.
    if (type.isValid())
        QBPresetStore::writeAll (root, name, currentStateAsPreset());
}

void VornicAudioProcessorEditor::doubleClickOnRowLoadPreset (juce::String name, int slot)
{
    const auto& ids = QBStateIdentifiers::get();
    const auto preset = QBPresetStore::find (processor.parameters.state, name);

    // A preset that has gone, or holds nothing, leaves everything as it is.
    if (! preset.isValid() || preset.getNumProperties() == 0)
        return;

    if (Store::isSlot (slot))
    {
        presetsBottomPanel.loadButtons[(size_t) slot]->setToggleState (true, juce::dontSendNotification);
    }
    else if (slot == -1)
    {
        for (auto& b : presetsBottomPanel.loadButtons)
            if (b->getToggleState())
                b->setToggleState (false, juce::dontSendNotification);
    }

    for (int i = 0; i < numSteps; ++i)
    {
        auto& f = *fadersTable.faders[(size_t) i];
        auto& d = *dotsComponent.dots[(size_t) i];

        if (preset.hasProperty (ids.fader[(size_t) i]))
            f.value = QBStateIdentifiers::faderValue (preset[ids.fader[(size_t) i]]);

        if (preset.hasProperty (ids.lock[(size_t) i]))
            f.locked = (bool) preset[ids.lock[(size_t) i]];

        if (preset.hasProperty (ids.dots[(size_t) i]))
            d.dotted = (bool) preset[ids.dots[(size_t) i]];

        f.repaint();
        d.repaint();
    }

    // Through the parameters, which the attached controls follow.
    QBPresetState::applyParameters (processor, preset);

    // The sequence reaches the tree (and the processor) at once, so closing the
    // window right after a load loses nothing; the loop range follows once the
    // sequence length has settled.
    setNoAutoValuesToTree();
    clickUpOnDotsComponent();
    fromLockStateTableToLockDots();

    presetLoopRangeStep.schedule (50, [this, name] { applyPresetLoopRange (name); });
}

void VornicAudioProcessorEditor::applyPresetLoopRange (const juce::String& name)
{
    const auto preset = QBPresetStore::find (processor.parameters.state, name);

    if (! preset.isValid() || ! preset.hasProperty ("loopMin") || ! preset.hasProperty ("loopMax"))
        return;

    const auto lo = (double) preset["loopMin"], hi = (double) preset["loopMax"];

    if (! std::isfinite (lo) || ! std::isfinite (hi))
        return;

    // The slider clamps the range into the sequence; what it keeps is what is stored.
    auto& slider = *loopRangeSlider.slider;
    slider.setMinAndMaxValues (lo, hi, juce::sendNotificationAsync);

    const int loopMin = (int) slider.getMinValue(), loopMax = (int) slider.getMaxValue();
    setActiveSteps (loopMin, loopMax);
    processor.loopRangeMin = loopMin;
    processor.loopRangeMax = loopMax;
    processor.setLoopRangeToValueTreeOnDragEnd (loopMin, loopMax);
}

void VornicAudioProcessorEditor::removePreset (int row, int slot, bool deleteRow)
{
    if (deleteRow)
        QBPresetStore::removeRow (processor.parameters.state, row);

    if (Store::isSlot (slot))
        presetsBottomPanel.setSlotAssigned (slot, false);

    auto& root = processor.parameters.state;
    const auto& slots = presetsPanel.rowModel.slots;

    for (int r = 0; r < slots.size(); ++r)
        Store::rewrite (root, Store::fastPresetList (r), slots[r]);

    if (deleteRow)
        root.setProperty (Store::comboBoxFastArraySize(), slots.size(), nullptr);

    for (int s = 0; s < numSlots; ++s)
        root.setProperty (Store::fastPresetState (s), presetsBottomPanel.isSlotAssigned (s), nullptr);
}

void VornicAudioProcessorEditor::presetComboBoxHasChanged (int newSlot, int row, int oldSlot)
{
    if (! Store::isSlot (newSlot))
        return;

    if (Store::isSlot (oldSlot))
        presetsBottomPanel.setSlotAssigned (oldSlot, false);

    presetsBottomPanel.setSlotAssigned (newSlot, true);

    const auto& names = presetsPanel.rowModel.names;
    fastPresetNames.set (newSlot, row >= 0 && row < names.size() ? names[row] : juce::String());

    auto& root = processor.parameters.state;

    for (int s = 0; s < numSlots; ++s)
        Store::rewrite (root, Store::fastPresetNameAssigned (s), fastPresetNames[s]);

    writeFastPresetBookkeeping (false);
}

//==============================================================================
void VornicAudioProcessorEditor::fastPresetAddButtonWasPressed (int slot)
{
    if (! Store::isSlot (slot))
        return;

    fastPresetAddsPending &= ~(1u << (unsigned) slot);
    const auto name = "Preset_" + juce::String (slot + 1);
    auto& rows = presetsPanel.rowModel;

    // A slot belongs to one row at most.
    for (auto& s : rows.slots)
        if (s == slot)
            s = -1;

    rows.addPreset (name, slot);
    fastPresetNames.set (slot, name);
    clickOnSavePreset (name);
}

void VornicAudioProcessorEditor::fastPresetLoadButtonWasPressed (int slot)
{
    auto& root = processor.parameters.state;

    for (int s = 0; s < numSlots; ++s)
        Store::rewrite (root, Store::fastPresetIsSelected (s), presetsBottomPanel.loadButtons[(size_t) s]->getToggleState());

    doubleClickOnRowLoadPreset (Store::isSlot (slot) ? fastPresetNames[slot] : juce::String(), -2);
}

void VornicAudioProcessorEditor::quickPreset (int slot)
{
    if (! Store::isSlot (slot))
        return;

    // The add button's click comes later: a second press before it loads what
    // this one stores instead of storing twice.
    const auto bit = 1u << (unsigned) slot;

    if (presetsBottomPanel.isSlotAssigned (slot) || (fastPresetAddsPending & bit) != 0)
    {
        presetsBottomPanel.loadButtons[(size_t) slot]->triggerClick();
    }
    else
    {
        fastPresetAddsPending |= bit;
        presetsBottomPanel.addButtons[(size_t) slot]->triggerClick();
    }
}

//==============================================================================
void VornicAudioProcessorEditor::initialRowPresetsValueFromTreeToListBox()
{
    const auto& root = processor.parameters.state;
    auto& rows = presetsPanel.rowModel;
    const auto presets = QBPresetStore::presets (root);

    rows.clearRows();

    for (const auto& preset : presets)
        rows.names.add (QBPresetStore::nameForType (preset.getType()));

    rows.slots = QBPresetStore::slotsOfRows (root);

    fastPresetNames.clear();

    for (int s = 0; s < numSlots; ++s)
        fastPresetNames.add (root[Store::fastPresetNameAssigned (s)].toString());

    for (int s = 0; s < numSlots; ++s)
        presetsBottomPanel.setSlotAssigned (s, (bool) root[Store::fastPresetState (s)]);

    rows.listBox.updateContent();
    rows.listBox.repaint();
}
