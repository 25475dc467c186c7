#include "QBBackCirculaForButton_onlyUI.h"

#include "QBColours.h"
#include "QBInsetPlate.h"

void QBBackCirculaForButton_onlyUI::paint (juce::Graphics& g)
{
    QBInsetPlate::draw (g, *this, QBColours::headerColor);
}
