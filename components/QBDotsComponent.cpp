#include "QBDotsComponent.h"
#include "DesktopMouse.h"

QBDotsComponent::QBDotsComponent()
{
    dots.reserve ((size_t) numDots);

    for (int i = 0; i < numDots; ++i)
    {
        auto dot = std::make_unique<Dot>();
        dot->addMouseListener (this, true);
        addAndMakeVisible (*dot);
        dots.push_back (std::move (dot));
    }
}

QBDotsComponent::~QBDotsComponent()
{
    for (auto& d : dots)
        d->removeMouseListener (this);
}

void QBDotsComponent::resized()
{
    const auto width = (float) getWidth() / (float) juce::jmax (1, numVisible);

    for (int i = 0; i < juce::jmin (numVisible, numDots); ++i)
        dots[(size_t) i]->setBounds ((int) ((float) i * width), 0, (int) width, getHeight());
}

void QBDotsComponent::mouseDown (const juce::MouseEvent&)
{
    // The dot the gesture starts on has just marked itself; so may others that
    // were marked before (on opening, or by clearing): the last one decides.
    for (auto& d : dots)
        if (d->pressed)
            dotPaintValue = ! d->dotted;

    mousePosition();
}

void QBDotsComponent::mouseDrag (const juce::MouseEvent&)
{
    mousePosition();
}

void QBDotsComponent::mouseUp (const juce::MouseEvent&)
{
    listeners.call ([] (Listener& l) { l.clickUpOnDotsComponent(); });

    for (auto& d : dots)
        d->pressed = false;
}

void QBDotsComponent::mousePosition()
{
    const auto mouse = desktopMouseIn (*this);

    if (mouse.x < 0 || mouse.x > getWidth() || mouse.y < 0 || mouse.y > getHeight())
        return;

    // Dots beyond the sequence length keep the bounds of a longer sequence;
    // only the visible ones may pick up the drag.
    for (int i = 0; i < juce::jmin (numVisible, numDots); ++i)
    {
        auto& d = *dots[(size_t) i];

        if (mouse.x < d.getX() || mouse.x > d.getRight() || d.stepLocked)
            continue;

        d.dotted = dotPaintValue;
        d.repaint();
    }
}

void QBDotsComponent::clearUnlockedDots()
{
    for (auto& d : dots)
    {
        if (d->stepLocked)
            continue;

        d->dotted = false;
        d->repaint();
        d->pressed = true;
    }
}
