#include "QBLockAndResetButtons.h"

#include "QBImageButtons.h"
#include "QBImages.h"

QBLockAndResetButtons::QBLockAndResetButtons()
{
    const auto& images = QBImages::images();

    lockButton = QBImageButtons::toggling ("key", images.keyImage.get(), images.keyImageOn.get());
    addAndMakeVisible (*lockButton);

    resetLocksButton = QBImageButtons::momentary ("reset lock", images.resetLockImage.get(),
                                                  images.resetLockImageDown.get());
    addAndMakeVisible (*resetLocksButton);
}

QBLockAndResetButtons::~QBLockAndResetButtons() = default;

void QBLockAndResetButtons::paint (juce::Graphics& g)
{
    QBImageButtons::drawPillPlate (g, (float) getWidth(), (float) getHeight());
}

void QBLockAndResetButtons::resized()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W;

    lockButton->setBounds ((int) (0.1f * w), 0, juce::jmax (W / 2 - (int) (0.15f * w), 0), H);
    resetLocksButton->setBounds (W / 2 + (int) (0.12f * w), 0, juce::jmax (W / 2 - (int) (0.21f * w), 0), H);
}
