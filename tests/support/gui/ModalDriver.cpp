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
    if (done)
        return;

    if (step())
    {
        done = true;
        stopTimer();
        return;
    }

    if (juce::Time::getMillisecondCounter() > deadline)
    {
        expired = true;
        stopTimer();
        juce::PopupMenu::dismissAllActiveMenus();
        if (auto* modal = topModal())
            modal->exitModalState (0);
    }
}
