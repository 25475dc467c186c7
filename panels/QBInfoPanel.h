#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The information panel: the product's title and version, its credits, the
    copyright notice and a link to the project's web site. A click anywhere but
    on the link closes it; the link opens the site in the desktop's browser. */
class QBInfoPanel : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void clickOverInfoPanelToClose() = 0;
    };

    /** A button that draws nothing: the whole panel is its click area. */
    class TransparentButton : public juce::Button
    {
    public:
        TransparentButton() : juce::Button ({}) {}
        void paintButton (juce::Graphics&, bool, bool) override {}
    };

    QBInfoPanel();

    void addListener (Listener* l)    { listeners.add (l); }
    void removeListener (Listener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void resized() override;

    static const juce::String webAddress;

    /** "Copyright <year> Tessaline. …", with the year this program was built. */
    static juce::String copyrightNotice();

    TransparentButton closeArea;
    juce::HyperlinkButton webLink { {}, juce::URL (webAddress) };

private:
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QBInfoPanel)
};
