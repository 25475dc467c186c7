#include "QBBGSequenceTable.h"
#include "QBColours.h"
#include "QBRimLitPlate.h"

void QBBGSequenceTableWithSpec::paint (juce::Graphics& g)
{
    const auto H = (float) getHeight();
    QBRimLitPlate { H * 0.05f, 0x19, QBColours::BGslidersRectangle, { 0.5f, 0.5f } }
        .draw (g, (float) getWidth(), H);
}
