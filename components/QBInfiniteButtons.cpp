#include "QBInfiniteButtons.h"

#include "QBColours.h"
#include "QBImageButtons.h"
#include "QBImages.h"

QBInfiniteButtons::QBInfiniteButtons()
{
    const auto& images = QBImages::images();

    infinityButton = QBImageButtons::toggling ("Infinity", images.infinityImage.get(), images.infinityImageOn.get());
    addAndMakeVisible (*infinityButton);
    infinityButton->onClick = [this] { repaint(); };

    repeatSlider = std::make_unique<juce::Slider> (juce::Slider::LinearBarVertical, juce::Slider::TextBoxBelow);
    repeatSlider->setRange (1.0, 100.0, 1.0);
    repeatSlider->setSliderSnapsToMousePosition (false);
    repeatSlider->setTextBoxIsEditable (true);
    repeatSlider->setLookAndFeel (&laf);
    addAndMakeVisible (*repeatSlider);

    repeatCount = (int) repeatSlider->getValue();
    repeatSlider->onValueChange = [this] { repeatCount = (int) repeatSlider->getValue(); };

    decreaseButton.setImages (images.backArrowImage.get(), nullptr, images.backArrowImageDown.get());
    increaseButton.setImages (images.nextArrowImage.get(), nullptr, images.nextArrowImageDown.get());
}

QBInfiniteButtons::~QBInfiniteButtons()
{
    // The slider goes before the look-and-feel that draws it.
    repeatSlider.reset();
}

void QBInfiniteButtons::paint (juce::Graphics& g)
{
    const float W = (float) getWidth(), H = (float) getHeight();
    QBImageButtons::drawPillPlate (g, W, H);

    if (infinityButton->getToggleState())
    {
        const auto b = infinityButton->getBounds();
        const int w = b.getWidth(), h = b.getHeight();
        const int r = (int) (0.08f * (float) w);

        g.setColour (QBColours::yellowFilterColour);
        g.fillEllipse ((float) (w / 2 + b.getX() - (int) (0.025f * (float) w)),
                       (float) (b.getBottom() + (int) (0.15f * (float) h)), (float) r, (float) r);
    }

    const auto s = repeatSlider->getBounds();
    const int r = (int) (0.7f * H);
    g.setColour (QBColours::darkGreyText);
    g.fillEllipse ((float) ((s.getWidth() - r) / 2 + s.getX()), (float) (s.getY() + (s.getHeight() - r) / 2),
                   (float) r, (float) r);
}

void QBInfiniteButtons::resized()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W, h = (float) H;

    infinityButton->setBounds ((int) (0.04f * w), 0, (int) (0.6f * w), H);

    const float c = 0.2f * h;
    const float e = 0.45f * w - 2.0f * c;
    repeatSlider->setBounds (juce::roundToInt (w - 0.42f * w + c), juce::roundToInt (c),
                             juce::roundToInt (juce::jmax (e, 0.0f)), juce::roundToInt (juce::jmax (h - 2.0f * c, 0.0f)));
}
