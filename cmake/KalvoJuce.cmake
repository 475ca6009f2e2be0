# The JUCE modules, compiled once into one static library that every target links:
# the subsystem libraries, the plug-in formats, the tests, the benchmarks and the tools.
add_library(kalvo_juce STATIC)
target_link_libraries(kalvo_juce
    PRIVATE
        juce::juce_audio_basics
        juce::juce_audio_formats
        juce::juce_audio_processors
        juce::juce_core
        juce::juce_data_structures
        juce::juce_events
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS
    PUBLIC
        juce::juce_recommended_config_flags)

set(KALVO_JUCE_DEFINITIONS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_STANDALONE_APPLICATION=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_LOG_ASSERTIONS=1
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    $<IF:$<CONFIG:Debug>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>)
target_compile_definitions(kalvo_juce PUBLIC ${KALVO_JUCE_DEFINITIONS})
set_target_properties(kalvo_juce PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
target_compile_options(kalvo_juce PRIVATE -w)

# Re-export what the module targets carry, so users see the same headers and definitions
# without compiling the module sources a second time.
foreach(mod juce_audio_basics juce_audio_formats juce_audio_processors juce_core juce_data_structures
            juce_events juce_graphics juce_gui_basics juce_gui_extra)
    target_include_directories(kalvo_juce SYSTEM PUBLIC
        $<TARGET_PROPERTY:juce::${mod},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(kalvo_juce PUBLIC
        $<TARGET_PROPERTY:juce::${mod},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()

find_package(PkgConfig REQUIRED)
target_link_libraries(kalvo_juce PUBLIC juce::pkgconfig_JUCE_IMG_LINUX_DEPS ${CMAKE_DL_LIBS} pthread)

# JuceHeader.h for our own sources.
set(KALVO_JUCE_HEADER_DIR ${CMAKE_BINARY_DIR}/kalvo_juce_header)
file(MAKE_DIRECTORY ${KALVO_JUCE_HEADER_DIR})
file(WRITE ${KALVO_JUCE_HEADER_DIR}/JuceHeader.h.in [=[
#pragma once
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_core/juce_core.h>
#include <juce_data_structures/juce_data_structures.h>
#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_gui_extra/juce_gui_extra.h>
]=])
configure_file(${KALVO_JUCE_HEADER_DIR}/JuceHeader.h.in ${KALVO_JUCE_HEADER_DIR}/JuceHeader.h COPYONLY)
target_include_directories(kalvo_juce PUBLIC ${KALVO_JUCE_HEADER_DIR})

# The X11 window, mended to cost nothing while idle (see the file for why), where the windows
# users open are built: with the plug-in formats. A build without them (the engine, kalvo-render
# and the tests) compiles JUCE's own window, so it configures on a JUCE the mend was not written for.
if(KALVO_PLUGIN)
    include(${CMAKE_CURRENT_LIST_DIR}/KalvoLinuxWindow.cmake)
    kalvo_use_mended_linux_window()
endif()
