#include "QBSequencerFadersTable.h"
#include "DesktopMouse.h"

QBSequencerFadersTable::QBSequencerFadersTable()
{
    faders.reserve ((size_t) numFaders);

    for (int i = 0; i < numFaders; ++i)
    {
        auto fader = std::make_unique<FaderToPaint>();
        addAndMakeVisible (*fader);
        fader->addMouseListener (this, true);

        // The first step of every group of four stands out.
        if (i % 4 == 0)
        {
            fader->backgroundColour = QBColours::sliderBGNoBlackColour;
            fader->fillColour = QBColours::sliderFilterBlackNote;
        }
        else
        {
            fader->backgroundColour = QBColours::sliderBGBlackColour;
            fader->fillColour = QBColours::sliderFilterActive;
        }

        faders.push_back (std::move (fader));
    }
}

QBSequencerFadersTable::~QBSequencerFadersTable()
{
    for (auto& f : faders)
        f->removeMouseListener (this);
}

void QBSequencerFadersTable::resized()
{
    const auto width = (float) getWidth() / (float) juce::jmax (1, numVisible);
    float s = 0.0f;

    for (auto& f : faders)
    {
        const int x = juce::roundToInt (s);
        f->setBounds (x, 0, juce::roundToInt (s + width) - x, getHeight());
        s += width;
    }
}

void QBSequencerFadersTable::setLockMode (bool shouldPaintLocks)
{
    lockMode = shouldPaintLocks;

    for (auto& f : faders)
        f->lockMode = shouldPaintLocks;
}

void QBSequencerFadersTable::mouseDown (const juce::MouseEvent&)
{
    // In lock mode the fader the gesture starts on has marked itself: the
    // gesture toggles its lock and paints that new state along the row.
    for (auto& f : faders)
        if (f->pressed)
            lockPaintValue = ! f->locked;

    mousePosition();
}

void QBSequencerFadersTable::mouseDrag (const juce::MouseEvent&)
{
    mousePosition();
}

void QBSequencerFadersTable::mouseUp (const juce::MouseEvent&)
{
    listeners.call ([] (Listener& l) { l.clickUpAndDownOnTheComponent(); });

    for (auto& f : faders)
        f->pressed = false;
}

void QBSequencerFadersTable::mousePosition()
{
    const auto mouse = desktopMouseIn (*this);

    if (mouse.x < 0 || mouse.x > getWidth())
        return;

    const int y = juce::jlimit (0, getHeight(), mouse.y);

    // Only the steps of the sequence take part: the faders beyond its length
    // lie at the right edge and must not pick up a drag along it.
    for (int i = 0; i < juce::jmin (numVisible, numFaders); ++i)
    {
        auto& f = *faders[(size_t) i];

        if (mouse.x < f.getX() || mouse.x > f.getRight())
            continue;

        if (lockMode)
            f.locked = lockPaintValue;
        else if (! f.locked && f.getHeight() > 0)
            f.value = juce::jlimit (0.0f, 1.0f, 1.0f - (float) y / (float) f.getHeight());

        f.repaint();
    }
}
