#pragma once

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>
#include <atomic>
#include <functional>
#include <memory>

#include "PluginProcessor.h"

namespace tessaline::test
{
    /** Runs the real message loop until `done` holds or `timeoutMs` passes. */
    inline bool pumpUntil (const std::function<bool()>& done, int timeoutMs = 2000)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        while (! done())
        {
            if (juce::Time::getMillisecondCounter() > end)
                return false;

            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
        }

        return true;
    }

    /** Runs the real message loop until every message posted so far (async
        updates, posted notices, and what those post in turn, a few levels deep)
        has been delivered. */
    inline bool deliverPostedMessages (int timeoutMs = 5000)
    {
        for (int level = 0; level < 3; ++level)
        {
            auto delivered = std::make_shared<std::atomic<bool>> (false);
            juce::MessageManager::callAsync ([delivered] { delivered->store (true); });

            if (! pumpUntil ([&] { return delivered->load(); }, timeoutMs))
                return false;
        }

        return true;
    }

    inline void pumpFor (int ms)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
    }

    /** Creates a processor that believes it runs as the standalone application. */
    inline std::unique_ptr<VornicAudioProcessor> makeStandaloneProcessor()
    {
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
        auto p = std::make_unique<VornicAudioProcessor>();
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        return p;
    }

    inline void setParam (VornicAudioProcessor& p, const char* id, float realValue)
    {
        auto* param = p.parameters.getParameter (id);
        param->setValueNotifyingHost (param->convertTo0to1 (realValue));
    }

    /** A listener that records every notice the processor sends. */
    struct RecordingListener : VornicAudioProcessor::Listener
    {
        std::vector<int> steps;
        std::vector<juce::String> calls;
        int reloads = 0, randomTriggers = 0;

        void record (juce::String s) { calls.push_back (std::move (s)); }

        void loadAndSendTableValues() override { ++reloads; }
        void randomTriggerInfinity() override { ++randomTriggers; }
        void stepPositionFromPorcessor (int step) override { steps.push_back (step); }

        void CCRandomDice() override { record ("dice"); }
        void CCDirection (int d) override { record ("direction " + juce::String (d)); }
        void CCResetSequence() override { record ("resetSequence"); }
        void CCTypeOfFilter (int t) override { record ("type " + juce::String (t)); }
        void CCSmoother (int v) override { record ("smoother " + juce::String (v)); }
        void CCFilterRange (int v) override { record ("range " + juce::String (v)); }
        void CCResonance (int v) override { record ("resonance " + juce::String (v)); }
        void CCQuantization (int v) override { record ("quantization " + juce::String (v)); }
        void CCSequenceLength (int v) override { record ("length " + juce::String (v)); }
        void CCLockSwitch() override { record ("lock"); }
        void CCDryWetSlider (int v) override { record ("dryWet " + juce::String (v)); }
        void CCByPassSwitch() override { record ("bypass"); }
        void CCByPassAcross (bool on) override { record ("across " + juce::String ((int) on)); }
        void CCInfinitySwitch() override { record ("infinity"); }
        void CCInfinityNumber (int v) override { record ("infinityNumber " + juce::String (v)); }
        void CCResetAll() override { record ("resetAll"); }
        void CCTempo (int v) override { record ("tempo " + juce::String (v)); }
        void CCUndo() override { record ("undo"); }
        void QucikPreset1() override { record ("preset 1"); }
        void QucikPreset2() override { record ("preset 2"); }
        void QucikPreset3() override { record ("preset 3"); }
        void QucikPreset4() override { record ("preset 4"); }
        void QucikPreset5() override { record ("preset 5"); }
        void QucikPreset6() override { record ("preset 6"); }
        void QucikPreset7() override { record ("preset 7"); }
        void QucikPreset8() override { record ("preset 8"); }
        void QucikPreset9() override { record ("preset 9"); }
        void QucikPreset10() override { record ("preset 10"); }
        void QucikPreset11() override { record ("preset 11"); }
        void QucikPreset12() override { record ("preset 12"); }
        void QucikPreset13() override { record ("preset 13"); }
        void QucikPreset14() override { record ("preset 14"); }
        void QucikPreset15() override { record ("preset 15"); }
        void QucikPreset16() override { record ("preset 16"); }
    };
}
