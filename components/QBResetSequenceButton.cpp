#include "QBResetSequenceButton.h"

#include "QBImageButtons.h"
#include "QBImages.h"

QBResetSequenceButton::QBResetSequenceButton()
{
    const auto& images = QBImages::images();
    button = QBImageButtons::momentary ("resetSequenceButton", images.resetSequenceImage.get(),
                                        images.resetSequenceImageDown.get());
    addAndMakeVisible (*button);
}

QBResetSequenceButton::~QBResetSequenceButton() = default;

void QBResetSequenceButton::paint (juce::Graphics& g)
{
    QBImageButtons::drawPillPlate (g, (float) getWidth(), (float) getHeight());
}

void QBResetSequenceButton::resized()
{
    const int W = getWidth(), H = getHeight();
    const int b = (int) (0.1f * (float) W);
    button->setBounds (b, b, juce::jmax (W - 2 * b, 0), juce::jmax (H - 2 * b, 0));
}
