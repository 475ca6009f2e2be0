// Test main shared by every JUCE-using test binary: one JUCE initialiser for the process,
// and every JUCE assertion turned into a test failure.
#include <JuceHeader.h>
#include <gtest/gtest.h>

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

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
    return RUN_ALL_TESTS();
}
