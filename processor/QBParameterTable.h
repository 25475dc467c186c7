#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** The processor's twelve parameters as hosts see them: their IDs, names,
    classes, ranges and defaults (fixed: saved projects and the editor's
    attachments rely on them), and what each one is, so that a host's generic
    editor, its automation lanes and its text entry show and take "1/16",
    "Low-pass", "On" or "50 %" rather than bare numbers.

    The integer parameters are discrete; the quantisation, the direction and the
    filter type are choices with labels, the three switches are on/off. The
    float parameters are proportions shown as percentages. Every text that a
    parameter shows is read back as the same value. */
namespace QBParameterTable
{
    /** The layout of the parameter tree, in the order of the state's "PARAM" children. */
    juce::AudioProcessorValueTreeState::ParameterLayout createLayout();

    /** The label of each value of "quantize" (1 … 11), those of the quantisation box. */
    const juce::StringArray& quantizeLabels();

    /** The labels of "direction" (0 … 2) and of "typeOfFilter" (0 … 2). */
    const juce::StringArray& directionLabels();
    const juce::StringArray& filterTypeLabels();

    /** How long, in seconds, the filter keeps ringing after its input stops, at
        the given "resonance" and "typeOfFilter" and the lowest cutoff the
        sequence can reach for that type: long enough for the ring to fall by
        100 dB from its peak, below the noise floor of any output format. */
    double tailSeconds (float resonance, int typeOfFilter) noexcept;
}
