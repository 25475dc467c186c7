#include "QBSettingsPanelForPlugIn.h"

#include "QBSettingsPanelCommon.h"

QBSettingsPanelForPlugIn::QBSettingsPanelForPlugIn()
{
    QBSettingsPanelCommon::setUpTitleAndCloseButton (*this, title, closeButton);
    closeButton.onClick = [this] { listeners.call ([] (Listener& l) { l.clickOnSettingsPanelToClosePlugIn(); }); };
    addAndMakeVisible (midiCC);
}

QBSettingsPanelForPlugIn::~QBSettingsPanelForPlugIn() = default;

void QBSettingsPanelForPlugIn::paint (juce::Graphics& g)
{
    QBSettingsPanelCommon::paintPlate (*this, g);
}

void QBSettingsPanelForPlugIn::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();

    QBSettingsPanelCommon::placeCloseButton (*this, closeButton);
    QBSettingsPanelCommon::placeTitle (*this, title, (int) (W / 2.0f - 0.13f * W));
    midiCC.setBounds ((int) (0.052f * W), title.getBottom(), (int) (W - 0.05f * W), (int) (0.9f * H));
}
