#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

#include "QBBackButton_onlyUI.h"
#include "pointEllipseSelected.h"

/** The filter-type selector: high-pass, band-pass and low-pass buttons on
    plates, a yellow dot beside the chosen one. A hidden slider holds the type
    (0 high-pass, 1 band-pass, 2 low-pass) for the editor's parameter
    attachment; the buttons set the slider and the slider sets the buttons and
    dots, so automation, presets and MIDI move them as a click does. */
class QBTypeOfFilterButton : public juce::Component
{
public:
    QBTypeOfFilterButton();
    ~QBTypeOfFilterButton() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** Shows `type` on the buttons and dots without notifying anyone; other values do nothing. */
    void setPositionTogglesFilter (int type);

    /** The shadow one plate casts inside the selector. */
    void dropShadow (juce::Rectangle<float> plate, juce::Rectangle<int> bounds, juce::Graphics&);

    std::unique_ptr<juce::Slider> typeSlider;
    std::unique_ptr<juce::DrawableButton> highPassButton;
    std::unique_ptr<juce::DrawableButton> bandPassButton;
    std::unique_ptr<juce::DrawableButton> lowPassButton;

    /** Plates and dots of the high-pass, band-pass and low-pass buttons, in that order. */
    std::array<QBBackButton_onlyUI, 3> plates;
    std::array<std::unique_ptr<pointEllipseSelected>, 3> dots;

    juce::DropShadow shadow { juce::Colour (0x90000000), 4, { 0, 0 } };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBTypeOfFilterButton)
};
