// libFuzzer target: any bytes in the application's settings file, read as the
// application reads it at start.

#include "FuzzHelpers.h"
#include "QBStandaloneFilterApp.h"
#include "QBStandaloneFilterWindow.h"
#include "QBStandalonePluginHolder.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    tessaline::fuzz::Processors processors;

    static const struct Folder
    {
        Folder()  { dir.createDirectory(); }
        ~Folder() { dir.deleteRecursively(); }
        juce::File dir = juce::File::createTempFile ("tessaline-fuzz");
    } folder;
    static const auto file = folder.dir.getChildFile ("Tessaline.settings");
    file.replaceWithData (data, size);

    // The application sets such a file aside unread.
    if (! QBStandaloneFilterApp::isSafeToParse (file))
        return 0;

    juce::PropertiesFile::Options options;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    options.millisecondsBeforeSaving = -1;
    juce::PropertiesFile settings (file, options);

    // What the application, the holder and the window read.
    [[maybe_unused]] const auto readable = settings.isValidFile();

    QBStandaloneFilterApp::removeValuesUnsafeToParse (settings);

    [[maybe_unused]] const auto setup = juce::parseXML (settings.getValue ("audioSetup"));
    [[maybe_unused]] const auto muted = settings.getBoolValue ("shouldMuteInput", true);
    QBStandalonePluginHolder::restoreProcessorState (settings, processors.restored);

    const juce::Rectangle<int> window { settings.getIntValue ("windowX", -100), settings.getIntValue ("windowY", -100), 1024, 798 };
    using R = juce::Rectangle<int>;
    static const juce::Array<R> screens { R (0, 0, 1920, 1080), R (1920, 0, 1280, 1024) };
    const auto placed = QBStandaloneFilterWindow::placeOnScreens (window, 30, screens);

    if (! (placed.scale > 0.0f && placed.scale <= 1.0f) || placed.bounds.getRight() > 3200 || placed.bounds.getX() < 0)
        tessaline::fuzz::fail ("the window is not placed on a screen");

    tessaline::fuzz::expectItSavesAndRestoresAValidState (processors.restored, processors.check);
    return 0;
}
