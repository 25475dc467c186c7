#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBIncDecButtonsLAF.h"

/** A chevron step button; its owner installs the click handler on `button`. */
class IncDecButton : public juce::Component
{
public:
    explicit IncDecButton (bool pointsLeft);
    ~IncDecButton() override;

    void resized() override;

    juce::TextButton button;

private:
    QBIncDecButtonsLAF laf;
};
