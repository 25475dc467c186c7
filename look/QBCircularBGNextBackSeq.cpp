#include "QBCircularBGNextBackSeq.h"

#include "QBColours.h"
#include "QBInsetPlate.h"

void QBCircularBGWIthSpecNextBackSeq::paint (juce::Graphics& g)
{
    QBInsetPlate::draw (g, *this, QBColours::BGslidersRectangle);
}
