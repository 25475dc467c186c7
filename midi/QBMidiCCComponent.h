#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

#include "QBComboBoxLAF.h"
#include "QBListBoxLAF.h"
#include "QBTextButtonLAF.h"

/** The MIDI CC mapping list: the channel box, one row per CC action with the
    controller number that drives it, and the "Reset" and "Clear" buttons.

    It keeps its own copy of the numbers and reports every change to its
    listeners, who store them. A row's learn toggle waits for the next control
    change on the chosen channel and takes its controller number; where those
    numbers come from is up to the owner (`learnSource`). Message thread only. */
class QBMidiCCComponent : public juce::Component,
                          public juce::ComboBox::Listener,
                          public juce::ListBoxModel,
                          private juce::Timer
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void assignedCCArrayUpdate (juce::Array<int> numbers) = 0;
        virtual void comboChannelChangeSlected (int itemId) = 0;
    };

    /** Where learnt numbers come from: `arm (true)` starts listening, `arm (false)`
        stops; `take()` returns the controller seen since arming, or 0 for none yet. */
    struct LearnSource
    {
        std::function<void (bool)> arm;
        std::function<int()> take;
    };

    static constexpr int numRows = 34;

    /** `standalone` picks the layout of the application's panel, else the host's. */
    explicit QBMidiCCComponent (bool standalone);
    ~QBMidiCCComponent() override;

    /** Stores `number` for `row` (growing the list as needed; a negative row is ignored). */
    void setStatesCCToArrayComboBoxes (int row, int number);

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    int getNumRows() override;
    void paintListBoxItem (int, juce::Graphics&, int, int, bool) override;
    juce::Component* refreshComponentForRow (int row, bool isRowSelected, juce::Component* existing) override;

    void comboBoxChanged (juce::ComboBox*) override;
    void paint (juce::Graphics&) override;
    void resized() override;

    //==============================================================================
    /** Starts learning the number of `row` (stopping any other row); -1 stops. */
    void setLearningRow (int row);
    int getLearningRow() const noexcept { return learningRow; }

    LearnSource learnSource;

    const juce::Array<int>& getNumbers() const noexcept { return numbers; }

    //==============================================================================
    QBListBoxLAF listBoxLaf;
    QBComboBoxLAF comboBoxLaf;
    QBTextButtonLAF textButtonLaf;

    juce::ComboBox channelBox;
    juce::ListBox listBox { "MidiCCListBox", this };
    juce::Label channelLabel { {}, "MIDI CC Channel:" };
    juce::Label mappingsLabel { {}, "MIDI CC Mappings:" };
    juce::TextButton resetButton { "Reset" };
    juce::TextButton clearButton { "Clear" };

    const juce::StringArray rowLabels {
        "Random Dice", "Direction", "Reset Sequence", "Type Of Filter", "Smoother", "Filter Range",
        "Resonance", "Quantization", "Sequence Length", "Lock Switch", "Dry/Wet Slider", "Bypass State",
        "Bypas Across", "Infinity Switch", "Infinity Number", "Reset All", "Tempo", "Undo",
        "Preset 1", "Preset 2", "Preset 3", "Preset 4", "Preset 5", "Preset 6", "Preset 7", "Preset 8",
        "Preset 9", "Preset 10", "Preset 11", "Preset 12", "Preset 13", "Preset 14", "Preset 15", "Preset 16"
    };

private:
    void timerCallback() override;
    void setNumber (int row, int number);
    void setAllNumbers (const std::function<int (int)>& numberForRow);
    void notifyNumbersChanged();

    const bool isStandaloneLayout;
    juce::Array<int> numbers;
    juce::ListenerList<Listener> listeners;
    int learningRow = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBMidiCCComponent)
};
