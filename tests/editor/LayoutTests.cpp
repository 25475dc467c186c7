#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct Expected
    {
        const char* name;
        juce::Rectangle<int> at1024, at820;
    };

    juce::Component& child (VornicAudioProcessorEditor& e, const juce::String& name)
    {
        if (name == "topLineSeparator")   return e.topLineSeparator;
        if (name == "sequenceSizeSlider") return e.sequenceSizeSlider;
        if (name == "fadersTable")        return e.fadersTable;
        if (name == "sequenceBackground") return e.sequenceBackground;
        if (name == "rightEdgeStrip")     return e.rightEdgeStrip;
        if (name == "bottomEdgeStrip")    return e.bottomEdgeStrip;
        if (name == "dotsComponent")      return e.dotsComponent;
        if (name == "resetDotsButton")    return e.resetDotsButton;
        if (name == "loopRangeSlider")    return e.loopRangeSlider;
        if (name == "playStopButton")     return e.playStopButton;
        return e.playLabel;
    }

    const Expected layoutTable[] = {
        { "topLineSeparator",   { 17, 69, 990, 4 },    { 14, 55, 792, 3 } },
        { "sequenceSizeSlider", { 461, 244, 102, 31 }, { 369, 195, 82, 25 } },
        { "fadersTable",        { 76, 349, 870, 293 }, { 61, 280, 697, 235 } },
        { "sequenceBackground", { 68, 343, 887, 305 }, { 54, 276, 711, 244 } },
        { "rightEdgeStrip",     { 937, 349, 17, 293 }, { 751, 280, 14, 235 } },
        { "bottomEdgeStrip",    { 76, 636, 870, 12 },  { 61, 510, 697, 9 } },
        { "dotsComponent",      { 76, 657, 870, 26 },  { 61, 527, 697, 21 } },
        { "resetDotsButton",    { 956, 657, 30, 23 },  { 766, 527, 24, 18 } },
        { "loopRangeSlider",    { 77, 311, 870, 16 },  { 62, 249, 697, 12 } },
        { "playStopButton",     { 943, 707, 40, 46 },  { 755, 566, 32, 36 } },
        { "playLabel",          { 907, 696, 40, 69 },  { 726, 556, 32, 56 } },
    };
}

TEST (EditorLayout, BoundsAtBothStandardSizes)
{
    OpenEditor e;

    for (const bool compact : { false, true })
    {
        e.editor->setSize (compact ? 820 : 1024, compact ? 615 : 768);

        for (const auto& row : layoutTable)
            EXPECT_EQ (child (*e.editor, row.name).getBounds(), compact ? row.at820 : row.at1024)
                << row.name << (compact ? " at 820 x 615" : " at 1024 x 768");
    }
}

TEST (EditorLayout, OpensAtTheFullSizeOrCompactAsSaved)
{
    auto processor = makeStandaloneProcessor();

    for (const float collapse : { 0.0f, 1.0f })
    {
        setParam (*processor, "collapse", collapse);
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
        EXPECT_EQ (editor->getBounds().getWidth(), collapse > 0 ? 820 : 1024);
        EXPECT_EQ (editor->getBounds().getHeight(), collapse > 0 ? 615 : 768);
        processor->editorBeingDeleted (editor.get());
    }
}

TEST (EditorLayout, TinyAndOddHostSizesGiveNoNegativeSizes)
{
    OpenEditor e;

    for (const auto size : { juce::Point<int> { 204, 153 }, { 1, 1 }, { 0, 0 }, { 300, 12 }, { 12, 3000 }, { 4096, 3072 } })
    {
        e.editor->setSize (size.x, size.y);

        for (const auto& row : layoutTable)
        {
            const auto b = child (*e.editor, row.name).getBounds();
            EXPECT_GE (b.getWidth(), 0) << row.name << " at " << size.toString();
            EXPECT_GE (b.getHeight(), 0) << row.name << " at " << size.toString();
        }

        for (const auto& f : e.editor->fadersTable.faders)
            EXPECT_GE (f->getWidth(), 0);

        for (const auto& d : e.editor->dotsComponent.dots)
            EXPECT_GE (d->getWidth(), 0);
    }
}

TEST (EditorLayout, FadersShareTheTableWidthWithoutGaps)
{
    OpenEditor e;
    auto& table = e.editor->fadersTable;

    for (const int n : { 64, 32, 16, 7, 2 })
    {
        e.editor->sequenceSizeSlider.slider->setValue (n, juce::sendNotificationSync);

        int x = 0;

        for (int i = 0; i < n; ++i)
        {
            const auto& f = *table.faders[(size_t) i];
            EXPECT_EQ (f.getX(), x) << "fader " << i << " of " << n;
            EXPECT_TRUE (f.isVisible());
            x = f.getRight();
        }

        EXPECT_EQ (x, table.getWidth()) << n << " faders";

        for (int i = n; i < 64; ++i)
            EXPECT_FALSE (table.faders[(size_t) i]->isVisible());
    }
}

TEST (EditorLayout, DotsAreTruncatedToWholePixels)
{
    OpenEditor e;
    e.editor->sequenceSizeSlider.slider->setValue (16, juce::sendNotificationSync);
    const auto& row = e.editor->dotsComponent;

    // 870 / 16 = 54.375: each dot 54 wide at truncate (i * 54.375); the last pixels stay empty.
    EXPECT_EQ (row.dots[0]->getBounds(), juce::Rectangle<int> (0, 0, 54, 26));
    EXPECT_EQ (row.dots[1]->getBounds(), juce::Rectangle<int> (54, 0, 54, 26));
    EXPECT_EQ (row.dots[15]->getBounds(), juce::Rectangle<int> (815, 0, 54, 26));
}
