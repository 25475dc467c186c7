#include "QBPresetStore.h"

#include <string>

namespace
{
    const juce::Identifier paramType { "PARAM" };
    constexpr const char* encodedPrefix = "P-";

    bool isAsciiLetter (juce::juce_wchar c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    bool isAsciiDigit (juce::juce_wchar c) noexcept  { return c >= '0' && c <= '9'; }

    /** Letters, digits and underscores, not starting with a digit or "xml",
        and not the parameters' own type. */
    bool isStoredAsTyped (const juce::String& name)
    {
        if (name.isEmpty() || name == paramType.toString() || name.startsWithIgnoreCase ("xml"))
            return false;

        auto p = name.getCharPointer();

        if (! (isAsciiLetter (*p) || *p == '_'))
            return false;

        for (; ! p.isEmpty(); ++p)
            if (! (isAsciiLetter (*p) || isAsciiDigit (*p) || *p == '_'))
                return false;

        return true;
    }

    int hexValue (juce::juce_wchar c) noexcept
    {
        if (isAsciiDigit (c))
            return (int) (c - '0');

        if (c >= 'a' && c <= 'f')
            return (int) (c - 'a') + 10;

        return -1;
    }
}

juce::Identifier QBPresetStore::typeForName (const juce::String& name)
{
    if (name.isEmpty())
        return {};

    if (isStoredAsTyped (name))
        return name;

    const auto utf8 = name.toUTF8();
    return encodedPrefix + juce::String::toHexString (utf8.getAddress(), (int) utf8.sizeInBytes() - 1, 0);
}

juce::String QBPresetStore::nameForType (const juce::Identifier& type)
{
    const auto text = type.toString();

    if (! text.startsWith (encodedPrefix))
        return text;

    const auto hex = text.substring (2);

    if (hex.isEmpty() || hex.length() % 2 != 0)
        return text;

    std::string bytes;
    bytes.reserve ((size_t) hex.length() / 2);

    for (auto p = hex.getCharPointer(); ! p.isEmpty();)
    {
        const int hi = hexValue (p.getAndAdvance());
        const int lo = hexValue (p.getAndAdvance());

        if (hi < 0 || lo < 0)
            return text;

        bytes.push_back ((char) (hi * 16 + lo));
    }

    if (bytes.find ('\0') != std::string::npos
        || ! juce::CharPointer_UTF8::isValidString (bytes.data(), (int) bytes.size()))
        return text;

    return juce::String::fromUTF8 (bytes.data(), (int) bytes.size());
}

bool QBPresetStore::isPreset (const juce::ValueTree& child)
{
    return child.isValid() && child.getType() != paramType;
}

juce::Array<juce::ValueTree> QBPresetStore::presets (const juce::ValueTree& root)
{
    juce::Array<juce::ValueTree> result;

    for (const auto& child : root)
        if (isPreset (child))
            result.add (child);

    return result;
}

juce::ValueTree QBPresetStore::find (const juce::ValueTree& root, const juce::String& name)
{
    if (name.isEmpty())
        return {};

    return root.getChildWithName (typeForName (name));
}

int QBPresetStore::writeAll (juce::ValueTree& root, const juce::String& name, const juce::ValueTree& values)
{
    if (name.isEmpty())
        return 0;

    const auto type = typeForName (name);
    int written = 0;

    for (auto child : root)
    {
        if (child.getType() == type)
        {
            child.copyPropertiesFrom (values, nullptr);
            ++written;
        }
    }

    return written;
}

bool QBPresetStore::removeRow (juce::ValueTree& root, int row)
{
    if (row < 0)
        return false;

    int r = 0;

    for (int i = 0; i < root.getNumChildren(); ++i)
    {
        if (! isPreset (root.getChild (i)))
            continue;

        if (r++ == row)
        {
            root.removeChild (i, nullptr);
            return true;
        }
    }

    return false;
}

//==============================================================================
namespace
{
    juce::Identifier numbered (const char* name, int index) { return name + juce::String (index); }
}

juce::Identifier QBPresetStore::fastPresetList (int row)          { return numbered ("FastPresetList", row); }
juce::Identifier QBPresetStore::fastPresetState (int slot)        { return numbered ("fastPresetState", slot); }
juce::Identifier QBPresetStore::fastPresetNameAssigned (int slot) { return numbered ("fastPresetNameAssigned", slot); }
juce::Identifier QBPresetStore::fastPresetIsSelected (int slot)   { return numbered ("fastPresetIsSelected", slot); }
juce::Identifier QBPresetStore::comboBoxFastArraySize()           { return "ComboBoxFastArraySize"; }

juce::Array<int> QBPresetStore::slotsOfRows (const juce::ValueTree& root)
{
    const int rows = presets (root).size();
    const int n = juce::jlimit (0, rows, (int) root[comboBoxFastArraySize()]);
    juce::Array<int> slots;

    for (int r = 0; r < rows; ++r)
    {
        const int slot = r < n ? (int) root[fastPresetList (r)] : -1;
        slots.add (isSlot (slot) && ! slots.contains (slot) ? slot : -1);
    }

    return slots;
}

void QBPresetStore::writeBookkeeping (juce::ValueTree& root, const juce::Array<int>& rowSlots,
                                      const juce::StringArray* names, const std::function<bool (int)>& isAssigned)
{
    if (names != nullptr)
        for (int s = 0; s < names->size(); ++s)
            root.setProperty (fastPresetNameAssigned (s), (*names)[s], nullptr);

    for (int r = 0; r < rowSlots.size(); ++r)
        rewrite (root, fastPresetList (r), rowSlots[r]);

    if (names != nullptr)
        root.setProperty (comboBoxFastArraySize(), rowSlots.size(), nullptr);

    for (int s = 0; s < numSlots; ++s)
        rewrite (root, fastPresetState (s), isAssigned (s));
}

void QBPresetStore::rewrite (juce::ValueTree& root, const juce::Identifier& property, const juce::var& value)
{
    root.removeProperty (property, nullptr);
    root.setProperty (property, value, nullptr);
}
