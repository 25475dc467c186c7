#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct FaderGestures : ::testing::Test
    {
        OpenEditor e;
        Mouse mouse { *e.editor };
        QBSequencerFadersTable& table = e.editor->fadersTable;

        float value (int i) const { return table.faders[(size_t) i]->value; }
        float stored (int i) { return (float) (double) treeValue (*e.processor, "fader" + juce::String (i)); }
    };

    constexpr float onePixel = 1.0f / 200.0f;
}

TEST_F (FaderGestures, PressSetsTheFaderUnderThePointerAndTheTreeOnRelease)
{
    mouse.down (table, onFader (table, 3, 0.75f));
    EXPECT_NEAR (value (3), 0.75f, onePixel);
    EXPECT_FLOAT_EQ (stored (3), 0.0f) << "the tree waits for the end of the gesture";

    mouse.up (table, onFader (table, 3, 0.75f));
    EXPECT_NEAR (stored (3), 0.75f, onePixel);
    EXPECT_NEAR (e.processor->faderMirror (3), 0.75f, onePixel) << "the audio side follows the tree";
}

TEST_F (FaderGestures, TopAndBottomEdgesAndDragsBeyondThemClamp)
{
    const struct { juce::Point<int> press, dragTo; float pressed, dragged; } cases[] = {
        { { 0, 0 }, { 0, -80 }, 1.0f, 1.0f },                       // top edge, then above the table
        { { 0, 292 }, { 0, 292 + 80 }, 1.0f / 293.0f, 0.0f },       // bottom edge, then below it
        { { 0, 100 }, { 0, -1 }, 1.0f - 100.0f / 293.0f, 1.0f },
        { { 0, 100 }, { 0, 294 }, 1.0f - 100.0f / 293.0f, 0.0f },
    };

    for (const auto& c : cases)
    {
        const int x = table.faders[5]->getBounds().getCentreX();
        mouse.down (table, c.press.withX (x));
        EXPECT_NEAR (value (5), c.pressed, 1.0e-5f) << c.press.toString();
        mouse.drag (table, c.dragTo.withX (x));
        EXPECT_NEAR (value (5), c.dragged, 1.0e-5f) << c.dragTo.toString();
        mouse.up (table, c.dragTo.withX (x));
        EXPECT_NEAR (stored (5), c.dragged, 1.0e-5f);
    }
}

TEST_F (FaderGestures, DrawingACurveAcrossTheRowIsOneUndoStep)
{
    // A rising line from fader 0 to fader 20, drawn in one drag.
    mouse.down (table, onFader (table, 0, 0.0f));

    for (int i = 1; i <= 20; ++i)
        mouse.drag (table, onFader (table, i, (float) i / 20.0f));

    mouse.up (table, onFader (table, 20, 1.0f));

    for (int i = 0; i <= 20; ++i)
    {
        EXPECT_NEAR (value (i), (float) i / 20.0f, onePixel) << "fader " << i;
        EXPECT_NEAR (stored (i), (float) i / 20.0f, onePixel) << "fader " << i;
    }

    EXPECT_FLOAT_EQ (value (21), 0.0f) << "faders the drag never reached keep their value";

    ASSERT_TRUE (e.processor->undoManager.undo());
    EXPECT_FALSE (e.processor->undoManager.canUndo()) << "the whole curve was one transaction";
}

TEST_F (FaderGestures, LeavingTheTableSidewaysChangesNothingOutside)
{
    // The default sequence has 32 steps: 30 and 31 are the last two.
    mouse.down (table, onFader (table, 30, 0.5f));
    mouse.drag (table, onFader (table, 31, 0.5f));
    const int y = onFader (table, 0, 0.9f).y;

    // Past the right edge, then round to the left of the table, at another height.
    mouse.drag (table, { table.getWidth() + 1, y });
    mouse.drag (table, { table.getWidth() + 40, y });
    mouse.drag (table, { -1, y });
    mouse.drag (table, { -40, y });
    mouse.up (table, { -40, y });

    EXPECT_NEAR (value (30), 0.5f, onePixel);
    EXPECT_NEAR (value (31), 0.5f, onePixel) << "the last fader keeps the value it had inside";
    EXPECT_FLOAT_EQ (value (0), 0.0f) << "the first fader is not touched from outside";
}

TEST_F (FaderGestures, TheSharedEdgeOfTwoFadersSetsBothAtSixteenSteps)
{
    e.editor->sequenceSizeSlider.slider->setValue (16, juce::sendNotificationSync);

    // 870 / 16 = 54.375: fader 0 spans 0 … 54, fader 1 54 … 109.
    ASSERT_EQ (table.faders[0]->getRight(), 54);
    ASSERT_EQ (table.faders[1]->getX(), 54);

    mouse.gesture (table, { { 54, 73 } });
    const float expected = 1.0f - 73.0f / 293.0f;
    EXPECT_NEAR (value (0), expected, 1.0e-5f);
    EXPECT_NEAR (value (1), expected, 1.0e-5f);
    EXPECT_FLOAT_EQ (value (2), 0.0f);

    // The last visible fader's right edge is the table's: the hidden fader 16
    // beyond it never picks up a drag.
    mouse.gesture (table, { onFader (table, 15, 0.5f), { table.getWidth(), 0 } });
    EXPECT_FLOAT_EQ (value (15), 1.0f);
    EXPECT_FLOAT_EQ (value (16), 0.0f);
}

TEST_F (FaderGestures, LockModePaintsLocksOnAndOffAndLocksKeepTheirValues)
{
    for (int i = 0; i < 10; ++i)
        mouse.gesture (table, { onFader (table, i, 0.4f) });

    table.setLockMode (true);

    // Starting on an unlocked fader locks everything the drag crosses.
    mouse.gesture (table, { onFader (table, 2, 0.9f), onFader (table, 4, 0.1f), onFader (table, 6, 0.8f) });

    for (int i = 0; i < 10; ++i)
    {
        EXPECT_EQ (table.faders[(size_t) i]->locked, i >= 2 && i <= 6) << "fader " << i;
        EXPECT_NEAR (value (i), 0.4f, onePixel) << "lock mode never draws values";
        EXPECT_EQ ((bool) treeValue (*e.processor, "lock" + juce::String (i)), i >= 2 && i <= 6);
        EXPECT_EQ (e.editor->dotsComponent.dots[(size_t) i]->stepLocked, i >= 2 && i <= 6);
    }

    // Starting on a locked fader unlocks what the drag crosses.
    mouse.gesture (table, { onFader (table, 5, 0.5f), onFader (table, 6, 0.5f), onFader (table, 7, 0.5f) });

    for (int i = 0; i < 10; ++i)
        EXPECT_EQ (table.faders[(size_t) i]->locked, i >= 2 && i <= 4) << "fader " << i;

    // Outside lock mode a drawing drag passes over the locked faders.
    table.setLockMode (false);
    mouse.gesture (table, { onFader (table, 1, 1.0f), onFader (table, 3, 1.0f), onFader (table, 5, 1.0f) });

    EXPECT_NEAR (value (1), 1.0f, onePixel);
    EXPECT_NEAR (value (3), 0.4f, onePixel) << "a locked fader keeps its value";
    EXPECT_NEAR (stored (3), 0.4f, onePixel);
    EXPECT_NEAR (value (5), 1.0f, onePixel);

    // Pressing on the locked fader itself does not move it either.
    mouse.gesture (table, { onFader (table, 2, 0.0f) });
    EXPECT_NEAR (value (2), 0.4f, onePixel);
}
