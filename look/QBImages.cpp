#include "QBImages.h"

#include <BinaryData.h>

namespace
{
    std::unique_ptr<juce::Drawable> parse (const char* data, int size)
    {
        return juce::Drawable::createFromImageData (data, (size_t) size);
    }
}

QBImages::QBImages()
    : logoImage (parse (BinaryData::logoImage_svg, BinaryData::logoImage_svgSize)),
      metronomeImage (parse (BinaryData::metronomeImage_svg, BinaryData::metronomeImage_svgSize)),
      presetsImage (parse (BinaryData::presetsImage_svg, BinaryData::presetsImage_svgSize)),
      presetsImageDown (parse (BinaryData::presetsImageDown_svg, BinaryData::presetsImageDown_svgSize)),
      settingsImage (parse (BinaryData::settingsImage_svg, BinaryData::settingsImage_svgSize)),
      settingsImageDown (parse (BinaryData::settingsImageDown_svg, BinaryData::settingsImageDown_svgSize)),
      collapseImageOn (parse (BinaryData::collapseImageOn_svg, BinaryData::collapseImageOn_svgSize)),
      collapseImage (parse (BinaryData::collapseImage_svg, BinaryData::collapseImage_svgSize)),
      diceBackgroundImage (parse (BinaryData::diceBackgroundImage_svg, BinaryData::diceBackgroundImage_svgSize)),
      diceImage (parse (BinaryData::diceImage_svg, BinaryData::diceImage_svgSize)),
      diceImageDown (parse (BinaryData::diceImageDown_svg, BinaryData::diceImageDown_svgSize)),
      keyImage (parse (BinaryData::keyImage_svg, BinaryData::keyImage_svgSize)),
      keyImageOn (parse (BinaryData::keyImageOn_svg, BinaryData::keyImageOn_svgSize)),
      resetLockImage (parse (BinaryData::resetLockImage_svg, BinaryData::resetLockImage_svgSize)),
      resetLockImageDown (parse (BinaryData::resetLockImageDown_svg, BinaryData::resetLockImageDown_svgSize)),
      resetDotsImage (parse (BinaryData::resetDotsImage_svg, BinaryData::resetDotsImage_svgSize)),
      lowPassImageOn (parse (BinaryData::lowPassImageOn_svg, BinaryData::lowPassImageOn_svgSize)),
      lowPassImage (parse (BinaryData::lowPassImage_svg, BinaryData::lowPassImage_svgSize)),
      bandPassImage (parse (BinaryData::bandPassImage_svg, BinaryData::bandPassImage_svgSize)),
      bandPassImageOn (parse (BinaryData::bandPassImageOn_svg, BinaryData::bandPassImageOn_svgSize)),
      highPassImage (parse (BinaryData::highPassImage_svg, BinaryData::highPassImage_svgSize)),
      highPassImageOn (parse (BinaryData::highPassImageOn_svg, BinaryData::highPassImageOn_svgSize)),
      resetSequenceImage (parse (BinaryData::resetSequenceImage_svg, BinaryData::resetSequenceImage_svgSize)),
      resetSequenceImageDown (parse (BinaryData::resetSequenceImageDown_svg, BinaryData::resetSequenceImageDown_svgSize)),
      forwardImage (parse (BinaryData::forwardImage_svg, BinaryData::forwardImage_svgSize)),
      forwardImageOn (parse (BinaryData::forwardImageOn_svg, BinaryData::forwardImageOn_svgSize)),
      pingPongImage (parse (BinaryData::pingPongImage_svg, BinaryData::pingPongImage_svgSize)),
      pingPongImageOn (parse (BinaryData::pingPongImageOn_svg, BinaryData::pingPongImageOn_svgSize)),
      backwardsImage (parse (BinaryData::backwardsImage_svg, BinaryData::backwardsImage_svgSize)),
      backwardsImageOn (parse (BinaryData::backwardsImageOn_svg, BinaryData::backwardsImageOn_svgSize)),
      wetIconImage (parse (BinaryData::wetIconImage_svg, BinaryData::wetIconImage_svgSize)),
      bypassAcrossImage (parse (BinaryData::bypassAcrossImage_svg, BinaryData::bypassAcrossImage_svgSize)),
      bypassAcrossImageDown (parse (BinaryData::bypassAcrossImageDown_svg, BinaryData::bypassAcrossImageDown_svgSize)),
      bypassImage (parse (BinaryData::bypassImage_svg, BinaryData::bypassImage_svgSize)),
      bypassImageOn (parse (BinaryData::bypassImageOn_svg, BinaryData::bypassImageOn_svgSize)),
      infinityImage (parse (BinaryData::infinityImage_svg, BinaryData::infinityImage_svgSize)),
      infinityImageOn (parse (BinaryData::infinityImageOn_svg, BinaryData::infinityImageOn_svgSize)),
      nextArrowImage (parse (BinaryData::nextArrowImage_svg, BinaryData::nextArrowImage_svgSize)),
      nextArrowImageDown (parse (BinaryData::nextArrowImageDown_svg, BinaryData::nextArrowImageDown_svgSize)),
      backArrowImage (parse (BinaryData::backArrowImage_svg, BinaryData::backArrowImage_svgSize)),
      backArrowImageDown (parse (BinaryData::backArrowImageDown_svg, BinaryData::backArrowImageDown_svgSize)),
      closeImage (parse (BinaryData::closeImage_svg, BinaryData::closeImage_svgSize)),
      closeImageDown (parse (BinaryData::closeImageDown_svg, BinaryData::closeImageDown_svgSize)),
      rowBackgroundImage (parse (BinaryData::rowBackgroundImage_svg, BinaryData::rowBackgroundImage_svgSize)),
      removePresetImage (parse (BinaryData::removePresetImage_svg, BinaryData::removePresetImage_svgSize)),
      removePresetImageDown (parse (BinaryData::removePresetImageDown_svg, BinaryData::removePresetImageDown_svgSize)),
      playImage (parse (BinaryData::playImage_svg, BinaryData::playImage_svgSize)),
      stopImage (parse (BinaryData::stopImage_svg, BinaryData::stopImage_svgSize))
{
}

QBImages& QBImages::images()
{
    static QBImages instance;
    return instance;
}
