#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <functional>

namespace tessaline::test
{
    /** Paints into a fresh transparent image of the given size. */
    inline juce::Image paintImage (int width, int height, const std::function<void (juce::Graphics&)>& paint)
    {
        juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        paint (g);
        return image;
    }

    /** Paints a component and its children, as the screen would show it. */
    inline juce::Image paintComponent (juce::Component& c)
    {
        return paintImage (c.getWidth(), c.getHeight(), [&c] (juce::Graphics& g) { c.paintEntireComponent (g, false); });
    }

    /** True when the two colours differ by at most `tolerance` in every channel. */
    inline bool near (juce::Colour a, juce::Colour b, int tolerance = 2)
    {
        auto close = [tolerance] (juce::uint8 x, juce::uint8 y) { return std::abs ((int) x - (int) y) <= tolerance; };
        return close (a.getAlpha(), b.getAlpha()) && close (a.getRed(), b.getRed())
            && close (a.getGreen(), b.getGreen()) && close (a.getBlue(), b.getBlue());
    }

    /** The smallest rectangle holding every pixel that `match` accepts (empty when none does). */
    inline juce::Rectangle<int> boundsWhere (const juce::Image& image, const std::function<bool (juce::Colour)>& match)
    {
        juce::Rectangle<int> found;
        bool any = false;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (match (image.getPixelAt (x, y)))
                {
                    const juce::Rectangle<int> pixel (x, y, 1, 1);
                    found = any ? found.getUnion (pixel) : pixel;
                    any = true;
                }

        return found;
    }

    /** How many pixels `match` accepts. */
    inline int countWhere (const juce::Image& image, const std::function<bool (juce::Colour)>& match)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += match (image.getPixelAt (x, y)) ? 1 : 0;
        return n;
    }

    inline bool sameImage (const juce::Image& a, const juce::Image& b)
    {
        if (a.getBounds() != b.getBounds())
            return false;

        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }
}
