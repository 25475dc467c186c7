#pragma once

#include <juce_graphics/juce_graphics.h>

/** The window's palette. Every drawing rule takes its colours from here.

    Some entries share a value but name different roles; keep them apart so
    that one role can change without the other.
*/
namespace QBColours
{
    static const juce::Colour editorBackground      { 0xff2d343c };
    static const juce::Colour headerColor           { 0xff2d343c };
    static const juce::Colour BGslidersRectangle    { 0xff22272b };
    static const juce::Colour yellowFilterColour    { 0xffffbe00 };
    static const juce::Colour whiteText             { 0xffeeeeee };
    static const juce::Colour greyText              { 0xff888888 };
    static const juce::Colour darkText              { 0xff222327 };
    static const juce::Colour darkGreyText          { 0xff484c55 };
    static const juce::Colour selectedControl       { 0xff646a76 };
    static const juce::Colour sliderInactive        { 0xff484c55 };
    static const juce::Colour sliderBGBlackColour   { 0xff1a1f23 };
    static const juce::Colour sliderBGNoBlackColour { 0xff1a1f23 };
    static const juce::Colour sliderFilterActive    { 0xff3c434b };
    static const juce::Colour sliderFilterBlackNote { 0xff666d77 };
    static const juce::Colour tempoSliderInactive   { 0xff5a5a5a };
    static const juce::Colour tempoSliderThumb      { 0xffeeeeee };
}
