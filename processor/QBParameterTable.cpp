#include "QBParameterTable.h"

#include <cmath>

namespace
{
    using namespace juce;

    /** Text typed by a user or sent by a host, reduced to what matters for
        matching a label: lower case, without spaces, hyphens and underscores. */
    String folded (const String& text)
    {
        return text.trim().toLowerCase().removeCharacters (" -_");
    }

    /** The index of the label that `text` names, or -1. A label matches whole, or
        by an unambiguous beginning ("low" for "Low-pass"). */
    int labelIndex (const StringArray& labels, const String& text)
    {
        const auto wanted = folded (text);

        if (wanted.isEmpty())
            return -1;

        for (int i = 0; i < labels.size(); ++i)
            if (folded (labels[i]) == wanted)
                return i;

        int found = -1;

        for (int i = 0; i < labels.size(); ++i)
        {
            if (folded (labels[i]).startsWith (wanted))
            {
                if (found >= 0)
                    return -1;

                found = i;
            }
        }

        return found;
    }

    bool startsWithNumber (const String& text)
    {
        const auto t = text.trimStart();
        return t.isNotEmpty() && (CharacterFunctions::isDigit (t[0])
                                  || ((t[0] == '-' || t[0] == '+' || t[0] == '.') && t.length() > 1));
    }

    bool isNumber (const String& text)
    {
        const auto t = text.trim();
        return startsWithNumber (t) && t.substring (1).containsOnly ("0123456789.");
    }

    /** A parameter of whole values that hosts treat as discrete steps (JUCE's
        AudioParameterInt is continuous unless told otherwise). */
    class DiscreteIntParameter : public AudioParameterInt
    {
    public:
        DiscreteIntParameter (const char* id, const char* parameterName, int lo, int hi, int def,
                              const AudioParameterIntAttributes& attributes, bool isSwitch)
            : AudioParameterInt (ParameterID { id, 1 }, parameterName, lo, hi, def, attributes),
              switchKind (isSwitch)
        {
        }

        bool isDiscrete() const override { return true; }
        bool isBoolean() const override  { return switchKind; }

    private:
        const bool switchKind;
    };

    /** "byPassButton": 1 means the effect is heard, and that real value is what
        the state, the editor's switch and the audio path use. Hosts take the
        normalised value of the bypass parameter as "bypassed" (1 bypasses), so
        this parameter runs its normalised scale the other way round: a host's
        bypass button, its automation and the editor's switch drive one
        parameter, and the stored values stay as they always were. */
    class BypassParameter : public DiscreteIntParameter
    {
    public:
        BypassParameter (const char* id, const char* parameterName, const AudioParameterIntAttributes& attributes)
            : DiscreteIntParameter (id, parameterName, 0, 1, 1, attributes, true)
        {
        }

        const NormalisableRange<float>& getNormalisableRange() const override { return invertedRange; }
        float getDefaultValue() const override { return convertTo0to1 (1.0f); }

    private:
        const NormalisableRange<float> invertedRange { 0.0f, 1.0f,
            [] (float, float, float v) { return 1.0f - jlimit (0.0f, 1.0f, v); },
            [] (float, float, float v) { return 1.0f - jlimit (0.0f, 1.0f, v); },
            [] (float, float, float v) { return (float) roundToInt (jlimit (0.0f, 1.0f, v)); } };
    };

    AudioParameterIntAttributes labelledChoice (const StringArray& labels, int firstValue, int def)
    {
        return AudioParameterIntAttributes()
            .withStringFromValueFunction ([&labels, firstValue] (int v, int)
            {
                return labels[v - firstValue];
            })
            .withValueFromStringFunction ([&labels, firstValue, def] (const String& text)
            {
                if (const int i = labelIndex (labels, text); i >= 0)
                    return i + firstValue;

                // A bare number names the value itself; anything else the default.
                return isNumber (text) ? text.getIntValue() : def;
            });
    }

    /** A switch: `onValue` shows `onText`, the other value `offText`. A bare
        number names the value itself. */
    AudioParameterIntAttributes onOff (const char* onText, const char* offText, int onValue, int def)
    {
        return AudioParameterIntAttributes()
            .withStringFromValueFunction ([onText, offText, onValue] (int v, int)
            {
                return String (v == onValue ? onText : offText);
            })
            .withValueFromStringFunction ([onValue, def] (const String& text)
            {
                static const StringArray onWords { "on", "true", "yes" };
                static const StringArray offWords { "off", "false", "no" };
                const auto t = text.trim().toLowerCase();

                if (startsWithNumber (t))
                    return t.getIntValue();

                if (onWords.contains (t))
                    return onValue;

                if (offWords.contains (t))
                    return 1 - onValue;

                return def;
            });
    }

    AudioParameterIntAttributes counted (const char* singular, const char* plural, int def)
    {
        return AudioParameterIntAttributes()
            .withStringFromValueFunction ([singular, plural] (int v, int)
            {
                return String (v) + " " + (v == 1 ? singular : plural);
            })
            .withValueFromStringFunction ([def] (const String& text)
            {
                return startsWithNumber (text) ? text.getIntValue() : def;
            });
    }

    /** A proportion 0 … 1 shown in whole percent (the parameters move in steps of 0.01). */
    AudioParameterFloatAttributes percentage (float def)
    {
        return AudioParameterFloatAttributes()
            .withStringFromValueFunction ([] (float v, int)
            {
                return String (roundToInt (v * 100.0f)) + " %";
            })
            .withValueFromStringFunction ([def] (const String& text)
            {
                return startsWithNumber (text) ? text.getFloatValue() / 100.0f : def;
            });
    }
}

namespace QBParameterTable
{
    const StringArray& quantizeLabels()
    {
        static const StringArray labels { "1/2", "1/2T", "1/4", "1/4T", "1/8", "1/8T",
                                          "1/16", "1/16T", "1/32", "1/32T", "1/64" };
        return labels;
    }

    const StringArray& directionLabels()
    {
        static const StringArray labels { "Forward", "Ping-pong", "Backward" };
        return labels;
    }

    const StringArray& filterTypeLabels()
    {
        static const StringArray labels { "High-pass", "Band-pass", "Low-pass" };
        return labels;
    }

    AudioProcessorValueTreeState::ParameterLayout createLayout()
    {
        AudioProcessorValueTreeState::ParameterLayout layout;

        auto choice = [&layout] (const char* id, const char* name, const StringArray& labels, int lo, int def)
        {
            layout.add (std::make_unique<DiscreteIntParameter> (id, name, lo, lo + labels.size() - 1, def,
                                                                labelledChoice (labels, lo, def), false));
        };
        auto number = [&layout] (const char* id, const char* name, int lo, int hi, int def,
                                 const char* singular, const char* plural)
        {
            layout.add (std::make_unique<DiscreteIntParameter> (id, name, lo, hi, def,
                                                                counted (singular, plural, def), false));
        };
        auto toggle = [&layout] (const char* id, const char* name, int def)
        {
            layout.add (std::make_unique<DiscreteIntParameter> (id, name, 0, 1, def, onOff ("On", "Off", 1, def), true));
        };
        auto proportion = [&layout] (const char* id, const char* name, float def)
        {
            layout.add (std::make_unique<AudioParameterFloat> (ParameterID { id, 1 }, name,
                                                               NormalisableRange<float> (0.0f, 1.0f, 0.01f), def,
                                                               percentage (def)));
        };

        choice     ("typeOfFilter",          "Type Of Filter", filterTypeLabels(), 0, 2);
        proportion ("filterRange",           "Filter Range",   0.5f);
        proportion ("resonance",             "Resonance",      0.5f);
        proportion ("smoother",              "Smoother",       0.5f);
        choice     ("quantize",              "Quantize",       quantizeLabels(), 1, 7);
        number     ("sequenceSize",          "Sequence Size",  2, 64, 32, "step", "steps");
        // Named for the host as a bypass: "On" bypasses (real value 0), "Off" lets the effect be heard.
        layout.add (std::make_unique<BypassParameter> ("byPassButton", "ByPass", onOff ("On", "Off", 0, 1)));
        toggle     ("infinityButton",        "Infinity",       0);
        number     ("numbersBeforeInfinity", "Number Before Infinity", 1, 64, 1, "loop", "loops");
        proportion ("dryWet",                "Dry/Wet",        1.0f);
        choice     ("direction",             "Direction",      directionLabels(), 0, 0);
        toggle     ("collapse",              "Collapse",       0);

        return layout;
    }

    double tailSeconds (float resonance, int typeOfFilter) noexcept
    {
        // The cutoff as the filter computes it: Q is a whole number 1 … 15, and the
        // lowest cutoff a step can reach is 50 Hz for the low-pass (a fader at the
        // top) and 500 Hz for the band- and high-pass (a fader at the bottom).
        const double q = std::floor (1.0 + 14.0 * (double) jlimit (0.0f, 1.0f, resonance));
        const double lowestCutoff = typeOfFilter == 2 ? 50.0 : 500.0;

        // The ring of a resonant two-pole filter decays as exp (-pi f t / Q).
        // Measured from the ring's peak it takes a little longer to fall than
        // the envelope alone says: 120 dB of envelope cover 100 dB from the peak.
        const double decayTo = std::log (1.0e6);
        return decayTo * q / (MathConstants<double>::pi * lowestCutoff);
    }
}
