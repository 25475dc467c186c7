#include "HeaderPanel.h"

#include "QBColours.h"
#include "QBImages.h"

HeaderPanel::HeaderPanel (bool standalone) : standaloneHeader (standalone)
{
    const auto& images = QBImages::images();

    logoButton.setImages (images.logoImage.get(), nullptr, images.logoImage.get());
    addAndMakeVisible (logoButton);

    tempoSlider.setLookAndFeel (&tempoSliderLAF);
    tempoSlider.setRange (10.0, 600.0, 1.0);
    tempoSlider.setValue (120.0, juce::sendNotification);
    addAndMakeVisible (tempoSlider);

    metronomeButton.setImages (images.metronomeImage.get(), nullptr, images.metronomeImage.get());
    addAndMakeVisible (metronomeButton);

    tempoLabel.setLookAndFeel (&tempoLabelLAF);
    addAndMakeVisible (tempoLabel);
    setBpmTempoToLable();

    for (auto* b : { &resetButton, &undoButton })
    {
        b->setLookAndFeel (&headerButtonLAF);
        addAndMakeVisible (b);
    }

    presetsButton.setImages (images.presetsImage.get(), nullptr, images.presetsImageDown.get());
    addAndMakeVisible (presetsButton);
    settingsButton.setImages (images.settingsImage.get(), nullptr, images.settingsImageDown.get());
    addAndMakeVisible (settingsButton);

    collapseButton.setImages (images.collapseImage.get(), nullptr, nullptr, nullptr, images.collapseImageOn.get());
    collapseButton.setClickingTogglesState (true);
    collapseButton.setToggleState (false, juce::dontSendNotification);
    collapseButton.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    addAndMakeVisible (collapseButton);

    if (standaloneHeader)
    {
        monoStereoButton.setLookAndFeel (&headerButtonLAF);
        monoStereoButton.setClickingTogglesState (true);
        monoStereoButton.setToggleState (true, juce::dontSendNotification);
        monoStereoButton.onClick = [this]
        {
            const bool stereo = monoStereoButton.getToggleState();
            monoStereoButton.setButtonText (stereo ? "STEREO" : "MONO");
            listeners.call ([stereo] (Listener& l) { l.isMonoStereoState (stereo); });
        };
        addAndMakeVisible (monoStereoButton);
    }
    else
    {
        addAndMakeVisible (tempoSliderBlocker);
        addAndMakeVisible (tempoLabelBlocker);
    }
}

HeaderPanel::~HeaderPanel()
{
    // No child may outlive the look-and-feel it draws with.
    for (auto* c : std::initializer_list<juce::Component*> { &tempoSlider, &tempoLabel, &resetButton,
                                                              &undoButton, &monoStereoButton })
        c->setLookAndFeel (nullptr);
}

void HeaderPanel::setBpmTempoToLable()
{
    tempo = (float) tempoSlider.getValue();
    tempoLabel.setButtonText (juce::String (juce::roundToInt (tempo)));
}

void HeaderPanel::paint (juce::Graphics& g)
{
    g.fillAll (QBColours::headerColor);
}

void HeaderPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const float w = (float) W, h = (float) H;
    const auto R = [] (float x) { return juce::roundToInt (x); };
    const auto T = [] (float x) { return (int) x; };

    logoButton.setBounds (T (0.0256f * w), 0, T (0.147f * w), H);

    const int s = R (0.15f * w), t = R (0.6f * h);
    tempoSlider.setBounds ((W - s) / 2, (H - t) / 2, s, t);
    metronomeButton.setBounds (tempoSlider.getX() - R (0.05f * w), H / 2 - R (0.25f * h), R (0.05f * w), R (0.45f * h));
    tempoLabel.setBounds (tempoSlider.getRight() + R (0.005f * w), H / 2 - R (0.35f * h), R (0.7f * h), R (0.7f * h));

    const int buttonY = H / 2 - R (0.25f * h), buttonH = R (0.5f * h);

    if (standaloneHeader)
    {
        resetBounds = { tempoLabel.getRight() + R (0.05f * w), buttonY, R (0.05f * w), buttonH };
        undoBounds = { resetBounds.getX() + R (0.05f * w), buttonY, R (0.1f * w), buttonH };
        monoStereoButton.setBounds (logoButton.getRight() + R (0.05f * w), buttonY, R (0.1f * w), buttonH);
    }
    else
    {
        resetBounds = { logoButton.getRight() + R (0.03f * w), buttonY, R (0.1f * w), buttonH };
        undoBounds = { tempoLabel.getRight() + R (0.05f * w), buttonY, R (0.1f * w), buttonH };
        tempoSliderBlocker.setBounds (tempoSlider.getBounds());
        tempoLabelBlocker.setBounds (tempoLabel.getBounds());
    }

    resetButton.setBounds (resetBounds);
    undoButton.setBounds (undoBounds);

    const int bx = W - T (0.13f * w), by = H / 2 - R (0.18f * h), bw = T (0.03f * w), bh = T (0.32f * h), gap = T (0.01f * w);
    presetsButton.setBounds (bx, by, bw, bh);
    settingsButton.setBounds (presetsButton.getRight() + gap, by, bw, bh);
    collapseButton.setBounds (settingsButton.getRight() + gap, by, bw, bh);
}
