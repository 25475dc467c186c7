#include "BareXServer.h"
#include "LookTestHelpers.h"

#include "QBColours.h"
#include "QBComboBoxLAF.h"
#include "QBFastPresetComboLAF.h"
#include "QBFonts.h"
#include "QBListBoxLAF.h"
#include "QBSettingsLAF.h"

using namespace tessaline::test;

namespace
{
    constexpr int W = 200, H = 40;

    /** A combo box with a few entries, drawn by the look-and-feel under test. */
    struct Box
    {
        Box (juce::LookAndFeel& laf, int selectedIndex = 0)
        {
            box.addItemList ({ "1/4", "1/8", "1/16", "1/32" }, 1);
            box.setSelectedItemIndex (selectedIndex, juce::dontSendNotification);
            box.setLookAndFeel (&laf);
            box.setBounds (0, 0, W, H);
        }

        ~Box()
        {
            box.hidePopup();
            box.setLookAndFeel (nullptr);
        }

        juce::Image paintBodyOnly()
        {
            // The box alone, without its text label, so the corners and arrow are what is measured.
            return paintImage (W, H, [this] (juce::Graphics& g)
            {
                box.getLookAndFeel().drawComboBox (g, W, H, false, 0, 0, W, H, box);
            });
        }

        juce::ComboBox box;
    };

    bool haveDisplay()
    {
        return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }

    /** The brightest pixel where the arrow is drawn. */
    float arrowBrightness (const juce::Image& image)
    {
        float brightest = 0.0f;
        for (int y = 14; y < 27; ++y)
            for (int x = 168; x < 192; ++x)
                brightest = juce::jmax (brightest, image.getPixelAt (x, y).getPerceivedBrightness());
        return brightest;
    }

    juce::Colour bottomLeft (const juce::Image& image) { return image.getPixelAt (1, H - 2); }
    juce::Colour topLeft (const juce::Image& image)    { return image.getPixelAt (1, 1); }
}

TEST (ComboBoxLooks, OpeningTheMenuSquaresTheBottomCornersAndGreysTheArrow)
{
    if (! haveDisplay())
        GTEST_SKIP() << "opening a pop-up menu needs a display";

    tolerateBareXServer();

    QBComboBoxLAF plain (false), raised (true);
    QBSettingsLAF settings;
    QBFastPresetComboLAF fast;

    struct Case { const char* name; juce::LookAndFeel& laf; int selected; juce::Colour openCorner; bool arrow; };
    const Case cases[] = {
        { "plain", plain, 0, QBColours::editorBackground, true },
        { "rim-lit", raised, 0, QBColours::editorBackground, true },
        { "settings", settings, 0, QBColours::editorBackground, true },
        { "fast preset, chosen", fast, 2, QBColours::yellowFilterColour, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        Box b (c.laf, c.selected);
        b.box.addToDesktop (0);

        const auto closed = b.paintBodyOnly();
        b.box.showPopup();
        ASSERT_TRUE (b.box.isPopupActive());
        const auto open = b.paintBodyOnly();
        b.box.hidePopup();
        const auto closedAgain = b.paintBodyOnly();

        EXPECT_EQ (bottomLeft (closed).getAlpha(), 0);
        EXPECT_TRUE (near (bottomLeft (open), c.openCorner)) << bottomLeft (open).toDisplayString (true);
        EXPECT_TRUE (sameImage (closed, closedAgain));
        for (const auto& image : { closed, open })
            EXPECT_EQ (topLeft (image).getAlpha(), 0);

        if (c.arrow)
        {
            EXPECT_GT (arrowBrightness (closed), QBColours::sliderInactive.getPerceivedBrightness() + 0.03f);
            EXPECT_LE (arrowBrightness (open), QBColours::sliderInactive.getPerceivedBrightness() + 0.01f);
            EXPECT_GT (arrowBrightness (open), QBColours::headerColor.getPerceivedBrightness() + 0.03f);
        }
        else
        {
            EXPECT_TRUE (sameImage (closed.getClippedImage ({ 160, 10, 30, 20 }).createCopy(),
                                    paintImage (30, 20, [] (juce::Graphics& g) { g.fillAll (QBColours::yellowFilterColour); })));
        }
    }
}

TEST (ComboBoxLooks, BodiesAndTextColour)
{
    QBComboBoxLAF plain (false), raised (true);
    QBSettingsLAF settings;
    QBFastPresetComboLAF fast;

    struct Case { const char* name; juce::LookAndFeel& laf; int selected; juce::Colour body; };
    const Case cases[] = {
        { "plain", plain, 0, QBColours::headerColor },
        { "rim-lit", raised, 0, QBColours::headerColor },
        { "settings", settings, 3, QBColours::headerColor },
        { "fast preset, first entry", fast, 0, QBColours::BGslidersRectangle },
        { "fast preset, other entry", fast, 1, QBColours::yellowFilterColour },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        Box b (c.laf, c.selected);
        const auto image = b.paintBodyOnly();
        EXPECT_TRUE (near (image.getPixelAt (W / 2, H / 2), c.body));
        EXPECT_EQ (countWhere (image, [] (juce::Colour p) { return near (p, QBColours::yellowFilterColour); }) > 0,
                   c.body == QBColours::yellowFilterColour);
    }

    // The three with text on a dark body always show it yellow, whatever the owner set.
    for (juce::LookAndFeel* laf : { (juce::LookAndFeel*) &plain, (juce::LookAndFeel*) &raised, (juce::LookAndFeel*) &settings })
    {
        Box b (*laf);
        b.box.setColour (juce::ComboBox::textColourId, juce::Colours::red);
        b.paintBodyOnly();
        EXPECT_EQ (b.box.findColour (juce::ComboBox::textColourId), QBColours::yellowFilterColour);
    }
}

TEST (ComboBoxLooks, TextPlacementAndFonts)
{
    QBComboBoxLAF plain;
    QBSettingsLAF settings;
    QBFastPresetComboLAF fast;

    struct Case { const char* name; juce::LookAndFeel& laf; int w, h; juce::Rectangle<int> bounds; float fontHeight; bool bold; };
    const Case cases[] = {
        { "plain", plain, 200, 40, { 20, 0, 162, 40 }, 18.0f, false },
        { "plain, odd size", plain, 155, 31, { 15, 0, 126, 31 }, 31 * 0.45f, false },
        { "settings", settings, 200, 40, { 20, 0, 162, 40 }, 8.0f, false },
        { "fast preset", fast, 60, 30, { 0, 0, 60, 30 }, 24.0f, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        juce::ComboBox box;
        box.setLookAndFeel (&c.laf);
        box.setBounds (0, 0, c.w, c.h);
        juce::Label label;
        c.laf.positionComboBoxText (box, label);

        EXPECT_EQ (label.getBounds(), c.bounds);
        EXPECT_FLOAT_EQ (label.getFont().getHeight(), c.fontHeight);
        EXPECT_EQ (label.getFont().getTypefacePtr(),
                   (c.bold ? QBFonts::revereveBold (1.0f) : QBFonts::revereveBook (1.0f)).getTypefacePtr());
        box.setLookAndFeel (nullptr);
    }
}

TEST (ComboBoxLooks, PopupMenuFontSizes)
{
    QBComboBoxLAF plain;
    QBFastPresetComboLAF fast;
    EXPECT_FLOAT_EQ (plain.getPopupMenuFont().getHeight(), 22.0f);
    EXPECT_FLOAT_EQ (fast.getPopupMenuFont().getHeight(), 5.0f);

    // The settings menus follow the combo box laid out last, at half its height, truncated.
    QBSettingsLAF settings;
    struct Case { int boxHeight; float fontHeight; };
    const Case cases[] = { { 40, 20.0f }, { 41, 20.0f }, { 45, 22.0f }, { 24, 12.0f }, { 1, 0.1f } };

    for (const auto& c : cases)
    {
        juce::ComboBox box;
        box.setBounds (0, 0, 300, c.boxHeight);
        juce::Label label;
        settings.positionComboBoxText (box, label);
        EXPECT_FLOAT_EQ (settings.getPopupMenuFont().getHeight(), c.fontHeight) << c.boxHeight;
        EXPECT_EQ (settings.lastComboBounds, juce::Rectangle<int> (0, 0, 300, c.boxHeight));
    }

    juce::Label label ({}, "Output:");
    label.setSize (100, 31);
    EXPECT_FLOAT_EQ (settings.getLabelFont (label).getHeight(), 13.0f); // 31 x 0.42 = 13.02
    label.setSize (100, 37);
    EXPECT_FLOAT_EQ (settings.getLabelFont (label).getHeight(), 16.0f); // 15.54 rounds up
}

TEST (ComboBoxLooks, MenuEntries)
{
    QBComboBoxLAF plain;
    QBFastPresetComboLAF fast;
    const juce::Rectangle<int> area (0, 0, 200, 30);

    struct Case { const char* name; juce::LookAndFeel& laf; bool active, highlighted, ticked; juce::Colour bar, text; juce::Colour background; };
    const Case cases[] = {
        { "choice, highlighted", plain, true, true, true, QBColours::darkText, QBColours::yellowFilterColour, QBColours::editorBackground },
        { "other, highlighted", plain, true, true, false, QBColours::darkText, QBColours::whiteText, QBColours::editorBackground },
        { "choice", plain, true, false, true, QBColours::editorBackground, QBColours::yellowFilterColour, QBColours::editorBackground },
        { "inactive, highlighted", plain, false, true, false, QBColours::editorBackground, QBColours::whiteText, QBColours::editorBackground },
        { "fast, highlighted", fast, true, true, false, QBColours::darkText, QBColours::whiteText, QBColours::BGslidersRectangle },
        { "fast, choice", fast, true, false, true, QBColours::BGslidersRectangle, QBColours::yellowFilterColour, QBColours::BGslidersRectangle },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = paintImage (area.getWidth(), area.getHeight(), [&] (juce::Graphics& g)
        {
            c.laf.drawPopupMenuBackground (g, area.getWidth(), area.getHeight());
            c.laf.drawPopupMenuItem (g, area, false, c.active, c.highlighted, c.ticked, false, "1/16", {}, nullptr, nullptr);
        });

        EXPECT_TRUE (near (image.getPixelAt (0, 0), c.background));     // the 1-pixel gap around the entry
        EXPECT_TRUE (near (image.getPixelAt (2, 2), c.bar));
        const auto ink = boundsWhere (image, [&] (juce::Colour p) { return near (p, c.text, 8); });
        ASSERT_FALSE (ink.isEmpty());

        if (&c.laf == &plain)
        {
            // Left-aligned, 10 % of the entry's width in.
            EXPECT_NEAR (ink.getX(), 1 + 19, 2);
        }
        else
        {
            EXPECT_NEAR (ink.getCentreX(), area.getCentreX(), 2);
        }
    }

    // Section headers are grey and centred.
    const auto header = paintImage (200, 30, [&] (juce::Graphics& g) { plain.drawPopupMenuSectionHeader (g, area, "Straight"); });
    const auto ink = boundsWhere (header, [] (juce::Colour p) { return near (p, QBColours::greyText, 8); });
    ASSERT_FALSE (ink.isEmpty());
    EXPECT_NEAR (ink.getCentreX(), 100, 2);
}

TEST (ComboBoxLooks, IdealMenuItemSizes)
{
    QBComboBoxLAF plain;
    QBFastPresetComboLAF fast;
    const juce::String text ("1/16 T");

    struct Case { const char* name; juce::LookAndFeel& laf; int standard; float fontHeight; int height; };
    const Case cases[] = {
        { "free height", plain, 0, 22.0f, 29 },
        { "tall standard", plain, 40, 22.0f, 40 },
        { "short standard caps the font", plain, 20, 20.0f / 1.3f, 20 },
        { "fast preset", fast, 0, 5.0f, 6 },  // 5 x 1.3 is just below 6.5 in single precision
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        int w = 0, h = 0;
        c.laf.getIdealPopupMenuItemSize (text, false, c.standard, w, h);
        auto font = c.laf.getPopupMenuFont();
        font.setHeight (c.fontHeight);
        EXPECT_EQ (h, c.height);
        EXPECT_EQ (w, (int) std::ceil (font.getStringWidthFloat (text)) + c.height);

        int sw = 0, sh = 0;
        c.laf.getIdealPopupMenuItemSize (text, true, c.standard, sw, sh);
        EXPECT_EQ (sw, w);
        EXPECT_EQ (sh, h);
    }
}

TEST (ComboBoxLooks, MenusOpenInTheParentTheOptionsName)
{
    QBComboBoxLAF plain;
    QBSettingsLAF settings;
    QBFastPresetComboLAF fast;
    juce::Component parent;
    const auto options = juce::PopupMenu::Options().withParentComponent (&parent);

    for (juce::LookAndFeel* laf : { (juce::LookAndFeel*) &plain, (juce::LookAndFeel*) &settings, (juce::LookAndFeel*) &fast })
    {
        EXPECT_EQ (laf->getParentComponentForMenuOptions (options), &parent);
        EXPECT_EQ (laf->getParentComponentForMenuOptions (juce::PopupMenu::Options()), nullptr);
    }
}

TEST (TickBoxLooks, OnlyATickedToggleShowsADot)
{
    QBListBoxLAF list;
    QBSettingsLAF settings;

    struct Case { bool ticked, enabled; juce::Colour dot; };
    const Case cases[] = { { true, true, QBColours::yellowFilterColour }, { true, false, juce::Colours::grey },
                           { false, true, juce::Colours::transparentBlack }, { false, false, juce::Colours::transparentBlack } };

    for (juce::LookAndFeel* laf : { (juce::LookAndFeel*) &list, (juce::LookAndFeel*) &settings })
        for (const auto& c : cases)
        {
            SCOPED_TRACE (juce::String (c.ticked ? "ticked" : "unticked") + (c.enabled ? "" : ", disabled"));
            juce::ToggleButton toggle;
            toggle.setLookAndFeel (laf);
            toggle.setBounds (0, 0, 120, 24);
            toggle.setToggleState (c.ticked, juce::dontSendNotification);
            toggle.setEnabled (c.enabled);

            const auto image = paintComponent (toggle);
            const auto dot = boundsWhere (image, [] (juce::Colour p) { return p.getAlpha() > 0; });

            if (! c.ticked)
            {
                EXPECT_TRUE (dot.isEmpty()) << "no box outline";
            }
            else
            {
                // JUCE's toggle layout gives a tick box 1.1 x the font height (15) at x 4.
                const auto expectedDiameter = 15.0f * 1.1f * 0.8f;
                EXPECT_NEAR (dot.getWidth(), expectedDiameter, 1.5f);
                EXPECT_NEAR (dot.getX(), 4, 1);
                EXPECT_TRUE (near (image.getPixelAt (dot.getCentreX(), dot.getCentreY()), c.dot, 3));
            }

            toggle.setLookAndFeel (nullptr);
        }
}
