#include "QBBypassButtons.h"

#include "QBColours.h"
#include "QBImageButtons.h"
#include "QBImages.h"

QBBypassButtons::QBBypassButtons()
{
    const auto& images = QBImages::images();

    byPassSwitch = QBImageButtons::toggling ("byPassSwitch", images.bypassImage.get(), images.bypassImageOn.get());
    addAndMakeVisible (*byPassSwitch);

    byPassAcross = QBImageButtons::momentary ("byPassAcross", images.bypassAcrossImage.get(),
                                              images.bypassAcrossImageDown.get());
    addAndMakeVisible (*byPassAcross);

    // The switch reports when clicked and when its parameter moves it.
    byPassSwitch->onClick = [this] { tell (byPassSwitch->getToggleState()); };

    // The inversion lasts exactly as long as the button shows itself pressed:
    // a release anywhere, or dragging off the button, ends it. The button's
    // state also changes on hover, which reports nothing.
    byPassAcross->onStateChange = [this]
    {
        const bool held = byPassAcross->getState() == juce::Button::buttonDown;

        if (held == acrossHeld)
            return;

        acrossHeld = held;
        const bool switchOn = byPassSwitch->getToggleState();
        tell (held ? ! switchOn : switchOn);
    };
}

QBBypassButtons::~QBBypassButtons() = default;

void QBBypassButtons::tell (bool effectOn)
{
    listeners.call ([effectOn] (Listener& l) { l.acrossByPassState (effectOn); });
}

void QBBypassButtons::paint (juce::Graphics& g)
{
    const float h = (float) getHeight();
    QBImageButtons::drawPillPlate (g, (float) getWidth(), h);

    const float r = 0.7f * h;
    g.setColour (QBColours::darkGreyText);
    g.fillEllipse (juce::Rectangle<float> (r, r).withCentre (acrossBounds.getCentre()));
}

void QBBypassButtons::resized()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W, h = (float) H;

    const int c = (int) (0.1f * h);
    byPassSwitch->setBounds (c, c, juce::jmax ((int) (0.6f * w) - 2 * c, 0), juce::jmax (H - 2 * c, 0));

    const int e = (int) (0.2f * h);
    byPassAcross->setBounds (W + e - (int) (0.42f * w), e, juce::jmax ((int) (0.45f * w) - 2 * e, 0),
                             juce::jmax (H - 2 * e, 0));
    acrossBounds = byPassAcross->getBounds().toFloat();
}
