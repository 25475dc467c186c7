#pragma once

#include "QBNumberSliderLAF.h"

/** The infinity group's repeat count: a large light number straight on the
    group's background. */
class QBInfinitySliderLAF : public QBNumberSliderLAF
{
public:
    QBInfinitySliderLAF();
};
