#include "QBComboDrawing.h"

#include "QBColours.h"

namespace QBComboDrawing
{
    void fillBody (juce::Graphics& g, const juce::ComboBox& box, juce::Colour colour)
    {
        const auto w = (float) box.getWidth();
        const auto h = (float) box.getHeight();
        const auto closed = ! box.isPopupActive();

        juce::Path body;
        body.addRoundedRectangle (0.0f, 0.0f, w, h, h * 0.5f, h * 0.5f, true, true, closed, closed);
        g.setColour (colour);
        g.fillPath (body);
    }

    void drawArrow (juce::Graphics& g, const juce::ComboBox& box)
    {
        const auto w = (float) box.getWidth();
        const auto h = (float) box.getHeight();
        const auto tipX = w - w * 0.05f - 10.0f;
        const auto s = h * 0.15f, cy = h * 0.5f, t = h * 0.06f;

        g.setColour (box.isPopupActive() ? QBColours::sliderInactive : QBColours::selectedControl);
        g.drawLine (tipX - s, cy - t, tipX, cy + t, 1.0f);
        g.drawLine (tipX + s, cy - t, tipX, cy + t, 1.0f);
    }

    juce::Rectangle<int> itemBounds (const juce::Rectangle<int>& area)
    {
        return area.reduced (1);
    }

    void drawMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isActive, bool isHighlighted,
                       bool isTicked, const juce::String& text, juce::Font font, float textScale,
                       int horizontalInset, juce::Justification justification)
    {
        auto r = itemBounds (area);

        if (isActive && isHighlighted)
        {
            g.setColour (QBColours::darkText);
            g.fillRect (r);
        }

        r = r.reduced (horizontalInset, 0);

        font.setHeight ((float) r.getHeight() * textScale);
        g.setFont (font);
        g.setColour (isTicked ? QBColours::yellowFilterColour : QBColours::whiteText);
        g.drawFittedText (text, r, justification, 1);
    }

    void idealItemSize (juce::Font font, const juce::String& text, int standardMenuItemHeight,
                        int& idealWidth, int& idealHeight)
    {
        if (standardMenuItemHeight > 0)
        {
            font.setHeight (juce::jmin (font.getHeight(), (float) standardMenuItemHeight / 1.3f));
            idealHeight = standardMenuItemHeight;
        }
        else
        {
            idealHeight = juce::roundToInt (font.getHeight() * 1.3f);
        }

        idealWidth = (int) std::ceil (font.getStringWidthFloat (text)) + idealHeight;
    }
}
