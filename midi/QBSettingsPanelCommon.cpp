#include "QBSettingsPanelCommon.h"

#include "QBColours.h"
#include "QBFonts.h"
#include "QBImages.h"

namespace QBSettingsPanelCommon
{
    void setUpTitleAndCloseButton (juce::Component& panel, juce::Label& title, juce::DrawableButton& closeButton)
    {
        title.setColour (juce::Label::textColourId, QBColours::whiteText);
        title.setJustificationType (juce::Justification::centred);
        panel.addAndMakeVisible (title);

        const auto& images = QBImages::images();
        closeButton.setImages (images.closeImage.get(), nullptr, images.closeImageDown.get());
        panel.addAndMakeVisible (closeButton);
    }

    void placeCloseButton (juce::Component& panel, juce::DrawableButton& closeButton)
    {
        const float W = (float) panel.getWidth(), H = (float) panel.getHeight();
        const int side = (int) (0.052f * W);
        closeButton.setBounds ((int) (W - 0.1f * W), (int) (0.025f * H), side, side);
    }

    void placeTitle (juce::Component& panel, juce::Label& title, int x)
    {
        const float W = (float) panel.getWidth(), H = (float) panel.getHeight();
        title.setBounds (x, (int) (0.03f * H), (int) (0.5f * W), (int) (0.06f * H));
        title.setFont (QBFonts::revereveBold ((float) (int) (0.026f * H)));
    }

    void paintPlate (juce::Component& panel, juce::Graphics& g)
    {
        const float W = (float) panel.getWidth(), H = (float) panel.getHeight();
        const float e = 0.02f * W;

        g.setColour (QBColours::BGslidersRectangle);
        g.fillRoundedRectangle (e, e, W - 2.0f * e, H - 2.0f * e, e);
    }
}
