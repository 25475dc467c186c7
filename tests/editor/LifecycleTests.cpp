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

        deliverPostedMessages();
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

    // Delivered after the editor went, the notices find no listener (under
    // AddressSanitizer a call into the deleted editor would be reported here),
    // and the tree and its undo history work on without it.
    processor->deliverPendingNotices();
    ASSERT_TRUE (deliverPostedMessages());
    EXPECT_EQ (processor->listeners.size(), 0);

    const auto before = processor->parameters.state["fader0"];
    processor->undoManager.beginNewTransaction();
    processor->parameters.state.setProperty ("fader0", 0.5, &processor->undoManager);
    EXPECT_FLOAT_EQ (processor->faderMirror (0), 0.5f);
    ASSERT_TRUE (processor->undoManager.undo());
    EXPECT_EQ (processor->parameters.state["fader0"], before);
    EXPECT_FLOAT_EQ (processor->faderMirror (0), 0.0f);
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
