#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Combo boxes with yellow text on a dark pill, a thin "V" at the right, and a
    plain dark pop-up menu in which the current choice shows yellow. */
class QBComboBoxLAF : public juce::LookAndFeel_V4
{
public:
    explicit QBComboBoxLAF (bool rimLitToUse = false) : rimLit (rimLitToUse) {}

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

    juce::Font getPopupMenuFont() override;
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                            const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;
    void drawPopupMenuSectionHeader (juce::Graphics&, const juce::Rectangle<int>& area,
                                     const juce::String& sectionName) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;
    juce::Component* getParentComponentForMenuOptions (const juce::PopupMenu::Options&) override;

    /** Whether the box is a raised rim-lit plate or a plain pill; set once by the owner. */
    bool rimLit;

protected:
    /** Sets the text in `font`, from a tenth of the way in, leaving the right end to the arrow. */
    static void placeText (juce::ComboBox&, juce::Label&, const juce::Font&);
};
