# The AAX module's one translation unit: JUCE's own AAX wrapper, taken from Debian's
# juce-modules-source at configure time, checked byte for byte, edited in a few exactly known places
# and written into the build tree. Nothing of JUCE is committed here.
#
# kalvo_generate_aax_wrapper(<shared code target> <output file>)

# JUCE 7.0.5+ds-1: juce_audio_plugin_client/AAX/juce_AAX_Wrapper.cpp, 2,598 lines with CRLF ends.
set(KALVO_AAX_WRAPPER_SHA256 c8ae319ad29dfd9204cec44621fa4920b0548a90621eb177f57db3af69017127)

# Replaces the one occurrence of `from` in `content_var`; anything but exactly one is an error,
# since it means the wrapper is not the file these edits were written for.
function(_kalvo_replace_once content_var from to what)
    string(FIND "${${content_var}}" "${from}" first)
    string(FIND "${${content_var}}" "${from}" last REVERSE)
    if(first EQUAL -1)
        message(FATAL_ERROR "AAX wrapper: ${what}: text not found")
    endif()
    if(NOT first EQUAL last)
        message(FATAL_ERROR "AAX wrapper: ${what}: text found more than once")
    endif()
    string(REPLACE "${from}" "${to}" result "${${content_var}}")
    set(${content_var} "${result}" PARENT_SCOPE)
endfunction()

# What Debian's juce_CheckSettingMacros.h would check (the edited wrapper no longer includes it,
# because that header also switches the AAX wrapper off): the plug-in settings the wrapper reads.
function(_kalvo_check_aax_settings shared_code_target)
    get_target_property(definitions ${shared_code_target} COMPILE_DEFINITIONS)
    get_target_property(interface_definitions ${shared_code_target} INTERFACE_COMPILE_DEFINITIONS)
    list(APPEND definitions ${interface_definitions})
    foreach(setting IsSynth ManufacturerCode PluginCode ProducesMidiOutput WantsMidiInput
                    EditorRequiresKeyboardFocus AAXIdentifier AAXManufacturerCode AAXProductId
                    AAXDisableBypass AAXDisableMultiMono Name Manufacturer VersionCode)
        set(found ${definitions})
        list(FILTER found INCLUDE REGEX "^JucePlugin_${setting}=")
        if(NOT found)
            message(FATAL_ERROR "AAX wrapper: ${shared_code_target} does not define JucePlugin_${setting}")
        endif()
    endforeach()
    list(FILTER definitions INCLUDE REGEX "^JucePlugin_Latency=")
    if(definitions)
        message(FATAL_ERROR "AAX wrapper: JucePlugin_Latency is no longer read; set the latency in the processor")
    endif()
endfunction()

function(kalvo_generate_aax_wrapper shared_code_target output)
    get_target_property(module_path juce::juce_audio_plugin_client INTERFACE_JUCE_MODULE_PATH)
    set(source "${module_path}/juce_audio_plugin_client/AAX/juce_AAX_Wrapper.cpp")
    if(NOT EXISTS "${source}")
        message(FATAL_ERROR "AAX wrapper: ${source} not found (package juce-modules-source)")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")

    file(SHA256 "${source}" digest)
    if(NOT digest STREQUAL KALVO_AAX_WRAPPER_SHA256)
        message(FATAL_ERROR "AAX wrapper: ${source} has SHA-256 ${digest}, expected "
                            "${KALVO_AAX_WRAPPER_SHA256} (JUCE 7.0.5+ds-1); the edits below were made "
                            "for that file only")
    endif()
    _kalvo_check_aax_settings(${shared_code_target})

    # CMake drops the carriage returns while reading; the copy has plain line ends.
    file(READ "${source}" text)
    set(nl "\n")

    # 1. The settings check switches AAX off on Debian; the checks above replace it. The line
    #    stays, empty, so that JUCE's assertion messages name the original line numbers.
    _kalvo_replace_once(text "#include \"../utility/juce_CheckSettingMacros.h\"${nl}" "${nl}"
                        "settings-check include")

    # 2. The copy lives in the build tree: relative includes become module includes.
    foreach(header juce_IncludeSystemHeaders.h juce_IncludeModuleHeaders.h juce_WindowsHooks.h)
        _kalvo_replace_once(text "#include \"../utility/${header}\""
                            "#include <juce_audio_plugin_client/utility/${header}>" "${header} include")
    endforeach()
    _kalvo_replace_once(text "#include \"juce_AAX_Modifier_Injector.h\""
                        "#include <juce_audio_plugin_client/AAX/juce_AAX_Modifier_Injector.h>"
                        "modifier injector include")

    # 3. The play position: the comparison with AAX_SUCCESS was applied to the && of the play state
    #    and the host's answer, so a stopped transport gave PPQ 0 without asking the host.
    _kalvo_replace_once(text
        "return ((info.getIsPlaying() && transport.GetCustomTickPosition (&ticks, optionalTimeInSamples.orFallback (0))) == AAX_SUCCESS)"
        "return (info.getIsPlaying() && transport.GetCustomTickPosition (&ticks, optionalTimeInSamples.orFallback (0)) == AAX_SUCCESS)"
        "tick position precedence")

    # 4. Host values reach the processor's parameters unchecked: NaN or infinity became the
    #    parameter's value (and JUCE's range asserts on anything outside 0..1). Values that are not
    #    numbers are ignored and the rest kept to 0..1. One line, so the line numbers stay.
    _kalvo_replace_once(text
        "auto newValue = static_cast<float> (value);"
        "if (! std::isfinite (value)) return; auto newValue = static_cast<float> (jlimit (0.0, 1.0, value));"
        "host value check")

    # The settings that differ from the other formats, for this translation unit only: the shared
    # code keeps AAX off, category 0 and the long description for VST3 and LV2.
    set(prelude
        "// Generated by cmake/KalvoAaxWrapper.cmake from ${source}: edit that script, not this file.${nl}"
        "#undef JucePlugin_Build_AAX${nl}"
        "#define JucePlugin_Build_AAX 1${nl}"
        "#undef JucePlugin_AAXCategory${nl}"
        "#define JucePlugin_AAXCategory 0x2000${nl}"
        "#undef JucePlugin_Desc${nl}"
        "#define JucePlugin_Desc \"KalvoPro\"${nl}"
        "#undef JUCE_INCLUDED_AAX_IN_MM${nl}"
        "#define JUCE_INCLUDED_AAX_IN_MM 1${nl}"
        "#line 1 \"${source}\"${nl}")
    string(JOIN "" prelude ${prelude})

    file(WRITE "${output}.new" "${prelude}${text}")
    file(COPY_FILE "${output}.new" "${output}" ONLY_IF_DIFFERENT)
    file(REMOVE "${output}.new")
endfunction()
