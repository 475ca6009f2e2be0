# The LV2 client of Debian's JUCE 7.0.5, mended (juce-patches/juce_LV2_Client.cpp.patch says how
# and why) and compiled into the LV2 target in place of JUCE's. The client is both the plug-in's
# LV2 entry and the writer of the bundle's turtle, so the mend reaches both.
include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

function(kalvo_use_mended_lv2_client)
    set(mended "${CMAKE_CURRENT_BINARY_DIR}/mended_lv2_client/juce_LV2_Client.cpp")
    kalvo_mend_juce_source(juce_LV2_Client.cpp "${mended}")

    get_target_property(all juce_audio_plugin_client_LV2 INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_audio_plugin_client_LV2\\.cpp$" "${mended}")
    set_property(TARGET juce_audio_plugin_client_LV2 PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
