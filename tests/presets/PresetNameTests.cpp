// How preset names sit in the state tree: names that are safe XML names are
// stored as typed, anything else in a reversible form that the state's XML
// carries through a save and a parse.

#include <gtest/gtest.h>
#include <juce_data_structures/juce_data_structures.h>

#include "QBPresetStore.h"

namespace
{
    juce::String emoji()             { return juce::String (juce::CharPointer_UTF8 ("\xf0\x9f\x8e\x9b\xef\xb8\x8f knobs")); }
    juce::String unicode()           { return juce::String (juce::CharPointer_UTF8 ("\xc3\x9cn\xc3\xaf""c\xc3\xb8""d\xc3\xa9")); }
    juce::String longName()          { return juce::String::repeatedString ("Long name ", 50); }

    juce::StringArray hostileNames()
    {
        return { "My preset", "<a>", "say \"hi\" 'there'", "Rock & Roll", "1st", "xmlName", "XmlHeader",
                 unicode(), emoji(), longName(), "PARAM", "P-41", "a-b.c:d", " " };
    }
}

TEST (PresetNames, SafeNamesAreStoredAsTyped)
{
    for (const auto* name : { "Preset_1", "_hidden", "abc123", "PARAMS", "Xm", "x" })
    {
        SCOPED_TRACE (name);
        EXPECT_EQ (QBPresetStore::typeForName (name).toString(), juce::String (name));
        EXPECT_EQ (QBPresetStore::nameForType (juce::Identifier (name)), juce::String (name));
    }
}

TEST (PresetNames, OtherNamesBecomeValidXmlNamesAndComeBackExactly)
{
    juce::StringArray types;

    for (const auto& name : hostileNames())
    {
        SCOPED_TRACE (name.toStdString());
        const auto type = QBPresetStore::typeForName (name).toString();

        EXPECT_NE (type, name);
        EXPECT_NE (type, "PARAM");
        EXPECT_TRUE (juce::XmlElement::isValidXmlName (type)) << type;
        EXPECT_FALSE (type.startsWithIgnoreCase ("xml")) << type;
        EXPECT_TRUE (type.containsChar ('-')) << "a stored-as-typed name never holds a hyphen";
        EXPECT_EQ (QBPresetStore::nameForType (type), name);
        types.add (type);
    }

    types.removeDuplicates (false);
    EXPECT_EQ (types.size(), hostileNames().size()) << "two names share one stored form";
    EXPECT_FALSE (QBPresetStore::typeForName ({}).isValid());
}

TEST (PresetNames, TypesThatAreNotOursShowAsTheyAre)
{
    // From a state written by hand or by a damaged file: never decoded into nonsense.
    for (const auto* type : { "P-", "P-4", "P-zz", "P-c3", "P-00", "P-ABCD", "Q-41" })
        EXPECT_EQ (QBPresetStore::nameForType (juce::Identifier (type)), juce::String (type)) << type;
}

TEST (PresetNames, EveryNameSurvivesTheStatesXml)
{
    juce::ValueTree root ("PARAMETERS");
    root.appendChild (juce::ValueTree ("PARAM"), nullptr);

    for (const auto& name : hostileNames())
        root.appendChild (juce::ValueTree (QBPresetStore::typeForName (name)).setProperty ("fader0", 0.5, nullptr),
                          nullptr);

    const auto text = root.createXml()->toString();
    const auto parsed = juce::parseXML (text);
    ASSERT_NE (parsed, nullptr) << text;
    const auto restored = juce::ValueTree::fromXml (*parsed);

    juce::StringArray names;
    for (const auto& preset : QBPresetStore::presets (restored))
        names.add (QBPresetStore::nameForType (preset.getType()));

    EXPECT_EQ (names, hostileNames());
    EXPECT_DOUBLE_EQ ((double) QBPresetStore::find (restored, emoji())["fader0"], 0.5);
}

TEST (PresetTree, RowsCountOnlyPresetsWhereverTheParametersSit)
{
    // Parameters before, between and after the presets: row r is still the r-th preset.
    juce::ValueTree root ("PARAMETERS");

    for (const auto* type : { "PARAM", "A", "PARAM", "PARAM", "B", "C", "PARAM" })
        root.appendChild (juce::ValueTree (type), nullptr);

    EXPECT_TRUE (QBPresetStore::removeRow (root, 1));
    EXPECT_FALSE (QBPresetStore::removeRow (root, 2));
    EXPECT_FALSE (QBPresetStore::removeRow (root, -1));

    juce::StringArray left;
    for (const auto& child : root)
        left.add (child.getType().toString());

    EXPECT_EQ (left, juce::StringArray ({ "PARAM", "A", "PARAM", "PARAM", "C", "PARAM" }));
}

TEST (PresetTree, WritingANameFillsEveryChildOfThatName)
{
    juce::ValueTree root ("PARAMETERS");

    for (const auto* type : { "PARAM", "Same", "Other", "Same" })
        root.appendChild (juce::ValueTree (type), nullptr);

    juce::ValueTree values ("preset");
    values.setProperty ("fader0", 0.25, nullptr).setProperty ("lock0", true, nullptr);

    EXPECT_EQ (QBPresetStore::writeAll (root, "Same", values), 2);

    for (int i : { 1, 3 })
    {
        EXPECT_EQ (root.getChild (i).getNumProperties(), 2);
        EXPECT_EQ (root.getChild (i).getPropertyName (0).toString(), "fader0");
    }

    EXPECT_EQ (root.getChild (2).getNumProperties(), 0);
}
