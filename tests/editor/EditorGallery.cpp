// Renders the editor at its two standard sizes into PNG files (in the folder
// given as the argument, or the build's gallery folder), with a drawn
// sequence, a few locks and dots, a shortened loop and a sounding step, so
// the window can be looked at without a desktop session.

#include <cmath>
#include <functional>

#include "PluginEditor.h"
#include "QBStandaloneFilterWindow.h"

// Last, and before no other JUCE header: Xlib's macros clash with JUCE's names.
#include <X11/Xlib.h>

namespace
{
    void drawSequence (VornicAudioProcessor& p)
    {
        auto& state = p.parameters.state;

        for (int i = 0; i < 64; ++i)
        {
            const auto x = (double) i / 31.0;
            state.setProperty ("fader" + juce::String (i), 0.5 + 0.42 * std::sin (x * juce::MathConstants<double>::pi * 2.0)
                                                                   * std::cos (x * 1.3), nullptr);
            state.setProperty ("lock" + juce::String (i), i == 6 || i == 7 || i == 19, nullptr);
            state.setProperty ("dots" + juce::String (i), i % 8 == 3, nullptr);
        }

        state.setProperty ("LoopRangeMin", 2, nullptr);
        state.setProperty ("LoopRangeMax", 28, nullptr);
    }

    void pumpUntil (const std::function<bool()>& done)
    {
        for (int i = 0; i < 400 && ! done(); ++i)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    bool atRest (const QBSlideState& s) { return ! s.animating; }

    /** Clicks `button` and waits for the panel it opens (or closes) to come to rest. */
    void clickAndSettle (VornicAudioProcessorEditor& editor, juce::Button& button)
    {
        // The handler itself: a triggered click would show the button held down.
        button.onClick();
        pumpUntil ([&] { return atRest (editor.infoSlide) && atRest (editor.tempoSlide); });
    }

    bool render (VornicAudioProcessorEditor& editor, int w, int h, const juce::File& file)
    {
        editor.setSize (w, h);

        juce::MessageManager::getInstance()->runDispatchLoopUntil (100);

        const auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
        file.deleteFile();
        juce::FileOutputStream out (file);
        return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
    }

    /** Renders into `dir`/`name`.png and says so; 1 for a failure, else 0. */
    int write (VornicAudioProcessorEditor& editor, const juce::File& dir, const juce::String& name, int w, int h)
    {
        const auto file = dir.getChildFile (name + ".png");

        if (! render (editor, w, h, file))
            return 1;

        std::printf ("wrote %s\n", file.getFullPathName().toRawUTF8());
        return 0;
    }

    /** The editor with its settings panel slid in, at 1024 × 768. */
    bool renderWithSettings (VornicAudioProcessorEditor& editor, const juce::File& file)
    {
        editor.setSize (1024, 768);
        editor.openSettingsPanel();

        for (int i = 0; i < 200 && editor.settingsPanelForPlugIn.slide.animating; ++i)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

        if (render (editor, 1024, 768, file))
        {
            std::printf ("wrote %s\n", file.getFullPathName().toRawUTF8());
            return true;
        }

        return false;
    }
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI gui;
    const juce::File dir (argc > 1 ? juce::File::getCurrentWorkingDirectory().getChildFile (argv[1])
                                   : juce::File (TESSALINE_GALLERY_DIR));
    dir.createDirectory();
    int failures = 0;

    {
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
        VornicAudioProcessor processor;
        drawSequence (processor);
        processor.parameters.getParameter ("sequenceSize")->setValueNotifyingHost (
            processor.parameters.getParameter ("sequenceSize")->convertTo0to1 (32.0f));

        std::unique_ptr<VornicAudioProcessorEditor> editor (
            static_cast<VornicAudioProcessorEditor*> (processor.createEditorIfNeeded()));
        juce::MessageManager::getInstance()->runDispatchLoopUntil (100);
        editor->fromValueTreeToLoopRange();
        editor->stepPositionFromPorcessor (11);

        for (const auto& [w, h] : { std::pair { 1024, 768 }, { 820, 615 } })
        {
            const auto size = juce::String (w);
            failures += write (*editor, dir, "editor-" + size, w, h);

            clickAndSettle (*editor, editor->headerPanel.tempoLabel);
            failures += write (*editor, dir, "editor-" + size + "-tempo-panel", w, h);

            clickAndSettle (*editor, editor->headerPanel.logoButton);
            failures += write (*editor, dir, "editor-" + size + "-info-panel", w, h);

            editor->clickOnTheSemiTransparentPanel();
            pumpUntil ([&] { return atRest (editor->infoSlide) && atRest (editor->tempoSlide); });
        }

        // The presets panel open over a few stored presets, and the bar with
        // assigned and free slots, the last loaded one lit.
        for (const auto* name : { "Warm sweep", "Preset_2", "Gate <16>", "Rise & fall", "Dub echo" })
        {
            editor->presetsPanel.nameField.setText (name, false);
            editor->presetsPanel.saveTypedPreset();
        }

        for (const auto [row, slot] : { std::pair { 0, 0 }, { 1, 1 }, { 3, 4 } })
            editor->presetsPanel.rowModel.setAssignedFastPresetForPreset (row, slot);

        editor->presetsBottomPanel.loadButtons[1]->setToggleState (true, juce::dontSendNotification);
        editor->setSize (1024, 768);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);   // each save's close click
        editor->openPresetsPanel();

        for (int tick = 0; tick < 200 && editor->presetsPanel.slide.animating; ++tick)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

        editor->presetsPanel.rowModel.listBox.selectRow (3);
        const auto presetsFile = dir.getChildFile ("editor-presets-1024.png");

        if (render (*editor, 1024, 768, presetsFile))
            std::printf ("wrote %s\n", presetsFile.getFullPathName().toRawUTF8());
        else
            ++failures;

        processor.editorBeingDeleted (editor.get());
    }

    {
        // Inside a host: the header without the mono/stereo switch, the tempo from the host.
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_VST3);
        VornicAudioProcessor processor;
        processor.hostBpm = 128.0;
        std::unique_ptr<VornicAudioProcessorEditor> editor (
            static_cast<VornicAudioProcessorEditor*> (processor.createEditorIfNeeded()));

        failures += write (*editor, dir, "editor-1024-host", 1024, 768);
        processor.editorBeingDeleted (editor.get());
    }

    {
        // Inside a host: the mapping list alone.
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        VornicAudioProcessor processor;
        std::unique_ptr<VornicAudioProcessorEditor> editor (
            static_cast<VornicAudioProcessorEditor*> (processor.createEditorIfNeeded()));

        editor->midiCCComponent().setLearningRow (2);    // one row waiting for a controller

        if (! renderWithSettings (*editor, dir.getChildFile ("settings-plugin.png")))
            ++failures;

        processor.editorBeingDeleted (editor.get());
    }

    {
        // The application's window, whose settings panel holds the device selector.
        // Its native title bar asks the virtual X server for atoms it may not have.
        XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
        QBStandaloneFilterWindow window ("Tessaline", juce::Colours::black, nullptr);
        auto* content = dynamic_cast<QBStandaloneFilterWindow::MainContentComponent*> (window.getContentComponent());
        auto* editor = content != nullptr ? dynamic_cast<VornicAudioProcessorEditor*> (content->getEditor()) : nullptr;

        if (editor == nullptr || ! renderWithSettings (*editor, dir.getChildFile ("settings-standalone.png")))
            ++failures;
    }

    juce::DeletedAtShutdown::deleteAll();
    return failures == 0 ? 0 : 1;
}
