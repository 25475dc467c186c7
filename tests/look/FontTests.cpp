#include <gtest/gtest.h>

#include "QBFonts.h"

namespace
{
    using FontMaker = juce::Font (*) (float);

    struct Weight
    {
        const char* name;
        FontMaker make;
        const char* style;
    };

    const Weight weights[] = {
        { "book", &QBFonts::revereveBook, "Semi Bold" },
        { "bold", &QBFonts::revereveBold, "Extra Bold" },
    };

    // Printable ASCII without the grave accent, and the eight typographic marks.
    juce::String coveredCharacters()
    {
        juce::String s;
        for (juce::juce_wchar c = 0x20; c < 0x7f; ++c)
            if (c != 0x60)
                s += juce::String::charToString (c);
        for (juce::juce_wchar c : { 0xb7, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2044, 0x2212 })
            s += juce::String::charToString (c);
        return s;
    }
}

TEST (QBFonts, HeightsAreClampedAndEveryFontIsKerned)
{
    struct Case { float requested, expected; };
    const Case cases[] = { { 0.0f, 0.1f }, { -5.0f, 0.1f }, { 0.1f, 0.1f }, { 7.5f, 7.5f },
                           { 14.0f, 14.0f }, { 10000.0f, 10000.0f }, { 20000.0f, 10000.0f } };

    for (const auto& w : weights)
        for (const auto& c : cases)
        {
            const auto font = w.make (c.requested);
            EXPECT_FLOAT_EQ (font.getHeight(), c.expected) << w.name << " at " << c.requested;
            EXPECT_FLOAT_EQ (font.getExtraKerningFactor(), 0.1f) << w.name << " at " << c.requested;
            EXPECT_FLOAT_EQ (font.getHorizontalScale(), 1.0f) << w.name;
        }
}

TEST (QBFonts, BothWeightsAreTheEmbeddedFacesAndCoverTheInterfaceCharacters)
{
    const auto characters = coveredCharacters();
    ASSERT_EQ (characters.length(), 102);

    for (const auto& w : weights)
    {
        const auto font = w.make (20.0f);
        auto typeface = font.getTypefacePtr();
        ASSERT_NE (typeface, nullptr) << w.name;
        EXPECT_EQ (typeface->getName(), "Inter") << w.name;
        EXPECT_EQ (typeface->getStyle(), w.style) << w.name;

        for (auto c : characters)
        {
            juce::Array<int> glyphs;
            juce::Array<float> offsets;
            typeface->getGlyphPositions (juce::String::charToString (c), glyphs, offsets);
            ASSERT_EQ (glyphs.size(), 1) << w.name;
            EXPECT_GT (glyphs[0], 0) << w.name << " has no glyph for U+" << juce::String::toHexString ((int) c);
        }
    }
}

TEST (QBFonts, TheBoldFaceIsHeavierThanTheBook)
{
    const juce::String text ("Filter Range");
    EXPECT_GT (QBFonts::revereveBold (20.0f).getStringWidthFloat (text),
               QBFonts::revereveBook (20.0f).getStringWidthFloat (text));
}

TEST (QBFonts, EveryRequestCopiesTheSameHeldTypeface)
{
    EXPECT_EQ (&QBFonts::fonts(), &QBFonts::fonts());
    EXPECT_EQ (QBFonts::revereveBook (10.0f).getTypefacePtr(), QBFonts::revereveBook (30.0f).getTypefacePtr());
    EXPECT_EQ (QBFonts::revereveBold (10.0f).getTypefacePtr(), QBFonts::revereveBold (30.0f).getTypefacePtr());
}
