#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

#include "QBQuitSignals.h"
#include "QBStandaloneFilterWindow.h"

/** The desktop application: its settings file and its one window.

    The settings are the framework's XML properties file "Tessaline.settings":
    on Linux in $XDG_CONFIG_HOME/Tessaline (~/.config/Tessaline when unset), on
    macOS in the user's Application Support folder. A settings file that
    cannot be read, or whose saved processor state cannot be restored, is
    copied to "Tessaline.settings.bad" beside it before anything overwrites it. */
class QBStandaloneFilterApp : public juce::JUCEApplication
{
public:
    QBStandaloneFilterApp();

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void systemRequestedQuit() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;

    /** Creates the main window, with its plugin holder and processor. */
    void createWindow();

    /** Whether the framework may parse `file` as a settings file: it is missing,
        or it holds valid UTF-8 (the framework's parser would read past the end
        of text that is not). */
    static bool isSafeToParse (const juce::File& file);

    /** Drops every value of `settings` that the framework would parse as XML (when
        it reads or saves it) and cannot parse safely; true when one was dropped. */
    static bool removeValuesUnsafeToParse (juce::PropertySet& settings);

private:
    /** The framework's XML properties file, saved 2 s after a change. Every
        save writes a temporary file beside it, flushes it to the disk and
        renames it over the old one, so the file on disk is always whole. */
    static juce::PropertiesFile::Options settingsOptions();

    static void keepCopyOfUnreadableSettings (const juce::File&);

    /** Removes the temporary files of saves that a killed process never finished. */
    static void removeAbandonedSaves (const juce::File& settingsFile);

    juce::ApplicationProperties appProperties;
    std::unique_ptr<QBStandaloneFilterWindow> mainWindow;
    std::unique_ptr<QBQuitSignals> quitSignals;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBStandaloneFilterApp)
};
