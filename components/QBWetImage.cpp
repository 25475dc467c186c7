#include "QBWetImage.h"

#include "QBColours.h"
#include "QBImageButtons.h"
#include "QBImages.h"

QBWetImage::QBWetImage()
{
    image = QBImageButtons::momentary ("wetImage", QBImages::images().wetIconImage.get(), nullptr);
    image->setInterceptsMouseClicks (false, false);  // a decoration, not a control
    addAndMakeVisible (*image);
}

QBWetImage::~QBWetImage() = default;

void QBWetImage::paint (juce::Graphics& g)
{
    const int W = getWidth(), H = getHeight();
    const int s = (int) ((float) H * 100.0f * 0.01f);
    const float h = (float) H;

    juce::Path square;
    square.addRoundedRectangle ((float) ((W - s) / 2), (float) ((H - s) / 2), (float) s, (float) s, 0.5f * h);
    g.reduceClipRegion (square);

    g.setColour (QBColours::whiteText.withAlpha ((juce::uint8) 0x19));
    g.fillRoundedRectangle (-1.0f, -1.0f, (float) W, h, 0.5f * h);
    g.setColour (QBColours::headerColor);
    g.fillRoundedRectangle (0.5f, 0.5f, (float) W, h + 8.0f, 0.5f * h);
}

void QBWetImage::resized()
{
    const int W = getWidth(), H = getHeight();
    const int b = (int) (0.15f * (float) H);
    image->setBounds (b, b, juce::jmax (W - 2 * b, 0), juce::jmax (H - 2 * b, 0));
}
