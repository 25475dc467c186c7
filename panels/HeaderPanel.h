#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "EmptyCompToBlockTempo.h"
#include "QBHeaderButtonLAF.h"
#include "QBTempoLabelLAF.h"
#include "QBTempoSliderLAF.h"

/** The bar across the top of the window: the logo, the mono/stereo switch of the
    standalone application, "RESET" and "UNDO", the tempo slider with its read-out,
    and the presets, settings and window-size buttons.

    The header only lays its children out and reports the mono/stereo switch; the
    editor installs every other handler. Inside a plugin host the tempo follows the
    host, so the slider and the read-out lie under two click-taking covers. */
class HeaderPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** The mono/stereo switch changed; true is stereo. */
        virtual void isMonoStereoState (bool stereo) = 0;
    };

    /** `standalone` chooses the standalone application's header (with the mono/stereo
        switch and a live tempo) over a host's (tempo covered). */
    explicit HeaderPanel (bool standalone);
    ~HeaderPanel() override;

    /** Copies the tempo slider's value into `tempo` and the read-out. */
    void setBpmTempoToLable();

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void resized() override;

    //==============================================================================
    QBHeaderButtonLAF headerButtonLAF;
    QBTempoSliderLAF tempoSliderLAF;
    QBTempoLabelLAF tempoLabelLAF;

    juce::DrawableButton logoButton { "logo", juce::DrawableButton::ImageFitted };
    juce::Slider tempoSlider { juce::Slider::LinearHorizontal, juce::Slider::NoTextBox };
    juce::DrawableButton metronomeButton { "metronome", juce::DrawableButton::ImageFitted };
    juce::TextButton tempoLabel;
    float tempo = 120.0f;
    juce::TextButton resetButton { "RESET" };
    juce::TextButton undoButton { "UNDO" };
    juce::DrawableButton presetsButton { "presets", juce::DrawableButton::ImageFitted };
    juce::DrawableButton settingsButton { "settings", juce::DrawableButton::ImageFitted };
    juce::DrawableButton collapseButton { "collapse", juce::DrawableButton::ImageFitted };

    juce::ListenerList<Listener> listeners;

    juce::Rectangle<int> resetBounds, undoBounds;

    /** A child only in the standalone application. */
    juce::TextButton monoStereoButton { "STEREO" };

    /** Children only inside a plugin host: they cover the tempo slider and the read-out. */
    EmptyCompToBlockTempo tempoSliderBlocker, tempoLabelBlocker;

private:
    const bool standaloneHeader;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HeaderPanel)
};
