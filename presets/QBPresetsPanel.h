#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBPresetsSavedForPanelRows.h"
#include "QBSlideState.h"
#include "QBTextButtonLAF.h"

/** The slide-in presets panel: a name field with "SAVE", a close button and
    the list of stored presets. It stores nothing itself: every change goes to
    its listener, the editor, which keeps the presets in the state tree. */
class QBPresetsPanel : public juce::Component,
                       public QBPresetsSavedForPanelRows::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void clickOnPresetsPaneToClose() = 0;
        virtual void clickOnSavePreset (juce::String name) = 0;
        virtual void doubleClickOnRowLoadPreset (juce::String name, int slot) = 0;
        virtual void removePreset (int row, int slot, bool deleteRow) = 0;
        virtual void presetComboBoxHasChanged (int newSlot, int row, int oldSlot) = 0;
    };

    QBPresetsPanel();
    ~QBPresetsPanel() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void resized() override;

    void loadPresetDoubleClick (juce::String name, int slot) override;
    void deletePreset (int row, int slot, bool deleteRow) override;
    void changePresetComboBox (int newSlot, int row, int oldSlot) override;

    /** "SAVE": stores the typed name as a new preset and closes the panel; an empty field does nothing. */
    void saveTypedPreset();

    juce::TextButton saveButton { "SAVE" };
    juce::TextEditor nameField;
    juce::DrawableButton closeButton { "ClosePrestWindowButton", juce::DrawableButton::ImageFitted };
    QBPresetsSavedForPanelRows rowModel;
    juce::Label title { {}, "Presets" };
    juce::ListenerList<Listener> listeners;
    QBSlideState slide;

private:
    QBTextButtonLAF textButtonLAF;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBPresetsPanel)
};
