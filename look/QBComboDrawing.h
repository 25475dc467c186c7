#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Pieces shared by the combo-box look-and-feels and their pop-up menus. */
namespace QBComboDrawing
{
    /** Fills the box's pill; while its menu is open the bottom corners are square,
        so the menu below joins the box with a straight edge. */
    void fillBody (juce::Graphics&, const juce::ComboBox&, juce::Colour);

    /** The thin "V" near the right end: grey, darker while the menu is open. */
    void drawArrow (juce::Graphics&, const juce::ComboBox&);

    /** One menu entry: a dark bar under the highlighted entry, the current choice
        in yellow and the others light, in `font` at `textScale` of the entry's
        height, `horizontalInset` pixels in from each side. */
    void drawMenuItem (juce::Graphics&, const juce::Rectangle<int>& area, bool isActive, bool isHighlighted,
                       bool isTicked, const juce::String& text, juce::Font font, float textScale,
                       int horizontalInset, juce::Justification);

    /** The entry's area less the 1-pixel gap all round that separates entries. */
    juce::Rectangle<int> itemBounds (const juce::Rectangle<int>& area);

    /** The size of one entry's text in `font`, capped to fit a fixed item height when one is given. */
    void idealItemSize (juce::Font font, const juce::String& text, int standardMenuItemHeight,
                        int& idealWidth, int& idealHeight);
}
