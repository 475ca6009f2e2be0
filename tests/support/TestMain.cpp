// Test main shared by every JUCE-using test binary: one JUCE initialiser for the process,
// and every JUCE assertion turned into a test failure.
#include "TestHome.h"

#include <JuceHeader.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <string>

namespace
{
class FailOnAssertionLogger final : public juce::Logger
{
public:
    void logMessage (const juce::String& message) override
    {
        std::cerr << message << std::endl;
        if (message.startsWith ("JUCE Assertion failure"))
            ADD_FAILURE() << message;
    }
};

class JuceEnvironment final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        initialiser = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
        juce::Logger::setCurrentLogger (&logger);
    }

    void TearDown() override
    {
        juce::Logger::setCurrentLogger (nullptr);
        initialiser.reset();
    }

private:
    FailOnAssertionLogger logger;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> initialiser;
};
} // namespace

namespace kalvo::test
{
juce::File temporaryHomeFolder()
{
    struct Home
    {
        Home()
        {
            // Made atomically: ctest runs many of these processes at once, and two of them
            // sharing a folder would delete it under each other.
            auto path = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("kalvo-test-home-XXXXXX")
                            .getFullPathName()
                            .toStdString();
            if (mkdtemp (path.data()) == nullptr)
            {
                std::cerr << "cannot make a private home folder for the tests" << std::endl;
                std::abort();
            }
            folder = juce::File (juce::String::fromUTF8 (path.c_str()));
        }
        ~Home() { folder.deleteRecursively(); }
        juce::File folder;
    };
    static Home home;
    setenv ("HOME", home.folder.getFullPathName().toRawUTF8(), 1);
    return home.folder;
}
} // namespace kalvo::test

int main (int argc, char** argv)
{
    // Before anything can build a processor: no test may reach the user's own configuration.
    kalvo::test::temporaryHomeFolder();

    // Without a display JUCE falls back to ":0", which may be another test's virtual display that
    // vanishes mid-run. Headless tests get an address no server has, so they never depend on one.
    if (const char* display = std::getenv ("DISPLAY"); display == nullptr || *display == 0)
        setenv ("DISPLAY", "unix:65000", 1);

    ::testing::InitGoogleTest (&argc, argv);
    ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
    return RUN_ALL_TESTS();
}
