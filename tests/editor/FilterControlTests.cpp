#include "EditorTestHelpers.h"

#include <cmath>

using namespace tessaline::test;

namespace
{
    struct FilterControls : ::testing::Test
    {
        OpenEditor e;
        Mouse mouse { *e.editor };
        VornicAudioProcessorEditor& editor = *e.editor;
        VornicAudioProcessor& processor = *e.processor;

        void click (const juce::Component& c)  { mouse.click (c, c.getLocalBounds().getCentre()); }
        float parameter (const char* id) { return processor.parameters.getRawParameterValue (id)->load(); }

        /** A click on a type button sets the hidden slider, which tells its attachment through the message loop. */
        void clickType (const juce::Component& button, int type)
        {
            click (button);
            EXPECT_TRUE (pumpUntil ([this, type] { return parameter ("typeOfFilter") == (float) type; })) << type;
        }

        /** The point at proportion `x` of a bar slider's width, half way down. */
        static juce::Point<int> along (const juce::Component& c, float x)
        {
            return { juce::roundToInt (x * (float) (c.getWidth() - 1)), c.getHeight() / 2 };
        }

        void expectType (int type)
        {
            auto& t = editor.typeOfFilterButton;
            const juce::DrawableButton* buttons[] = { t.highPassButton.get(), t.bandPassButton.get(), t.lowPassButton.get() };

            for (int i = 0; i < 3; ++i)
            {
                EXPECT_EQ (buttons[i]->getToggleState(), i == type) << buttons[i]->getName() << " for type " << type;
                EXPECT_EQ (t.dots[(size_t) i]->selected, i == type) << "dot " << i << " for type " << type;
            }
        }

        /** Filters white noise through the processor with one step sounding and
            returns how bright the output is: the level of its sample-to-sample
            difference relative to its level (about 1.41 for white noise, lower
            the more the highs are cut). */
        float brightness()
        {
            constexpr int block = 512;
            juce::AudioBuffer<float> buffer (2, block);
            juce::MidiBuffer midi;
            juce::Random random (7);
            double level = 0.0, difference = 0.0;
            float last = 0.0f;

            for (int n = 0; n < 80; ++n)
            {
                for (int ch = 0; ch < 2; ++ch)
                    for (int i = 0; i < block; ++i)
                        buffer.setSample (ch, i, random.nextFloat() * 2.0f - 1.0f);

                processor.processBlock (buffer, midi);

                for (int i = 0; n >= 40 && i < block; ++i)   // after the cutoff has settled
                {
                    const float y = buffer.getSample (0, i);
                    level += (double) y * y;
                    difference += (double) (y - last) * (y - last);
                    last = y;
                }

                last = buffer.getSample (0, block - 1);
            }

            return (float) std::sqrt (difference / level);
        }

        void holdOneStep()
        {
            processor.parameters.state.setProperty ("fader0", 0.5, nullptr);
            processor.currentStep = 0;
            processor.prepareToPlay (48000.0, 512);
        }
    };
}

TEST_F (FilterControls, ClickingBandPassSetsTheTypeAndMovesButtonsAndDots)
{
    expectType (2);   // low-pass by default

    clickType (*editor.typeOfFilterButton.bandPassButton, 1);
    expectType (1);

    clickType (*editor.typeOfFilterButton.highPassButton, 0);
    expectType (0);
}

TEST_F (FilterControls, AnAutomatedTypeMovesButtonsAndDotsWithoutAClick)
{
    for (int type : { 0, 1, 2, 0 })
    {
        setParam (processor, "typeOfFilter", (float) type);
        EXPECT_TRUE (pumpUntil ([this, type] { return editor.typeOfFilterButton.typeSlider->getValue() == type; }));
        expectType (type);
    }
}

TEST_F (FilterControls, BarSlidersFollowTheirParametersAndTheMouseMovesThem)
{
    const std::pair<const char*, juce::Component*> cases[] = {
        { "smoother", &editor.smootherSlider }, { "filterRange", &editor.filterRangeSlider },
        { "resonance", &editor.resonanceSlider }, { "dryWet", &editor.dryWetSlider },
    };

    for (const auto& [id, component] : cases)
    {
        auto& slider = *static_cast<juce::Slider*> (component->getChildComponent (0));

        setParam (processor, id, 0.25f);
        EXPECT_TRUE (pumpUntil ([&slider] { return std::abs (slider.getValue() - 0.25) < 1.0e-6; })) << id;

        mouse.gesture (slider, { along (slider, 0.25f), along (slider, 0.6f), along (slider, 0.8f) });
        EXPECT_NEAR (parameter (id), 0.8f, 0.02f) << id;
    }

    EXPECT_EQ (editor.smootherSlider.laf.labelText, "Smoother");
    EXPECT_EQ (editor.filterRangeSlider.laf.labelText, "Filter Range");
    EXPECT_EQ (editor.resonanceSlider.laf.labelText, "Resonance");
}

TEST_F (FilterControls, BypassAcrossInvertsTheSwitchOnlyWhileHeld)
{
    auto& group = editor.bypassButtons;
    auto& across = *group.byPassAcross;
    const auto inside = across.getLocalBounds().getCentre();
    const juce::Point<int> outside { inside.x, across.getHeight() + 40 };

    const struct { bool switchOn; bool releaseOutside; } cases[] = {
        { true, false }, { true, true }, { false, false }, { false, true },
    };

    for (const auto& c : cases)
    {
        if (group.byPassSwitch->getToggleState() != c.switchOn)
            click (*group.byPassSwitch);

        ASSERT_EQ (processor.effectOn.load(), c.switchOn);
        EXPECT_EQ (parameter ("byPassButton"), c.switchOn ? 1.0f : 0.0f);

        mouse.down (across, inside);
        EXPECT_EQ (processor.effectOn.load(), ! c.switchOn) << "held, switch " << c.switchOn;

        if (c.releaseOutside)
            mouse.drag (across, outside);

        mouse.up (across, c.releaseOutside ? outside : inside);
        EXPECT_EQ (processor.effectOn.load(), c.switchOn) << "released, switch " << c.switchOn
                                                          << (c.releaseOutside ? ", outside" : ", inside");
        EXPECT_EQ (parameter ("byPassButton"), c.switchOn ? 1.0f : 0.0f) << "the saved switch is untouched";
    }
}

TEST_F (FilterControls, TheEffectFollowsTheSavedSwitchWhenTheWindowOpensAndCloses)
{
    setParam (processor, "byPassButton", 0.0f);
    EXPECT_FALSE (processor.effectOn.load()) << "the switch reports its parameter's change";

    e.close();
    processor.effectOn = true;
    e.open();
    EXPECT_FALSE (e.editor->bypassButtons.byPassSwitch->getToggleState());
    EXPECT_FALSE (processor.effectOn.load());

    // Closing the window while bypass-across is held ends the inversion too.
    auto& across = *e.editor->bypassButtons.byPassAcross;
    Mouse (*e.editor).down (across, across.getLocalBounds().getCentre());
    ASSERT_TRUE (processor.effectOn.load());
    e.close();
    EXPECT_FALSE (processor.effectOn.load());

    // The desktop's mouse still holds the button: release it over a new window
    // so that the next press anywhere is a press.
    e.open();
    Mouse (*e.editor).up (*e.editor, { 1, 1 });
}

TEST_F (FilterControls, FilterRangeAndTypeChangesAreHeard)
{
    holdOneStep();
    auto& range = *editor.filterRangeSlider.slider;

    // Low-pass: a higher range lowers the cutoff (from about 2.5 kHz to 500 Hz for this step).
    mouse.click (range, along (range, 0.0f));
    ASSERT_NEAR (parameter ("filterRange"), 0.0f, 0.01f);
    const float lowRange = brightness();

    mouse.click (range, along (range, 1.0f));
    ASSERT_NEAR (parameter ("filterRange"), 1.0f, 0.01f);
    const float highRange = brightness();
    EXPECT_LT (highRange, 0.8f * lowRange);

    // High-pass at the same range passes the highs the low-pass cut.
    clickType (*editor.typeOfFilterButton.highPassButton, 0);
    const float highPass = brightness();
    EXPECT_GT (highPass, 2.0f * highRange);

    // Bypassed, the noise comes through as it went in.
    click (*editor.bypassButtons.byPassSwitch);
    EXPECT_NEAR (brightness(), std::sqrt (2.0f), 0.05f);
}
