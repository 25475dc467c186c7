#include "LookTestHelpers.h"

#include "QBColours.h"
#include "QBDryWetSliderLAF.h"
#include "QBFilterRangeSliderLAF.h"
#include "QBFonts.h"
#include "QBInfinitySliderLAF.h"
#include "QBSequenceLengthLoopLAF.h"
#include "QBSliderNumOfSliderInSequenceLAF.h"
#include "QBTempoSliderLAF.h"

using namespace tessaline::test;

namespace
{
    constexpr int W = 200, H = 40;

    /** A real slider drawn by the look-and-feel under test, owned the way the
        window's components own theirs. */
    template <typename LAF>
    struct Drawn
    {
        explicit Drawn (juce::Slider::SliderStyle style, double min = 0.0, double max = 1.0, double step = 0.0)
        {
            slider.setSliderStyle (style);
            slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
            slider.setRange (min, max, step);
            slider.setLookAndFeel (&laf);
            slider.setBounds (0, 0, W, H);
        }

        ~Drawn() { slider.setLookAndFeel (nullptr); }

        juce::Image at (double value)
        {
            slider.setValue (value, juce::dontSendNotification);
            return paintComponent (slider);
        }

        LAF laf;
        juce::Slider slider;
    };

    bool isYellow (juce::Colour c) { return near (c, QBColours::yellowFilterColour, 3); }

    /** The right-most yellow pixel of a row, or -1. */
    int yellowEdge (const juce::Image& image, int y)
    {
        for (int x = image.getWidth() - 1; x >= 0; --x)
            if (isYellow (image.getPixelAt (x, y)))
                return x;
        return -1;
    }

    /** The middle of the bar, where its text sits. */
    juce::Image textRegion (const juce::Image& image)
    {
        return image.getClippedImage ({ W / 2 - 25, 8, 50, H - 16 }).createCopy();
    }
}

TEST (BarSliderLooks, FilterRangeFillsSquareFromTheLeftUpToTheValue)
{
    Drawn<QBFilterRangeSliderLAF> d (juce::Slider::LinearBar);
    d.laf.labelText = "Filter Range";

    // The bar's track runs from 1 to W - 1; the fill reaches slightly past both ends.
    struct Case { double value; int edge; bool greyLabel, lightLabel; };
    const Case cases[] = { { 0.0, -1, true, false }, { 0.25, 50, true, false }, { 0.5, 100, true, true },
                           { 0.8, 159, false, true }, { 1.0, W - 1, false, true } };
    const int belowText = H - 6;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.value);
        const auto image = d.at (c.value);

        if (c.edge < 0)
        {
            EXPECT_EQ (countWhere (image, isYellow), 0);
        }
        else if (c.edge < W - 1)
        {
            EXPECT_NEAR (yellowEdge (image, belowText), c.edge, 1);
            // The fill ends square: the same edge near the top as below the text.
            EXPECT_NEAR (yellowEdge (image, 3), c.edge, 1);
            EXPECT_TRUE (near (image.getPixelAt (c.edge + 3, belowText), QBColours::headerColor));
        }

        for (int x = 12; x < W - 12; x += 4)
            EXPECT_TRUE (near (image.getPixelAt (x, belowText),
                               x < c.edge - 1 ? QBColours::yellowFilterColour : QBColours::headerColor))
                << "x " << x;

        // The label shows grey on the plate and light on the fill.
        const auto greyInk = countWhere (image, [] (juce::Colour p) { return near (p, QBColours::selectedControl, 6); });
        const auto lightInk = countWhere (image, [] (juce::Colour p) { return near (p, QBColours::whiteText, 6); });
        EXPECT_EQ (greyInk > 20, c.greyLabel) << greyInk;
        EXPECT_EQ (lightInk > 20, c.lightLabel) << lightInk;
    }

    EXPECT_EQ (d.slider.findColour (juce::Slider::textBoxOutlineColourId), juce::Colours::transparentBlack);
}

TEST (BarSliderLooks, DryWetFillEndsRoundAndShowsTheTruncatedPercentage)
{
    Drawn<QBDryWetSliderLAF> d (juce::Slider::LinearBar);

    // A half-filled bar ends in a half circle at x = 100: 10 pixels off the middle
    // it reaches 100 - 20 + sqrt (20^2 - 10^2), near the top much less far.
    const auto half = d.at (0.5);
    EXPECT_NEAR (yellowEdge (half, H / 2 + 10), 97, 1);
    EXPECT_LT (yellowEdge (half, 2), 90);

    // Below one percent the value reads 0% and nothing is filled.
    for (double v : { 0.0, 0.004, 0.0099 })
        EXPECT_EQ (countWhere (d.at (v), isYellow), 0) << v;

    // Values that truncate to the same percentage look the same where the text is;
    // the next percentage up looks different.
    struct Case { double a, b; bool sameText; };
    const Case cases[] = { { 0.73, 0.739, true }, { 0.73, 0.74, false },
                           { 0.99, 0.999, true }, { 0.999, 1.0, false },
                           { 0.25, 0.2599, true }, { 0.2599, 0.26, false } };

    for (const auto& c : cases)
        EXPECT_EQ (sameImage (textRegion (d.at (c.a)), textRegion (d.at (c.b))), c.sameText) << c.a << " / " << c.b;

    // The text is light over the fill.
    EXPECT_GT (countWhere (textRegion (d.at (1.0)), [] (juce::Colour p) { return near (p, QBColours::whiteText, 6); }), 20);
}

TEST (BarSliderLooks, NumberSlidersShowTheTruncatedValue)
{
    Drawn<QBSliderNumOfSliderInSequenceLAF> length (juce::Slider::LinearBar, 2.0, 64.0);
    Drawn<QBInfinitySliderLAF> repeats (juce::Slider::LinearBar, 1.0, 64.0);

    struct Case { double a, b; bool sameText; };
    const Case cases[] = { { 7.0, 7.9, true }, { 7.9, 8.0, false }, { 63.99, 63.0, true }, { 64.0, 63.99, false } };

    for (const auto& c : cases)
    {
        EXPECT_EQ (sameImage (length.at (c.a), length.at (c.b)), c.sameText) << c.a << " / " << c.b;
        EXPECT_EQ (sameImage (repeats.at (c.a), repeats.at (c.b)), c.sameText) << c.a << " / " << c.b;
    }

    // The sequence length: yellow digits on the raised plate, no fill.
    const auto plate = length.at (16.0);
    EXPECT_TRUE (near (plate.getPixelAt (20, H - 6), QBColours::headerColor));
    EXPECT_TRUE (near (plate.getPixelAt (W - 20, H - 6), QBColours::headerColor));
    EXPECT_GT (countWhere (plate, isYellow), 20);

    // The repeat count: light digits straight on the parent's background.
    const auto bare = repeats.at (16.0);
    EXPECT_EQ (bare.getPixelAt (20, H - 6).getAlpha(), 0);
    EXPECT_GT (countWhere (bare, [] (juce::Colour p) { return near (p, QBColours::whiteText, 6); }), 20);
    EXPECT_EQ (countWhere (bare, isYellow), 0);

    // The repeat count's digits are larger than the sequence length's.
    auto inkHeight = [] (const juce::Image& image, juce::Colour ink)
    {
        return boundsWhere (image, [ink] (juce::Colour p) { return near (p, ink, 6); }).getHeight();
    };
    EXPECT_GT (inkHeight (bare, QBColours::whiteText), inkHeight (plate, QBColours::yellowFilterColour));

    for (auto* s : { &length.slider, &repeats.slider })
        EXPECT_EQ (s->findColour (juce::Slider::textBoxOutlineColourId), juce::Colours::transparentBlack);
}

TEST (BarSliderLooks, TypingIntoANumberSliderShowsACentredEditorOnAFullSizePill)
{
    struct Case { const char* name; juce::LookAndFeel_V2* laf; float textScale; juce::Colour text; };
    QBSliderNumOfSliderInSequenceLAF lengthLaf;
    QBInfinitySliderLAF repeatsLaf;
    const Case cases[] = { { "sequence length", &lengthLaf, 0.45f, QBColours::yellowFilterColour },
                           { "repeat count", &repeatsLaf, 0.70f, QBColours::whiteText } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        juce::Slider slider (juce::Slider::LinearBar, juce::Slider::NoTextBox);
        slider.setBounds (0, 0, W, H);
        paintImage (W, H, [&] (juce::Graphics& g)
        {
            c.laf->drawLinearSlider (g, 1, 1, W - 2, H - 2, 10.0f, 0.0f, 0.0f, juce::Slider::LinearBar, slider);
        });

        juce::TextEditor editor;
        editor.setBounds (0, 0, W, H);
        const auto image = paintImage (W, H, [&] (juce::Graphics& g) { c.laf->fillTextEditorBackground (g, W, H, editor); });

        EXPECT_TRUE (near (image.getPixelAt (W / 2, H / 2), QBColours::editorBackground));
        EXPECT_TRUE (near (image.getPixelAt (H / 2, 2), QBColours::editorBackground));
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (W - 1, H - 1).getAlpha(), 0);

        EXPECT_EQ (editor.getJustificationType(), juce::Justification (juce::Justification::centred));
        EXPECT_FLOAT_EQ (editor.getFont().getHeight(), H * c.textScale);
        EXPECT_EQ (editor.getFont().getTypefacePtr(), QBFonts::revereveBold (1.0f).getTypefacePtr());
        EXPECT_EQ (editor.findColour (juce::TextEditor::textColourId), c.text);
        EXPECT_EQ (editor.findColour (juce::TextEditor::highlightedTextColourId), c.text);
        EXPECT_EQ (editor.findColour (juce::TextEditor::shadowColourId).getAlpha(), 0);
        EXPECT_EQ (editor.findColour (juce::CaretComponent::caretColourId), QBColours::whiteText);

        // The slider's own text-box label draws neither box nor text.
        juce::Label label ({}, "42");
        label.setBounds (0, 0, W, H);
        const auto labelImage = paintImage (W, H, [&] (juce::Graphics& g) { c.laf->drawLabel (g, label); });
        EXPECT_EQ (countWhere (labelImage, [] (juce::Colour p) { return p.getAlpha() > 0; }), 0);
        EXPECT_EQ (label.findColour (juce::Label::outlineWhenEditingColourId).getAlpha(), 0);
    }
}

TEST (LoopRangeLook, TheRangeIsAYellowPillWithDarkHolesAtTheThumbs)
{
    Drawn<QBSequenceLengthLoopLAF> d (juce::Slider::TwoValueHorizontal);

    struct Case { double min, max; };
    const Case cases[] = { { 0.2, 0.6 }, { 0.0, 1.0 }, { 0.5, 0.5 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.min) + " .. " + juce::String (c.max));
        d.slider.setMinAndMaxValues (c.min, c.max, juce::dontSendNotification);
        const auto image = paintComponent (d.slider);
        const auto lo = (float) d.slider.getPositionOfValue (c.min);
        const auto hi = (float) d.slider.getPositionOfValue (c.max);

        const auto yellow = boundsWhere (image, isYellow);
        EXPECT_NEAR (yellow.getX(), lo - W * 0.012f, 1.5f);
        // The right end is rounded and its middle taken by the hole, so it reaches at most this far.
        EXPECT_LE (yellow.getRight(), hi + W * 0.013f + 1.0f);
        EXPECT_GE (yellow.getRight(), hi);

        // Each thumb is a dark hole of half the slider's height.
        const auto hole = H * 0.25f;
        EXPECT_TRUE (near (image.getPixelAt ((int) (lo - W * 0.002f + hole), H / 2), QBColours::sliderBGBlackColour));
        EXPECT_TRUE (near (image.getPixelAt ((int) (hi - W * 0.01f + hole), H / 2), QBColours::sliderBGBlackColour));

        if (hi - lo > H)
            EXPECT_TRUE (isYellow (image.getPixelAt ((int) ((lo + hi) / 2), H / 2)));
        if (lo > H)
            EXPECT_TRUE (near (image.getPixelAt ((int) lo - H / 2, H / 2), QBColours::sliderBGBlackColour));
    }
}

TEST (TempoSliderLook, TheThumbStaysOnTheTrackAndSplitsItsColours)
{
    Drawn<QBTempoSliderLAF> d (juce::Slider::LinearHorizontal, 20.0, 300.0);
    const auto r = (int) (H * 0.3f);
    EXPECT_EQ (d.laf.getSliderThumbRadius (d.slider), r);

    struct Case { double value; float thumbCentre; };
    const Case cases[] = { { 20.0, r / 2.0f }, { 160.0, r / 2.0f + 0.5f * (W - r) }, { 300.0, W - r / 2.0f } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.value);
        const auto image = d.at (c.value);
        const auto thumb = boundsWhere (image, [] (juce::Colour p) { return near (p, QBColours::tempoSliderThumb, 40); });

        ASSERT_FALSE (thumb.isEmpty());
        EXPECT_NEAR (thumb.toFloat().getCentreX(), c.thumbCentre, 1.0f);
        EXPECT_NEAR (thumb.toFloat().getCentreY(), H / 2.0f, 1.0f);
        EXPECT_NEAR (thumb.getWidth(), r, 1);
        EXPECT_GE (thumb.getX(), 0);
        EXPECT_LE (thumb.getRight(), W);

        // Yellow left of the thumb, grey right of it, on a thin centred track.
        const auto left = (int) c.thumbCentre - r, right = (int) c.thumbCentre + r;
        if (left > 2)
            EXPECT_TRUE (isYellow (image.getPixelAt (left, H / 2)));
        if (right < W - 2)
            EXPECT_TRUE (near (image.getPixelAt (right, H / 2), QBColours::tempoSliderInactive));
        EXPECT_EQ (image.getPixelAt (W / 4, H / 2 - 4).getAlpha(), 0);
    }
}
