#include "QBSequenceLengthLoopLAF.h"

#include "QBColours.h"

void QBSequenceLengthLoopLAF::drawLinearSlider (juce::Graphics& g, int, int, int, int,
                                                float, float minSliderPos, float maxSliderPos,
                                                juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto w = (float) slider.getWidth();
    const auto h = (float) slider.getHeight();

    juce::Path track;
    track.addRoundedRectangle (0.0f, 0.0f, w, h, h * 0.5f);
    g.reduceClipRegion (track);
    g.fillAll (QBColours::sliderBGBlackColour);

    g.setColour (QBColours::yellowFilterColour);
    g.fillRoundedRectangle (minSliderPos - w * 0.012f, 0.0f, maxSliderPos - minSliderPos + w * 0.025f, h, h * 0.5f);

    const auto hole = h * 0.5f;
    g.setColour (QBColours::sliderBGBlackColour);
    g.fillEllipse (minSliderPos - w * 0.002f, h * 0.25f, hole, hole);
    g.fillEllipse (maxSliderPos - w * 0.01f, h * 0.25f, hole, hole);
}
