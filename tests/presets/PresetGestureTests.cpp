// The presets panel and the fast-presets bar through the real mouse and
// keyboard path: events go to the window's peer (and to the popup menu's own
// window), and JUCE dispatches them to the components as it would for a user.

#include "PresetTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct PresetGestures : ::testing::Test, PresetsEditor
    {
        Mouse mouse { editor() };

        void SetUp() override
        {
            editor().openPresetsPanel();
            ASSERT_TRUE (pumpUntil ([this] { return ! panel().slide.animating && panel().slide.position == 1.0f; }));
            ASSERT_TRUE (editor().getLocalBounds().contains (panel().getBounds().getCentre()));
            ASSERT_TRUE (panel().nameField.hasKeyboardFocus (false));
        }

        void key (const juce::KeyPress& k) { editor().getPeer()->handleKeyPress (k); }

        void type (const juce::String& text)
        {
            for (auto p = text.getCharPointer(); ! p.isEmpty();)
            {
                const auto c = p.getAndAdvance();
                key (juce::KeyPress ((int) c, {}, c));
            }
        }

        juce::Point<int> centreOf (const juce::Component& c) const { return c.getLocalBounds().getCentre(); }

        /** A point on the name of row `row`, in list-box coordinates. */
        juce::Point<int> onRowName (int row)
        {
            const auto r = rows().listBox.getRowPosition (row, true);
            return { r.getX() + r.getWidth() / 2, r.getCentreY() };
        }

        void doubleClickRow (int row)
        {
            mouse.click (rows().listBox, onRowName (row));
            mouse.click (rows().listBox, onRowName (row));
        }

        /** Saves the window state under `name` by typing it and pressing Return. */
        void typeAndReturn (const juce::String& name)
        {
            if (! panel().slide.isShown() || panel().slide.target < 1.0f)
            {
                editor().openPresetsPanel();
                ASSERT_TRUE (pumpUntil ([this] { return ! panel().slide.animating; }));
            }

            const int before = rows().getNumRows();
            type (name);
            key (juce::KeyPress (juce::KeyPress::returnKey));
            ASSERT_TRUE (pumpUntil ([&] { return rows().getNumRows() == before + 1; }));
        }

        /** Picks `text` in row `row`'s slot box from its popup menu, with the mouse. */
        void chooseSlot (int row, const juce::String& text)
        {
            auto* item = rowItem (row);
            ASSERT_NE (item, nullptr);
            mouse.click (item->slotBox, centreOf (item->slotBox));

            juce::Component* menuItem = nullptr;
            ASSERT_TRUE (pumpUntil ([&] { return (menuItem = findMenuItem (text)) != nullptr && menuItem->isShowing(); }))
                << "no menu item " << text;

            // The menu ignores a release in its first moments (the release of
            // the click that opened it), so the click is repeated until it takes.
            Mouse menuMouse { *menuItem->getTopLevelComponent() };
            const auto wanted = text;
            ASSERT_TRUE (pumpUntil ([&]
            {
                if (item->slotBox.getText() == wanted || (menuItem = findMenuItem (wanted)) == nullptr)
                    return item->slotBox.getText() == wanted;

                menuMouse.up (*menuItem, centreOf (*menuItem));
                menuMouse.click (*menuItem, centreOf (*menuItem));
                return pumpUntil ([&] { return item->slotBox.getText() == wanted; }, 100);
            }, 5000)) << "the menu did not choose " << text;
        }

        void TearDown() override { juce::PopupMenu::dismissAllActiveMenus(); }

        static juce::Component* findMenuItem (const juce::String& text)
        {
            auto& desktop = juce::Desktop::getInstance();

            for (int i = 0; i < desktop.getNumComponents(); ++i)
                if (auto* found = findByTitle (*desktop.getComponent (i), text))
                    return found;

            return nullptr;
        }

        static juce::Component* findByTitle (juce::Component& c, const juce::String& text)
        {
            for (auto* child : c.getChildren())
            {
                if (auto* h = child->getAccessibilityHandler())
                    if (h->getRole() == juce::AccessibilityRole::menuItem && h->getTitle() == text)
                        return child;

                if (auto* found = findByTitle (*child, text))
                    return found;
            }

            return nullptr;
        }
    };
}

TEST_F (PresetGestures, TypingANameAndPressingReturnSavesItAndClosesThePanel)
{
    const auto name = juce::String (juce::CharPointer_UTF8 ("Br\xc3\xbc""cke <3> & \"Gr\xc3\xbc\xc3\x9f""e\""));
    drawFaders (0.3f);
    type (name);
    EXPECT_EQ (panel().nameField.getText(), name);
    key (juce::KeyPress (juce::KeyPress::returnKey));

    ASSERT_TRUE (pumpUntil ([this] { return rows().getNumRows() == 1 && ! panel().slide.animating; }));
    EXPECT_EQ (panel().slide.position, 0.0f) << "the panel slid out";
    EXPECT_EQ (shownNames(), juce::StringArray ({ name }));
    EXPECT_EQ (QBPresetStore::find (root(), name)["fader1"], juce::var (0.301f));

    // Keys pressed after the panel has gone do not land in its hidden field.
    EXPECT_FALSE (panel().nameField.hasKeyboardFocus (false));
    type ("zz");
    EXPECT_EQ (panel().nameField.getText(), name);

    // Opening the panel again starts from an empty field; Return on it saves nothing.
    editor().openPresetsPanel();
    EXPECT_TRUE (panel().nameField.isEmpty());
    key (juce::KeyPress (juce::KeyPress::returnKey));
    pumpFor (0);
    EXPECT_EQ (rows().getNumRows(), 1);
    EXPECT_EQ (panel().slide.target, 1.0f) << "an empty name leaves the panel open";
}

TEST_F (PresetGestures, DoubleClickingARowLoadsItsPreset)
{
    drawFaders (0.2f);
    typeAndReturn ("Low");
    drawFaders (0.7f);
    typeAndReturn ("High");
    editor().openPresetsPanel();
    ASSERT_TRUE (pumpUntil ([this] { return ! panel().slide.animating; }));
    ASSERT_TRUE (pumpUntil ([this] { return rowItem (1) != nullptr; }));

    drawFaders (0.0f);
    bar().loadButtons[3]->setToggleState (true, juce::dontSendNotification);
    doubleClickRow (0);
    ASSERT_TRUE (pumpUntil ([this] { return std::abs (fader (5) - 0.205f) < 1.0e-6f; }));
    EXPECT_NEAR ((float) (double) rootValue (processor(), "fader5"), 0.205f, 1.0e-6f);
    for (auto& b : bar().loadButtons)
        EXPECT_FALSE (b->getToggleState()) << "a row without a slot lights no slot";

    doubleClickRow (1);
    ASSERT_TRUE (pumpUntil ([this] { return std::abs (fader (5) - 0.705f) < 1.0e-6f; }));

    // A click selects a row; Return loads it.
    mouse.click (rows().listBox, onRowName (0));
    key (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (pumpUntil ([this] { return std::abs (fader (5) - 0.205f) < 1.0e-6f; }));
}

TEST_F (PresetGestures, ASlotBoxAssignsAndTheRemoveButtonFreesTheSlot)
{
    for (const auto* name : { "One", "Two", "Three" })
        typeAndReturn (name);

    editor().openPresetsPanel();
    ASSERT_TRUE (pumpUntil ([this] { return ! panel().slide.animating && rowItem (2) != nullptr; }));

    chooseSlot (2, "3");
    ASSERT_TRUE (pumpUntil ([this] { return bar().isSlotAssigned (2); }));
    EXPECT_EQ (editor().fastPresetNames[2], "Three");

    // Slot 3 moves to row 0: row 2's box shows "-" and the bar keeps one "3".
    chooseSlot (0, "3");
    ASSERT_TRUE (pumpUntil ([this] { return rows().slots[0] == 2; }));
    EXPECT_EQ (rows().slots[2], -1);
    EXPECT_EQ (editor().fastPresetNames[2], "One");
    ASSERT_TRUE (pumpUntil ([this] { return rowItem (2)->slotBox.getText() == "-"; }));
    EXPECT_EQ (rowItem (0)->slotBox.getText(), "3");

    // Removing row 0 frees slot 3 and deletes only that preset.
    mouse.click (rowItem (0)->removeButton, centreOf (rowItem (0)->removeButton));
    ASSERT_TRUE (pumpUntil ([this] { return rows().getNumRows() == 2; }));
    EXPECT_EQ (shownNames(), juce::StringArray ({ "Two", "Three" }));
    EXPECT_FALSE (root().getChildWithName ("One").isValid());
    EXPECT_TRUE (bar().addButtons[2]->isVisible());
    EXPECT_FALSE ((bool) rootValue (processor(), "fastPresetState2"));
    EXPECT_EQ ((int) rootValue (processor(), "ComboBoxFastArraySize"), 2);

    // The rows that moved up still act on themselves.
    chooseSlot (1, "5");
    ASSERT_TRUE (pumpUntil ([this] { return rows().slots[1] == 4; }));
    EXPECT_EQ (editor().fastPresetNames[4], "Three");
}

TEST_F (PresetGestures, TheBarsButtonsStoreAndLoadWithTheMouse)
{
    // The open panel dims the window behind it; a click on the dimming closes it
    // and leaves the bar free.
    mouse.click (editor().semiTransparentPanel, centreOf (editor().semiTransparentPanel));
    ASSERT_TRUE (pumpUntil ([this] { return ! panel().slide.animating && ! editor().semiTransparentPanel.isVisible(); }));

    drawFaders (0.15f);
    mouse.click (*bar().addButtons[4], centreOf (*bar().addButtons[4]));
    ASSERT_TRUE (pumpUntil ([this] { return rows().getNumRows() == 1; }));
    EXPECT_TRUE (bar().loadButtons[4]->isVisible());
    EXPECT_TRUE (bar().loadButtons[4]->getToggleState());
    EXPECT_EQ (bar().loadButtons[4]->getButtonText(), "5");

    drawFaders (0.55f);
    mouse.click (*bar().addButtons[9], centreOf (*bar().addButtons[9]));
    ASSERT_TRUE (pumpUntil ([this] { return rows().getNumRows() == 2; }));
    EXPECT_FALSE (bar().loadButtons[4]->getToggleState());

    mouse.click (*bar().loadButtons[4], centreOf (*bar().loadButtons[4]));
    ASSERT_TRUE (pumpUntil ([this] { return std::abs (fader (0) - 0.15f) < 1.0e-6f; }));
    EXPECT_TRUE (bar().loadButtons[4]->getToggleState());
    EXPECT_FALSE (bar().loadButtons[9]->getToggleState());
    EXPECT_TRUE ((bool) rootValue (processor(), "fastPresetIsSelected4"));
}
