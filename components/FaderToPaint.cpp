#include "FaderToPaint.h"
#include "DesktopMouse.h"

void FaderToPaint::paint (juce::Graphics& g)
{
    const auto W = (float) getWidth(), H = (float) getHeight();
    const auto w = juce::jmax (W - 1.0f, 0.0f), h = juce::jmax (H - 1.0f, 0.0f);
    const auto corner = 0.2f * w;
    const juce::Rectangle<float> body (0.5f, 0.5f, w, h);

    juce::Path clip;
    clip.addRoundedRectangle (body, corner);
    g.reduceClipRegion (clip);

    const auto filled = (float) juce::jmin ((int) (H * value), getHeight());

    g.setColour (active ? backgroundColour : backgroundColour.withAlpha ((juce::uint8) 0x66));
    g.fillRoundedRectangle (body, corner);
    g.setColour (active ? fillColour : fillColour.withAlpha ((juce::uint8) 0x4c));
    g.fillRoundedRectangle (0.0f, H - filled, W, filled, corner);

    if (locked)
    {
        const auto strip = (float) juce::jmin ((int) (H * 0.05f), getHeight());
        g.setColour (active ? QBColours::yellowFilterColour
                            : QBColours::yellowFilterColour.withAlpha ((juce::uint8) 0x4c));
        g.fillRect (0.0f, H - strip, W, strip);
    }

    if (current)
    {
        g.setColour (QBColours::yellowFilterColour.withAlpha ((juce::uint8) 0xb3));
        g.fillRoundedRectangle (body, corner);
    }
}

void FaderToPaint::mouseDown (const juce::MouseEvent&)
{
    if (lockMode)
    {
        pressed = true;
        repaint();
        return;
    }

    setValueFromMouse();
}

void FaderToPaint::mouseDrag (const juce::MouseEvent&)
{
    if (isMouseOver (false) && ! lockMode)
        setValueFromMouse();
}

void FaderToPaint::setValueFromMouse()
{
    if (locked || getHeight() <= 0)
        return;

    const auto y = (float) desktopMouseIn (*this).y;
    value = juce::jlimit (0.0f, 1.0f, 1.0f - y / (float) getHeight());
    repaint();
}
