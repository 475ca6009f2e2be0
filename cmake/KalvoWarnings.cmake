# JUCE's recommended warning flags, as errors, for our own targets; never for JUCE's module sources.
function(kalvo_warnings target)
    target_link_libraries(${target} PRIVATE juce::juce_recommended_warning_flags)
    target_compile_options(${target} PRIVATE -Werror -Wno-dangling-pointer)
endfunction()
