#include "ItemCC.h"

#include "QBColours.h"
#include "QBFonts.h"

ItemCC::ItemCC()
{
    numberBox.setLookAndFeel (&laf);
    numberBox.addItem ("-", 1);

    for (int n = 1; n < 128; ++n)
        numberBox.addItem ("CC" + juce::String (n), n + 1);

    numberBox.setSelectedId (1, juce::dontSendNotification);

    label.setColour (juce::Label::textColourId, QBColours::whiteText);
    learnButton.setLookAndFeel (&learnLaf);
    learnButton.setClickingTogglesState (true);

    addAndMakeVisible (label);
    addAndMakeVisible (learnButton);
    addAndMakeVisible (numberBox);
}

ItemCC::~ItemCC()
{
    numberBox.setLookAndFeel (nullptr);
    learnButton.setLookAndFeel (nullptr);
}

void ItemCC::resized()
{
    const float w = (float) getWidth(), h = (float) getHeight();

    // The learn toggle takes the right end of the name's space, next to the box.
    label.setBounds (0, 0, (int) (w - 0.42f * w), getHeight());
    label.setFont (QBFonts::revereveBook (0.65f * h));
    learnButton.setBounds ((int) (w - 0.4f * w), (int) (h / 2.0f - 0.4f * h), (int) (0.16f * w), (int) (0.8f * h));
    numberBox.setBounds ((int) (w - 0.22f * w), (int) (h / 2.0f - 0.45f * h), (int) (0.2f * w), (int) (0.8f * h));
}

void ItemCC::LearnToggleLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& colour,
                                                   bool highlighted, bool down)
{
    const bool on = down || button.getToggleState();

    if (on)
    {
        QBTextButtonLAF::drawButtonBackground (g, button, colour, highlighted, true);
        return;
    }

    // At rest a dark pill, so the toggle stands out from the list's plate.
    const auto bounds = button.getLocalBounds().toFloat();
    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (bounds, bounds.getHeight() * 0.5f);
}

void ItemCC::LearnToggleLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down)
{
    QBTextButtonLAF::drawButtonText (g, button, highlighted, down || button.getToggleState());
}
