#include "QBInfoPanel.h"

#include "QBColours.h"
#include "QBFonts.h"

const juce::String QBInfoPanel::webAddress { "https://tessaline.audio" };

namespace
{
    // The credits: the roles of the people behind the program, each under the
    // project's own name. Heights are fractions of the panel's height.
    struct Row
    {
        float height;
        const char* text;       // nullptr: a gap
        float fontHeight;       // 0: keep the font in force
        bool grey;
    };

    const Row creditRows[] = {
        { 0.06f,  nullptr, 0.0f, false },
        { 0.04f,  "Lead Developer", 0.03f, true },
        { 0.055f, "The Tessaline engine team", 0.035f, false },
        { 0.05f,  nullptr, 0.0f, false },
        { 0.055f, "UI + Visual Design", 0.03f, true },
        { 0.055f, "The Tessaline interface team", 0.035f, false },
        { 0.055f, "The Tessaline visual design team", 0.035f, false },
        { 0.05f,  nullptr, 0.0f, false },
        { 0.04f,  "Administrative Assistant", 0.03f, true },
        { 0.055f, "The Tessaline project office", 0.035f, false },
        { 0.06f,  nullptr, 0.0f, false },
        { 0.055f, "Special thanks to all Beta testers!", 0.035f, false },
        { 0.10f,  nullptr, 0.0f, false },
    };
}

juce::String QBInfoPanel::copyrightNotice()
{
    // __DATE__ is "Mmm dd yyyy": the year the program was built, not today's.
    // The window's typeface carries no copyright sign: the word stands in for it.
    return "Copyright " + juce::String (__DATE__).getLastCharacters (4) + " Tessaline. All rights reserved.";
}

QBInfoPanel::QBInfoPanel()
{
    closeArea.onClick = [this] { listeners.call ([] (Listener& l) { l.clickOverInfoPanelToClose(); }); };
    addAndMakeVisible (closeArea);

    addAndMakeVisible (webLink);
}

void QBInfoPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    closeArea.setBounds (0, 0, W, H);

    const int c = (int) (0.016f * (float) W);
    const int d = juce::jmax (0, H - c);
    const int b = juce::jmin ((int) (0.18f * (float) H), d);
    webLink.setBounds (c, d - b, juce::jmax (0, W - 2 * c), b);
}

void QBInfoPanel::paint (juce::Graphics& g)
{
    const float W = (float) getWidth(), H = (float) getHeight();

    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (0.0f, 0.0f, W, H, 0.01f * W);

    const float t = 0.156f * H;
    g.setFont (QBFonts::revereveBook (0.04f * H));
    g.setColour (QBColours::yellowFilterColour);
    g.drawText ("Tessaline 1.0", juce::Rectangle<float> (0.0f, 0.01f * H, W, juce::jmax (0.0f, t - 0.01f * H)),
                juce::Justification::centred, true);

    const float L = 0.016f * W;
    auto box = juce::Rectangle<float> (L, t, juce::jmax (0.0f, W - 2.0f * L), juce::jmax (0.0f, H - t - L));
    g.setColour (QBColours::editorBackground);
    g.fillRoundedRectangle (box, 0.02f * box.getHeight());

    const auto drawRow = [&g, &box, H] (float height, const juce::String& text)
    {
        const auto row = box.removeFromTop (juce::jmin (height * H, box.getHeight()));

        if (text.isNotEmpty())
            g.drawText (text, row, juce::Justification::centred, true);
    };

    for (const auto& row : creditRows)
    {
        if (row.fontHeight > 0.0f)
        {
            g.setFont (QBFonts::revereveBook (row.fontHeight * H));
            g.setColour (row.grey ? QBColours::greyText : QBColours::whiteText);
        }

        drawRow (row.height, row.text != nullptr ? juce::String (row.text) : juce::String());
    }

    g.setFont (QBFonts::revereveBook (0.028f * H));
    g.setColour (QBColours::greyText);
    drawRow (0.04f, copyrightNotice());
    drawRow (0.04f, webAddress.fromFirstOccurrenceOf ("://", false, false));
}
