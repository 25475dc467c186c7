#include "LookTestHelpers.h"

#include "QBColours.h"
#include "QBFastPresetsNumberButtonBottomLAF.h"
#include "QBFonts.h"
#include "QBPresetsButtonBottomLAF.h"
#include "QBTextButtonLAF.h"

using namespace tessaline::test;

namespace
{
    struct TextButtonFixture : public ::testing::Test
    {
        ~TextButtonFixture() override { button.setLookAndFeel (nullptr); }

        juce::Image paint (int width, int height, const juce::String& text, bool pressed)
        {
            return paintWith (laf, width, height, text, pressed);
        }

        juce::Image paintWith (juce::LookAndFeel& look, int width, int height, const juce::String& text, bool pressed)
        {
            button.setLookAndFeel (&look);
            button.setButtonText (text);
            button.setSize (width, height);
            return paintImage (width, height, [&] (juce::Graphics& g)
            {
                look.drawButtonBackground (g, button, juce::Colours::red, false, pressed);
                look.drawButtonText (g, button, false, pressed);
            });
        }

        static bool isTextInk (juce::Colour c, juce::Colour background)
        {
            // The pill's anti-aliased outline only fades the background; text changes its colour.
            return c.getAlpha() > 200 && ! near (c.withAlpha ((juce::uint8) 255), background, 6);
        }

        QBTextButtonLAF laf;
        juce::TextButton button;
    };
}

TEST_F (TextButtonFixture, PressedTurnsTheDarkPillYellowAndTheTextLight)
{
    struct Case { bool pressed; juce::Colour body, text; };
    const Case cases[] = { { false, QBColours::editorBackground, QBColours::selectedControl },
                           { true, QBColours::yellowFilterColour, QBColours::whiteText } };

    for (const auto& c : cases)
    {
        const auto image = paint (160, 40, "OK", c.pressed);

        EXPECT_TRUE (near (image.getPixelAt (20, 20), c.body)) << "pressed " << c.pressed;
        EXPECT_TRUE (near (image.getPixelAt (80, 2), c.body)) << "pressed " << c.pressed;
        // Outside the pill's rounded ends nothing is drawn.
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << "pressed " << c.pressed;
        EXPECT_EQ (image.getPixelAt (159, 39).getAlpha(), 0) << "pressed " << c.pressed;

        EXPECT_GT (countWhere (image, [&] (juce::Colour p) { return near (p, c.text, 8); }), 10)
            << "pressed " << c.pressed;
    }
}

TEST_F (TextButtonFixture, ALongLabelIsSqueezedToEightyPercentBeforeItIsCut)
{
    const juce::String label ("Reset MIDI");
    const int height = 40;
    const auto natural = QBFonts::revereveBold (height * 0.43f).getStringWidthFloat (label);
    const auto background = QBColours::editorBackground;

    // The text area is the button less 2 pixels on each side.
    struct Case { float areaOverNatural; bool wholeLabel; };
    const Case cases[] = { { 1.10f, true }, { 0.90f, true }, { 0.83f, true }, { 0.60f, false } };

    const auto wide = paint ((int) natural + 80, height, label, false);
    const auto naturalInk = boundsWhere (wide, [&] (juce::Colour p) { return isTextInk (p, background); });
    ASSERT_FALSE (naturalInk.isEmpty());

    for (const auto& c : cases)
    {
        const auto area = (int) std::ceil (natural * c.areaOverNatural);
        const auto image = paint (area + 4, height, label, false);
        const auto ink = boundsWhere (image, [&] (juce::Colour p) { return isTextInk (p, background); });

        SCOPED_TRACE (c.areaOverNatural);
        ASSERT_FALSE (ink.isEmpty());
        EXPECT_GE (ink.getX(), 2);
        EXPECT_LE (ink.getRight(), area + 2);
        // Squeezing is horizontal only: the letters keep their height.
        EXPECT_NEAR (ink.getHeight(), naturalInk.getHeight(), 1);

        if (c.wholeLabel && c.areaOverNatural < 1.0f)
            EXPECT_NEAR ((float) ink.getWidth() / (float) naturalInk.getWidth(), c.areaOverNatural, 0.05f);
        else if (c.wholeLabel)
            EXPECT_NEAR (ink.getWidth(), naturalInk.getWidth(), 1);
    }

    // Past 80 % the label is cut rather than squeezed further: it ends in an
    // ellipsis, whose dots are much shorter than the letters.
    const auto area = (int) std::ceil (natural * 0.60f);
    const auto cut = paint (area + 4, height, label, false);
    const auto ink = boundsWhere (cut, [&] (juce::Colour p) { return isTextInk (p, background); });
    const auto lastColumns = boundsWhere (cut.getClippedImage ({ ink.getRight() - 3, 0, 3, height }).createCopy(),
                                          [&] (juce::Colour p) { return isTextInk (p, background); });
    EXPECT_LT (lastColumns.getHeight(), naturalInk.getHeight() / 3);
}

TEST_F (TextButtonFixture, ButtonsFourPixelsHighOrLessShowNoText)
{
    // Every look that insets its text by 2 pixels all round.
    QBPresetsButtonBottomLAF presets;
    QBFastPresetsNumberButtonBottomLAF fast;
    juce::LookAndFeel* looks[] = { &laf, &presets, &fast };

    struct Case { int height; bool showsText; };
    const Case cases[] = { { 1, false }, { 3, false }, { 4, false }, { 9, true }, { 12, true } };

    for (auto* look : looks)
        for (const auto& c : cases)
            for (bool pressed : { false, true })
            {
                const auto withText = paintWith (*look, 120, c.height, "Tap", pressed);
                const auto withoutText = paintWith (*look, 120, c.height, {}, pressed);
                EXPECT_EQ (! sameImage (withText, withoutText), c.showsText) << "height " << c.height << " pressed " << pressed;
            }
}
