#include "QBBarSlider.h"

#include "QBColours.h"
#include "QBRimLitPlate.h"

namespace QBBarSlider
{
    juce::Rectangle<int> textArea (const juce::Slider& slider)
    {
        return { 0, 0, juce::roundToInt ((float) slider.getWidth()), juce::roundToInt ((float) slider.getHeight()) };
    }

    void drawPlate (juce::Graphics& g, const juce::Slider& slider)
    {
        const auto w = (float) slider.getWidth();
        const auto h = (float) slider.getHeight();
        QBRimLitPlate { h * 0.5f, 0x19, QBColours::headerColor, { 0.5f, 0.5f } }.draw (g, w, h);
    }

    float fillWidth (int x, int width, float sliderPos)
    {
        const auto track = (float) (width - x);
        if (track <= 0.0f)
            return 0.0f;

        return juce::jmax (0.0f, (float) (x - 1) + (sliderPos - (float) x) * (track + 2.0f) / track);
    }

    void drawCentredText (juce::Graphics& g, const juce::Slider& slider, const juce::String& text,
                          const juce::Font& font, juce::Colour colour)
    {
        g.setFont (font);
        g.setColour (colour);
        g.drawFittedText (text, textArea (slider), juce::Justification::centred, 1);
    }
}
