#include "Dot.h"
#include "QBColours.h"

void Dot::paint (juce::Graphics& g)
{
    const auto W = (float) getWidth(), H = (float) getHeight();
    const auto centred = [W, H] (float diameter)
    {
        juce::Path p;
        p.addRoundedRectangle ((W - diameter) * 0.5f, (H - diameter) * 0.5f, diameter, diameter, 0.5f * H);
        return p;
    };

    shadow.colour = juce::Colours::black.withAlpha ((juce::uint8) (active ? 0x4c : 0x19));
    shadow.offset = { 2, 2 };
    shadow.drawForPath (g, centred (0.39f * H));

    g.reduceClipRegion (centred (0.38f * H));

    auto colour = dotted ? QBColours::headerColor : QBColours::yellowFilterColour;
    g.setColour (active ? colour : colour.withAlpha ((juce::uint8) 0x33));
    g.fillAll();
}

void Dot::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
}

void Dot::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
}
