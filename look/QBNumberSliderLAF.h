#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Common drawing of the sliders that show their value as a whole number in
    the middle of a pill, and of the text editor that opens when the user types
    a value in. The slider's own text-box label is never drawn.

    The concrete look-and-feels choose the body, the text size and the colours.
*/
class QBNumberSliderLAF : public juce::LookAndFeel_V2
{
public:
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;
    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawLabel (juce::Graphics&, juce::Label&) override;

    /** The slider's local bounds as of its last paint; the value editor covers them. */
    juce::Rectangle<float> lastSliderBounds;

protected:
    struct Style
    {
        bool raisedPlate;            // rim-lit body, or only the pill's outline as clip so the parent shows
        bool boldValue;              // weight of the value on the slider (the editor is always bold)
        float textScale;             // text height as a proportion of the slider's height
        juce::Colour text;           // value on the slider, typed text and its highlight
        juce::Colour caret;
    };

    explicit QBNumberSliderLAF (Style);

private:
    const Style style;
};
