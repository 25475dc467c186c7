#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct DotGestures : ::testing::Test
    {
        OpenEditor e;
        Mouse mouse { *e.editor };
        QBDotsComponent& row = e.editor->dotsComponent;

        juce::Point<int> onDot (int i) const { return row.dots[(size_t) i]->getBounds().getCentre(); }
        bool dotted (int i) const { return row.dots[(size_t) i]->dotted; }
        bool stored (int i) { return (bool) treeValue (*e.processor, "dots" + juce::String (i)); }

        void lockFaders (std::initializer_list<int> steps)
        {
            auto& table = e.editor->fadersTable;
            table.setLockMode (true);

            for (const int i : steps)
                mouse.gesture (table, { onFader (table, i, 0.5f) });

            table.setLockMode (false);
        }
    };
}

TEST_F (DotGestures, AClickTogglesADotAndADragPaintsTheNewState)
{
    mouse.click (row, onDot (3));
    EXPECT_TRUE (dotted (3));
    EXPECT_TRUE (stored (3));
    EXPECT_TRUE (e.processor->dotMirror (3)) << "the audio side lets step 3 through dry";

    mouse.click (row, onDot (3));
    EXPECT_FALSE (dotted (3));
    EXPECT_FALSE (stored (3));

    mouse.gesture (row, { onDot (3), onDot (5), onDot (8) });

    for (int i = 0; i < 12; ++i)
    {
        EXPECT_EQ (dotted (i), i >= 3 && i <= 8) << "dot " << i;
        EXPECT_EQ (stored (i), i >= 3 && i <= 8) << "dot " << i;
    }

    // Starting on a dotted step clears along the drag.
    mouse.gesture (row, { onDot (8), onDot (6) });

    for (int i = 0; i < 12; ++i)
        EXPECT_EQ (dotted (i), i >= 3 && i <= 5) << "dot " << i;
}

TEST_F (DotGestures, ADragOutsideTheRowChangesNothingWhileOutside)
{
    const auto start = onDot (10);

    mouse.down (row, start);
    ASSERT_TRUE (dotted (10));

    for (const auto outside : { juce::Point<int> { onDot (12).x, -1 },
                                juce::Point<int> { onDot (14).x, row.getHeight() + 1 },
                                juce::Point<int> { -1, start.y },
                                juce::Point<int> { row.getWidth() + 1, start.y } })
        mouse.drag (row, outside);

    mouse.up (row, { row.getWidth() + 1, start.y });

    for (int i = 0; i < 64; ++i)
        EXPECT_EQ (dotted (i), i == 10) << "dot " << i;
}

TEST_F (DotGestures, ADotUnderALockedStepNeverChanges)
{
    mouse.click (row, onDot (5));     // dotted before the lock
    lockFaders ({ 4, 5 });

    ASSERT_TRUE (row.dots[4]->stepLocked);
    ASSERT_TRUE (row.dots[5]->stepLocked);

    mouse.click (row, onDot (4));
    EXPECT_FALSE (dotted (4)) << "a click on it";

    mouse.gesture (row, { onDot (2), onDot (4), onDot (5), onDot (7) });
    EXPECT_TRUE (dotted (2));
    EXPECT_FALSE (dotted (4)) << "a drag across it";
    EXPECT_TRUE (dotted (5));
    EXPECT_TRUE (dotted (7));

    mouse.click (e.editor->resetDotsButton, e.editor->resetDotsButton.getLocalBounds().getCentre());
    EXPECT_FALSE (dotted (2));
    EXPECT_FALSE (dotted (7));
    EXPECT_TRUE (dotted (5)) << "the clear button";
    EXPECT_TRUE (stored (5));
}

TEST_F (DotGestures, TheClearButtonIsOneUndoStep)
{
    mouse.gesture (row, { onDot (0), onDot (9) });
    mouse.click (row, onDot (30));

    mouse.click (e.editor->resetDotsButton, e.editor->resetDotsButton.getLocalBounds().getCentre());

    for (int i = 0; i < 64; ++i)
    {
        ASSERT_FALSE (dotted (i));
        ASSERT_FALSE (stored (i));
    }

    ASSERT_TRUE (e.processor->undoManager.undo());

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_EQ (stored (i), i <= 9 || i == 30) << "dot " << i;
        EXPECT_EQ (dotted (i), i <= 9 || i == 30) << "the screen follows the undo, dot " << i;
    }
}

TEST (DotsOnOpening, TheLastMarkedDotDecidesTheFirstGesture)
{
    // Every dot starts marked as pressed, and the last marked dot of the row
    // decides what a gesture paints; after any gesture only the dot pressed decides.
    OpenEditor e;
    e.close();
    e.processor->parameters.state.setProperty ("dots63", true, nullptr);
    e.open();

    Mouse mouse { *e.editor };
    auto& row = e.editor->dotsComponent;
    const auto dot3 = row.dots[3]->getBounds().getCentre();

    mouse.click (row, dot3);
    EXPECT_FALSE (row.dots[3]->dotted) << "dot 63 is dotted, so the first gesture clears";

    mouse.click (row, dot3);
    EXPECT_TRUE (row.dots[3]->dotted);
    EXPECT_TRUE (row.dots[63]->dotted);
}
