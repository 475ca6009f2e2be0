# JUCE's X11 window, mended so that an idle window costs nothing (juce-patches/
# juce_linux_Windowing.cpp.patch says how and why), with the vblank attachment it needs; only
# builds with the plug-in formats use it (see KalvoJuce.cmake).
#
# The module's one source file is copied to the build tree with its includes of the two mended
# files pointing at their copies; -iquote finds everything else in the installed module.
include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

function(kalvo_use_mended_linux_window)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/mended_gui_basics")
    kalvo_mend_juce_source(juce_linux_Windowing.cpp "${out}/mended/juce_linux_Windowing.cpp")
    kalvo_mend_juce_source(juce_VBlankAttachement.cpp "${out}/mended/juce_VBlankAttachement.cpp")
    kalvo_mend_juce_source(juce_gui_basics.cpp "${out}/juce_gui_basics.cpp" module)
    get_filename_component(module_dir "${module}" DIRECTORY)

    set_source_files_properties("${out}/juce_gui_basics.cpp" PROPERTIES COMPILE_OPTIONS "-iquote;${module_dir}")
    get_target_property(all juce_gui_basics INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_gui_basics\\.cpp$" "${out}/juce_gui_basics.cpp")
    set_property(TARGET juce_gui_basics PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
