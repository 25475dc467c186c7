#pragma once

#include <juce_graphics/juce_graphics.h>

/** The raised plate behind sliders, preset keys and one combo box.

    A rounded body is laid slightly down and right of a faint light copy of
    itself, inside a clip of the control's own outline: what shows of the light
    copy is a thin rim along the top and left edges, as if lit from above-left.
    The clip stays reduced after `draw`, so later drawing in the same call is
    held inside the plate's outline.
*/
struct QBRimLitPlate
{
    float corner;                 // corner radius, in pixels
    juce::uint8 rimAlpha;         // alpha of the light rim
    juce::Colour body;            // colour of the plate itself
    juce::Point<float> offset;    // how far the body sits down and right of the rim

    void draw (juce::Graphics& g, float width, float height) const;
};
