#include "QBSquenceDirectionButtons.h"

#include "QBImageButtons.h"
#include "QBImages.h"

namespace
{
    constexpr int directionRadioGroup = 753;
}

QBSquenceDirectionButtons::QBSquenceDirectionButtons()
{
    // The group's bounds reach beyond its plates: a click between them belongs to what lies beneath.
    setInterceptsMouseClicks (false, true);

    for (auto& p : plates)
    {
        p = std::make_unique<QBBackCirculaForButton_onlyUI>();
        addAndMakeVisible (*p);
    }

    const auto& images = QBImages::images();
    forwardButton = QBImageButtons::toggling ("forwardButton", images.forwardImage.get(), images.forwardImageOn.get());
    pingPongButton = QBImageButtons::toggling ("forwardButton", images.pingPongImage.get(), images.pingPongImageOn.get());
    backwardButton = QBImageButtons::toggling ("forwardButton", images.backwardsImage.get(), images.backwardsImageOn.get());

    for (auto* b : { forwardButton.get(), pingPongButton.get(), backwardButton.get() })
    {
        b->setRadioGroupId (directionRadioGroup);
        addAndMakeVisible (*b);
    }

    directionSlider = std::make_unique<juce::Slider>();
    directionSlider->setRange (0.0, 2.0, 1.0);
    showDirection ((int) directionSlider->getValue());

    directionSlider->onValueChange = [this] { showDirection ((int) directionSlider->getValue()); };

    // A button's state also changes while the pointer only hovers over it;
    // setting the slider to the value it holds does nothing.
    forwardButton->onStateChange = [this]
    {
        if (forwardButton->getToggleState())
            directionSlider->setValue (0.0, juce::sendNotification);
    };
    backwardButton->onStateChange = [this]
    {
        if (backwardButton->getToggleState())
            directionSlider->setValue (2.0, juce::sendNotification);
    };
    pingPongButton->onClick = [this]
    {
        if (pingPongButton->getToggleState())
            directionSlider->setValue (1.0, juce::sendNotification);
    };
}

QBSquenceDirectionButtons::~QBSquenceDirectionButtons() = default;

void QBSquenceDirectionButtons::showDirection (int direction)
{
    juce::DrawableButton* buttons[] = { forwardButton.get(), pingPongButton.get(), backwardButton.get() };

    if (direction >= 0 && direction <= 2)
        buttons[direction]->setToggleState (true, juce::sendNotification);
}

void QBSquenceDirectionButtons::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();
    const float c = 0.2f * H;
    const int d = (int) c;

    juce::Rectangle<int> middle (0, (int) (0.5f * H - 0.5f * c), d, d);
    juce::Rectangle<int> top ((int) (0.16f * W),
                              (int) ((float) juce::roundToInt (0.08f * (float) middle.getHeight())
                                     + (float) middle.getY() - c - 0.1f * H),
                              d, d);
    juce::Rectangle<int> bottom (top.getX(), (int) ((float) middle.getBottom() + 0.1f * H),
                                 top.getWidth(), top.getHeight());

    plates[0]->setBounds (top);
    plates[1]->setBounds (middle);
    plates[2]->setBounds (bottom);

    const int k = (int) (0.03f * W);
    auto inside = [k] (juce::Rectangle<int> p)
    {
        return juce::Rectangle<int> (p.getX() + k, p.getY() + k,
                                     juce::jmax (p.getWidth() - 2 * k, 0), juce::jmax (p.getHeight() - 2 * k, 0));
    };

    forwardButton->setBounds (inside (top));
    pingPongButton->setBounds (inside (middle));
    backwardButton->setBounds (inside (bottom));
}

void QBSquenceDirectionButtons::paint (juce::Graphics& g)
{
    for (auto& p : plates)
        dropShadow (p->getBounds().toFloat(), getBounds(), g);
}

void QBSquenceDirectionButtons::dropShadow (juce::Rectangle<float> plate, juce::Rectangle<int> bounds, juce::Graphics& g)
{
    QBImageButtons::dropPlateShadow (g, shadow, plate, 0.25f * (float) bounds.getHeight());
}
