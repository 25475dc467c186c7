#pragma once

#include "QBNumberSliderLAF.h"

/** The sequence-length slider: the number of steps in yellow on a raised pill. */
class QBSliderNumOfSliderInSequenceLAF : public QBNumberSliderLAF
{
public:
    QBSliderNumOfSliderInSequenceLAF();
};
