# JUCE's standalone application, mended so that it reads its settings file only when that is
# absent or a regular file of a bounded size (juce-patches/juce_StandaloneFilterApp.cpp.patch says
# why), and compiled into the standalone target in place of JUCE's. The format's one source file,
# copied unchanged beside the mended application, includes it from its own folder; -iquote finds
# the rest in the installed module.
include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

function(kalvo_use_mended_standalone_app)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/mended_standalone")
    kalvo_mend_juce_source(juce_StandaloneFilterApp.cpp "${out}/Standalone/juce_StandaloneFilterApp.cpp" app)
    get_filename_component(standalone_dir "${app}" DIRECTORY)
    get_filename_component(client_dir "${standalone_dir}" DIRECTORY)
    set(format_source "${client_dir}/juce_audio_plugin_client_Standalone.cpp")
    set(copy "${out}/juce_audio_plugin_client_Standalone.cpp")
    file(COPY_FILE "${format_source}" "${copy}" ONLY_IF_DIFFERENT)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${format_source}")

    set_source_files_properties("${copy}" PROPERTIES COMPILE_OPTIONS "-iquote;${standalone_dir}")
    get_target_property(all juce_audio_plugin_client_Standalone INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_audio_plugin_client_Standalone\\.cpp$" "${copy}")
    set_property(TARGET juce_audio_plugin_client_Standalone PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
