// `make install-app`: the application, its menu entry and its icon, installed
// under a prefix of the test's own.

#include "StandaloneTestHelpers.h"

using namespace tessaline::test;

namespace
{
    juce::StringPairArray desktopEntryKeys (const juce::File& entry)
    {
        juce::StringPairArray keys;

        for (const auto& line : juce::StringArray::fromLines (entry.loadFileAsString()))
            if (line.contains ("=") && ! line.startsWith ("#"))
                keys.set (line.upToFirstOccurrenceOf ("=", false, false).trim(),
                          line.fromFirstOccurrenceOf ("=", false, false).trim());

        return keys;
    }

    int run (const juce::StringArray& command, juce::String& output)
    {
        juce::ChildProcess process;

        if (! process.start (command))
            return -1;

        output = process.readAllProcessOutput();
        process.waitForProcessToFinish (60000);
        return (int) process.getExitCode();
    }
}

TEST (InstallApplication, InstallsTheApplicationWithAMenuEntryAndAnIcon)
{
    TempFolder prefix;
    const auto make = [&] (const char* target, juce::String& output)
    {
        return run ({ "make", "--no-print-directory", "-C", TESSALINE_SOURCE_DIR, target,
                      "PREFIX=" + prefix.folder.getFullPathName(),
                      "BUILD=" TESSALINE_BUILD_DIR, "CONFIG=" TESSALINE_CONFIG }, output);
    };

    juce::String output;
    ASSERT_EQ (make ("install-app", output), 0) << output;

    const auto binary = prefix.folder.getChildFile ("bin/tessaline");
    const auto entry  = prefix.folder.getChildFile ("share/applications/tessaline.desktop");
    const auto icon   = prefix.folder.getChildFile ("share/icons/hicolor/scalable/apps/tessaline.svg");

    ASSERT_TRUE (binary.existsAsFile());
    EXPECT_TRUE (binary.hasIdenticalContentTo (juce::File (TESSALINE_APP_PATH)));
    EXPECT_EQ (access (binary.getFullPathName().toRawUTF8(), X_OK), 0);

    // The entry the desktop's menu reads: valid, starting the installed
    // binary, with the installed icon.
    ASSERT_TRUE (entry.existsAsFile());
    ASSERT_EQ (run ({ "desktop-file-validate", entry.getFullPathName() }, output), 0) << output;

    const auto keys = desktopEntryKeys (entry);
    EXPECT_EQ (keys["Type"], "Application");
    EXPECT_EQ (keys["Name"], "Tessaline");
    EXPECT_EQ (keys["Exec"], binary.getFullPathName());
    EXPECT_EQ (keys["Icon"], icon.getFileNameWithoutExtension());
    EXPECT_EQ (keys["StartupWMClass"], "Tessaline");

    // The icon is SVG that draws something at its full size.
    ASSERT_TRUE (icon.existsAsFile());
    const auto svg = juce::parseXML (icon);
    ASSERT_NE (svg, nullptr);
    const auto drawable = juce::Drawable::createFromSVG (*svg);
    ASSERT_NE (drawable, nullptr);

    juce::Image image (juce::Image::ARGB, 64, 64, true);
    {
        juce::Graphics g (image);
        drawable->drawWithin (g, image.getBounds().toFloat(), juce::RectanglePlacement::centred, 1.0f);
    }
    EXPECT_GT (image.getPixelAt (32, 32).getAlpha(), 0);
    EXPECT_GT (image.getPixelAt (6, 32).getAlpha(), 0);

    ASSERT_EQ (make ("uninstall-app", output), 0) << output;
    EXPECT_FALSE (binary.exists());
    EXPECT_FALSE (entry.exists());
    EXPECT_FALSE (icon.exists());
}
