#pragma once

#include <juce_graphics/juce_graphics.h>

/** The two embedded weights of the window's typeface.

    One holder exists per process, created by the first font request and kept
    until exit. Fonts are handed out as copies of the two held fonts, so a
    request never touches the font data again.
*/
class QBFonts
{
public:
    /** The single holder, created on first call. */
    static QBFonts& fonts();

    /** The book weight at `height` (clamped by JUCE to 0.1 ... 10000), kerned by 0.1. */
    static juce::Font revereveBook (float height);

    /** The bold weight at `height` (clamped by JUCE to 0.1 ... 10000), kerned by 0.1. */
    static juce::Font revereveBold (float height);

    QBFonts (const QBFonts&) = delete;
    QBFonts& operator= (const QBFonts&) = delete;

private:
    QBFonts();

    static juce::Font sized (const juce::Font& face, float height);

    juce::Font bold;
    juce::Font book;
};
