#pragma once

#include "TestHelpers.h"
#include "PluginEditor.h"

namespace tessaline::test
{
    /** The standalone processor with its editor open in a real window. */
    struct OpenEditor
    {
        OpenEditor() : OpenEditor (makeStandaloneProcessor()) {}

        /** The editor of `p`: a plain processor is the plugin inside a host. */
        explicit OpenEditor (std::unique_ptr<VornicAudioProcessor> p) : processor (std::move (p))
        {
            open();
        }

        ~OpenEditor()
        {
            close();
        }

        void open()
        {
            editor.reset (static_cast<VornicAudioProcessorEditor*> (processor->createEditorIfNeeded()));
            editor->setTopLeftPosition (40, 40);
            editor->addToDesktop (0);
            editor->setVisible (true);
            pumpUntil ([this] { return editor->isShowing(); });
            pumpFor (20);
        }

        void close()
        {
            if (editor != nullptr)
                processor->editorBeingDeleted (editor.get());

            editor.reset();
        }

        std::unique_ptr<VornicAudioProcessor> processor;
        std::unique_ptr<VornicAudioProcessorEditor> editor;
    };

    /** Drives the editor's window as the X server would: the pointer is moved on
        the desktop, and the window's peer receives the button and motion events,
        so every component sees its gestures through JUCE's own mouse dispatch. */
    struct Mouse
    {
        explicit Mouse (juce::Component& windowContent) : window (windowContent) {}

        void down (const juce::Component& c, juce::Point<int> p)  { send (c, p, juce::ModifierKeys::leftButtonModifier); }
        void drag (const juce::Component& c, juce::Point<int> p)  { send (c, p, juce::ModifierKeys::leftButtonModifier); }
        void up (const juce::Component& c, juce::Point<int> p)    { send (c, p, {}); }

        void click (const juce::Component& c, juce::Point<int> p)
        {
            down (c, p);
            up (c, p);
        }

        /** A press at the first point, a drag through the others, and the release at the
            last: the pointer travels between the points in steps of a few pixels, as a
            real mouse reports it, so every fader or dot on the way sees the drag. */
        void gesture (const juce::Component& c, std::initializer_list<juce::Point<int>> points)
        {
            auto it = points.begin();
            auto last = *it;
            down (c, last);

            for (++it; it != points.end(); ++it)
            {
                const auto to = *it;
                const int steps = juce::jmax (1, juce::roundToInt (last.getDistanceFrom (to) / 3.0f));

                for (int s = 1; s <= steps; ++s)
                    drag (c, last + (to - last) * s / steps);

                last = to;
            }

            up (c, last);
        }

    private:
        void send (const juce::Component& c, juce::Point<int> local, juce::ModifierKeys mods)
        {
            const auto screen = c.localPointToGlobal (local);
            juce::Desktop::setMousePosition (screen);
            juce::ModifierKeys::currentModifiers = mods;

            auto* peer = window.getPeer();
            peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse,
                                    peer->globalToLocal (screen.toFloat()), mods,
                                    juce::MouseInputSource::defaultPressure,
                                    juce::MouseInputSource::defaultOrientation,
                                    time += 50);
        }

        juce::Component& window;
        juce::int64 time = juce::Time::currentTimeMillis();
    };

    inline juce::var treeValue (VornicAudioProcessor& p, const juce::String& name)
    {
        return p.parameters.state[juce::Identifier (name)];
    }

    /** The point at height `value` (0 bottom … 1 top) in the middle of fader `i`, in
        table coordinates; never below the fader's last row of pixels, so a press there
        still lands on it. */
    inline juce::Point<int> onFader (const QBSequencerFadersTable& t, int i, float value)
    {
        const auto& f = *t.faders[(size_t) i];
        const int y = juce::roundToInt ((1.0f - value) * (float) f.getHeight());
        return { f.getBounds().getCentreX(), juce::jmin (y, f.getHeight() - 1) };
    }
}
