#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    juce::Point<int> centre (const juce::Component& c) { return c.getLocalBounds().getCentre(); }

    bool atRest (const QBSlideState& s, float position) { return ! s.animating && s.position == position; }

    struct Panels : ::testing::Test
    {
        void click (const juce::Component& c) { mouse.click (c, centre (c)); }

        void openTempoPanel()
        {
            click (editor.headerPanel.tempoLabel);
            ASSERT_TRUE (pumpUntil ([this] { return atRest (editor.tempoSlide, 1.0f); }));
        }

        void openInfoPanel()
        {
            click (editor.headerPanel.logoButton);
            ASSERT_TRUE (pumpUntil ([this] { return atRest (editor.infoSlide, 1.0f); }));
        }

        /** Types `text` into the focused component through the window, then Return. */
        void type (const juce::String& text)
        {
            auto* peer = editor.getPeer();

            for (auto c : text)
                peer->handleKeyPress (juce::KeyPress ((int) c, {}, c));

            peer->handleKeyPress (juce::KeyPress (juce::KeyPress::returnKey));
        }

        bool allClosed() const
        {
            return atRest (editor.infoSlide, 0.0f) && atRest (editor.tempoSlide, 0.0f)
                && editor.infoPanel.getBottom() <= 0 && editor.tempoPanel.getBottom() <= 0
                && ! editor.semiTransparentPanel.isVisible();
        }

        OpenEditor e;
        Mouse mouse { *e.editor };
        VornicAudioProcessorEditor& editor = *e.editor;
        QBTempoPanel& tempoPanel = e.editor->tempoPanel;
    };
}

TEST_F (Panels, TheTempoPanelDropsInBelowTheHeaderWithTheTempoSelected)
{
    EXPECT_TRUE (allClosed());

    openTempoPanel();

    auto& field = tempoPanel.tempoField;
    EXPECT_TRUE (editor.semiTransparentPanel.isVisible());
    EXPECT_GT (tempoPanel.getY(), editor.headerPanel.getBottom());
    EXPECT_EQ (field.getText(), "120");
    EXPECT_EQ (field.getHighlightedRegion(), juce::Range<int> (0, 3));
    EXPECT_TRUE (field.hasKeyboardFocus (false));
}

TEST_F (Panels, ATypedTempoIsClampedAndRoundedAndTextWithoutANumberIgnored)
{
    struct Case { const char* text; float tempo; };

    // Each case starts from the tempo the one before it left.
    for (const auto& c : { Case { "150", 150.0f }, Case { "abc", 150.0f }, Case { "1000", 600.0f },
                           Case { "99.6", 100.0f }, Case { "x75", 100.0f }, Case { "", 100.0f },
                           Case { "-40", 10.0f }, Case { " 75 bpm", 75.0f } })
    {
        openTempoPanel();
        type (c.text);

        // The panel slides out once the text is read; by then the tempo has reached the clock.
        ASSERT_TRUE (pumpUntil ([this] { return allClosed(); })) << c.text;
        ASSERT_TRUE (pumpUntil ([&] { return e.processor->standaloneClock.getTempo() == c.tempo; }))
            << "\"" << c.text << "\" gave " << e.processor->standaloneClock.getTempo();
        EXPECT_EQ (editor.headerPanel.tempoSlider.getValue(), (double) c.tempo) << c.text;
        EXPECT_EQ (editor.headerPanel.tempoLabel.getButtonText(), juce::String ((int) c.tempo)) << c.text;
    }
}

TEST_F (Panels, EscapeOrAPressOnTheTempoBoxOutsideItsControlsClosesIt)
{
    openTempoPanel();
    mouse.click (tempoPanel, { 2, 2 });
    EXPECT_TRUE (pumpUntil ([this] { return allClosed(); }));
    EXPECT_FALSE (tempoPanel.tempoField.hasKeyboardFocus (false)) << "the hidden field takes no more keys";

    openTempoPanel();
    editor.getPeer()->handleKeyPress (juce::KeyPress ('7', {}, '7'));
    editor.getPeer()->handleKeyPress (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_TRUE (pumpUntil ([this] { return allClosed(); }));
    EXPECT_EQ (e.processor->standaloneClock.getTempo(), 120.0f);
}

TEST_F (Panels, TheOverlayClosesWhicheverPanelIsOpen)
{
    auto& overlay = editor.semiTransparentPanel;
    const juce::Point<int> belowThePanels { 4, overlay.getHeight() - 4 };

    openInfoPanel();
    mouse.click (overlay, belowThePanels);
    EXPECT_TRUE (pumpUntil ([this] { return allClosed(); }));

    openTempoPanel();
    mouse.click (overlay, belowThePanels);
    EXPECT_TRUE (pumpUntil ([this] { return allClosed(); }));
}

TEST_F (Panels, OpeningTheInfoPanelSwapsItForTheTempoPanel)
{
    openTempoPanel();
    click (editor.headerPanel.logoButton);

    EXPECT_TRUE (editor.tempoSlide.animating && editor.tempoSlide.target == 0.0f);
    EXPECT_TRUE (editor.infoSlide.animating && editor.infoSlide.target == 1.0f);
    EXPECT_TRUE (editor.semiTransparentPanel.isVisible());

    ASSERT_TRUE (pumpUntil ([this] { return atRest (editor.infoSlide, 1.0f) && atRest (editor.tempoSlide, 0.0f); }));
    EXPECT_TRUE (editor.semiTransparentPanel.isVisible());
    EXPECT_LE (tempoPanel.getBottom(), 0);
    EXPECT_GT (editor.infoPanel.getY(), editor.headerPanel.getBottom());
}

TEST_F (Panels, TheInfoPanelClosesOnAClickAndLinksToTheProjectSite)
{
    auto& info = editor.infoPanel;
    openInfoPanel();

    // The bottom strip over the copyright and address lines is the link; the rest closes.
    const auto strip = info.webLink.getBounds();
    EXPECT_EQ (info.getComponentAt (strip.getCentre()), &info.webLink);
    EXPECT_EQ (info.webLink.getURL().toString (false), "https://tessaline.audio");
    EXPECT_GE (strip.getBottom(), info.getHeight() - info.getWidth() / 50);

    mouse.click (info, { info.getWidth() / 2, strip.getY() - 4 });
    EXPECT_TRUE (pumpUntil ([this] { return allClosed(); }));
}
