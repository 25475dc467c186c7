#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

#include "QBStandalonePluginHolder.h"
#include "QBTextButtonLAF.h"

/** The application's single window: the processor's editor, with a bar above
    it that tells when the audio input is muted.

    The window owns the plugin holder, and through its content the editor.
    It is sized by its content, which follows the editor; its position is kept
    in the settings under "windowX" and "windowY". */
class QBStandaloneFilterWindow : public juce::DocumentWindow
{
public:
    /** `settingsToUse` is not owned and may be null. */
    QBStandaloneFilterWindow (const juce::String& title,
                              juce::Colour backgroundColour,
                              juce::PropertySet* settingsToUse);

    ~QBStandaloneFilterWindow() override;

    QBStandalonePluginHolder* getPluginHolder() const noexcept { return pluginHolder.get(); }

    /** Saves the processor's state, then asks the application to quit. */
    void closeButtonPressed() override;

    /** Keeps the new position in the settings, which save it shortly after. */
    void moved() override;

    /** Where a window of `wanted` bounds goes on screens with the given user
        areas: onto the screen it overlaps most, or, when it overlaps none (its
        screen has gone), onto the screen nearest to it; wholly inside that
        screen. A window larger than the screen is scaled down to fit: `scale`
        (at most 1) applies to all of it but `fixedHeight` pixels of its height. */
    struct Placement
    {
        juce::Rectangle<int> bounds;
        float scale = 1.0f;
    };

    static Placement placeOnScreens (juce::Rectangle<int> wanted, int fixedHeight,
                                     const juce::Array<juce::Rectangle<int>>& userAreas);

    //==============================================================================
    class MainContentComponent : public juce::Component,
                                 private juce::Value::Listener,
                                 private juce::Button::Listener,
                                 private juce::ComponentListener
    {
    public:
        explicit MainContentComponent (QBStandaloneFilterWindow&);
        ~MainContentComponent() override;

        void paint (juce::Graphics&) override;
        void resized() override;

        juce::AudioProcessorEditor* getEditor() const noexcept { return editor.get(); }

        //==============================================================================
        class NotificationArea : public juce::Component
        {
        public:
            static constexpr int height = 30;

            explicit NotificationArea (juce::Button::Listener&);
            ~NotificationArea() override;

            void paint (juce::Graphics&) override;
            void resized() override;

        private:
            QBTextButtonLAF textButtonLAF;
            juce::Label notification { "notification", "Audio input is muted to avoid feedback loop" };
            juce::TextButton unmuteButton { "UNMUTE INPUT" };
            juce::DropShadow shadow { juce::Colours::black.withAlpha ((juce::uint8) 0x4c), 10, { 4, 5 } };

            JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NotificationArea)
        };

    private:
        void valueChanged (juce::Value&) override;
        void buttonClicked (juce::Button*) override;
        void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;

        void updateNotification();
        void resizeToFitEditor();

        QBStandaloneFilterWindow& owner;
        NotificationArea notification { *this };
        std::unique_ptr<juce::AudioProcessorEditor> editor;
        bool shouldShowNotification = false;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainContentComponent)
    };

private:
    void restoreWindowPosition();
    void saveWindowPosition();
    bool positionRestored = false;

    std::unique_ptr<QBStandalonePluginHolder> pluginHolder;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBStandaloneFilterWindow)
};
