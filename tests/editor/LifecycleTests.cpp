#include "EditorTestHelpers.h"

using namespace tessaline::test;

TEST (EditorLifecycle, OpeningAndClosingLeavesExactlyOneListenerWhileOpen)
{
    auto processor = makeStandaloneProcessor();

    for (int round = 0; round < 4; ++round)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
        ASSERT_NE (dynamic_cast<VornicAudioProcessorEditor*> (editor.get()), nullptr);
        EXPECT_EQ (processor->listeners.size(), 1);
        EXPECT_TRUE (processor->editorIsOpen);

        pumpFor (20);
        processor->editorBeingDeleted (editor.get());
        editor.reset();

        EXPECT_EQ (processor->listeners.size(), 0);
        EXPECT_FALSE (processor->editorIsOpen);
    }
}

TEST (EditorLifecycle, ANoticeAfterTheEditorClosedReachesNobody)
{
    auto processor = makeStandaloneProcessor();
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());

    processor->stepPositionToUI (4);
    processor->editorBeingDeleted (editor.get());
    editor.reset();

    processor->deliverPendingNotices();
    processor->parameters.state.setProperty ("fader0", 0.5, &processor->undoManager);
    processor->undoManager.undo();
    SUCCEED();
}

TEST (EditorLifecycle, OnlyTheStandaloneShowsTheTransportSwitch)
{
    for (const bool standalone : { true, false })
    {
        auto processor = standalone ? makeStandaloneProcessor() : std::make_unique<VornicAudioProcessor>();
        std::unique_ptr<VornicAudioProcessorEditor> editor (
            static_cast<VornicAudioProcessorEditor*> (processor->createEditorIfNeeded()));

        EXPECT_EQ (editor->playStopButton.getParentComponent() == editor.get(), standalone);
        EXPECT_EQ (editor->playLabel.getParentComponent() == editor.get(), standalone);

        if (standalone)
            EXPECT_EQ (editor->playLabel.getText(), "Play");

        processor->editorBeingDeleted (editor.get());
    }
}
