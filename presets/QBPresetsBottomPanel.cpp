#include "QBPresetsBottomPanel.h"

QBPresetsBottomPanel::QBPresetsBottomPanel()
{
    for (int n = 0; n < numSlots; ++n)
    {
        auto& add = *addButtons.emplace_back (std::make_unique<juce::TextButton> ("+"));
        add.setLookAndFeel (&addLAF);
        addAndMakeVisible (add);

        auto& load = *loadButtons.emplace_back (std::make_unique<juce::TextButton> (juce::String (n + 1)));
        load.setLookAndFeel (&loadLAF);
        load.setClickingTogglesState (true);
        load.setRadioGroupId (radioGroup);
        load.setToggleState (false, juce::dontSendNotification);
        addChildComponent (load);

        add.onClick = [this, n]
        {
            setSlotAssigned (n, true);
            listeners.call ([n] (Listener& l) { l.fastPresetAddButtonWasPressed (n); });
            loadButtons[(size_t) n]->setToggleState (true, juce::dontSendNotification);
        };

        load.onClick = [this, n] { listeners.call ([n] (Listener& l) { l.fastPresetLoadButtonWasPressed (n); }); };
    }
}

QBPresetsBottomPanel::~QBPresetsBottomPanel()
{
    for (auto* buttons : { &addButtons, &loadButtons })
        for (auto& b : *buttons)
            b->setLookAndFeel (nullptr);
}

void QBPresetsBottomPanel::setSlotAssigned (int slot, bool assigned)
{
    if (slot < 0 || slot >= numSlots)
        return;

    loadButtons[(size_t) slot]->setVisible (assigned);
    addButtons[(size_t) slot]->setVisible (! assigned);
}

bool QBPresetsBottomPanel::isSlotAssigned (int slot) const
{
    return slot >= 0 && slot < numSlots && loadButtons[(size_t) slot]->isVisible();
}

void QBPresetsBottomPanel::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();

    for (int n = 0; n < numSlots; ++n)
    {
        const juce::Rectangle<int> bounds ((int) ((W - 0.05f * W) * 0.0625f * (float) n + 0.03f * W), (int) (0.25f * H),
                                           (int) (W * 0.0625f - 0.12f * H), (int) (0.65f * H - 0.12f * H));
        addButtons[(size_t) n]->setBounds (bounds);
        loadButtons[(size_t) n]->setBounds (bounds);
    }
}

void QBPresetsBottomPanel::paint (juce::Graphics& g)
{
    const float corner = (float) getHeight() * 10.0f * 0.01f;
    shadow.colour = juce::Colours::black.withAlpha ((juce::uint8) 0x4c);
    shadow.radius = 10;
    shadow.offset = { 4, 5 };

    for (const auto& add : addButtons)
    {
        juce::Path path;
        path.addRoundedRectangle (add->getBounds().toFloat(), corner);
        shadow.drawForPath (g, path);
    }
}
