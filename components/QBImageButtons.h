#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The image buttons of the window's controls: each shows one icon fitted into
    its bounds and nothing behind it. */
namespace QBImageButtons
{
    /** A momentary button: `normal` at rest, `down` while pressed. */
    inline std::unique_ptr<juce::DrawableButton> momentary (const juce::String& name,
                                                            const juce::Drawable* normal,
                                                            const juce::Drawable* down)
    {
        auto b = std::make_unique<juce::DrawableButton> (name, juce::DrawableButton::ImageFitted);
        b->setImages (normal, nullptr, down);
        return b;
    }

    /** A switch that a click toggles: `off` while off, `on` while on. */
    inline std::unique_ptr<juce::DrawableButton> toggling (const juce::String& name,
                                                           const juce::Drawable* off,
                                                           const juce::Drawable* on)
    {
        auto b = std::make_unique<juce::DrawableButton> (name, juce::DrawableButton::ImageFitted);
        b->setImages (off, nullptr, nullptr, nullptr, on);
        b->setClickingTogglesState (true);
        b->setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
        return b;
    }

    /** The raised pill behind the button groups, filling a component of `width` × `height`. */
    void drawPillPlate (juce::Graphics&, float width, float height);

    /** The soft shadow a plate with rounded corners casts down and right inside its group;
        `shadow` takes the colour, radius and offset first. */
    void dropPlateShadow (juce::Graphics&, juce::DropShadow& shadow, juce::Rectangle<float> plate, float corner);
}
