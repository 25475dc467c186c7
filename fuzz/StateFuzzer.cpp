// libFuzzer target: any bytes a host may hand to setStateInformation.

#include "FuzzHelpers.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    tessaline::fuzz::Processors processors;
    processors.restored.setStateInformation (data, (int) juce::jmin (size, (std::size_t) std::numeric_limits<int>::max()));
    tessaline::fuzz::expectItSavesAndRestoresAValidState (processors.restored, processors.check);
    return 0;
}
