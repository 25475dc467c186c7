#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The wet icon on a round plate beside the dry/wet slider; a decoration only. */
class QBWetImage : public juce::Component
{
public:
    QBWetImage();
    ~QBWetImage() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::DrawableButton> image;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBWetImage)
};
