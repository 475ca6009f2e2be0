#pragma once

#include <JuceHeader.h>

// Ends a modal loop (a popup menu, an alert window) from a timer while the test sits inside the
// synchronous call. The step runs on every tick until it returns true. As a watchdog, if the
// modal loop is still running at the timeout (whether or not the step finished), every menu is
// dismissed and every modal component ended with 0, and timedOut() reports it. Stop the driver
// (or let it go out of scope) as soon as the call returns: a leftover timer would end the next
// modal loop.
class ModalDriver : private juce::Timer
{
public:
    using Step = std::function<bool()>;

    explicit ModalDriver (Step step, int intervalMilliseconds = 50, int timeoutMilliseconds = 5000);
    ~ModalDriver() override;

    ModalDriver (const ModalDriver&) = delete;
    ModalDriver& operator= (const ModalDriver&) = delete;

    void stop();
    bool stepDone() const { return done; }
    bool timedOut() const { return expired; }

    // A step that ends the top modal component with the given result.
    static Step endWith (int result);

    // The modal component in front, or nullptr.
    static juce::Component* topModal();

private:
    void timerCallback() override;

    Step step;
    juce::uint32 deadline;
    bool done = false;
    bool expired = false;
};
