#include "QBSliderNumOfSliderInSequenceLAF.h"

#include "QBColours.h"

QBSliderNumOfSliderInSequenceLAF::QBSliderNumOfSliderInSequenceLAF()
    : QBNumberSliderLAF ({ true, false, 0.45f, QBColours::yellowFilterColour, QBColours::whiteText })
{
}
