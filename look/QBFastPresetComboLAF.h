#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The small combo boxes in the rows of the presets and MIDI CC lists: a dark
    pill that turns yellow once any entry but the first is chosen, with large
    centred text and no arrow. */
class QBFastPresetComboLAF : public juce::LookAndFeel_V4
{
public:
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

    juce::Font getPopupMenuFont() override;
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                            const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;
    juce::Component* getParentComponentForMenuOptions (const juce::PopupMenu::Options&) override;
};
