#include "QBTempoSliderLAF.h"

#include "QBColours.h"

int QBTempoSliderLAF::getSliderThumbRadius (juce::Slider& slider)
{
    return (int) ((float) slider.getHeight() * 0.3f);
}

void QBTempoSliderLAF::drawLinearSlider (juce::Graphics& g, int, int, int, int height,
                                         float, float, float,
                                         juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto w = (float) slider.getWidth();
    const auto h = (float) slider.getHeight();

    const auto t = (float) height * 0.45f;
    const juce::Rectangle<float> track (0.0f, t, juce::jmax (0.0f, w), juce::jmax (0.0f, h - 2.0f * t));

    const auto r = (float) getSliderThumbRadius (slider);
    const auto p = (float) slider.valueToProportionOfLength (slider.getValue());
    const auto thumbX = r / 2.0f + p * (w - r);

    {
        juce::Graphics::ScopedSaveState state (g);
        juce::Path clip;
        clip.addRoundedRectangle (track, w * 0.01f);
        g.reduceClipRegion (clip);

        g.setColour (QBColours::tempoSliderInactive);
        g.fillRect (juce::Rectangle<float> (thumbX, t, juce::jmax (0.0f, w - thumbX), track.getHeight()));
        g.setColour (QBColours::yellowFilterColour);
        g.fillRect (juce::Rectangle<float> (0.0f, t, juce::jmax (0.0f, thumbX), track.getHeight()));
    }

    g.setColour (QBColours::tempoSliderThumb);
    g.fillEllipse (thumbX - r / 2.0f, (float) height / 2.0f - r / 2.0f, r, r);
}
