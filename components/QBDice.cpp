#include "QBDice.h"

#include "QBImageButtons.h"
#include "QBImages.h"

QBDice::QBDice()
{
    const auto& images = QBImages::images();

    diceBackground = QBImageButtons::momentary ("DiceBG", images.diceBackgroundImage.get(), nullptr);
    diceBackground->setInterceptsMouseClicks (false, false);  // a plate, not a control
    addAndMakeVisible (*diceBackground);

    diceButton = QBImageButtons::momentary ("Dice", images.diceImage.get(), images.diceImageDown.get());
    addAndMakeVisible (*diceButton);
}

QBDice::~QBDice() = default;

void QBDice::resized()
{
    const int W = getWidth(), H = getHeight();
    const int b = (int) (0.13f * (float) W);

    diceBackground->setBounds (0, 0, W, H);
    diceButton->setBounds (b, b, juce::jmax (W - 2 * b, 0), juce::jmax (H - 2 * b, 0));
}
