#include "QBNumberSliderLAF.h"

#include "QBBarSlider.h"
#include "QBColours.h"
#include "QBFonts.h"

QBNumberSliderLAF::QBNumberSliderLAF (Style s) : style (s) {}

void QBNumberSliderLAF::drawLinearSlider (juce::Graphics& g, int, int, int, int, float, float, float,
                                          juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto w = (float) slider.getWidth();
    const auto h = (float) slider.getHeight();

    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);

    if (style.raisedPlate)
    {
        QBBarSlider::drawPlate (g, slider);
    }
    else
    {
        juce::Path pill;
        pill.addRoundedRectangle (0.0f, 0.0f, w, h, h * 0.5f);
        g.reduceClipRegion (pill);
    }

    const auto height = h * style.textScale;
    QBBarSlider::drawCentredText (g, slider, juce::String ((int) slider.getValue()),
                                  style.boldValue ? QBFonts::revereveBold (height) : QBFonts::revereveBook (height),
                                  style.text);

    lastSliderBounds = { 0.0f, 0.0f, w, h };
}

void QBNumberSliderLAF::fillTextEditorBackground (juce::Graphics& g, int, int, juce::TextEditor& editor)
{
    // Each setting is only applied when it differs: the editor repaints itself
    // whenever its font changes, and this runs inside its paint.
    const auto font = QBFonts::revereveBold (lastSliderBounds.getHeight() * style.textScale);
    editor.setJustification (juce::Justification::centred);
    if (editor.getFont() != font)
        editor.applyFontToAllText (font);

    editor.setColour (juce::TextEditor::textColourId, style.text);
    editor.setColour (juce::TextEditor::highlightedTextColourId, style.text);
    editor.setColour (juce::TextEditor::shadowColourId, juce::Colour (0x00000000));
    editor.setColour (juce::CaretComponent::caretColourId, style.caret);

    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (lastSliderBounds, lastSliderBounds.getHeight() * 0.5f);
}

void QBNumberSliderLAF::drawLabel (juce::Graphics&, juce::Label& label)
{
    label.setColour (juce::Label::outlineWhenEditingColourId, juce::Colour (0x00000000));
}
