#include "QBInfinitySliderLAF.h"

#include "QBColours.h"

QBInfinitySliderLAF::QBInfinitySliderLAF()
    : QBNumberSliderLAF ({ false, true, 0.70f, QBColours::whiteText, QBColours::whiteText })
{
}
