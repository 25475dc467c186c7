#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** How presets sit in the state tree: one child of the root per preset, after
    the parameters' "PARAM" children, whose type is the preset's name.

    A name becomes an XML element name when the state is saved, so only names
    that are already safe XML names are stored as typed ("Preset_1"). Any other
    name (spaces, punctuation, a leading digit, a leading "xml", letters outside
    ASCII, or "PARAM" itself) is stored as "P-" followed by the hexadecimal
    digits of its UTF-8 bytes. The hyphen can never appear in a name stored as
    typed, so the two forms never meet, and decoding gives back exactly what
    the user typed. */
struct QBPresetStore
{
    /** The child type under which a preset called `name` is stored; invalid for an empty name. */
    static juce::Identifier typeForName (const juce::String& name);

    /** The name a preset child's type stands for. */
    static juce::String nameForType (const juce::Identifier& type);

    /** True for a child of the root that is a preset rather than a parameter. */
    static bool isPreset (const juce::ValueTree& child);

    /** The preset children of `root`, in order: row r of the presets list is entry r. */
    static juce::Array<juce::ValueTree> presets (const juce::ValueTree& root);

    /** The first preset called `name`, or an invalid tree. */
    static juce::ValueTree find (const juce::ValueTree& root, const juce::String& name);

    /** Gives every preset called `name` exactly the properties of `values`, in
        their order. Returns how many children were written. */
    static int writeAll (juce::ValueTree& root, const juce::String& name, const juce::ValueTree& values);

    /** Removes the preset of list row `row`; false if there is no such row. */
    static bool removeRow (juce::ValueTree& root, int row);

    //==============================================================================
    // The fast-preset bookkeeping: root properties, written without the undo manager.
    static juce::Identifier fastPresetList (int row);
    static juce::Identifier fastPresetState (int slot);
    static juce::Identifier fastPresetNameAssigned (int slot);
    static juce::Identifier fastPresetIsSelected (int slot);
    static juce::Identifier comboBoxFastArraySize();

    static constexpr int numSlots = 16;
    static bool isSlot (int slot) noexcept { return slot >= 0 && slot < numSlots; }

    /** The slot of each row of the presets list, as stored. The bookkeeping may
        come from outside: one entry per row, each slot 0 … 15 and held by one
        row at most; anything else reads as -1, "no slot". */
    static juce::Array<int> slotsOfRows (const juce::ValueTree& root);

    /** Writes the bookkeeping of the list's rows (`rowSlots`, one slot or -1 per
        row) and of the bar's slots; with `names`, also the slot names and the
        number of rows. */
    static void writeBookkeeping (juce::ValueTree& root, const juce::Array<int>& rowSlots,
                                  const juce::StringArray* names, const std::function<bool (int)>& isAssigned);

    /** Removes a property and sets it again, so it moves to the end of the root's list. */
    static void rewrite (juce::ValueTree& root, const juce::Identifier& property, const juce::var& value);
};
