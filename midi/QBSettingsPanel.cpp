#include "QBSettingsPanel.h"

#include "QBSettingsPanelCommon.h"
#include "QBStandaloneFilterWindow.h"

QBSettingsPanel::QBSettingsPanel()
{
    QBSettingsPanelCommon::setUpTitleAndCloseButton (*this, title, closeButton);
    closeButton.onClick = [this] { listeners.call ([] (Listener& l) { l.clickOnSettingsPanelToClose(); }); };

    if (auto* devices = findApplicationDeviceManager())
    {
        deviceSelector = std::make_unique<juce::AudioDeviceSelectorComponent> (*devices, 0, 250, 0, 2,
                                                                               true, false, false, false);
        deviceSelector->setLookAndFeel (&settingsLaf);
        addAndMakeVisible (*deviceSelector);
    }

    addAndMakeVisible (midiCC);
}

QBSettingsPanel::~QBSettingsPanel()
{
    if (deviceSelector != nullptr)
        deviceSelector->setLookAndFeel (nullptr);

    deviceSelector.reset();
}

juce::AudioDeviceManager* QBSettingsPanel::findApplicationDeviceManager()
{
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* window = dynamic_cast<QBStandaloneFilterWindow*> (desktop.getComponent (i)))
            if (auto* holder = window->getPluginHolder())
                return &holder->deviceManager;

    return nullptr;
}

void QBSettingsPanel::paint (juce::Graphics& g)
{
    QBSettingsPanelCommon::paintPlate (*this, g);
}

void QBSettingsPanel::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();

    QBSettingsPanelCommon::placeCloseButton (*this, closeButton);
    QBSettingsPanelCommon::placeTitle (*this, title, (int) (W / 2.0f - 0.25f * W));

    const int x = (int) (0.08f * W);

    if (deviceSelector != nullptr)
        deviceSelector->setBounds (x, title.getBottom(), (int) (W - 0.08f * W), (int) (0.785f * H));

    midiCC.setBounds (x, (int) (0.577f * H), (int) (W - 0.1f * W), (int) (0.4f * H));
}
