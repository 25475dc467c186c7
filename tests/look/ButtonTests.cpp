#include "LookTestHelpers.h"

#include "QBColours.h"
#include "QBFastPresetsNumberButtonBottomLAF.h"
#include "QBHeaderButtonLAF.h"
#include "QBIncDecButtonsLAF.h"
#include "QBPresetsButtonBottomLAF.h"
#include "QBTempoLabelLAF.h"
#include "QBTextButtonLAF.h"

using namespace tessaline::test;

namespace
{
    constexpr int W = 120, H = 40;

    struct State { bool pressed, toggled; };

    /** Paints a text button the way JUCE does: background, then text. */
    juce::Image paintTextButton (juce::LookAndFeel& laf, State state, const juce::String& text = "88")
    {
        juce::TextButton button (text);
        button.setBounds (0, 0, W, H);
        button.setToggleState (state.toggled, juce::dontSendNotification);
        // Colours set on the button itself must not show.
        button.setColour (juce::TextButton::buttonColourId, juce::Colours::red);
        button.setColour (juce::TextButton::buttonOnColourId, juce::Colours::red);

        return paintImage (W, H, [&] (juce::Graphics& g)
        {
            laf.drawButtonBackground (g, button, juce::Colours::red, true, state.pressed);
            laf.drawButtonText (g, button, true, state.pressed);
        });
    }

    int inkOf (const juce::Image& image, juce::Colour colour)
    {
        return countWhere (image, [colour] (juce::Colour p) { return near (p, colour, 8); });
    }
}

TEST (ButtonLooks, BodiesAndTextColoursFollowPressAndToggleState)
{
    QBTextButtonLAF text;
    QBPresetsButtonBottomLAF presets;
    QBFastPresetsNumberButtonBottomLAF fast;
    QBHeaderButtonLAF header;
    QBTempoLabelLAF tempo;

    const auto none = juce::Colours::transparentBlack;
    const auto yellow = QBColours::yellowFilterColour;
    const auto faintYellow = QBColours::yellowFilterColour.withAlpha ((juce::uint8) 0x19);

    struct Case { const char* name; juce::LookAndFeel* laf; State state; juce::Colour body, text; };
    const Case cases[] = {
        { "text idle",           &text,    { false, false }, QBColours::editorBackground,   QBColours::selectedControl },
        { "text pressed",        &text,    { true,  false }, yellow,                        QBColours::whiteText },
        { "presets idle",        &presets, { false, false }, QBColours::headerColor,        QBColours::selectedControl },
        { "presets pressed",     &presets, { true,  true  }, QBColours::headerColor,        QBColours::selectedControl },
        { "fast idle",           &fast,    { false, false }, QBColours::sliderFilterActive, QBColours::selectedControl },
        { "fast pressed",        &fast,    { true,  false }, QBColours::sliderFilterActive, QBColours::selectedControl },
        { "fast selected",       &fast,    { false, true  }, yellow,                        QBColours::whiteText },
        { "fast selected, held", &fast,    { true,  true  }, faintYellow,                   QBColours::whiteText },
        { "header idle",         &header,  { false, false }, none,                          QBColours::greyText },
        { "header pressed",      &header,  { true,  false }, none,                          yellow },
        { "header toggled",      &header,  { false, true  }, none,                          yellow },
        { "tempo idle",          &tempo,   { false, false }, none,                          QBColours::whiteText },
        { "tempo pressed",       &tempo,   { true,  false }, none,                          QBColours::greyText },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = paintTextButton (*c.laf, c.state);

        // Below the text, in the middle of the body.
        const auto body = image.getPixelAt (W / 2, H - 5);
        EXPECT_TRUE (near (body, c.body, 3)) << body.toDisplayString (true);
        EXPECT_GT (inkOf (image, c.text), 10);
        EXPECT_EQ (inkOf (image, juce::Colours::red), 0);
    }
}

TEST (ButtonLooks, TextSizesFollowEachButtonsOwnHeight)
{
    QBTextButtonLAF text;
    QBPresetsButtonBottomLAF presets;
    QBFastPresetsNumberButtonBottomLAF fast;
    QBHeaderButtonLAF header;
    QBTempoLabelLAF tempo;

    struct Case { const char* name; juce::LookAndFeel& laf; float scale; };
    const Case cases[] = { { "text", text, 0.43f }, { "presets", presets, 0.43f }, { "fast", fast, 0.48f },
                           { "header", header, 0.40f }, { "tempo", tempo, 0.40f } };

    for (const auto& c : cases)
        for (int height : { 10, 33, 120 })
        {
            juce::TextButton button ("x");
            button.setSize (80, height);
            EXPECT_FLOAT_EQ (c.laf.getTextButtonFont (button, 3).getHeight(), (float) height * c.scale) << c.name;
        }
}

TEST (ButtonLooks, IncDecChevronsPointAwayFromTheSlider)
{
    struct Case { bool pointsLeft, pressed; };
    const Case cases[] = { { true, false }, { true, true }, { false, false }, { false, true } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.pointsLeft ? "left" : "right") + (c.pressed ? " pressed" : ""));
        QBIncDecButtonsLAF laf (c.pointsLeft);
        juce::TextButton button;
        button.setBounds (0, 0, 50, 50);
        const auto image = paintImage (50, 50, [&] (juce::Graphics& g)
        {
            laf.drawButtonBackground (g, button, juce::Colours::red, false, c.pressed);
        });

        const auto colour = c.pressed ? QBColours::yellowFilterColour : QBColours::selectedControl;
        const auto ink = boundsWhere (image, [] (juce::Colour p) { return p.getAlpha() > 60; });

        EXPECT_GT (countWhere (image, [colour] (juce::Colour p) { return p.getAlpha() > 60 && near (p.withAlpha ((juce::uint8) 255), colour, 3); }), 20);
        // Arms 30 % of the width long and 20 % of the height apart from the middle.
        EXPECT_NEAR (ink.getX(), c.pointsLeft ? 25 : 10, 1);
        EXPECT_NEAR (ink.getRight(), c.pointsLeft ? 40 : 25, 1);
        EXPECT_NEAR (ink.getY(), 15, 1);
        EXPECT_NEAR (ink.getBottom(), 35, 1);

        // The tip is in the middle: the column on the tip's side holds one blob, the open side two.
        const auto tipSide = c.pointsLeft ? ink.getX() : ink.getRight() - 1;
        const auto openSide = c.pointsLeft ? ink.getRight() - 1 : ink.getX();
        auto inkRows = [&image] (int x)
        {
            int n = 0;
            for (int y = 0; y < image.getHeight(); ++y)
                n += image.getPixelAt (x, y).getAlpha() > 60 ? 1 : 0;
            return n;
        };
        EXPECT_LE (inkRows (tipSide), 3);
        EXPECT_GE (inkRows (openSide), 2);
        EXPECT_TRUE (image.getPixelAt (openSide, 25).getAlpha() < 60);
    }
}

TEST (ButtonLooks, HeaderImageButtonsShowOnlyTheirImages)
{
    QBHeaderButtonLAF laf;
    juce::DrawableButton button ("presets", juce::DrawableButton::ImageFitted);
    juce::DrawableRectangle mark;
    mark.setRectangle (juce::Parallelogram<float> ({ 0.0f, 0.0f, 10.0f, 10.0f }));
    mark.setFill (QBColours::greyText);
    button.setImages (&mark);
    button.setColour (juce::DrawableButton::backgroundColourId, juce::Colours::red);
    button.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::red);
    button.setLookAndFeel (&laf);
    button.setBounds (0, 0, 60, 30);

    const auto image = paintComponent (button);
    EXPECT_EQ (countWhere (image, [] (juce::Colour p) { return near (p, juce::Colours::red, 10); }), 0);
    EXPECT_TRUE (near (image.getPixelAt (30, 15), QBColours::greyText));
    EXPECT_EQ (image.getPixelAt (2, 15).getAlpha(), 0);

    button.setLookAndFeel (nullptr);
}
