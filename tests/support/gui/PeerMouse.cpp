#include "PeerMouse.h"

PeerMouse::PeerMouse (juce::Component& t) : target (t), time (juce::Time::currentTimeMillis()) {}

void PeerMouse::send (juce::Point<int> position, juce::ModifierKeys modifiers)
{
    auto* peer = target.getPeer();
    jassert (peer != nullptr);
    if (peer == nullptr)
        return;

    const auto inPeer = peer->getComponent().getLocalPoint (&target, position).toFloat();
    time += 20;

    // The windowing layer records the held buttons before it hands an event to the peer; code
    // that asks for them (popup menus deciding on a release) must see the same.
    juce::ModifierKeys::currentModifiers =
        juce::ModifierKeys::currentModifiers.withoutMouseButtons().withFlags (
            modifiers.getRawFlags() & juce::ModifierKeys::allMouseButtonModifiers);
    peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, inPeer, modifiers,
                            juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation, time);
    last = position;
}

void PeerMouse::move (juce::Point<int> position)
{
    send (position, held);
}

void PeerMouse::press (juce::Point<int> position, juce::ModifierKeys buttons)
{
    send (position, held);
    held = buttons;
    send (position, held);
}

void PeerMouse::dragTo (juce::Point<int> position, int steps)
{
    const auto from = last;
    steps = juce::jmax (1, steps);
    for (int i = 1; i <= steps; ++i)
        send (from + (position - from) * i / steps, held);
}

void PeerMouse::release (juce::Point<int> position)
{
    send (position, held);
    held = {};
    send (position, held);
}

void PeerMouse::click (juce::Point<int> position, juce::ModifierKeys buttons)
{
    press (position, buttons);
    release (position);
}
