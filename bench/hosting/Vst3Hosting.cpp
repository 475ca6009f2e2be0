// JUCE's VST3 hosting, compiled for the benchmarks alone. The shared JUCE library leaves plug-in
// hosting out (nothing else in the project hosts plug-ins), and building juce_audio_processors a
// second time with it would compile every other part of the module twice; this compiles only
// the VST3 format, in the setting the module's own source gives it.
#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_extra/juce_gui_extra.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/utsname.h>
#undef KeyPress

namespace juce
{
// The module source defines this helper for its format sources.
template <typename Callback>
void callOnMessageThread (Callback&& callback)
{
    if (MessageManager::getInstance()->existsAndIsLockedByCurrentThread())
    {
        callback();
        return;
    }

    WaitableEvent completionEvent;
    MessageManager::callAsync (
        [&callback, &completionEvent]
        {
            callback();
            completionEvent.signal();
        });
    completionEvent.wait();
}
} // namespace juce

#include <juce_audio_processors/utilities/juce_FlagCache.h>
#include <juce_audio_processors/format_types/juce_VST3PluginFormat.cpp>
