// Renders every icon and every look-and-feel of the window into PNG files, and
// one contact sheet of them all, for looking at: tessaline_gallery [output-dir]

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

#include "BareXServer.h"
#include "QBBackButton_onlyUI.h"
#include "QBBackCirculaForButton_onlyUI.h"
#include "QBCircularBGNextBackSeq.h"
#include "QBColours.h"
#include "QBComboBoxLAF.h"
#include "QBDryWetSliderLAF.h"
#include "QBFastPresetComboLAF.h"
#include "QBFastPresetsNumberButtonBottomLAF.h"
#include "QBFilterRangeSliderLAF.h"
#include "QBFonts.h"
#include "QBHeaderButtonLAF.h"
#include "QBImages.h"
#include "QBIncDecButtonsLAF.h"
#include "QBInfinitySliderLAF.h"
#include "QBListBoxLAF.h"
#include "QBPresetsButtonBottomLAF.h"
#include "QBSequenceLengthLoopLAF.h"
#include "QBSettingsLAF.h"
#include "QBSliderNumOfSliderInSequenceLAF.h"
#include "QBTempoLabelLAF.h"
#include "QBTempoSliderLAF.h"
#include "QBTextButtonLAF.h"
#include "QBTopLineSeparator.h"
#include "pointEllipseSelected.h"

namespace
{
    constexpr int gap = 12, captionHeight = 16;

    juce::Image blank (int w, int h, juce::Colour background = QBColours::editorBackground)
    {
        juce::Image image (juce::Image::ARGB, juce::jmax (1, w), juce::jmax (1, h), true, juce::SoftwareImageType());
        juce::Graphics (image).fillAll (background);
        return image;
    }

    juce::Image snapshot (juce::Component& c, juce::Colour background = QBColours::editorBackground)
    {
        auto image = blank (c.getWidth(), c.getHeight(), background);
        juce::Graphics g (image);
        c.paintEntireComponent (g, false);
        return image;
    }

    /** One captioned picture in a row. */
    struct Tile
    {
        juce::String caption;
        juce::Image image;
    };

    /** Lays tiles out left to right, wrapping at `maxWidth`, each with its caption below. */
    juce::Image sheet (const juce::String& title, const std::vector<Tile>& tiles, int maxWidth = 1100,
                       juce::Colour background = QBColours::editorBackground)
    {
        struct Placed { const Tile* tile; int x, y; };
        std::vector<Placed> placed;
        int x = gap, y = gap + 24, rowHeight = 0, width = 0;

        const auto captionFont = QBFonts::revereveBook (11.0f);
        auto tileWidth = [&captionFont] (const Tile& t)
        {
            return juce::jmax (t.image.getWidth(), (int) std::ceil (captionFont.getStringWidthFloat (t.caption)));
        };

        for (auto& t : tiles)
        {
            const auto w = tileWidth (t);
            if (x + w + gap > maxWidth && x > gap)
            {
                x = gap;
                y += rowHeight + captionHeight + gap;
                rowHeight = 0;
            }
            placed.push_back ({ &t, x, y });
            x += w + gap;
            rowHeight = juce::jmax (rowHeight, t.image.getHeight());
            width = juce::jmax (width, x);
        }

        auto image = blank (juce::jmax (width, 320), y + rowHeight + captionHeight + gap, background);
        juce::Graphics g (image);
        g.setColour (QBColours::whiteText);
        g.setFont (QBFonts::revereveBold (17.0f));
        g.drawText (title, gap, 6, image.getWidth() - 2 * gap, 22, juce::Justification::centredLeft);

        g.setFont (captionFont);
        for (auto& p : placed)
        {
            g.drawImageAt (p.tile->image, p.x, p.y);
            g.setColour (QBColours::greyText);
            g.drawText (p.tile->caption, p.x, p.y + p.tile->image.getHeight() + 2,
                        tileWidth (*p.tile) + gap, captionHeight - 2, juce::Justification::topLeft);
        }
        return image;
    }

    void save (const juce::Image& image, const juce::File& file)
    {
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (image, out);
    }

    //==============================================================================
    // Icons

    struct IconPair
    {
        const char* name;
        const juce::Drawable* normal;
        const juce::Drawable* partner;   // the down or on image, or none
        juce::Colour background;
    };

    juce::Image iconAt (const juce::Drawable& d, int size, juce::Colour background)
    {
        const auto bounds = d.getDrawableBounds();
        const auto aspect = bounds.getHeight() > 0 ? bounds.getWidth() / bounds.getHeight() : 1.0f;
        const auto w = juce::jmax (size, juce::roundToInt ((float) size * juce::jmin (aspect, 4.5f)));
        const auto h = aspect > 4.5f ? juce::roundToInt ((float) w / aspect) : size;
        auto image = blank (w, juce::jmax (h, size), background);
        juce::Graphics g (image);
        d.drawWithin (g, juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) juce::jmax (h, size)),
                      juce::RectanglePlacement::centred, 1.0f);
        return image;
    }

    juce::Image iconStrip (const IconPair& pair)
    {
        std::vector<juce::Image> cells;
        for (int size : { 16, 32, 64 })
        {
            cells.push_back (iconAt (*pair.normal, size, pair.background));
            if (pair.partner != nullptr)
                cells.push_back (iconAt (*pair.partner, size, pair.background));
        }

        int w = 8, h = 0;
        for (auto& c : cells) { w += c.getWidth() + 8; h = juce::jmax (h, c.getHeight()); }

        auto image = blank (w, h + 16, pair.background);
        juce::Graphics g (image);
        int x = 8;
        for (size_t i = 0; i < cells.size(); ++i)
        {
            g.drawImageAt (cells[i], x, 8 + (h - cells[i].getHeight()) / 2);
            x += cells[i].getWidth() + ((pair.partner != nullptr && i % 2 == 0) ? 4 : 14);
        }
        return image;
    }

    std::vector<IconPair> iconPairs()
    {
        auto& i = QBImages::images();
        const auto dark = QBColours::editorBackground, panel = QBColours::BGslidersRectangle, header = QBColours::headerColor;
        return {
            { "logoImage", i.logoImage.get(), nullptr, header },
            { "metronomeImage", i.metronomeImage.get(), nullptr, header },
            { "presetsImage / Down", i.presetsImage.get(), i.presetsImageDown.get(), header },
            { "settingsImage / Down", i.settingsImage.get(), i.settingsImageDown.get(), header },
            { "collapseImage / On", i.collapseImage.get(), i.collapseImageOn.get(), header },
            { "diceBackgroundImage", i.diceBackgroundImage.get(), nullptr, dark },
            { "diceImage / Down", i.diceImage.get(), i.diceImageDown.get(), header },
            { "keyImage / On", i.keyImage.get(), i.keyImageOn.get(), dark },
            { "resetLockImage / Down", i.resetLockImage.get(), i.resetLockImageDown.get(), dark },
            { "resetDotsImage / resetLockImageDown", i.resetDotsImage.get(), i.resetLockImageDown.get(), dark },
            { "lowPassImage / On", i.lowPassImage.get(), i.lowPassImageOn.get(), header },
            { "bandPassImage / On", i.bandPassImage.get(), i.bandPassImageOn.get(), header },
            { "highPassImage / On", i.highPassImage.get(), i.highPassImageOn.get(), header },
            { "resetSequenceImage / Down", i.resetSequenceImage.get(), i.resetSequenceImageDown.get(), dark },
            { "forwardImage / On", i.forwardImage.get(), i.forwardImageOn.get(), header },
            { "pingPongImage / On", i.pingPongImage.get(), i.pingPongImageOn.get(), header },
            { "backwardsImage / On", i.backwardsImage.get(), i.backwardsImageOn.get(), header },
            { "wetIconImage", i.wetIconImage.get(), nullptr, dark },
            { "bypassAcrossImage / Down", i.bypassAcrossImage.get(), i.bypassAcrossImageDown.get(), dark },
            { "bypassImage / On", i.bypassImage.get(), i.bypassImageOn.get(), dark },
            { "infinityImage / On", i.infinityImage.get(), i.infinityImageOn.get(), dark },
            { "nextArrowImage / Down", i.nextArrowImage.get(), i.nextArrowImageDown.get(), panel },
            { "backArrowImage / Down", i.backArrowImage.get(), i.backArrowImageDown.get(), panel },
            { "closeImage / Down", i.closeImage.get(), i.closeImageDown.get(), panel },
            { "rowBackgroundImage", i.rowBackgroundImage.get(), nullptr, panel },
            { "removePresetImage / Down", i.removePresetImage.get(), i.removePresetImageDown.get(), panel },
            { "playImage / stopImage", i.playImage.get(), i.stopImage.get(), header },
        };
    }

    //==============================================================================
    // Controls

    /** A control owned with its look-and-feel, the way the window's components own them. */
    template <typename Control>
    juce::Image drawnBy (juce::LookAndFeel& laf, Control& c, int w, int h, juce::Colour background = QBColours::editorBackground)
    {
        c.setLookAndFeel (&laf);
        c.setBounds (0, 0, w, h);
        auto image = snapshot (c, background);
        c.setLookAndFeel (nullptr);
        return image;
    }

    std::vector<Tile> sliderTiles (juce::LookAndFeel& laf, juce::Slider::SliderStyle style, double min, double max,
                                   std::initializer_list<double> values, int w, int h,
                                   juce::Colour background = QBColours::editorBackground)
    {
        std::vector<Tile> tiles;
        for (auto v : values)
        {
            juce::Slider s (style, juce::Slider::NoTextBox);
            s.setRange (min, max);
            s.setValue (v, juce::dontSendNotification);
            tiles.push_back ({ "value " + juce::String (v), drawnBy (laf, s, w, h, background) });
        }
        juce::Slider disabled (style, juce::Slider::NoTextBox);
        disabled.setRange (min, max);
        disabled.setValue (min + (max - min) * 0.5, juce::dontSendNotification);
        disabled.setEnabled (false);
        tiles.push_back ({ "disabled", drawnBy (laf, disabled, w, h, background) });
        return tiles;
    }

    juce::Image typingInto (juce::LookAndFeel& laf, double value, int w, int h, juce::Colour background)
    {
        juce::Slider s (juce::Slider::LinearBar, juce::Slider::TextBoxAbove);
        s.setRange (1.0, 64.0, 1.0);
        s.setValue (value, juce::dontSendNotification);
        s.setLookAndFeel (&laf);
        s.setBounds (0, 0, w, h);
        snapshot (s, background);            // lays out and records the slider's bounds
        s.showTextBox();
        auto image = snapshot (s, background);
        s.setLookAndFeel (nullptr);
        return image;
    }

    std::vector<Tile> textButtonTiles (juce::LookAndFeel& laf, const juce::String& text, int w, int h,
                                       juce::Colour background = QBColours::editorBackground)
    {
        struct State { const char* name; juce::Button::ButtonState state; bool toggled, enabled; };
        const State states[] = { { "idle", juce::Button::buttonNormal, false, true },
                                 { "hover", juce::Button::buttonOver, false, true },
                                 { "pressed", juce::Button::buttonDown, false, true },
                                 { "toggled", juce::Button::buttonNormal, true, true },
                                 { "toggled, pressed", juce::Button::buttonDown, true, true },
                                 { "disabled", juce::Button::buttonNormal, false, false } };
        std::vector<Tile> tiles;
        for (auto& st : states)
        {
            juce::TextButton b (text);
            b.setToggleState (st.toggled, juce::dontSendNotification);
            b.setEnabled (st.enabled);
            b.setState (st.state);
            tiles.push_back ({ st.name, drawnBy (laf, b, w, h, background) });
        }
        return tiles;
    }

    /** A combo box, and below it the real pop-up menu it opens, with one entry highlighted. */
    juce::Image comboWithMenu (juce::LookAndFeel& laf, juce::ComboBox& box, int w, int h, juce::Colour background)
    {
        juce::Component window;
        window.setBounds (100, 100, w + 40, h + 40);
        window.addAndMakeVisible (box);
        box.setLookAndFeel (&laf);
        box.setBounds (20, 20, w, h);
        window.addToDesktop (0);
        window.setVisible (true);

        box.showPopup();

        auto findMenu = [&window]() -> juce::Component*
        {
            for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
                if (auto* c = juce::Desktop::getInstance().getComponent (i); c != &window && c->isShowing())
                    return c;
            return nullptr;
        };

        juce::Component::SafePointer<juce::Component> menu;
        for (int attempt = 0; attempt < 100 && menu == nullptr; ++attempt)
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
            menu = findMenu();
        }

        juce::Image image;
        if (menu != nullptr)
        {
            // Highlight the second entry, as the arrow keys would.
            menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));
            menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));

            const auto open = snapshot (box, background);
            const auto menuImage = menu->createComponentSnapshot (menu->getLocalBounds(), false);

            image = blank (juce::jmax (w, menuImage.getWidth()), h + menuImage.getHeight(), background);
            juce::Graphics g (image);
            g.drawImageAt (open, 0, 0);
            g.drawImageAt (menuImage, 0, h);
        }
        else
        {
            image = blank (w, h, juce::Colours::red);
        }

        box.hidePopup();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        window.removeChildComponent (&box);
        box.setLookAndFeel (nullptr);

        return image;
    }

    std::vector<Tile> comboTiles (juce::LookAndFeel& laf, const juce::StringArray& items, int selected,
                                  int w, int h, juce::Colour background = QBColours::editorBackground)
    {
        std::vector<Tile> tiles;
        auto make = [&] (int index)
        {
            auto box = std::make_unique<juce::ComboBox>();
            box->addItemList (items, 1);
            box->setSelectedItemIndex (index, juce::dontSendNotification);
            return box;
        };

        for (int index : { 0, selected })
        {
            auto box = make (index);
            tiles.push_back ({ "closed, " + items[index], drawnBy (laf, *box, w, h, background) });
        }

        auto disabled = make (selected);
        disabled->setEnabled (false);
        tiles.push_back ({ "disabled", drawnBy (laf, *disabled, w, h, background) });

        auto open = make (selected);
        tiles.push_back ({ "open menu", comboWithMenu (laf, *open, w, h, background) });
        return tiles;
    }

    std::vector<Tile> toggleTiles (juce::LookAndFeel& laf, int w, int h, juce::Colour background)
    {
        struct State { const char* name; bool ticked, enabled; };
        const State states[] = { { "ticked", true, true }, { "unticked", false, true }, { "ticked, disabled", true, false } };
        std::vector<Tile> tiles;
        for (auto& st : states)
        {
            juce::ToggleButton t ("Channel 1");
            t.setColour (juce::ToggleButton::textColourId, QBColours::whiteText);
            t.setToggleState (st.ticked, juce::dontSendNotification);
            t.setEnabled (st.enabled);
            tiles.push_back ({ st.name, drawnBy (laf, t, w, h, background) });
        }
        return tiles;
    }

    juce::Image decoration (juce::Component& c, int w, int h, juce::Colour background)
    {
        c.setBounds (0, 0, w, h);
        return snapshot (c, background);
    }

    juce::Image imageButton (juce::LookAndFeel& laf, const juce::Drawable* normal, const juce::Drawable* down,
                             bool pressed, int w, int h)
    {
        juce::DrawableButton b ("presets", juce::DrawableButton::ImageFitted);
        b.setImages (normal, nullptr, down);
        b.setState (pressed ? juce::Button::buttonDown : juce::Button::buttonNormal);
        return drawnBy (laf, b, w, h, QBColours::headerColor);
    }

    //==============================================================================
    struct Page
    {
        juce::String file;
        juce::Image image;
    };

    std::vector<Page> render()
    {
        std::vector<Page> pages;
        const auto dark = QBColours::editorBackground, panel = QBColours::BGslidersRectangle;

        std::vector<Tile> icons;
        for (auto& p : iconPairs())
            icons.push_back ({ p.name, iconStrip (p) });
        pages.push_back ({ "icons", sheet ("Icons: normal and down/on partner at 16, 32 and 64 px", icons, 1500) });

        QBFilterRangeSliderLAF filterRange ("Filter Range");
        pages.push_back ({ "QBFilterRangeSliderLAF", sheet ("QBFilterRangeSliderLAF",
            sliderTiles (filterRange, juce::Slider::LinearBar, 0.0, 1.0, { 0.0, 0.35, 0.7, 1.0 }, 180, 30)) });

        QBDryWetSliderLAF dryWet;
        pages.push_back ({ "QBDryWetSliderLAF", sheet ("QBDryWetSliderLAF",
            sliderTiles (dryWet, juce::Slider::LinearBar, 0.0, 1.0, { 0.0, 0.2, 0.73, 0.999, 1.0 }, 130, 30)) });

        QBSliderNumOfSliderInSequenceLAF length;
        auto lengthTiles = sliderTiles (length, juce::Slider::LinearBar, 2.0, 64.0, { 2.0, 16.0, 64.0 }, 90, 30);
        lengthTiles.push_back ({ "typing a value", typingInto (length, 16.0, 90, 30, dark) });
        pages.push_back ({ "QBSliderNumOfSliderInSequenceLAF", sheet ("QBSliderNumOfSliderInSequenceLAF", lengthTiles) });

        QBInfinitySliderLAF repeats;
        auto repeatTiles = sliderTiles (repeats, juce::Slider::LinearBar, 1.0, 64.0, { 1.0, 8.0, 64.0 }, 70, 36);
        repeatTiles.push_back ({ "typing a value", typingInto (repeats, 8.0, 70, 36, dark) });
        pages.push_back ({ "QBInfinitySliderLAF", sheet ("QBInfinitySliderLAF", repeatTiles) });

        QBSequenceLengthLoopLAF loop;
        std::vector<Tile> loopTiles;
        for (auto range : { std::pair<double, double> { 0.0, 1.0 }, { 0.25, 0.6 }, { 0.5, 0.5 } })
        {
            juce::Slider s (juce::Slider::TwoValueHorizontal, juce::Slider::NoTextBox);
            s.setRange (0.0, 1.0);
            s.setMinAndMaxValues (range.first, range.second, juce::dontSendNotification);
            loopTiles.push_back ({ juce::String (range.first) + " .. " + juce::String (range.second), drawnBy (loop, s, 420, 14, panel) });
        }
        pages.push_back ({ "QBSequenceLengthLoopLAF", sheet ("QBSequenceLengthLoopLAF", loopTiles, 1100, panel) });

        QBTempoSliderLAF tempo;
        pages.push_back ({ "QBTempoSliderLAF", sheet ("QBTempoSliderLAF",
            sliderTiles (tempo, juce::Slider::LinearHorizontal, 20.0, 300.0, { 20.0, 120.0, 300.0 }, 220, 30, panel), 1100, panel) });

        QBTextButtonLAF text;
        pages.push_back ({ "QBTextButtonLAF", sheet ("QBTextButtonLAF", textButtonTiles (text, "Reset", 110, 30, panel), 1100, panel) });

        auto squeezed = textButtonTiles (text, "Reset all MIDI mappings", 150, 30, panel);
        squeezed.resize (3);
        pages.push_back ({ "QBTextButtonLAF-long-label", sheet ("QBTextButtonLAF, a label longer than the button", squeezed, 1100, panel) });

        QBPresetsButtonBottomLAF presets;
        pages.push_back ({ "QBPresetsButtonBottomLAF", sheet ("QBPresetsButtonBottomLAF", textButtonTiles (presets, "Save", 90, 30)) });

        QBFastPresetsNumberButtonBottomLAF fast;
        pages.push_back ({ "QBFastPresetsNumberButtonBottomLAF", sheet ("QBFastPresetsNumberButtonBottomLAF", textButtonTiles (fast, "7", 30, 30)) });

        QBHeaderButtonLAF header;
        auto headerTiles = textButtonTiles (header, "Presets", 90, 30, QBColours::headerColor);
        auto& img = QBImages::images();
        headerTiles.push_back ({ "image, idle", imageButton (header, img.presetsImage.get(), img.presetsImageDown.get(), false, 50, 36) });
        headerTiles.push_back ({ "image, pressed", imageButton (header, img.presetsImage.get(), img.presetsImageDown.get(), true, 50, 36) });
        pages.push_back ({ "QBHeaderButtonLAF", sheet ("QBHeaderButtonLAF", headerTiles, 1100, QBColours::headerColor) });

        QBTempoLabelLAF tempoLabel;
        pages.push_back ({ "QBTempoLabelLAF", sheet ("QBTempoLabelLAF", textButtonTiles (tempoLabel, "120.0 BPM", 110, 30, QBColours::headerColor), 1100, QBColours::headerColor) });

        QBIncDecButtonsLAF left (true), right (false);
        std::vector<Tile> chevrons;
        for (auto* laf : { &left, &right })
            for (auto pressed : { false, true })
            {
                juce::TextButton b;
                b.setState (pressed ? juce::Button::buttonDown : juce::Button::buttonNormal);
                chevrons.push_back ({ juce::String (laf->pointsLeft ? "left" : "right") + (pressed ? ", pressed" : ", idle"),
                                      drawnBy (*laf, b, 24, 30) });
            }
        pages.push_back ({ "QBIncDecButtonsLAF", sheet ("QBIncDecButtonsLAF", chevrons) });

        const juce::StringArray quantise { "1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/4 T", "1/8 T", "1/16 T" };
        QBComboBoxLAF rimLit (true), plain (false);
        pages.push_back ({ "QBComboBoxLAF-rimLit", sheet ("QBComboBoxLAF, rim-lit", comboTiles (rimLit, quantise, 3, 130, 30)) });
        pages.push_back ({ "QBComboBoxLAF-plain", sheet ("QBComboBoxLAF, plain", comboTiles (plain, { "OMNI", "1", "2", "3", "4", "5" }, 2, 130, 30, panel), 1100, panel) });

        QBFastPresetComboLAF fastCombo;
        juce::StringArray slots { "-" };
        for (int i = 1; i <= 16; ++i)
            slots.add (juce::String (i));
        pages.push_back ({ "QBFastPresetComboLAF", sheet ("QBFastPresetComboLAF", comboTiles (fastCombo, slots, 5, 44, 26, panel), 1100, panel) });

        QBSettingsLAF settings;
        auto settingsTiles = comboTiles (settings, { "Default output", "Built-in audio", "JACK" }, 1, 220, 40, panel);
        juce::Label label ({}, "Output:");
        label.setColour (juce::Label::textColourId, QBColours::whiteText);
        settingsTiles.push_back ({ "label", drawnBy (settings, label, 120, 30, panel) });
        for (auto& t : toggleTiles (settings, 160, 26, panel))
            settingsTiles.push_back (t);
        pages.push_back ({ "QBSettingsLAF", sheet ("QBSettingsLAF", settingsTiles, 1100, panel) });

        QBListBoxLAF list;
        pages.push_back ({ "QBListBoxLAF", sheet ("QBListBoxLAF", toggleTiles (list, 160, 26, panel), 1100, panel) });

        QBTopLineSeparator separator;
        QBBackButton_onlyUI filterPlate;
        QBBackCirculaForButton_onlyUI directionPlate;
        QBCircularBGWIthSpecNextBackSeq movePlate;
        pointEllipseSelected dotOn, dotOff;
        dotOn.selected = true;
        pages.push_back ({ "decorations", sheet ("Decorative components", {
            { "QBTopLineSeparator", decoration (separator, 400, 4, QBColours::headerColor) },
            { "QBBackButton_onlyUI", decoration (filterPlate, 60, 60, panel) },
            { "QBBackCirculaForButton_onlyUI", decoration (directionPlate, 180, 44, panel) },
            { "QBCircularBGWIthSpecNextBackSeq", decoration (movePlate, 44, 44, dark) },
            { "pointEllipseSelected, on", decoration (dotOn, 8, 8, dark) },
            { "pointEllipseSelected, off", decoration (dotOff, 8, 8, dark) } }, 1100, panel) });

        return pages;
    }

    juce::Image contactSheet (const std::vector<Page>& pages)
    {
        int w = 0, h = gap;
        for (auto& p : pages) { w = juce::jmax (w, p.image.getWidth()); h += p.image.getHeight() + 2; }

        auto image = blank (w, h, QBColours::sliderBGBlackColour);
        juce::Graphics g (image);
        int y = gap / 2;
        for (auto& p : pages)
        {
            g.drawImageAt (p.image, 0, y);
            y += p.image.getHeight() + 2;
        }
        return image;
    }
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    tessaline::test::tolerateBareXServer();

    const juce::File out = juce::File::getCurrentWorkingDirectory().getChildFile (argc > 1 ? argv[1] : "build/gallery");
    out.createDirectory();

    const auto pages = render();
    for (auto& p : pages)
        save (p.image, out.getChildFile (p.file + ".png"));

    for (auto& pair : iconPairs())
        save (iconStrip (pair), out.getChildFile ("icon-" + juce::String (pair.name).upToFirstOccurrenceOf (" ", false, false) + ".png"));

    save (contactSheet (pages), out.getChildFile ("contact-sheet.png"));
    std::printf ("gallery written to %s\n", out.getFullPathName().toRawUTF8());

    juce::DeletedAtShutdown::deleteAll();
    return 0;
}
