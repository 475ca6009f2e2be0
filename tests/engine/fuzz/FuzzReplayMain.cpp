// Replays every file of the given corpus folders through the fuzz target, as an ordinary test.
#include <JuceHeader.h>

#include <cstdint>
#include <iostream>

extern "C" int LLVMFuzzerInitialize (int*, char***);
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);
extern "C" void kalvoFuzzShutdown();

int main (int argc, char** argv)
{
    LLVMFuzzerInitialize (&argc, &argv);
    int count = 0;

    for (int i = 1; i < argc; ++i)
    {
        for (const auto& entry :
             juce::RangedDirectoryIterator (juce::File::getCurrentWorkingDirectory().getChildFile (argv[i]),
                                            false, "*", juce::File::findFiles))
        {
            juce::MemoryBlock data;
            if (!entry.getFile().loadFileAsData (data))
            {
                std::cerr << "cannot read " << entry.getFile().getFullPathName() << std::endl;
                return 1;
            }
            LLVMFuzzerTestOneInput (static_cast<const uint8_t*> (data.getData()), data.getSize());
            ++count;
        }
    }

    kalvoFuzzShutdown();
    std::cout << "replayed " << count << " inputs" << std::endl;
    return count > 0 ? 0 : 1;
}
