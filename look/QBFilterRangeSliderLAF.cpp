#include "QBFilterRangeSliderLAF.h"

#include "QBBarSlider.h"
#include "QBColours.h"
#include "QBFonts.h"

void QBFilterRangeSliderLAF::drawLinearSlider (juce::Graphics& g, int x, int, int width, int,
                                               float sliderPos, float, float,
                                               juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto h = (float) slider.getHeight();
    const auto font = QBFonts::revereveBook (h * 0.40f);

    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    QBBarSlider::drawPlate (g, slider);
    QBBarSlider::drawCentredText (g, slider, labelText, font, QBColours::selectedControl);

    const auto fillW = QBBarSlider::fillWidth (x, width, sliderPos);
    juce::Path fillClip;
    fillClip.addRectangle (0.0f, 0.0f, fillW, h);
    g.reduceClipRegion (fillClip);

    const auto k = juce::jmin (fillW, sliderPos * fillW);
    g.setColour (QBColours::yellowFilterColour);
    g.fillRect (juce::Rectangle<float> (fillW - k, 0.0f, k, h));

    QBBarSlider::drawCentredText (g, slider, labelText, font, QBColours::whiteText);
}
