# JUCE's recommended warning flags, as errors, for our own targets; never for JUCE's module sources.
# The project is built with g++; clang serves only the fuzz build, where warnings stay warnings.
function(kalvo_warnings target)
    target_link_libraries(${target} PRIVATE juce::juce_recommended_warning_flags)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Werror -Wno-dangling-pointer)
    endif()
endfunction()
