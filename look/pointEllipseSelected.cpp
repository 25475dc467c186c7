#include "pointEllipseSelected.h"

#include "QBColours.h"

void pointEllipseSelected::paint (juce::Graphics& g)
{
    if (! selected)
        return;

    g.setColour (QBColours::yellowFilterColour);
    g.fillEllipse (getLocalBounds().toFloat().reduced (0.2f));
}
