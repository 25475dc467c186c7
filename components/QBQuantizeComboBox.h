#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "QBComboBoxLAF.h"

/** The step length: one item per note value, from a half note to a sixty-fourth,
    straight or triplet ("T"). An item's id is the "quantize" value it selects. */
class QBQuantizeComboBox : public juce::Component
{
public:
    QBQuantizeComboBox();
    ~QBQuantizeComboBox() override;

    void resized() override;

    std::unique_ptr<juce::ComboBox> comboBox;
    QBComboBoxLAF laf { true };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBQuantizeComboBox)
};
