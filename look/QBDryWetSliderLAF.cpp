#include "QBDryWetSliderLAF.h"

#include "QBBarSlider.h"
#include "QBColours.h"
#include "QBFonts.h"

void QBDryWetSliderLAF::drawLinearSlider (juce::Graphics& g, int x, int, int width, int,
                                          float sliderPos, float, float,
                                          juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto h = (float) slider.getHeight();
    const auto font = QBFonts::revereveBold (h * 0.40f);
    const auto percent = (int) ((float) slider.getValue() * 100.0f);
    const auto text = juce::String (percent) + "%";

    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    QBBarSlider::drawPlate (g, slider);
    QBBarSlider::drawCentredText (g, slider, text, font, QBColours::selectedControl);

    const auto fillW = QBBarSlider::fillWidth (x, width, sliderPos);
    juce::Path fillClip;
    fillClip.addRoundedRectangle (0.0f, 0.0f, fillW, h, h * 0.5f);
    g.reduceClipRegion (fillClip);

    const auto k = juce::jmin (fillW, (float) percent * fillW);
    g.setColour (QBColours::yellowFilterColour);
    g.fillRect (juce::Rectangle<float> (fillW - k, 0.0f, k, h));

    QBBarSlider::drawCentredText (g, slider, text, font, QBColours::whiteText);
}
