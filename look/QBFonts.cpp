#include "QBFonts.h"

#include <BinaryData.h>

namespace
{
    juce::Font fontFromData (const char* data, int size)
    {
        return juce::Font (juce::Typeface::createSystemTypefaceFor (data, (size_t) size));
    }
}

QBFonts::QBFonts()
    : bold (fontFromData (BinaryData::InterExtraBold_otf, BinaryData::InterExtraBold_otfSize)),
      book (fontFromData (BinaryData::InterSemiBold_otf, BinaryData::InterSemiBold_otfSize))
{
}

QBFonts& QBFonts::fonts()
{
    static QBFonts instance;
    return instance;
}

juce::Font QBFonts::sized (const juce::Font& face, float height)
{
    auto font = face;
    font.setHeight (height);
    font.setExtraKerningFactor (0.1f);
    return font;
}

juce::Font QBFonts::revereveBook (float height) { return sized (fonts().book, height); }
juce::Font QBFonts::revereveBold (float height) { return sized (fonts().bold, height); }
