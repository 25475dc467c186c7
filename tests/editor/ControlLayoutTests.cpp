#include "EditorTestHelpers.h"

using namespace tessaline::test;

namespace
{
    struct Expected
    {
        const char* name;
        juce::Rectangle<int> at1024, at820;
    };

    juce::Component& control (VornicAudioProcessorEditor& e, const juce::String& name)
    {
        juce::Component* const controls[] = {
            &e.dice, &e.directionButtons, &e.resetSequenceButton, &e.filterRangeSlider, &e.resonanceSlider,
            &e.smootherSlider, &e.typeOfFilterButton, &e.quantizeComboBox, &e.lockAndResetButtons,
            &e.moveSeqBackPlate, &e.moveSeqBackButton, &e.moveSeqNextPlate, &e.moveSeqNextButton,
            &e.bypassButtons, &e.infiniteButtons, &e.infiniteButtons.decreaseButton,
            &e.infiniteButtons.increaseButton, &e.dryWetSlider, &e.wetImage, &e.presetsLabel,
        };
        const char* const names[] = {
            "dice", "directionButtons", "resetSequenceButton", "filterRangeSlider", "resonanceSlider",
            "smootherSlider", "typeOfFilterButton", "quantizeComboBox", "lockAndResetButtons",
            "moveSeqBackPlate", "moveSeqBackButton", "moveSeqNextPlate", "moveSeqNextButton",
            "bypassButtons", "infiniteButtons", "decreaseButton",
            "increaseButton", "dryWetSlider", "wetImage", "presetsLabel",
        };

        for (size_t i = 0; i < std::size (names); ++i)
            if (name == names[i])
                return *controls[i];

        ADD_FAILURE() << "no control " << name;
        return e;
    }

    // Worked out by hand from the proportions, in single precision; halves round to even, as juce::roundToInt does.
    const Expected layoutTable[] = {
        { "dice",                  { 471, 110, 83, 83 }, { 377, 88, 67, 67 } },
        { "directionButtons",      { 425, 82, 124, 139 }, { 340, 66, 100, 112 } },
        { "resetSequenceButton",   { 567, 137, 27, 27 }, { 454, 110, 22, 22 } },
        { "filterRangeSlider",     { 137, 203, 179, 31 }, { 109, 162, 143, 25 } },
        { "resonanceSlider",       { 137, 244, 179, 31 }, { 109, 195, 143, 25 } },
        { "smootherSlider",        { 137, 162, 179, 31 }, { 109, 130, 143, 25 } },
        { "typeOfFilterButton",    { 62, 131, 153, 174 }, { 50, 104, 123, 140 } },
        { "quantizeComboBox",      { 348, 244, 102, 31 }, { 278, 195, 82, 25 } },
        { "lockAndResetButtons",   { 573, 244, 102, 31 }, { 459, 195, 82, 25 } },
        { "moveSeqBackPlate",      { 24, 481, 28, 28 }, { 19, 386, 22, 22 } },
        { "moveSeqBackButton",     { 28, 486, 18, 18 }, { 22, 390, 14, 14 } },
        { "moveSeqNextPlate",      { 968, 481, 28, 28 }, { 776, 386, 22, 22 } },
        { "moveSeqNextButton",     { 974, 486, 18, 18 }, { 780, 390, 14, 14 } },
        { "bypassButtons",         { 860, 203, 87, 31 }, { 690, 162, 69, 25 } },
        { "infiniteButtons",       { 860, 162, 87, 31 }, { 690, 130, 69, 25 } },
        { "decreaseButton",        { 834, 170, 15, 15 }, { 669, 136, 12, 12 } },
        { "increaseButton",        { 958, 170, 15, 15 }, { 768, 136, 12, 12 } },
        { "dryWetSlider",          { 753, 244, 194, 31 }, { 604, 195, 155, 25 } },
        { "wetImage",              { 714, 244, 31, 31 }, { 573, 195, 25, 25 } },
        { "presetsLabel",          { 48, 696, 81, 69 }, { 38, 556, 65, 56 } },
    };

    void expectNoNegativeSizes (const juce::Component& c, const juce::String& where)
    {
        EXPECT_GE (c.getWidth(), 0) << c.getName() << " " << where;
        EXPECT_GE (c.getHeight(), 0) << c.getName() << " " << where;

        for (auto* child : c.getChildren())
            expectNoNegativeSizes (*child, where);
    }
}

TEST (ControlLayout, BoundsAtBothStandardSizes)
{
    OpenEditor e;

    for (const bool compact : { false, true })
    {
        e.editor->setSize (compact ? 820 : 1024, compact ? 615 : 768);

        for (const auto& row : layoutTable)
            EXPECT_EQ (control (*e.editor, row.name).getBounds(), compact ? row.at820 : row.at1024)
                << row.name << (compact ? " at 820 x 615" : " at 1024 x 768");
    }
}

TEST (ControlLayout, TinyAndOddHostSizesGiveNoNegativeSizesInsideTheControls)
{
    OpenEditor e;

    for (const auto size : { juce::Point<int> { 204, 153 }, { 1, 1 }, { 0, 0 }, { 300, 12 }, { 12, 3000 } })
    {
        e.editor->setSize (size.x, size.y);

        for (const auto& row : layoutTable)
            expectNoNegativeSizes (control (*e.editor, row.name), "at " + size.toString());
    }
}

TEST (ControlLayout, TheSelectorsPlaceTheirButtonsOnTheirPlates)
{
    OpenEditor e;
    auto& type = e.editor->typeOfFilterButton;
    auto& direction = e.editor->directionButtons;

    // Top to bottom: high-pass, band-pass, low-pass; forward, ping-pong, backward.
    const juce::Component* typeButtons[] = { type.highPassButton.get(), type.bandPassButton.get(), type.lowPassButton.get() };
    const juce::Component* directionButtons[] = { direction.forwardButton.get(), direction.pingPongButton.get(),
                                                  direction.backwardButton.get() };

    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_TRUE (type.plates[i].getBounds().contains (typeButtons[i]->getBounds())) << i;
        const auto dot = type.dots[i]->getBounds();
        EXPECT_LT (dot.getRight(), type.plates[i].getX()) << "the dot sits left of its plate, " << i;
        EXPECT_TRUE (juce::Range<int> (dot.getY(), dot.getBottom() + 1).contains (type.plates[i].getBounds().getCentreY()))
            << "level with it, " << i;
        EXPECT_TRUE (direction.plates[i]->getBounds().contains (directionButtons[i]->getBounds())) << i;

        if (i > 0)
        {
            EXPECT_GT (type.plates[i].getY(), type.plates[i - 1].getBottom()) << "plates do not overlap";
            EXPECT_GT (direction.plates[i]->getY(), direction.plates[i - 1]->getBottom()) << "plates do not overlap";
        }
    }
}
