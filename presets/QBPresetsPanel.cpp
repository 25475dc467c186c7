#include "QBPresetsPanel.h"

#include "QBColours.h"
#include "QBFonts.h"
#include "QBImages.h"

QBPresetsPanel::QBPresetsPanel()
{
    saveButton.setLookAndFeel (&textButtonLAF);
    saveButton.onClick = [this] { saveTypedPreset(); };
    addAndMakeVisible (saveButton);

    for (auto id : { juce::TextEditor::backgroundColourId, juce::TextEditor::outlineColourId,
                     juce::TextEditor::focusedOutlineColourId })
        nameField.setColour (id, juce::Colours::transparentBlack);

    nameField.setColour (juce::TextEditor::textColourId, QBColours::whiteText);
    nameField.setColour (juce::TextEditor::highlightedTextColourId, QBColours::whiteText);
    nameField.setMultiLine (false);
    nameField.setReturnKeyStartsNewLine (false);
    nameField.onReturnKey = [this] { saveButton.triggerClick(); };
    addAndMakeVisible (nameField);

    const auto& images = QBImages::images();
    closeButton.setImages (images.closeImage.get(), nullptr, images.closeImageDown.get());
    closeButton.onClick = [this] { listeners.call ([] (Listener& l) { l.clickOnPresetsPaneToClose(); }); };
    addAndMakeVisible (closeButton);

    rowModel.addListener (this);
    addAndMakeVisible (rowModel);

    title.setJustificationType (juce::Justification::centred);
    title.setColour (juce::Label::textColourId, QBColours::whiteText);
    addAndMakeVisible (title);
}

QBPresetsPanel::~QBPresetsPanel()
{
    rowModel.removeListener (this);
    saveButton.setLookAndFeel (nullptr);
}

void QBPresetsPanel::saveTypedPreset()
{
    const auto name = nameField.getText();

    if (name.isEmpty())
        return;

    rowModel.addPreset (name, -1);
    listeners.call ([&] (Listener& l) { l.clickOnSavePreset (name); });
    closeButton.triggerClick();
}

void QBPresetsPanel::loadPresetDoubleClick (juce::String name, int slot)
{
    listeners.call ([&] (Listener& l) { l.doubleClickOnRowLoadPreset (name, slot); });
}

void QBPresetsPanel::deletePreset (int row, int slot, bool deleteRow)
{
    listeners.call ([&] (Listener& l) { l.removePreset (row, slot, deleteRow); });
}

void QBPresetsPanel::changePresetComboBox (int newSlot, int row, int oldSlot)
{
    listeners.call ([&] (Listener& l) { l.presetComboBoxHasChanged (newSlot, row, oldSlot); });
}

void QBPresetsPanel::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();

    title.setBounds ((int) (W / 2.0f - 0.25f * W), (int) (0.03f * H), (int) (0.5f * W), (int) (0.06f * H));
    title.setFont (QBFonts::revereveBold ((float) (int) (0.028f * H)));

    nameField.setBounds ((int) (W / 2.0f - 0.4f * W), (int) (0.11f * H), (int) (0.8f * W), (int) (0.04f * H));
    nameField.applyFontToAllText (QBFonts::revereveBook ((float) (int) (0.025f * H)));

    saveButton.setBounds (title.getX(), nameField.getBottom(), (int) (0.5f * W), (int) (0.045f * H));
    closeButton.setBounds ((int) (W - 0.1f * W), (int) (0.025f * H), (int) (0.052f * W), (int) (0.052f * W));

    const int u = (int) (0.02f * W);
    rowModel.setBounds (2 * u, saveButton.getBottom(), getWidth() - 4 * u, (int) (0.73f * H));
}

void QBPresetsPanel::paint (juce::Graphics& g)
{
    const float W = (float) getWidth(), H = (float) getHeight();
    const float e = 0.02f * W;

    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (e, e, W - 2.0f * e, H - 2.0f * e, e);

    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (rowModel.getBounds().toFloat().withHeight ((float) (int) (0.73f * H)), 0.0073f * H);
    g.fillRoundedRectangle (nameField.getBounds().toFloat(), 5.0f);
}
