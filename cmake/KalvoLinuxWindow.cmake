# JUCE's X11 window, mended so that an idle window costs nothing, made at configure time from
# Debian's JUCE 7.0.5 (see KalvoJuceEdits.cmake for the pinning).
#
# Every JUCE window on Linux runs a timer at the display's refresh rate (100 Hz where the display
# reports none, as Xvfb and many remote displays do), and each tick wakes the timer thread and
# the message thread to find, nearly always, nothing to paint: about 2 % of a core for an empty
# window, more than the whole editor costs at rest. The mended window runs that timer only while
# it has something to do: regions waiting to be painted, images the X server has not taken yet,
# vblank listeners, or the painting image JUCE releases 3 s after its last use (so that image is
# still released, and a window painting at a steady rate keeps it). A repaint request or a
# listener attaching starts the timer again, and its first tick comes one refresh period later.
# JUCE's public tracker has the fault as issue 526 (a timer firing with nothing to draw, open);
# drop this mend for a JUCE that stops its window timer while idle.
#
# Only builds with the plug-in formats use it (see KalvoJuce.cmake).
#
# The module's one source file is copied to the build tree with its includes of the two mended
# files pointing at their copies; -iquote finds everything else in the installed module.
set(KALVO_GUI_BASICS_SHA256 c75a116dd99316638ab3e24b352aea1bb5b1f0d409acc5f657b21338a1dcadd6)
set(KALVO_LINUX_WINDOWING_SHA256 20c9f9c5ca1276c63fff0ee6013ae73bb77ce47b82f3282e8bd2c358d0c3fd5c)
set(KALVO_VBLANK_ATTACHMENT_SHA256 d033e82b5ca3914b522fa82ee86100f75913117da8d3a846269ad05916ebd333)

include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

# Writes `text` to `file`, touching it only when it changes, so a configure run alone recompiles nothing.
function(_kalvo_write_mended file text)
    file(WRITE "${file}.new" "${text}")
    configure_file("${file}.new" "${file}" COPYONLY)
endfunction()

function(kalvo_use_mended_linux_window)
    kalvo_juce_source_dir(juce_gui_basics juce_gui_basics.cpp module_dir)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/mended_gui_basics")
    set(this_file "${CMAKE_CURRENT_FUNCTION_LIST_FILE}")

    kalvo_read_pinned_juce_source("${module_dir}/native/juce_linux_Windowing.cpp"
                                  ${KALVO_LINUX_WINDOWING_SHA256} "${this_file}" window)

    kalvo_replace_once(window [=[
            repainter->repaint (area.getIntersection (bounds.withZeroOrigin()));
    }

    void performAnyPendingRepaintsNow() override
    {
        if (repainter != nullptr)
            repainter->performAnyPendingRepaintsNow();
    }
]=] [=[
            repainter->repaint (area.getIntersection (bounds.withZeroOrigin()));

        wakeVBlankTimer();
    }

    void performAnyPendingRepaintsNow() override
    {
        if (repainter != nullptr)
            repainter->performAnyPendingRepaintsNow();

        // KalvoPro: the image just painted is released after a while by the vblank timer.
        wakeVBlankTimer();
    }

    // KalvoPro: the vblank timer stops when the window has nothing to do (see onVBlank).
    void wakeVBlankTimer()
    {
        if (! vBlankManager.isTimerRunning())
            updateVBlankTimer();
    }
]=] "peer repaint")

    kalvo_replace_once(window [=[
        void repaint (Rectangle<int> area)
        {
]=] [=[
        // KalvoPro: nothing to paint, nothing the X server still has to take, no image to release.
        bool hasNothingToDo() const
        {
            return regionsNeedingRepaint.isEmpty() && image.isNull()
                && XWindowSystem::getInstance()->getNumPaintsPendingForWindow (peer.windowH) == 0;
        }

        void repaint (Rectangle<int> area)
        {
]=] "repaint manager's idle test")

    kalvo_replace_once(window [=[
        if (repainter != nullptr)
            repainter->dispatchDeferredRepaints();
    }
]=] [=[
        if (repainter != nullptr)
            repainter->dispatchDeferredRepaints();

        // KalvoPro: an idle window wakes nobody; repaint() and an attaching listener start it again.
        if (vBlankListeners.isEmpty() && (repainter == nullptr || repainter->hasNothingToDo()))
            vBlankManager.stopTimer();
    }
]=] "vblank stop")

    kalvo_read_pinned_juce_source("${module_dir}/windows/juce_VBlankAttachement.cpp"
                                  ${KALVO_VBLANK_ATTACHMENT_SHA256} "${this_file}" attachment)
    kalvo_replace_once(attachment [=[
            peer->addVBlankListener (this);
]=] [=[
            peer->addVBlankListener (this);
            // KalvoPro: an idle window's vblank timer is stopped; an empty repaint starts it.
            peer->repaint ({});
]=] "vblank attachment")

    kalvo_read_pinned_juce_source("${module_dir}/juce_gui_basics.cpp"
                                  ${KALVO_GUI_BASICS_SHA256} "${this_file}" module)
    kalvo_replace_once(module [=[#include "native/juce_linux_Windowing.cpp"]=]
                              [=[#include "mended/juce_linux_Windowing.cpp"]=] "windowing include")
    kalvo_replace_once(module [=[#include "windows/juce_VBlankAttachement.cpp"]=]
                              [=[#include "mended/juce_VBlankAttachement.cpp"]=] "vblank attachment include")

    _kalvo_write_mended("${out}/mended/juce_linux_Windowing.cpp" "${window}")
    _kalvo_write_mended("${out}/mended/juce_VBlankAttachement.cpp" "${attachment}")
    _kalvo_write_mended("${out}/juce_gui_basics.cpp" "${module}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        "${module_dir}/juce_gui_basics.cpp"
        "${module_dir}/native/juce_linux_Windowing.cpp"
        "${module_dir}/windows/juce_VBlankAttachement.cpp")

    set_source_files_properties("${out}/juce_gui_basics.cpp" PROPERTIES COMPILE_OPTIONS "-iquote;${module_dir}")
    get_target_property(all juce_gui_basics INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_gui_basics\\.cpp$" "${out}/juce_gui_basics.cpp")
    set_property(TARGET juce_gui_basics PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
