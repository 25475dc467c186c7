#pragma once

#include <juce_core/juce_core.h>

/** Text from outside (a host's state blob, the settings file) is checked before
    the framework's XML parser sees it. That parser reads past the end of text
    that is not valid UTF-8, and loops for ever on a processing instruction
    ("<?...?>") followed by text inside an element. Nothing this program writes
    holds either: its only processing instruction is the declaration at the
    start, and '<' inside values is always escaped. */
namespace QBSafeXml
{
    /** True when `numBytes` bytes of `utf8` are valid UTF-8 and hold no processing
        instruction but a leading declaration. */
    inline bool canParse (const char* utf8, int numBytes)
    {
        if (utf8 == nullptr || numBytes <= 0)
            return true;

        if (! juce::CharPointer_UTF8::isValidString (utf8, numBytes))
            return false;

        const auto* end = utf8 + numBytes;
        const auto* p = utf8;

        // The declaration, after any leading whitespace.
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
            ++p;

        if (end - p >= 2 && p[0] == '<' && p[1] == '?')
        {
            const auto* close = std::search (p + 2, end, "?>", "?>" + 2);

            if (close == end)
                return false;

            p = close + 2;
        }

        const char pi[] = "<?";
        return std::search (p, end, pi, pi + 2) == end;
    }

    inline bool canParse (const juce::String& text)
    {
        return canParse (text.toRawUTF8(), (int) text.getNumBytesAsUTF8());
    }
}
