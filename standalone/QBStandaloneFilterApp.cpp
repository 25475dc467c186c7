#include "QBStandaloneFilterApp.h"
#include "QBSafeXml.h"

#include <limits>

namespace
{
    const juce::String applicationName { "Tessaline" };

    /** The folder of the settings file on Linux and the BSDs, after the XDG
        base-directory rules: $XDG_CONFIG_HOME when it is an absolute path,
        otherwise ~/.config. */
    [[maybe_unused]] juce::File xdgSettingsFolder()
    {
        const auto configHome = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
        const auto base = juce::File::isAbsolutePath (configHome) ? juce::File (configHome)
                                                                  : juce::File ("~/.config");
        return base.getChildFile (applicationName);
    }
}

//==============================================================================
QBStandaloneFilterApp::QBStandaloneFilterApp()
{
    juce::PluginHostType::jucePlugInClientCurrentWrapperType = juce::AudioProcessor::wrapperType_Standalone;
    appProperties.setStorageParameters (settingsOptions());
}

juce::PropertiesFile::Options QBStandaloneFilterApp::settingsOptions()
{
    juce::PropertiesFile::Options options;
    options.applicationName     = applicationName;
    options.filenameSuffix      = ".settings";
    options.osxLibrarySubFolder = "Application Support";
    options.storageFormat       = juce::PropertiesFile::storeAsXML;
    options.millisecondsBeforeSaving = 2000;
    options.commonToAllUsers    = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave           = false;

   #if JUCE_LINUX || JUCE_BSD
    // An absolute folder name replaces the framework's dot-folder in the home
    // directory. The all-users file that backs the user's file resolves to the
    // same path; it is only ever read.
    options.folderName = xdgSettingsFolder().getFullPathName();
   #endif

    return options;
}

const juce::String QBStandaloneFilterApp::getApplicationName()    { return applicationName; }
const juce::String QBStandaloneFilterApp::getApplicationVersion() { return JucePlugin_VersionString; }
bool QBStandaloneFilterApp::moreThanOneInstanceAllowed()          { return true; }
void QBStandaloneFilterApp::anotherInstanceStarted (const juce::String&) {}

void QBStandaloneFilterApp::initialise (const juce::String&)
{
    // SIGTERM and SIGHUP end the session as Ctrl-C and the close button do.
    quitSignals = std::make_unique<QBQuitSignals> ([this] { systemRequestedQuit(); });

    // A file the framework cannot parse safely is kept aside before it is read,
    // and the application starts with defaults.
    const auto file = settingsOptions().getDefaultFile();

    if (! isSafeToParse (file))
    {
        keepCopyOfUnreadableSettings (file);
        file.deleteFile();
    }

    removeAbandonedSaves (file);
    createWindow();
    mainWindow->setVisible (true);
}

void QBStandaloneFilterApp::createWindow()
{
    auto* settings = appProperties.getUserSettings();
    bool settingsReadable = settings->isValidFile();

    if (removeValuesUnsafeToParse (*settings))
        settingsReadable = false;

    mainWindow = std::make_unique<QBStandaloneFilterWindow> (
        getApplicationName() + " " + getApplicationVersion(),
        juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
        settings);

    // Nothing has written the settings yet: what the user had is kept before
    // the defaults now in use are saved over it.
    if (! settingsReadable || mainWindow->getPluginHolder()->hadUnreadableSavedState())
        keepCopyOfUnreadableSettings (settings->getFile());
}

bool QBStandaloneFilterApp::removeValuesUnsafeToParse (juce::PropertySet& settings)
{
    bool removed = false;

    for (const auto& key : settings.getAllProperties().getAllKeys())
    {
        if (! QBSafeXml::canParse (settings.getValue (key)))
        {
            settings.removeValue (key);
            removed = true;
        }
    }

    return removed;
}

bool QBStandaloneFilterApp::isSafeToParse (const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (! file.existsAsFile() || ! file.loadFileAsData (bytes) || bytes.isEmpty())
        return true;

    return bytes.getSize() < (size_t) std::numeric_limits<int>::max()
        && QBSafeXml::canParse (static_cast<const char*> (bytes.getData()), (int) bytes.getSize());
}

void QBStandaloneFilterApp::keepCopyOfUnreadableSettings (const juce::File& file)
{
    if (! file.existsAsFile() || file.getSize() == 0)
        return;

    auto copy = file.getSiblingFile (file.getFileName() + ".bad");

    // An older copy that differs is kept too.
    if (copy.existsAsFile() && ! copy.hasIdenticalContentTo (file))
        copy = copy.getNonexistentSibling (false);

    file.copyFileTo (copy);
}

void QBStandaloneFilterApp::removeAbandonedSaves (const juce::File& settingsFile)
{
    // The framework names them after the file: "Tessaline_temp<hex>.settings".
    // One younger than a minute may belong to another instance saving now.
    const auto pattern = settingsFile.getFileNameWithoutExtension() + "_temp*" + settingsFile.getFileExtension();
    const auto aMinuteAgo = juce::Time::getCurrentTime() - juce::RelativeTime::minutes (1);

    for (const auto& entry : juce::RangedDirectoryIterator (settingsFile.getParentDirectory(), false, pattern))
        if (entry.getModificationTime() < aMinuteAgo)
            entry.getFile().deleteFile();
}

void QBStandaloneFilterApp::shutdown()
{
    // Every orderly end keeps the processor's state, also one that did not
    // pass through the window (the framework quits on an interrupt signal).
    if (mainWindow != nullptr)
        mainWindow->getPluginHolder()->savePluginState();

    mainWindow = nullptr;
    appProperties.saveIfNeeded();
    quitSignals = nullptr;
}

void QBStandaloneFilterApp::systemRequestedQuit()
{
    if (mainWindow != nullptr)
        mainWindow->getPluginHolder()->savePluginState();

    if (juce::ModalComponentManager::getInstance()->cancelAllModalComponents())
    {
        juce::Timer::callAfterDelay (100, []
        {
            if (auto* app = juce::JUCEApplicationBase::getInstance())
                app->systemRequestedQuit();
        });
    }
    else
    {
        quit();
    }
}

//==============================================================================
// The framework's standalone entry point creates the application through this.
juce::JUCEApplicationBase* juce_CreateApplication();

juce::JUCEApplicationBase* juce_CreateApplication()
{
    return new QBStandaloneFilterApp();
}
