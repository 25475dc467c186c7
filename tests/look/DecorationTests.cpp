#include "LookTestHelpers.h"

#include "QBBackButton_onlyUI.h"
#include "QBBackCirculaForButton_onlyUI.h"
#include "QBCircularBGNextBackSeq.h"
#include "QBColours.h"
#include "QBImproveShadowsOject.h"
#include "QBTopLineSeparator.h"
#include "pointEllipseSelected.h"

using namespace tessaline::test;

namespace
{
    /** Paints `c` at the given size into an image that is larger by a margin, so
        that anything drawn outside the component's bounds would show. */
    juce::Image paintWithMargin (juce::Component& c, int w, int h, int margin = 4)
    {
        c.setBounds (0, 0, w, h);
        return paintImage (w + 2 * margin, h + 2 * margin, [&] (juce::Graphics& g)
        {
            g.setOrigin (margin, margin);
            c.paintEntireComponent (g, false);
        });
    }

    int drawnPixels (const juce::Image& image)
    {
        return countWhere (image, [] (juce::Colour p) { return p.getAlpha() > 0; });
    }
}

TEST (Decorations, PlatesAreRaisedWithALightRimAboveTheirBody)
{
    QBBackButton_onlyUI filterPlate;
    QBBackCirculaForButton_onlyUI directionPlate;
    QBCircularBGWIthSpecNextBackSeq movePlate;

    struct Case { const char* name; juce::Component& c; juce::Colour body; };
    const Case cases[] = { { "filter-type plate", filterPlate, QBColours::headerColor },
                           { "direction plate", directionPlate, QBColours::headerColor },
                           { "sequence-move plate", movePlate, QBColours::BGslidersRectangle } };

    constexpr int W = 120, H = 40, M = 4;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = paintWithMargin (c.c, W, H, M);

        EXPECT_TRUE (near (image.getPixelAt (M + W / 2, M + H / 2), c.body));
        EXPECT_TRUE (near (image.getPixelAt (M + W / 2, M + H - 3), c.body));

        // The top edge is lighter than the body: the rim.
        const auto top = image.getPixelAt (M + W / 2, M + (int) (H * 0.01f));
        EXPECT_GT (top.getPerceivedBrightness(), c.body.getPerceivedBrightness() + 0.01f) << top.toDisplayString (true);

        // The pill's corners and everything outside the component stay empty.
        EXPECT_EQ (image.getPixelAt (M, M).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (M + W - 1, M + H - 1).getAlpha(), 0);
        const auto drawn = boundsWhere (image, [] (juce::Colour p) { return p.getAlpha() > 0; });
        EXPECT_TRUE (juce::Rectangle<int> (M, M, W, H).contains (drawn));

        EXPECT_EQ (drawnPixels (paintWithMargin (c.c, W, 0, M)), 0) << "height 0 draws nothing";
    }
}

TEST (Decorations, TheSeparatorIsAFaintLightEdgeAboveADarkLine)
{
    QBTopLineSeparator separator;
    separator.setBounds (0, 0, 300, 4);

    // Over the header's colour, as in the window.
    const auto image = paintImage (300, 4, [&] (juce::Graphics& g)
    {
        g.fillAll (QBColours::headerColor);
        separator.paintEntireComponent (g, false);
    });

    const auto background = QBColours::headerColor.getPerceivedBrightness();
    EXPECT_GT (image.getPixelAt (150, 0).getPerceivedBrightness(), background + 0.01f);
    EXPECT_LT (image.getPixelAt (150, 2).getPerceivedBrightness(), background - 0.01f);
    EXPECT_LT (image.getPixelAt (150, 3).getPerceivedBrightness(), background - 0.01f);

    EXPECT_EQ (drawnPixels (paintWithMargin (separator, 300, 0)), 0) << "height 0 draws nothing";
}

TEST (Decorations, TheSelectionDotShowsOnlyWhenSelected)
{
    pointEllipseSelected dot;

    struct Case { bool selected; int w, h; };
    const Case cases[] = { { false, 12, 12 }, { true, 12, 12 }, { true, 30, 10 }, { true, 0, 0 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.selected ? "selected " : "") + juce::String (c.w) + "x" + juce::String (c.h));
        dot.selected = c.selected;
        const auto image = paintWithMargin (dot, c.w, c.h);
        const auto drawn = boundsWhere (image, [] (juce::Colour p) { return p.getAlpha() > 0; });

        if (! c.selected || c.w == 0)
        {
            EXPECT_TRUE (drawn.isEmpty());
            continue;
        }

        EXPECT_TRUE (near (image.getPixelAt (4 + c.w / 2, 4 + c.h / 2), QBColours::yellowFilterColour));
        EXPECT_EQ (drawn, juce::Rectangle<int> (4, 4, c.w, c.h));
        EXPECT_EQ (image.getPixelAt (4, 4).getAlpha(), 0) << "an ellipse, not a box";
    }
}

TEST (Decorations, TheShadowStripDrawsNothingButTakesTheClicksOverIt)
{
    QBImproveShadowsOject strip;
    EXPECT_EQ (drawnPixels (paintWithMargin (strip, 10, 100)), 0);

    juce::Component parent;
    parent.setBounds (0, 0, 100, 100);
    parent.setVisible (true);
    parent.addAndMakeVisible (strip);
    strip.setBounds (90, 0, 10, 100);
    EXPECT_EQ (parent.getComponentAt (95, 50), &strip);
    EXPECT_EQ (parent.getComponentAt (50, 50), &parent);
}
