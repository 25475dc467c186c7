// The main window in this process, on the real message loop: its content,
// the input-muted bar and what the window writes to its settings.

#include <map>

#include "PluginEditor.h"
#include "QBStandaloneFilterWindow.h"
#include "StandaloneTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct WindowFixture : testing::Test
    {
        WindowFixture() { ignoreXErrors(); }

        std::unique_ptr<QBStandaloneFilterWindow> openWindow()
        {
            auto window = std::make_unique<QBStandaloneFilterWindow> ("Tessaline", juce::Colours::black, settings.get());
            window->setVisible (true);
            pumpUntil ([&] { return window->isShowing(); });
            deliverPostedMessages();
            return window;
        }

        void reopenSettings() { settings = readSettings (settingsFile); }

        static auto& contentOf (QBStandaloneFilterWindow& window)
        {
            return *dynamic_cast<QBStandaloneFilterWindow::MainContentComponent*> (window.getContentComponent());
        }

        static juce::Component* notificationBarOf (QBStandaloneFilterWindow& window)
        {
            for (auto* child : contentOf (window).getChildren())
                if (dynamic_cast<QBStandaloneFilterWindow::MainContentComponent::NotificationArea*> (child) != nullptr)
                    return child;

            return nullptr;
        }

        static juce::Button* unmuteButtonOf (QBStandaloneFilterWindow& window)
        {
            for (auto* child : notificationBarOf (window)->getChildren())
                if (auto* button = dynamic_cast<juce::TextButton*> (child); button != nullptr
                                                                          && button->getButtonText() == "UNMUTE INPUT")
                    return button;

            return nullptr;
        }

        TempFolder folder;
        juce::File settingsFile { folder.folder.getChildFile ("Tessaline.settings") };
        std::unique_ptr<juce::PropertiesFile> settings = readSettings (settingsFile);
    };
}

TEST_F (WindowFixture, MutedInputShowsTheBarAndUnmutingHidesItAndShrinksTheWindow)
{
    auto window = openWindow();
    auto& content = contentOf (*window);
    auto* editor = content.getEditor();
    auto* bar = notificationBarOf (*window);
    ASSERT_NE (editor, nullptr);
    ASSERT_NE (bar, nullptr);

    // First start: input muted, the bar above the editor, the window 30 px taller.
    EXPECT_TRUE ((bool) window->getPluginHolder()->shouldMuteInput.getValue());
    EXPECT_TRUE (bar->isVisible());
    EXPECT_EQ (bar->getBounds(), juce::Rectangle<int> (0, 0, editor->getWidth(), 30));
    EXPECT_EQ (editor->getY(), 30);
    EXPECT_EQ (window->getHeight(), editor->getHeight() + 30);
    EXPECT_EQ (window->getWidth(), editor->getWidth());

    auto* unmute = unmuteButtonOf (*window);
    ASSERT_NE (unmute, nullptr);
    EXPECT_TRUE (unmute->isShowing());

    const int heightBefore = window->getHeight();
    unmute->triggerClick();
    ASSERT_TRUE (pumpUntil ([&] { return ! bar->isVisible(); }));

    EXPECT_FALSE ((bool) window->getPluginHolder()->shouldMuteInput.getValue());
    EXPECT_EQ (window->getHeight(), heightBefore - 30);
    EXPECT_EQ (window->getHeight(), editor->getHeight());
    EXPECT_EQ (editor->getY(), 0);

    // The choice outlives the window.
    window = nullptr;
    EXPECT_FALSE (settings->getBoolValue ("shouldMuteInput", true));
}

TEST_F (WindowFixture, LiveInputFromTheSettingsShowsNoBar)
{
    settings->setValue ("shouldMuteInput", false);
    auto window = openWindow();

    EXPECT_FALSE (notificationBarOf (*window)->isVisible());
    EXPECT_EQ (window->getHeight(), contentOf (*window).getEditor()->getHeight());
}

TEST_F (WindowFixture, MutingAgainBringsTheBarBack)
{
    settings->setValue ("shouldMuteInput", false);
    auto window = openWindow();
    const int height = window->getHeight();

    window->getPluginHolder()->shouldMuteInput.setValue (true);
    ASSERT_TRUE (pumpUntil ([&] { return notificationBarOf (*window)->isVisible(); }));
    EXPECT_EQ (window->getHeight(), height + 30);
}

TEST_F (WindowFixture, WindowFollowsTheEditorsSize)
{
    auto window = openWindow();
    auto* editor = contentOf (*window).getEditor();

    editor->setSize (editor->getWidth() + 40, editor->getHeight() + 20);
    ASSERT_TRUE (pumpUntil ([&] { return window->getWidth() == editor->getWidth(); }));

    EXPECT_EQ (window->getWidth(), editor->getWidth());
    EXPECT_EQ (window->getHeight(), editor->getHeight() + 30);
    EXPECT_EQ (notificationBarOf (*window)->getWidth(), editor->getWidth());
}

TEST_F (WindowFixture, SavedPositionIsRestoredAndRewrittenWhenTheWindowGoes)
{
    settings->setValue ("windowX", 120);
    settings->setValue ("windowY", 90);
    auto window = openWindow();
    EXPECT_EQ (window->getPosition(), juce::Point<int> (120, 90));

    window->setTopLeftPosition (210, 160);
    window = nullptr;

    EXPECT_EQ (settings->getIntValue ("windowX"), 210);
    EXPECT_EQ (settings->getIntValue ("windowY"), 160);
}

TEST_F (WindowFixture, PositionOffTheScreenIsBroughtBackOntoIt)
{
    settings->setValue ("windowX", 100000);
    settings->setValue ("windowY", 100000);
    auto window = openWindow();

    const auto screen = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    EXPECT_TRUE (screen.contains (window->getBounds())) << window->getBounds().toString().toStdString();
}

// Where a saved window goes on the screens there are now.
TEST (WindowPlacement, SavedBoundsGoOntoTheRightScreenWholeAndScaledToFit)
{
    using R = juce::Rectangle<int>;
    const juce::Array<R> twoScreens { R (0, 0, 1920, 1080), R (1920, 0, 1280, 1024) };

    struct Case { const char* what; R wanted; juce::Array<R> screens; R expected; float scale; };
    const Case cases[] = {
        { "on the first screen",               R (100, 80, 1024, 798),   twoScreens, R (100, 80, 1024, 798), 1.0f },
        { "mostly on the second screen",       R (1800, 50, 1024, 798),  twoScreens, R (1920, 50, 1024, 798), 1.0f },
        { "right of every screen",             R (9000, 100, 1024, 798), twoScreens, R (2176, 100, 1024, 798), 1.0f },
        // Nothing overlaps: the nearest screen, not the last one.
        { "left of every screen",              R (-5000, 100, 1024, 798), twoScreens, R (0, 100, 1024, 798), 1.0f },
        { "below the first screen only",       R (300, 3000, 1024, 798), twoScreens, R (300, 282, 1024, 798), 1.0f },
        // Taller than the screen: scaled, the 30-pixel bar kept as it is.
        { "taller than a small screen",        R (0, 0, 1024, 798), { R (0, 0, 1280, 600) }, R (0, 0, 760, 600), 570.0f / 768.0f },
        { "wider than a small screen",         R (0, 0, 1024, 798), { R (0, 0, 800, 1000) }, R (0, 0, 800, 630), 800.0f / 1024.0f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const auto placed = QBStandaloneFilterWindow::placeOnScreens (c.wanted, 30, c.screens);
        EXPECT_EQ (placed.bounds, c.expected) << placed.bounds.toString().toStdString();
        EXPECT_NEAR (placed.scale, c.scale, 1.0e-4f);
    }
}

// A crash or a kill loses at most the last two seconds: the state and the
// settings file are saved shortly after any change, without closing.
TEST_F (WindowFixture, AnEditReachesTheSettingsFileWithoutClosing)
{
    auto window = openWindow();
    auto& processor = dynamic_cast<VornicAudioProcessor&> (*window->getPluginHolder()->processor);

    processor.undoManager.beginNewTransaction();
    processor.parameters.state.setProperty ("fader9", 0.625, &processor.undoManager);

    const auto savedFader = [&]
    {
        auto onDisk = readSettings (settingsFile);
        auto restored = processorFromFilterState (onDisk->getValue ("filterState"));
        return restored != nullptr ? (double) restored->parameters.state["fader9"] : -1.0;
    };

    ASSERT_TRUE (pumpUntil ([&] { return savedFader() == 0.625; }, 15000)) << savedFader();

    // The window's position too, once moved.
    window->setTopLeftPosition (230, 170);
    ASSERT_TRUE (pumpUntil ([&] { return readSettings (settingsFile)->getIntValue ("windowX") == 230; }, 15000));
    EXPECT_EQ (readSettings (settingsFile)->getIntValue ("windowY"), 170);
}

TEST_F (WindowFixture, ClosingStoresTheProcessorStateBeforeQuitting)
{
    auto window = openWindow();
    auto& processor = dynamic_cast<VornicAudioProcessor&> (*window->getPluginHolder()->processor);
    setParam (processor, "filterRange", 0.8f);

    // The parameter tree copies the value into the state tree from its own timer.
    auto stateParam = processor.parameters.state.getChildWithProperty ("id", "filterRange");
    ASSERT_TRUE (pumpUntil ([&] { return std::abs ((float) stateParam["value"] - 0.8f) < 1.0e-6f; }));

    window->getPluginHolder()->savePluginState();

    auto restored = processorFromFilterState (settings->getValue ("filterState"));
    ASSERT_NE (restored, nullptr);
    EXPECT_FLOAT_EQ (paramValue (*restored, "filterRange"), 0.8f);
}

TEST (WindowWithoutSettings, OpensCentred)
{
    ignoreXErrors();
    auto window = std::make_unique<QBStandaloneFilterWindow> ("Tessaline", juce::Colours::black, nullptr);
    window->setVisible (true);
    pumpUntil ([&] { return window->isShowing(); });
    deliverPostedMessages();

    const auto screen = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    EXPECT_NEAR (window->getBounds().getCentreX(), screen.getCentreX(), 1);
    EXPECT_NEAR (window->getBounds().getCentreY(), screen.getCentreY(), 1);
    EXPECT_NE (window->getPluginHolder()->processor, nullptr);
}

TEST_F (WindowFixture, SettingsPanelHoldsTheDeviceSelectorOfTheWindowsDeviceManager)
{
    auto window = openWindow();
    auto* editor = dynamic_cast<VornicAudioProcessorEditor*> (contentOf (*window).getEditor());
    ASSERT_NE (editor, nullptr);
    ASSERT_NE (editor->settingsPanel, nullptr);

    EXPECT_EQ (QBSettingsPanel::findApplicationDeviceManager(), &window->getPluginHolder()->deviceManager);
    EXPECT_NE (editor->settingsPanel->deviceSelector, nullptr);
    EXPECT_EQ (editor->settingsPanel->getParentComponent(), editor);
    EXPECT_EQ (editor->settingsPanelForPlugIn.getParentComponent(), nullptr);

    // Every label of the selector is drawn at one size, the MIDI inputs' (as tall as its list) too.
    auto& panel = *editor->settingsPanel;
    panel.setBounds (0, 0, 360, 700);
    std::map<juce::String, float> sizes;
    std::function<void (juce::Component&)> collect = [&] (juce::Component& c)
    {
        if (auto* label = dynamic_cast<juce::Label*> (&c); label != nullptr && label->getAttachedComponent() != nullptr)
            sizes[label->getText()] = panel.settingsLaf.getLabelFont (*label).getHeight();
        for (auto* child : c.getChildren())
            collect (*child);
    };
    collect (*panel.deviceSelector);

    ASSERT_EQ (sizes.count ("Active MIDI inputs:"), 1u);
    ASSERT_GE (sizes.size(), 2u);
    for (const auto& [text, size] : sizes)
        EXPECT_EQ (size, sizes.begin()->second) << text;
}
