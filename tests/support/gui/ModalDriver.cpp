#include "ModalDriver.h"

ModalDriver::ModalDriver (Step s, int interval, int timeout)
    : step (std::move (s)), deadline (juce::Time::getMillisecondCounter() + (juce::uint32) timeout)
{
    startTimer (interval);
}

ModalDriver::~ModalDriver()
{
    stopTimer();
}

void ModalDriver::stop()
{
    stopTimer();
}

juce::Component* ModalDriver::topModal()
{
    return juce::ModalComponentManager::getInstance()->getModalComponent (0);
}

ModalDriver::Step ModalDriver::endWith (int result)
{
    return [result]
    {
        if (auto* modal = topModal())
        {
            modal->exitModalState (result);
            return true;
        }
        return false;
    };
}

void ModalDriver::timerCallback()
{
    if (!done && step())
        done = true;

    if (juce::Time::getMillisecondCounter() > deadline)
    {
        expired = true;
        stopTimer();
        juce::PopupMenu::dismissAllActiveMenus();
        auto* manager = juce::ModalComponentManager::getInstance();
        for (int i = manager->getNumModalComponents(); --i >= 0;)
            if (auto* modal = manager->getModalComponent (i))
                modal->exitModalState (0);
    }
}
