// The one main of kalvo_bench: JUCE (the parameter tree runs a timer, so a message manager must
// exist before any processor) and a private home folder for the presets folder and settings file
// the processor creates, so a benchmark run never touches the user's own configuration. Both end
// before exit, in that order, so no static destructor races JUCE's own.
#include <JuceHeader.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iostream>
#include <string>

namespace
{
class AssertionCounter final : public juce::Logger
{
public:
    void logMessage (const juce::String& message) override
    {
        std::cerr << message << std::endl;
        if (message.startsWith ("JUCE Assertion failure"))
            ++failures;
    }
    int failures = 0;
};

juce::File makePrivateHome()
{
    auto path = juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getChildFile ("kalvo-bench-home-XXXXXX")
                    .getFullPathName()
                    .toStdString();
    if (mkdtemp (path.data()) == nullptr)
    {
        std::cerr << "cannot make a private home folder for the benchmarks" << std::endl;
        std::exit (1);
    }
    setenv ("HOME", path.c_str(), 1);
    return juce::File (juce::String::fromUTF8 (path.c_str()));
}
} // namespace

int main (int argc, char** argv)
{
    // First, before JUCE or the home folder exist: "--help" and bad flags end the process here.
    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    const auto home = makePrivateHome();
    if (const char* display = std::getenv ("DISPLAY"); display == nullptr || *display == 0)
        setenv ("DISPLAY", "unix:65000", 1);

    AssertionCounter logger;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        juce::Logger::setCurrentLogger (&logger);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        juce::Logger::setCurrentLogger (nullptr);
    }
    home.deleteRecursively();
    // A run that tripped an assertion measured something broken.
    return logger.failures > 0 ? 1 : 0;
}
