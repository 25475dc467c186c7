#include "QBTypeOfFilterButton.h"

#include "QBImageButtons.h"
#include "QBImages.h"

namespace
{
    constexpr int filterTypeRadioGroup = 147;
}

QBTypeOfFilterButton::QBTypeOfFilterButton()
{
    // The group's bounds reach beyond its plates: a click between them belongs to what lies beneath.
    setInterceptsMouseClicks (false, true);

    for (auto& p : plates)
        addAndMakeVisible (p);

    const auto& images = QBImages::images();
    highPassButton = QBImageButtons::toggling ("HP", images.highPassImage.get(), images.highPassImageOn.get());
    bandPassButton = QBImageButtons::toggling ("BP", images.bandPassImage.get(), images.bandPassImageOn.get());
    lowPassButton = QBImageButtons::toggling ("LP", images.lowPassImage.get(), images.lowPassImageOn.get());

    for (auto* b : { highPassButton.get(), bandPassButton.get(), lowPassButton.get() })
    {
        b->setRadioGroupId (filterTypeRadioGroup);
        addAndMakeVisible (*b);
    }

    lowPassButton->setToggleState (true, juce::dontSendNotification);

    typeSlider = std::make_unique<juce::Slider>();
    typeSlider->setRange (0.0, 2.0, 1.0);

    for (auto& d : dots)
    {
        d = std::make_unique<pointEllipseSelected>();
        addAndMakeVisible (*d);
    }

    setPositionTogglesFilter ((int) typeSlider->getValue());

    highPassButton->onClick = [this] { typeSlider->setValue (0.0, juce::sendNotification); };
    bandPassButton->onClick = [this] { typeSlider->setValue (1.0, juce::sendNotification); };
    lowPassButton->onClick  = [this] { typeSlider->setValue (2.0, juce::sendNotification); };
    typeSlider->onValueChange = [this] { setPositionTogglesFilter ((int) typeSlider->getValue()); };
}

QBTypeOfFilterButton::~QBTypeOfFilterButton() = default;

void QBTypeOfFilterButton::setPositionTogglesFilter (int type)
{
    if (type < 0 || type > 2)
        return;

    juce::DrawableButton* buttons[] = { highPassButton.get(), bandPassButton.get(), lowPassButton.get() };
    buttons[type]->setToggleState (true, juce::dontSendNotification);

    for (size_t i = 0; i < dots.size(); ++i)
    {
        dots[i]->selected = (int) i == type;
        dots[i]->repaint();
    }
}

void QBTypeOfFilterButton::resized()
{
    const int W = getWidth();
    const float w = (float) W, H = (float) getHeight();

    const int b = (int) (0.1f * w);
    const float d = 0.18f * H;
    const int e = (int) (w - 0.67f * w);
    const int f = (int) d;

    const juce::Rectangle<int> middle (b, (int) (0.5f * H - d / 2.1f), e, f);
    const juce::Rectangle<int> top (b, (int) ((float) middle.getY() - d - 0.046f * H), e, f);
    const juce::Rectangle<int> bottom (b, (int) ((float) juce::roundToInt (0.06f * (float) middle.getHeight())
                                                 + (float) middle.getY() + d + 0.046f * H),
                                       e, f);

    const juce::Rectangle<int> plateBounds[] = { top, middle, bottom };
    juce::DrawableButton* buttons[] = { highPassButton.get(), bandPassButton.get(), lowPassButton.get() };
    const int inset = (int) (0.07f * H);
    const int r = (int) (0.042f * w);

    for (size_t i = 0; i < plates.size(); ++i)
    {
        const auto p = plateBounds[i];
        plates[i].setBounds (p);

        const int g = juce::jmax (p.getWidth() - 2 * inset, 0);
        buttons[i]->setBounds (p.getX() + p.getWidth() / 2 - g / 2, p.getY(), g, p.getHeight());

        dots[i]->setBounds (0, p.getY() + p.getHeight() / 2 - juce::roundToInt (0.021f * (float) p.getWidth()), r, r);
    }
}

void QBTypeOfFilterButton::paint (juce::Graphics& g)
{
    for (auto& p : plates)
        dropShadow (p.getBounds().toFloat(), getBounds(), g);
}

void QBTypeOfFilterButton::dropShadow (juce::Rectangle<float> plate, juce::Rectangle<int> bounds, juce::Graphics& g)
{
    QBImageButtons::dropPlateShadow (g, shadow, plate, 0.25f * (float) bounds.getHeight());
}
