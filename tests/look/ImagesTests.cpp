#include "LookTestHelpers.h"

#include <BinaryData.h>
#include <map>
#include <set>

#include "QBColours.h"
#include "QBImages.h"

using namespace tessaline::test;

namespace
{
    using Member = std::unique_ptr<juce::Drawable> QBImages::*;

    struct Icon
    {
        const char* name;
        Member member;
        juce::uint32 mainColour;     // the colour most of the artwork is drawn in
        juce::uint32 alsoShown = 0;  // a second colour the artwork must show, if any
    };

    const Icon icons[] = {
        { "logoImage", &QBImages::logoImage, 0xff22272b, 0xffffbe00 },
        { "metronomeImage", &QBImages::metronomeImage, 0xff888888, 0xff2b70dc },
        { "presetsImage", &QBImages::presetsImage, 0xff888888 },
        { "presetsImageDown", &QBImages::presetsImageDown, 0xffeeeeee },
        { "settingsImage", &QBImages::settingsImage, 0xff888888 },
        { "settingsImageDown", &QBImages::settingsImageDown, 0xffeeeeee },
        { "collapseImageOn", &QBImages::collapseImageOn, 0xffeeeeee },
        { "collapseImage", &QBImages::collapseImage, 0xff888888 },
        { "diceBackgroundImage", &QBImages::diceBackgroundImage, 0xff2d343c, 0xff3e454d },
        { "diceImage", &QBImages::diceImage, 0xffffbe00 },
        { "diceImageDown", &QBImages::diceImageDown, 0xff6d6e76 },
        { "keyImage", &QBImages::keyImage, 0xff57595f },
        { "keyImageOn", &QBImages::keyImageOn, 0xffffbe00 },
        { "resetLockImage", &QBImages::resetLockImage, 0xff57595f },
        { "resetLockImageDown", &QBImages::resetLockImageDown, 0xff8c92a4 },
        { "resetDotsImage", &QBImages::resetDotsImage, 0xff57595f, 0xff484c55 },
        { "lowPassImageOn", &QBImages::lowPassImageOn, 0xffffbe00 },
        { "lowPassImage", &QBImages::lowPassImage, 0xff676d77 },
        { "bandPassImage", &QBImages::bandPassImage, 0xff676d77 },
        { "bandPassImageOn", &QBImages::bandPassImageOn, 0xffffbe00 },
        { "highPassImage", &QBImages::highPassImage, 0xff676d77 },
        { "highPassImageOn", &QBImages::highPassImageOn, 0xffffbe00 },
        { "resetSequenceImage", &QBImages::resetSequenceImage, 0xff57595f },
        { "resetSequenceImageDown", &QBImages::resetSequenceImageDown, 0xff8c92a4 },
        { "forwardImage", &QBImages::forwardImage, 0xff57595f },
        { "forwardImageOn", &QBImages::forwardImageOn, 0xffffbe00 },
        { "pingPongImage", &QBImages::pingPongImage, 0xff57595f },
        { "pingPongImageOn", &QBImages::pingPongImageOn, 0xffffbe00 },
        { "backwardsImage", &QBImages::backwardsImage, 0xff57595f },
        { "backwardsImageOn", &QBImages::backwardsImageOn, 0xffffbe00 },
        { "wetIconImage", &QBImages::wetIconImage, 0xff666d77 },
        { "bypassAcrossImage", &QBImages::bypassAcrossImage, 0xffebebeb },
        { "bypassAcrossImageDown", &QBImages::bypassAcrossImageDown, 0xffffbe00 },
        { "bypassImage", &QBImages::bypassImage, 0xff7a7c83 },
        { "bypassImageOn", &QBImages::bypassImageOn, 0xffffbe00 },
        { "infinityImage", &QBImages::infinityImage, 0xff666d77 },
        { "infinityImageOn", &QBImages::infinityImageOn, 0xffffbe00 },
        { "nextArrowImage", &QBImages::nextArrowImage, 0xff666d77 },
        { "nextArrowImageDown", &QBImages::nextArrowImageDown, 0xffffbe00 },
        { "backArrowImage", &QBImages::backArrowImage, 0xff666d77 },
        { "backArrowImageDown", &QBImages::backArrowImageDown, 0xffffbe00 },
        { "closeImage", &QBImages::closeImage, 0xff888888 },
        { "closeImageDown", &QBImages::closeImageDown, 0xffeeeeee },
        { "rowBackgroundImage", &QBImages::rowBackgroundImage, 0xff4b4d55 },
        { "removePresetImage", &QBImages::removePresetImage, 0xffeeeeee },
        { "removePresetImageDown", &QBImages::removePresetImageDown, 0xff888888 },
        { "playImage", &QBImages::playImage, 0xff4b4d55, 0xff2b70dc },
        { "stopImage", &QBImages::stopImage, 0xff4b4d55, 0xffef5f5e },
    };

    /** The icon as a 64-pixel-high button would show it. */
    juce::Image render (const juce::Drawable& d)
    {
        return paintImage (96, 64, [&d] (juce::Graphics& g)
        {
            d.drawWithin (g, { 0.0f, 0.0f, 96.0f, 64.0f }, juce::RectanglePlacement::centred, 1.0f);
        });
    }

    juce::Colour commonestOpaqueColour (const juce::Image& image)
    {
        std::map<juce::uint32, int> counts;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (const auto c = image.getPixelAt (x, y); c.getAlpha() == 255)
                    ++counts[c.getARGB()];

        juce::uint32 best = 0;
        int bestCount = 0;
        for (auto [argb, n] : counts)
            if (n > bestCount)
                std::tie (best, bestCount) = std::tie (argb, n);
        return juce::Colour (best);
    }
}

TEST (QBImages, EveryIconIsParsedOnceAndKeptForTheProcess)
{
    auto& images = QBImages::images();
    EXPECT_EQ (&images, &QBImages::images());

    std::vector<const juce::Drawable*> first;
    for (const auto& icon : icons)
    {
        const auto& drawable = images.*icon.member;
        ASSERT_NE (drawable, nullptr) << icon.name << " did not parse";
        EXPECT_FALSE (drawable->getDrawableBounds().isEmpty()) << icon.name;
        first.push_back (drawable.get());
    }

    // A second editor asking again gets the same parsed drawables, not new ones.
    for (size_t i = 0; i < std::size (icons); ++i)
        EXPECT_EQ ((QBImages::images().*icons[i].member).get(), first[i]) << icons[i].name;
}

TEST (QBImages, EveryEmbeddedIconHasItsMember)
{
    std::set<juce::String> members;
    for (const auto& icon : icons)
        members.insert (juce::String (icon.name) + "_svg");

    std::set<juce::String> embedded;
    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
        if (juce::String (BinaryData::namedResourceList[i]).endsWith ("_svg"))
            embedded.insert (BinaryData::namedResourceList[i]);

    EXPECT_EQ (embedded, members);
}

TEST (QBImages, ArtworkIsDrawnInTheColoursOfItsRole)
{
    for (const auto& icon : icons)
    {
        SCOPED_TRACE (icon.name);
        const auto image = render (*(QBImages::images().*icon.member));
        EXPECT_EQ (commonestOpaqueColour (image).getARGB(), icon.mainColour)
            << commonestOpaqueColour (image).toDisplayString (true);

        if (icon.alsoShown != 0)
            EXPECT_GT (countWhere (image, [&icon] (juce::Colour c) { return near (c, juce::Colour (icon.alsoShown), 1); }), 20);
    }
}

TEST (QBImages, PartnerImagesFitTheirButtonsExactlyAlike)
{
    // A button fits each image by the bounds of its drawing; partners that
    // differed would jump in size between states.
    auto& i = QBImages::images();
    const std::pair<const juce::Drawable*, const juce::Drawable*> partners[] = {
        { i.presetsImage.get(), i.presetsImageDown.get() },   { i.settingsImage.get(), i.settingsImageDown.get() },
        { i.collapseImage.get(), i.collapseImageOn.get() },   { i.diceImage.get(), i.diceImageDown.get() },
        { i.keyImage.get(), i.keyImageOn.get() },             { i.resetLockImage.get(), i.resetLockImageDown.get() },
        { i.resetDotsImage.get(), i.resetLockImageDown.get() }, { i.lowPassImage.get(), i.lowPassImageOn.get() },
        { i.bandPassImage.get(), i.bandPassImageOn.get() },   { i.highPassImage.get(), i.highPassImageOn.get() },
        { i.resetSequenceImage.get(), i.resetSequenceImageDown.get() }, { i.forwardImage.get(), i.forwardImageOn.get() },
        { i.pingPongImage.get(), i.pingPongImageOn.get() },   { i.backwardsImage.get(), i.backwardsImageOn.get() },
        { i.bypassAcrossImage.get(), i.bypassAcrossImageDown.get() }, { i.infinityImage.get(), i.infinityImageOn.get() },
        { i.nextArrowImage.get(), i.nextArrowImageDown.get() }, { i.backArrowImage.get(), i.backArrowImageDown.get() },
        { i.closeImage.get(), i.closeImageDown.get() },       { i.removePresetImage.get(), i.removePresetImageDown.get() },
        { i.playImage.get(), i.stopImage.get() },
    };

    for (const auto& [normal, partner] : partners)
        EXPECT_EQ (normal->getDrawableBounds(), partner->getDrawableBounds());

    // Partners drawn on different canvases keep the same proportions.
    auto aspect = [] (const juce::Drawable* d) { return d->getDrawableBounds().getAspectRatio(); };
    EXPECT_NEAR (aspect (i.bypassImage.get()), aspect (i.bypassImageOn.get()), 0.01f);
    EXPECT_NEAR (aspect (i.backArrowImage.get()), aspect (i.nextArrowImage.get()), 0.01f);
    EXPECT_NEAR (aspect (i.backwardsImage.get()), aspect (i.forwardImage.get()), 0.01f);
    EXPECT_NEAR (aspect (i.pingPongImage.get()), aspect (i.forwardImage.get()), 0.01f);
}
