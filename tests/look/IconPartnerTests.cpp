#include "LookTestHelpers.h"

#include "QBImages.h"

using namespace tessaline::test;

namespace
{
    /** Where the artwork is drawn at all, whatever its colour. */
    juce::Image coverage (const juce::Drawable& d)
    {
        const auto image = paintImage (170, 86, [&d] (juce::Graphics& g)
        {
            d.drawWithin (g, { 0.0f, 0.0f, 170.0f, 86.0f }, juce::RectanglePlacement::centred, 1.0f);
        });

        return paintImage (170, 86, [&image] (juce::Graphics& g)
        {
            for (int y = 0; y < image.getHeight(); ++y)
                for (int x = 0; x < image.getWidth(); ++x)
                    if (image.getPixelAt (x, y).getAlpha() > 0x40)
                        g.fillRect (x, y, 1, 1);
        });
    }
}

TEST (QBImages, PressedAndOnPartnersAreTheSameArtworkRecoloured)
{
    // A press or a switch changes an icon's colour, never its shape: a partner
    // that drew less would make part of the icon vanish under the pointer.
    auto& i = QBImages::images();
    const std::pair<const juce::Drawable*, const juce::Drawable*> partners[] = {
        { i.resetLockImage.get(), i.resetLockImageDown.get() },
        { i.keyImage.get(), i.keyImageOn.get() },
        { i.resetSequenceImage.get(), i.resetSequenceImageDown.get() },
        { i.lowPassImage.get(), i.lowPassImageOn.get() },
        { i.bandPassImage.get(), i.bandPassImageOn.get() },
        { i.highPassImage.get(), i.highPassImageOn.get() },
        { i.forwardImage.get(), i.forwardImageOn.get() },
        { i.pingPongImage.get(), i.pingPongImageOn.get() },
        { i.backwardsImage.get(), i.backwardsImageOn.get() },
        { i.bypassAcrossImage.get(), i.bypassAcrossImageDown.get() },
        { i.infinityImage.get(), i.infinityImageOn.get() },
        { i.nextArrowImage.get(), i.nextArrowImageDown.get() },
        { i.backArrowImage.get(), i.backArrowImageDown.get() },
        { i.diceImage.get(), i.diceImageDown.get() },
    };

    for (size_t n = 0; n < std::size (partners); ++n)
        EXPECT_TRUE (sameImage (coverage (*partners[n].first), coverage (*partners[n].second))) << "pair " << n;
}
