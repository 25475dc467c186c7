#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

#include "QBComboBoxLAF.h"

/** The audio device selector of the settings panel: its combo boxes as plain
    dark pills, their menus sized from the box laid out last, its labels sized
    from their own height (at most one row's) and its toggle buttons as yellow dots. The menus and
    their entries are drawn as `QBComboBoxLAF` draws them; `rimLit` plays no part. */
class QBSettingsLAF : public QBComboBoxLAF
{
public:
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;
    juce::Font getPopupMenuFont() override;
    void drawTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h,
                      bool ticked, bool isEnabled,
                      bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getLabelFont (juce::Label&) override;

    /** Local bounds of the combo box whose text was positioned last. */
    juce::Rectangle<int> lastComboBounds;
};
