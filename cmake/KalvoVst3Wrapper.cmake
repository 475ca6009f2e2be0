# The VST3 wrapper of Debian's JUCE 7.0.5 and the buffer mapping it includes, mended
# (juce-patches/juce_VST3_Wrapper.cpp.patch and juce_VST3Common.h.patch say how and why) and
# compiled into the VST3 target in place of JUCE's. Only the plug-in formats use this file.
include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

function(kalvo_use_mended_vst3_wrapper)
    set(mended_dir "${CMAKE_CURRENT_BINARY_DIR}/mended_vst3_wrapper")
    set(mended "${mended_dir}/juce_VST3_Wrapper.cpp")
    kalvo_mend_juce_source(juce_VST3_Wrapper.cpp "${mended}" original)
    # The mended wrapper alone includes the mended juce_VST3Common.h, from beside itself.
    kalvo_mend_juce_source(juce_VST3Common.h "${mended_dir}/juce_VST3Common.h")
    get_filename_component(client_dir "${original}" DIRECTORY)

    # The wrapper includes its siblings relative to its own folder; -iquote finds them there.
    set_source_files_properties("${mended}" PROPERTIES COMPILE_OPTIONS "-iquote;${client_dir}")
    # Source properties belong to a directory: a target elsewhere that compiles the wrapper too
    # (a test hosting it in-process) sets the same option in its own directory.
    set_property(GLOBAL PROPERTY KALVO_VST3_WRAPPER_SOURCE "${mended}")
    set_property(GLOBAL PROPERTY KALVO_VST3_WRAPPER_OPTIONS "-iquote;${client_dir}")
    get_target_property(all juce_audio_plugin_client_VST3 INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_audio_plugin_client_VST3\\.cpp$" "${mended}")
    set_property(TARGET juce_audio_plugin_client_VST3 PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
