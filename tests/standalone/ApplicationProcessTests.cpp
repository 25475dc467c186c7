// The application as the user starts it: a process of its own, its window on
// the X display, closed through the window manager's close request, its
// settings in $XDG_CONFIG_HOME/Tessaline.

#include "StandaloneTestHelpers.h"

using namespace tessaline::test;

namespace
{
    void expectCentredOn (juce::Rectangle<int> screen, juce::Rectangle<int> window)
    {
        EXPECT_NEAR (window.getCentreX(), screen.getCentreX(), 1) << window.toString().toStdString();
        EXPECT_NEAR (window.getCentreY(), screen.getCentreY(), 1) << window.toString().toStdString();
    }

    /** A state a fresh processor does not have: three parameters and a fader moved. */
    juce::String distinctiveFilterState()
    {
        auto processor = makeStandaloneProcessor();
        setParam (*processor, "filterRange", 0.9f);
        setParam (*processor, "resonance", 0.2f);
        setParam (*processor, "typeOfFilter", 0.0f);
        processor->parameters.state.setProperty ("fader3", 0.25, nullptr);
        return filterStateOf (*processor);
    }

    void expectDistinctiveState (const juce::String& filterState)
    {
        auto restored = processorFromFilterState (filterState);
        ASSERT_NE (restored, nullptr) << "\"filterState\" is not a state blob";
        EXPECT_FLOAT_EQ (paramValue (*restored, "filterRange"), 0.9f);
        EXPECT_FLOAT_EQ (paramValue (*restored, "resonance"), 0.2f);
        EXPECT_FLOAT_EQ (paramValue (*restored, "typeOfFilter"), 0.0f);
        EXPECT_DOUBLE_EQ ((double) restored->parameters.state["fader3"], 0.25);
    }

    void expectDefaultState (const juce::String& filterState)
    {
        auto restored = processorFromFilterState (filterState);
        ASSERT_NE (restored, nullptr) << "\"filterState\" is not a state blob";

        for (auto* param : restored->getParameters())
            EXPECT_FLOAT_EQ (param->getValue(), param->getDefaultValue()) << param->getName (64).toStdString();

        const auto fresh = makeStandaloneProcessor();

        for (int i = 0; i < VornicAudioProcessor::maxSteps; ++i)
            EXPECT_EQ (restored->parameters.state.getProperty ("fader" + juce::String (i)),
                       fresh->parameters.state.getProperty ("fader" + juce::String (i)));
    }
}

//==============================================================================
TEST (ApplicationProcess, WindowPositionAndProcessorStateSurviveCloseAndRestart)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);
    const auto savedState = distinctiveFilterState();

    // A state from an earlier session, but no window position yet.
    writeSettings (settingsFile, { { "filterState", savedState } });

    XDisplay x;
    ASSERT_TRUE (x.isOpen());

    const juce::Point<int> movedTo { 140, 90 };

    {
        auto app = startApplication (config.folder);
        const auto window = x.waitForWindowOf (app->pid(), 15000);
        ASSERT_NE (window, 0u) << "no window appeared";

        expectCentredOn (x.screen(), x.boundsOf (window));

        x.move (window, movedTo.x, movedTo.y);
        ASSERT_TRUE (waitFor ([&] { return x.boundsOf (window).getPosition() == movedTo; }, 2000));
        sleepMs (300);   // the application learns of the move from its own event queue

        ASSERT_EQ (closeAndWaitForExit (x, *app), 0) << applicationLog (config.folder);
    }

    {
        auto settings = readSettings (settingsFile);
        EXPECT_EQ (settings->getIntValue ("windowX", -1), movedTo.x);
        EXPECT_EQ (settings->getIntValue ("windowY", -1), movedTo.y);
        expectDistinctiveState (settings->getValue ("filterState"));
    }

    // The second start is a new process: it reads back what the first wrote.
    std::optional<juce::Rectangle<int>> reopened;
    ASSERT_EQ (startAndClose (config.folder, &reopened), 0);
    ASSERT_TRUE (reopened.has_value());
    EXPECT_EQ (reopened->getPosition(), movedTo);

    auto settings = readSettings (settingsFile);
    EXPECT_EQ (settings->getIntValue ("windowX", -1), movedTo.x);
    expectDistinctiveState (settings->getValue ("filterState"));
}

TEST (ApplicationProcess, InterruptSignalQuitsAndKeepsTheProcessorState)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);
    writeSettings (settingsFile, { { "filterState", distinctiveFilterState() } });

    XDisplay x;
    ASSERT_TRUE (x.isOpen());
    auto app = startApplication (config.folder);
    ASSERT_NE (x.waitForWindowOf (app->pid(), 15000), 0u);

    // Ctrl-C in the terminal that started it.
    kill (app->pid(), SIGINT);
    ASSERT_EQ (app->waitForExit (20000), 0) << applicationLog (config.folder);

    auto settings = readSettings (settingsFile);
    expectDistinctiveState (settings->getValue ("filterState"));
    EXPECT_TRUE (settings->containsKey ("windowX"));
}

TEST (ApplicationProcess, UnsetWindowPositionCentresTheWindow)
{
    XDisplay x;
    ASSERT_TRUE (x.isOpen());

    // -100 in either coordinate means "not set", whatever the other holds.
    for (const auto& [windowX, windowY] : { std::pair { -100, 200 }, std::pair { 300, -100 } })
    {
        SCOPED_TRACE (juce::String (windowX) + ", " + juce::String (windowY));
        TempFolder config;
        writeSettings (settingsFileIn (config.folder), { { "windowX", windowX }, { "windowY", windowY } });

        std::optional<juce::Rectangle<int>> bounds;
        ASSERT_EQ (startAndClose (config.folder, &bounds), 0);
        ASSERT_TRUE (bounds.has_value());
        expectCentredOn (x.screen(), *bounds);
    }
}

//==============================================================================
// Settings that cannot be used: the application starts with defaults, and the
// unreadable file is kept beside the new one before anything overwrites it.
struct BadSettingsCase
{
    const char* name;
    std::function<juce::MemoryBlock()> contents;   // what the settings file holds
};

class ApplicationBadSettings : public testing::TestWithParam<BadSettingsCase> {};

TEST_P (ApplicationBadSettings, StartsWithDefaultsAndKeepsTheUnreadableFile)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);
    const auto original = GetParam().contents();
    settingsFile.getParentDirectory().createDirectory();
    ASSERT_TRUE (settingsFile.replaceWithData (original.getData(), original.getSize()));

    std::optional<juce::Rectangle<int>> bounds;
    ASSERT_EQ (startAndClose (config.folder, &bounds), 0) << "the application did not start and close cleanly";
    ASSERT_TRUE (bounds.has_value());
    expectCentredOn (XDisplay().screen(), *bounds);

    const auto copy = settingsFile.getSiblingFile ("Tessaline.settings.bad");
    ASSERT_TRUE (copy.existsAsFile());
    juce::MemoryBlock kept;
    copy.loadFileAsData (kept);
    EXPECT_EQ (kept, original);

    auto settings = readSettings (settingsFile);
    EXPECT_TRUE (settings->isValidFile());
    EXPECT_TRUE (settings->getBoolValue ("shouldMuteInput", false));
    expectDefaultState (settings->getValue ("filterState"));
}

namespace
{
    juce::MemoryBlock textBlock (const juce::String& text)
    {
        return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
    }

    juce::MemoryBlock settingsWithFilterState (const juce::String& filterState)
    {
        TempFolder scratch;
        const auto file = scratch.folder.getChildFile ("Tessaline.settings");
        writeSettings (file, { { "windowX", 100 }, { "windowY", -100 }, { "filterState", filterState } });
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return data;
    }

    juce::MemoryBlock truncatedSettings()
    {
        auto whole = settingsWithFilterState (distinctiveFilterState());
        whole.setSize (whole.getSize() / 2);
        return whole;
    }

    juce::MemoryBlock binaryNoise()
    {
        juce::MemoryBlock noise (4096);
        juce::Random random (7);
        random.fillBitsRandomly (noise.getData(), noise.getSize());
        return noise;
    }

    juce::MemoryBlock notAStateBlob()
    {
        // Valid base-64 of bytes that are not a state blob, and of a blob
        // whose XML is not the processor's tree.
        juce::MemoryBlock foreign;
        juce::AudioProcessor::copyXmlToBinary (juce::XmlElement ("SOMETHINGELSE"), foreign);
        return settingsWithFilterState (foreign.toBase64Encoding());
    }
}

INSTANTIATE_TEST_SUITE_P (Kinds, ApplicationBadSettings, testing::Values (
    BadSettingsCase { "Truncated",          truncatedSettings },
    BadSettingsCase { "NotXml",             [] { return textBlock ("windowX=100\nfilterState=???\n"); } },
    BadSettingsCase { "BinaryNoise",        binaryNoise },
    BadSettingsCase { "FilterStateNotBase64", [] { return settingsWithFilterState ("12.this is not base-64!"); } },
    BadSettingsCase { "FilterStateRandomBytes", [] { return settingsWithFilterState (binaryNoise().toBase64Encoding()); } },
    BadSettingsCase { "FilterStateForeignBlob", notAStateBlob }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ApplicationProcess, MissingSettingsStartWithDefaultsAndAreWrittenOnClose)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);

    std::optional<juce::Rectangle<int>> bounds;
    ASSERT_EQ (startAndClose (config.folder, &bounds), 0);
    ASSERT_TRUE (bounds.has_value());
    expectCentredOn (XDisplay().screen(), *bounds);

    EXPECT_FALSE (settingsFile.getSiblingFile ("Tessaline.settings.bad").exists());

    auto settings = readSettings (settingsFile);
    EXPECT_EQ (settings->getIntValue ("windowX", -1), bounds->getX());
    EXPECT_EQ (settings->getIntValue ("windowY", -1), bounds->getY());
    EXPECT_TRUE (settings->getBoolValue ("shouldMuteInput", false));
    expectDefaultState (settings->getValue ("filterState"));
}

TEST (ApplicationProcess, SettingsFolderFallsBackToDotConfigInHome)
{
    // A relative XDG_CONFIG_HOME is ignored, as the base-directory rules say.
    TempFolder home;
    XDisplay x;
    ASSERT_TRUE (x.isOpen());

    auto app = std::make_unique<ScopedProcess> (std::vector<std::string> { TESSALINE_APP_PATH },
                                                std::map<std::string, std::string> {
                                                    { "HOME", home.folder.getFullPathName().toStdString() },
                                                    { "XDG_CONFIG_HOME", "relative/config" } },
                                                home.folder.getChildFile ("application.log"));
    const auto window = x.waitForWindowOf (app->pid(), 15000);
    ASSERT_NE (window, 0u);
    ASSERT_EQ (closeAndWaitForExit (x, *app), 0) << applicationLog (home.folder);

    EXPECT_TRUE (home.folder.getChildFile (".config/Tessaline/Tessaline.settings").existsAsFile());
    EXPECT_FALSE (home.folder.getChildFile (".Tessaline").exists());
}
