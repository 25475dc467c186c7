#pragma once

#include <optional>

#include <juce_gui_basics/juce_gui_basics.h>

#include "QBTextButtonLAF.h"

/** A small box for typing a tempo: a text field and a "Set" button. Return in the
    field clicks "Set"; Escape, or a press on the box around them, closes it. */
class QBTempoPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void clickOnTempoPaneToClose() = 0;
        virtual void setTempoFromTextToSliderTempo (float tempo) = 0;
    };

    QBTempoPanel();
    ~QBTempoPanel() override;

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

    /** The tempo typed in `text`: its leading number, or nothing when the text does
        not begin with one (such text leaves the tempo as it was). */
    static std::optional<double> tempoFromText (const juce::String& text);

    juce::TextEditor tempoField;
    juce::TextButton setButton { "Set" };

private:
    void clickOnSet();

    QBTextButtonLAF setButtonLAF;
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBTempoPanel)
};
