#include "QBQuantizeComboBox.h"

QBQuantizeComboBox::QBQuantizeComboBox()
{
    comboBox = std::make_unique<juce::ComboBox> (juce::String());
    comboBox->setLookAndFeel (&laf);
    addAndMakeVisible (*comboBox);

    int id = 1;
    for (const auto* text : { "1/2", "1/2T", "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T", "1/64" })
        comboBox->addItem (text, id++);

    // The editor's attachment selects the parameter's item straight after.
    comboBox->setSelectedItemIndex (7, juce::sendNotificationAsync);
}

QBQuantizeComboBox::~QBQuantizeComboBox()
{
    // The box goes before the look-and-feel that draws it.
    comboBox.reset();
}

void QBQuantizeComboBox::resized()
{
    comboBox->setBounds (getLocalBounds());
}
