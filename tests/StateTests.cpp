#include "TestHelpers.h"

using namespace tessaline::test;

namespace
{
    juce::MemoryBlock saveState (VornicAudioProcessor& p)
    {
        juce::MemoryBlock block;
        p.getStateInformation (block);
        return block;
    }

    juce::uint32 readLE32 (const juce::MemoryBlock& b, size_t offset)
    {
        return juce::ByteOrder::littleEndianInt (static_cast<const char*> (b.getData()) + offset);
    }

    juce::String xmlText (const juce::MemoryBlock& b)
    {
        return juce::String::fromUTF8 (static_cast<const char*> (b.getData()) + 8, (int) readLE32 (b, 4));
    }

    juce::MemoryBlock blobFromXml (const juce::String& xml)
    {
        juce::MemoryBlock block;
        juce::AudioProcessor::copyXmlToBinary (*juce::parseXML (xml), block);
        return block;
    }

    struct ParamCase { const char* id; float defaultValue; float changedValue; };

    const ParamCase allParameters[] = {
        { "typeOfFilter", 2.0f, 1.0f },   { "filterRange", 0.5f, 0.25f }, { "resonance", 0.5f, 0.8f },
        { "smoother", 0.5f, 0.1f },       { "quantize", 7.0f, 3.0f },     { "sequenceSize", 32.0f, 12.0f },
        { "byPassButton", 1.0f, 0.0f },   { "infinityButton", 0.0f, 1.0f }, { "numbersBeforeInfinity", 1.0f, 9.0f },
        { "dryWet", 1.0f, 0.3f },         { "direction", 0.0f, 2.0f },    { "collapse", 0.0f, 1.0f },
    };
}

TEST (State, FreshBlobHasTheDocumentedByteLayout)
{
    VornicAudioProcessor p;
    const auto blob = saveState (p);

    ASSERT_GT (blob.getSize(), 9u);
    EXPECT_EQ (readLE32 (blob, 0), 0x21324356u);
    EXPECT_EQ (juce::String (static_cast<const char*> (blob.getData()), 4), "VC2!");
    EXPECT_EQ ((size_t) readLE32 (blob, 4), blob.getSize() - 9);
    EXPECT_EQ (static_cast<const char*> (blob.getData())[blob.getSize() - 1], 0);

    const auto text = xmlText (blob);
    EXPECT_TRUE (text.startsWith ("<?xml"));
    EXPECT_FALSE (text.containsChar ('\n'));

    const auto xml = juce::parseXML (text);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "PARAMETERS");
    EXPECT_EQ (xml->getIntAttribute ("LoopRangeMin", -1), 0);
    EXPECT_EQ (xml->getIntAttribute ("LoopRangeMax", -1), 32);

    int params = 0;
    for (auto* child : xml->getChildWithTagNameIterator ("PARAM"))
    {
        ++params;
        const auto id = child->getStringAttribute ("id");
        const auto it = std::find_if (std::begin (allParameters), std::end (allParameters),
                                      [&] (const ParamCase& c) { return id == c.id; });
        ASSERT_NE (it, std::end (allParameters)) << id;
        EXPECT_FLOAT_EQ ((float) child->getDoubleAttribute ("value"), it->defaultValue) << id;
    }
    EXPECT_EQ (params, 12);
}

TEST (State, RoundTripRestoresEveryParameterAndProperty)
{
    VornicAudioProcessor source;
    for (const auto& c : allParameters)
        setParam (source, c.id, c.changedValue);

    auto& state = source.parameters.state;
    for (int i = 0; i < 64; ++i)
    {
        state.setProperty ("fader" + juce::String (i), i / 64.0, nullptr);
        state.setProperty ("lock" + juce::String (i), i % 3 == 0, nullptr);
        state.setProperty ("dots" + juce::String (i), i % 5 == 0, nullptr);
    }
    for (int k = 0; k < 34; ++k)
        state.setProperty ("CCstates" + juce::String (k), 100 - k, nullptr);
    state.setProperty ("comboChannelChangeSelector", 5, nullptr);
    state.setProperty ("LoopRangeMin", 4, nullptr);
    state.setProperty ("LoopRangeMax", 20, nullptr);
    state.setProperty ("fastPresetNameAssigned3", "Warm sweep", nullptr);
    state.appendChild (juce::ValueTree ("MyPreset").setProperty ("fader0", 0.25, nullptr), nullptr);

    const auto blob = saveState (source);

    VornicAudioProcessor restored;
    RecordingListener listener;
    restored.listeners.add (&listener);
    restored.setStateInformation (blob.getData(), (int) blob.getSize());

    for (const auto& c : allParameters)
        EXPECT_FLOAT_EQ (restored.parameters.getRawParameterValue (c.id)->load(), c.changedValue) << c.id;

    EXPECT_TRUE (restored.parameters.state.isEquivalentTo (source.parameters.state));
    EXPECT_EQ (restored.loopRangeMin.load(), 4);
    EXPECT_EQ (restored.loopRangeMax.load(), 20);

    // The audio-side mirrors follow the restored tree at once.
    EXPECT_FLOAT_EQ (restored.faderMirror (32), 0.5f);
    EXPECT_TRUE (restored.dotMirror (10));
    EXPECT_FALSE (restored.dotMirror (11));
    EXPECT_EQ (restored.ccNumberMirror (33), 67);
    EXPECT_EQ (restored.channelSelectorMirror(), 5);

    // Exactly one reload notice, about 100 ms later.
    pumpFor (50);
    EXPECT_EQ (listener.reloads, 0);
    EXPECT_TRUE (pumpUntil ([&] { return listener.reloads > 0; }));
    pumpFor (200);
    EXPECT_EQ (listener.reloads, 1);
    restored.listeners.remove (&listener);
}

TEST (State, RejectedBlobsChangeNothingAndSendNothing)
{
    const auto good = [] { VornicAudioProcessor p; return saveState (p); }();

    auto wrongMagic = good;
    static_cast<char*> (wrongMagic.getData())[0] = 'X';

    const auto wrongRoot = blobFromXml ("<SOMETHING LoopRangeMin=\"3\"/>");
    const auto notXml = [] {
        juce::MemoryBlock b;
        juce::MemoryOutputStream out (b, false);
        out.writeInt (0x21324356);
        out.writeInt (9);
        out.write ("not <xml>", 9);
        out.writeByte (0);
        return b;
    }();
    const auto zeroLength = [&] { auto b = good; static_cast<char*> (b.getData())[4] = 0; static_cast<char*> (b.getData())[5] = 0;
                                  static_cast<char*> (b.getData())[6] = 0; static_cast<char*> (b.getData())[7] = 0; return b; }();

    // Bytes that are not UTF-8, here inside otherwise good XML; at the end of
    // the text they would lead the framework's parser past the end of it.
    // A blob with the format's magic number and `text` (with its terminator) as the XML.
    const auto blobWithXml = [] (const char* text, size_t length) {
        juce::MemoryBlock b;
        juce::MemoryOutputStream out (b, false);
        out.writeInt (0x21324356);
        out.writeInt ((int) length);
        out.write (text, length + 1);
        return b;
    };

    const char notUtf8Text[] = "<PARAMETERS fader3=\"\xff\xfe\xff\"/>";
    const auto notUtf8 = blobWithXml (notUtf8Text, sizeof (notUtf8Text) - 1);

    // A processing instruction followed by text inside an element: the
    // framework's parser would never return from it.
    const char processingInstructionText[] = "<?xml version=\"1.0\"?><PARAMETERS><?x?>text</PARAMETERS>";
    const auto processingInstruction = blobWithXml (processingInstructionText, sizeof (processingInstructionText) - 1);

    struct Case { const char* name; juce::MemoryBlock blob; int size; };
    const Case cases[] = {
        { "8 bytes", good, 8 },
        { "empty", good, 0 },
        { "wrong magic", wrongMagic, (int) wrongMagic.getSize() },
        { "wrong root tag", wrongRoot, (int) wrongRoot.getSize() },
        { "text that is not XML", notXml, (int) notXml.getSize() },
        { "zero stored length", zeroLength, (int) zeroLength.getSize() },
        { "text that is not UTF-8", notUtf8, (int) notUtf8.getSize() },
        { "a processing instruction inside", processingInstruction, (int) processingInstruction.getSize() },
    };

    for (const auto& c : cases)
    {
        VornicAudioProcessor p;
        setParam (p, "resonance", 0.9f);
        p.parameters.state.setProperty ("fader3", 0.75, nullptr);
        p.loopRangeMin = 6;
        p.loopRangeMax = 10;
        const auto before = p.parameters.copyState();

        RecordingListener listener;
        p.listeners.add (&listener);
        p.setStateInformation (c.blob.getData(), c.size);
        pumpFor (250);

        EXPECT_TRUE (p.parameters.state.isEquivalentTo (before)) << c.name;
        EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("resonance")->load(), 0.9f) << c.name;
        EXPECT_EQ (p.loopRangeMin.load(), 6) << c.name;
        EXPECT_EQ (p.loopRangeMax.load(), 10) << c.name;
        EXPECT_EQ (listener.reloads, 0) << c.name;
        p.listeners.remove (&listener);
    }
}

// What a restore makes of odd saved values is what the next save says, and
// that save reads back as itself.
TEST (State, ARestoredStateSavesWhatItRestored)
{
    const auto blob = blobFromXml ("<PARAMETERS fader3=\"0.5\" fader3=\"0.9\">"
                                   "<PARAM id=\"quantize\" value=\"3.4\"/>"
                                   "<PARAM id=\"byPassButton\" value=\"0\" value=\"1\"/>"
                                   "<PARAM id=\"dryWet\" value=\"nan\"/>"
                                   "<PARAM id=\"smoother\"/></PARAMETERS>");
    VornicAudioProcessor p;
    p.setStateInformation (blob.getData(), (int) blob.getSize());

    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("quantize")->load(), 3.0f);
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("byPassButton")->load(), 0.0f);   // the first of a repeated value
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("dryWet")->load(), 1.0f);         // not a number: the default
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("resonance")->load(), 0.5f);      // not there: the default
    EXPECT_DOUBLE_EQ ((double) p.parameters.state["fader3"], 0.5);

    const auto saved = saveState (p);
    VornicAudioProcessor again;
    again.setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_EQ (saveState (again), saved);

    const auto xml = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());
    ASSERT_NE (xml, nullptr);
    for (auto* param : xml->getChildWithTagNameIterator ("PARAM"))
        EXPECT_FLOAT_EQ ((float) param->getDoubleAttribute ("value"),
                         p.parameters.getRawParameterValue (param->getStringAttribute ("id"))->load())
            << param->getStringAttribute ("id");
}

TEST (State, RootTagDifferingOnlyInCaseIsAcceptedAndKeepsTheTreeType)
{
    const auto blob = blobFromXml ("<parameters LoopRangeMin=\"2\" LoopRangeMax=\"9\" fader1=\"0.5\">"
                                   "<PARAM id=\"dryWet\" value=\"0.25\"/></parameters>");
    VornicAudioProcessor p;
    RecordingListener listener;
    p.listeners.add (&listener);
    p.setStateInformation (blob.getData(), (int) blob.getSize());

    EXPECT_EQ (p.parameters.state.getType().toString(), "PARAMETERS");
    EXPECT_EQ (p.loopRangeMin.load(), 2);
    EXPECT_EQ (p.loopRangeMax.load(), 9);
    EXPECT_FLOAT_EQ (p.faderMirror (1), 0.5f);
    EXPECT_FLOAT_EQ (p.parameters.getRawParameterValue ("dryWet")->load(), 0.25f);
    EXPECT_TRUE (pumpUntil ([&] { return listener.reloads == 1; }));

    // Saved again, it is an ordinary state.
    EXPECT_TRUE (xmlText (saveState (p)).contains ("<PARAMETERS"));
    p.listeners.remove (&listener);
}

TEST (State, MissingLoopPropertiesAndHostileValuesAreAbsorbed)
{
    // No loop range, a fader that is not a number, one out of range, and a
    // parameter value far outside its range.
    const auto blob = blobFromXml ("<PARAMETERS fader0=\"nan\" fader1=\"7\" fader2=\"-3\" dots4=\"banana\">"
                                   "<PARAM id=\"resonance\" value=\"1e30\"/></PARAMETERS>");
    VornicAudioProcessor p;
    p.setStateInformation (blob.getData(), (int) blob.getSize());

    EXPECT_EQ (p.loopRangeMin.load(), 0);
    EXPECT_EQ (p.loopRangeMax.load(), 0);
    EXPECT_FLOAT_EQ (p.faderMirror (0), 0.0f);
    EXPECT_FLOAT_EQ (p.faderMirror (1), 1.0f);
    EXPECT_FLOAT_EQ (p.faderMirror (2), 0.0f);
    EXPECT_FALSE (p.dotMirror (4));
    EXPECT_LE (p.parameters.getRawParameterValue ("resonance")->load(), 1.0f);
}

TEST (State, MirrorsFollowEditsUndoAndRedo)
{
    VornicAudioProcessor p;
    auto& state = p.parameters.state;

    p.undoManager.beginNewTransaction();
    state.setProperty ("fader7", 0.8, &p.undoManager);
    state.setProperty ("dots7", true, &p.undoManager);
    state.setProperty ("CCstates2", 44, nullptr);
    state.setProperty ("comboChannelChangeSelector", 1, nullptr);

    EXPECT_FLOAT_EQ (p.faderMirror (7), 0.8f);
    EXPECT_TRUE (p.dotMirror (7));
    EXPECT_EQ (p.ccNumberMirror (2), 44);
    EXPECT_EQ (p.channelSelectorMirror(), 1);

    p.undoManager.undo();
    EXPECT_FLOAT_EQ (p.faderMirror (7), 0.0f);
    EXPECT_FALSE (p.dotMirror (7));

    p.undoManager.redo();
    EXPECT_FLOAT_EQ (p.faderMirror (7), 0.8f);
    EXPECT_TRUE (p.dotMirror (7));
}

// Undo after a host restores a project acts on the tree the user sees: the
// history of the replaced tree is gone, and new edits undo on the new tree.
TEST (State, UndoAfterARestoreWorksOnTheRestoredTree)
{
    VornicAudioProcessor p;
    auto& state = p.parameters.state;

    p.undoManager.beginNewTransaction();
    state.setProperty ("fader3", 0.9, &p.undoManager);
    ASSERT_TRUE (p.undoManager.canUndo());

    const auto blob = [] { VornicAudioProcessor other; other.parameters.state.setProperty ("fader3", 0.25, nullptr); return saveState (other); }();
    p.setStateInformation (blob.getData(), (int) blob.getSize());

    // The edit made before the restore cannot be undone into a detached tree.
    EXPECT_FALSE (p.undoManager.canUndo());
    EXPECT_FALSE (p.undoManager.undo());
    EXPECT_DOUBLE_EQ ((double) p.parameters.state["fader3"], 0.25);

    p.undoManager.beginNewTransaction();
    p.parameters.state.setProperty ("fader3", 0.75, &p.undoManager);
    EXPECT_FLOAT_EQ (p.faderMirror (3), 0.75f);

    ASSERT_TRUE (p.undoManager.undo());
    EXPECT_DOUBLE_EQ ((double) p.parameters.state["fader3"], 0.25);
    EXPECT_FLOAT_EQ (p.faderMirror (3), 0.25f);
}

TEST (State, LoopRangeCommitIsOneUndoableTransaction)
{
    VornicAudioProcessor p;
    EXPECT_FALSE (p.undoManager.canUndo());   // the constructor's loop range is not undoable

    p.setLoopRangeToValueTreeOnDragEnd (3, 17);
    EXPECT_EQ ((int) p.parameters.state["LoopRangeMin"], 3);
    EXPECT_EQ ((int) p.parameters.state["LoopRangeMax"], 17);

    p.undoManager.undo();
    EXPECT_EQ ((int) p.parameters.state["LoopRangeMin"], 0);
    EXPECT_EQ ((int) p.parameters.state["LoopRangeMax"], 32);
}

TEST (State, ProcessorIdentityAndBuses)
{
    VornicAudioProcessor p;
    EXPECT_EQ (p.getName(), "Tessaline");
    EXPECT_TRUE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.isMidiEffect());

    using Set = juce::AudioChannelSet;
    const std::tuple<Set, Set, bool> layouts[] = {
        { Set::stereo(), Set::stereo(), true },  { Set::mono(), Set::mono(), true },
        { Set::mono(), Set::stereo(), false },   { Set::stereo(), Set::mono(), false },
        { Set::create5point1(), Set::create5point1(), false },
    };

    for (const auto& [in, out, ok] : layouts)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (in);
        layout.outputBuses.add (out);
        EXPECT_EQ (p.checkBusesLayoutSupported (layout), ok) << in.getDescription() << " -> " << out.getDescription();
    }
}

TEST (State, NoticesPendingWhenTheProcessorGoesAwayReachNobody)
{
    RecordingListener listener;
    {
        VornicAudioProcessor source;
        juce::MemoryBlock blob;
        source.getStateInformation (blob);

        VornicAudioProcessor p;
        p.prepareToPlay (48000.0, 64);
        p.listeners.add (&listener);
        p.setStateInformation (blob.getData(), (int) blob.getSize());   // reload due in 100 ms
        p.handleStepPosition (3.5, true);                               // a step notice waiting
        p.generateRandomStepsInfinity();                                // a randomisation waiting
        p.listeners.remove (&listener);
    }
    pumpFor (300);
    EXPECT_EQ (listener.reloads, 0);
    EXPECT_TRUE (listener.steps.empty());
    EXPECT_EQ (listener.randomTriggers, 0);
}
