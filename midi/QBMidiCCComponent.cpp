#include "QBMidiCCComponent.h"

#include "ItemCC.h"
#include "QBColours.h"
#include "QBFonts.h"

namespace
{
    int truncated (float x) noexcept { return (int) x; }

    constexpr int learnPollMs = 20;
}

QBMidiCCComponent::QBMidiCCComponent (bool standalone)
    : isStandaloneLayout (standalone)
{
    numbers.insertMultiple (0, 0, numRows);

    listBox.setColour (juce::ListBox::backgroundColourId, juce::Colours::transparentBlack);
    listBox.setLookAndFeel (&listBoxLaf);
    listBox.getVerticalScrollBar().setColour (juce::ScrollBar::thumbColourId, QBColours::sliderFilterActive);
    addAndMakeVisible (listBox);

    for (auto* label : { &channelLabel, &mappingsLabel })
    {
        label->setColour (juce::Label::textColourId, QBColours::selectedControl);
        addAndMakeVisible (*label);
    }

    channelBox.setLookAndFeel (&comboBoxLaf);
    channelBox.addItem ("OMNI", 1);

    for (int channel = 1; channel <= 16; ++channel)
        channelBox.addItem (juce::String (channel), channel + 1);

    // Nobody listens yet, so this writes nothing; the owner then shows the stored channel.
    channelBox.setSelectedId (1, juce::sendNotification);
    channelBox.addListener (this);
    addAndMakeVisible (channelBox);

    for (auto* button : { &resetButton, &clearButton })
    {
        button->setLookAndFeel (&textButtonLaf);
        addAndMakeVisible (*button);
    }

    resetButton.onClick = [this] { setAllNumbers ([] (int row) { return row + 1; }); };
    clearButton.onClick = [this] { setAllNumbers ([] (int) { return 0; }); };
}

QBMidiCCComponent::~QBMidiCCComponent()
{
    setLearningRow (-1);
    channelBox.removeListener (this);
    channelBox.setLookAndFeel (nullptr);
    resetButton.setLookAndFeel (nullptr);
    clearButton.setLookAndFeel (nullptr);

    // The rows go before the model they point at.
    listBox.setModel (nullptr);
    listBox.setLookAndFeel (nullptr);
}

//==============================================================================
void QBMidiCCComponent::setStatesCCToArrayComboBoxes (int row, int number)
{
    if (row < 0)
        return;

    setNumber (row, number);
    listBox.updateContent();
}

void QBMidiCCComponent::setNumber (int row, int number)
{
    while (numbers.size() <= row)
        numbers.add (0);

    numbers.set (row, number);
}

void QBMidiCCComponent::setAllNumbers (const std::function<int (int)>& numberForRow)
{
    for (int k = 0; k < numbers.size(); ++k)
        numbers.set (k, numberForRow (k));

    notifyNumbersChanged();
}

void QBMidiCCComponent::notifyNumbersChanged()
{
    const auto copy = numbers;
    listeners.call ([&copy] (Listener& l) { l.assignedCCArrayUpdate (copy); });
    listBox.updateContent();
}

//==============================================================================
int QBMidiCCComponent::getNumRows()
{
    return numRows;
}

void QBMidiCCComponent::paintListBoxItem (int, juce::Graphics&, int, int, bool)
{
}

juce::Component* QBMidiCCComponent::refreshComponentForRow (int row, bool, juce::Component* existing)
{
    auto* item = dynamic_cast<ItemCC*> (existing);

    if (item == nullptr)
    {
        delete existing;
        item = new ItemCC();
        item->numberBox.addListener (this);
    }
    else if (row >= numRows)
    {
        item->numberBox.removeListener (this);
        delete item;
        return nullptr;
    }

    item->label.setText (rowLabels[row], juce::dontSendNotification);
    item->numberBox.setName (juce::String (row));
    item->numberBox.setSelectedId (juce::isPositiveAndBelow (row, numbers.size()) ? numbers[row] + 1 : 1,
                                   juce::dontSendNotification);

    item->learnButton.setToggleState (row == learningRow, juce::dontSendNotification);
    item->learnButton.onClick = [this, item, row]
    {
        setLearningRow (item->learnButton.getToggleState() ? row : -1);
    };

    return item;
}

void QBMidiCCComponent::comboBoxChanged (juce::ComboBox* box)
{
    if (box == &channelBox)
    {
        const int id = box->getSelectedId();
        listeners.call ([id] (Listener& l) { l.comboChannelChangeSlected (id); });
        return;
    }

    const int row = box->getName().getIntValue();
    const int id = box->getSelectedId();

    if (row < 0 || row >= numRows || dynamic_cast<ItemCC*> (listBox.getComponentForRowNumber (row)) == nullptr)
        return;

    setNumber (row, id - 1);
    notifyNumbersChanged();
}

//==============================================================================
void QBMidiCCComponent::setLearningRow (int row)
{
    if (! juce::isPositiveAndBelow (row, numRows))
        row = -1;

    if (row == learningRow)
        return;

    const bool wasLearning = learningRow >= 0;
    learningRow = row;

    if (row >= 0)
    {
        // Re-arming forgets a controller seen for the row that learnt before.
        if (learnSource.arm != nullptr)
            learnSource.arm (true);

        startTimer (learnPollMs);
    }
    else
    {
        stopTimer();

        if (wasLearning && learnSource.arm != nullptr)
            learnSource.arm (false);
    }

    listBox.updateContent();
}

void QBMidiCCComponent::timerCallback()
{
    const int number = learnSource.take != nullptr ? learnSource.take() : 0;

    if (learningRow < 0 || number <= 0 || number > 127)
        return;

    setNumber (learningRow, number);
    setLearningRow (-1);
    notifyNumbersChanged();
}

//==============================================================================
void QBMidiCCComponent::paint (juce::Graphics& g)
{
    const float W = (float) getWidth(), H = (float) getHeight();
    const float d = W - 0.05f * W;
    const float y = (float) truncated ((isStandaloneLayout ? 0.22f : 0.174f) * H);
    const float h = (float) truncated ((isStandaloneLayout ? 0.77f : 0.81f) * H);

    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (0.0f, y, d, h, d * 0.02f);
}

void QBMidiCCComponent::resized()
{
    const float W = (float) getWidth(), H = (float) getHeight();
    const bool s = isStandaloneLayout;
    const int d = truncated (W - 0.05f * W);

    channelLabel.setBounds (0, s ? truncated (0.03f * H) : 0, getWidth(), truncated (0.04f * H));

    if (s)
        channelBox.setBounds (truncated (0.413f * W), 0, truncated (W - 0.46f * W), truncated (0.1f * H));
    else
        channelBox.setBounds (0, truncated (0.04f * H), d, truncated (0.05f * H));

    const auto box = channelBox.getBounds();
    mappingsLabel.setBounds (0, box.getBottom() + truncated (0.01f * H), truncated (0.42f * W), truncated (0.1f * H));

    const int buttonY = mappingsLabel.getY() + truncated ((s ? 0.01f : 0.02f) * H);
    resetButton.setBounds (box.getX() + (s ? 0 : truncated (0.42f * W)), buttonY, truncated (0.265f * W), box.getHeight());
    clearButton.setBounds (resetButton.getRight() + truncated (0.01f * W), buttonY, resetButton.getWidth(), box.getHeight());

    listBox.setBounds (0, clearButton.getBottom() + truncated ((s ? 0.02f : 0.01f) * H), d,
                       truncated ((s ? 0.75f : 0.8f) * H));

    const auto font = QBFonts::revereveBook ((float) truncated ((s ? 0.048f : 0.022f) * H));
    channelLabel.setFont (font);
    mappingsLabel.setFont (font);

    const int rowHeight = juce::jmax (1, truncated ((s ? 0.085f : 0.04f) * H));
    listBox.setRowHeight (rowHeight);
    listBox.getViewport()->setSingleStepSizes (20, rowHeight);
}
