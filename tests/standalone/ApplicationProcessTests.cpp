// The application as the user starts it: a process of its own, its window on
// the X display, closed through the window manager's close request, its
// settings in $XDG_CONFIG_HOME/Tessaline.

#include "PluginEditor.h"
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
        // The application learns of the move from its own event queue, and keeps
        // the new position in its settings file shortly after.
        ASSERT_TRUE (waitFor ([&] { return readSettings (settingsFile)->getIntValue ("windowX", -1) == movedTo.x; }, 15000))
            << applicationLog (config.folder);

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

// Ctrl-C in the terminal, a logout or `kill` (SIGTERM), the terminal closed
// (SIGHUP): each ends the application as its close button does.
TEST (ApplicationProcess, QuitSignalsQuitAndKeepTheProcessorState)
{
    XDisplay x;
    ASSERT_TRUE (x.isOpen());

    for (const auto& [signal, name] : { std::pair { SIGINT, "SIGINT" }, std::pair { SIGTERM, "SIGTERM" },
                                        std::pair { SIGHUP, "SIGHUP" } })
    {
        SCOPED_TRACE (name);
        TempFolder config;
        const auto settingsFile = settingsFileIn (config.folder);
        writeSettings (settingsFile, { { "filterState", distinctiveFilterState() } });

        auto app = startApplication (config.folder);
        ASSERT_NE (x.waitForWindowOf (app->pid(), 15000), 0u);

        kill (app->pid(), signal);
        ASSERT_EQ (app->waitForExit (20000), 0) << applicationLog (config.folder);

        auto settings = readSettings (settingsFile);
        expectDistinctiveState (settings->getValue ("filterState"));
        EXPECT_TRUE (settings->containsKey ("windowX"));
    }
}

namespace
{
    /** The window's point over fader `step` at height `value`, as the running
        application lays it out: the editor below the input-muted bar. */
    juce::Point<int> faderPointInWindow (juce::Rectangle<int> windowBounds, int step, float value)
    {
        auto processor = makeStandaloneProcessor();
        std::unique_ptr<VornicAudioProcessorEditor> editor (
            static_cast<VornicAudioProcessorEditor*> (processor->createEditorIfNeeded()));

        const auto& fader = *editor->fadersTable.faders[(size_t) step];
        const auto inFader = juce::Point<int> (fader.getWidth() / 2, juce::roundToInt ((1.0f - value) * (float) fader.getHeight()));
        const auto inEditor = editor->getLocalPoint (&fader, inFader);
        const int barHeight = windowBounds.getHeight() - editor->getHeight();

        processor->editorBeingDeleted (editor.get());
        return inEditor + juce::Point<int> (0, barHeight);
    }

    /** The value of "fader<step>" in the settings file on disk; -1 when it cannot be read. */
    double savedFader (const juce::File& settingsFile, int step)
    {
        auto settings = readSettings (settingsFile);
        auto restored = processorFromFilterState (settings->getValue ("filterState"));
        return restored != nullptr ? (double) restored->parameters.state["fader" + juce::String (step)] : -1.0;
    }
}

// An edit is in the settings file about two seconds later: a kill (which no
// program can answer) after that loses nothing.
TEST (ApplicationProcess, AnEditSurvivesAKillTwoSecondsLater)
{
    TempFolder config;
    const auto settingsFile = settingsFileIn (config.folder);
    writeSettings (settingsFile, { { "filterState", distinctiveFilterState() } });

    XDisplay x;
    ASSERT_TRUE (x.isOpen());
    auto app = startApplication (config.folder);
    const auto window = x.waitForWindowOf (app->pid(), 15000);
    ASSERT_NE (window, 0u);

    const auto target = faderPointInWindow (x.boundsOf (window), 5, 0.8f);
    ASSERT_DOUBLE_EQ (savedFader (settingsFile, 5), 0.0);

    // The click may land before the window handles input, or on a window the
    // framework replaces while it sets up; it is repeated until it takes.
    ASSERT_TRUE (waitFor ([&]
    {
        if (const auto current = x.currentWindowOf (app->pid()))
            x.click (current, target.x, target.y);

        return waitFor ([&] { return savedFader (settingsFile, 5) > 0.5; }, 5000);
    }, 20000)) << applicationLog (config.folder);

    kill (app->pid(), SIGKILL);
    ASSERT_TRUE (app->waitForExit (10000).has_value());

    EXPECT_GT (savedFader (settingsFile, 5), 0.5);
    expectDistinctiveState (readSettings (settingsFile)->getValue ("filterState"));
}

// Killed in the middle of a save, the application leaves the settings file
// as it was before that save or as it is after it, never cut short: each save
// writes a temporary file beside it and renames it over the old one.
TEST (ApplicationProcess, AKillDuringASaveLeavesAWholeSettingsFile)
{
    // A large state (long presets), so that each save takes a while.
    auto processor = makeStandaloneProcessor();
    for (int i = 0; i < 24; ++i)
    {
        juce::ValueTree preset ("bigPreset" + juce::String (i));
        for (int n = 0; n < 64; ++n)
            preset.setProperty ("note" + juce::String (n), juce::String::repeatedString ("x", 800), nullptr);
        processor->parameters.state.appendChild (preset, nullptr);
    }
    const auto bigState = filterStateOf (*processor);

    XDisplay x;
    ASSERT_TRUE (x.isOpen());
    int killedMidSave = 0;

    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE ("round " + juce::String (round));
        TempFolder config;
        const auto settingsFile = settingsFileIn (config.folder);
        writeSettings (settingsFile, { { "filterState", bigState } });

        auto app = startApplication (config.folder);
        const auto window = x.waitForWindowOf (app->pid(), 30000);
        ASSERT_NE (window, 0u);
        const auto bounds = x.boundsOf (window);

        // Edits keep coming, so a save follows every two seconds; the kill
        // comes the moment a save's temporary file is seen.
        const auto saving = [&]
        {
            return ! settingsFile.getParentDirectory().findChildFiles (juce::File::findFiles, false, "Tessaline_temp*").isEmpty();
        };

        std::vector<juce::Point<int>> targets;
        for (int step = 0; step < 8; ++step)
            targets.push_back (faderPointInWindow (bounds, step, (float) (step % 5 + 1) / 6.0f));

        bool caught = false;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds (20);

        for (size_t click = 0; ! caught && std::chrono::steady_clock::now() < end; ++click)
        {
            const auto target = targets[click % targets.size()];
            if (const auto current = x.currentWindowOf (app->pid()))
                x.click (current, target.x, target.y);

            const auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds (300);
            while (! caught && std::chrono::steady_clock::now() < next)
                caught = saving();
        }

        kill (app->pid(), SIGKILL);
        ASSERT_TRUE (app->waitForExit (10000).has_value());
        killedMidSave += caught ? 1 : 0;

        auto settings = readSettings (settingsFile);
        ASSERT_TRUE (settings->isValidFile()) << "round " << round;
        auto restored = processorFromFilterState (settings->getValue ("filterState"));
        ASSERT_NE (restored, nullptr);
        EXPECT_TRUE (restored->parameters.state.getChildWithName ("bigPreset23").isValid());

        // The next start removes the abandoned temporary file once it is old.
        const auto leftovers = settingsFile.getParentDirectory().findChildFiles (juce::File::findFiles, false, "Tessaline_temp*");
        if (caught && ! leftovers.isEmpty())
        {
            for (const auto& f : leftovers)
                f.setLastModificationTime (juce::Time::getCurrentTime() - juce::RelativeTime::minutes (5));

            ASSERT_EQ (startAndClose (config.folder), 0) << applicationLog (config.folder);
            EXPECT_FALSE (saving());
        }
    }

    RecordProperty ("killedMidSave", killedMidSave);
    EXPECT_GT (killedMidSave, 0) << "no kill landed during a save";
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
    BadSettingsCase { "ProcessingInstructionInside",
                      [] { return textBlock ("<?xml version=\"1.0\"?>\n<PROPERTIES><?x?>text</PROPERTIES>\n"); } },
    BadSettingsCase { "ValueWithAProcessingInstruction",
                      [] { return textBlock ("<?xml version=\"1.0\"?>\n<PROPERTIES><VALUE name=\"audioSetup\" "
                                             "val=\"&lt;a&gt;&lt;?x?&gt;text&lt;/a&gt;\"/></PROPERTIES>\n"); } },
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
