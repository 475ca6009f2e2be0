# JUCE's recommended warning flags, as errors, for our own targets; never for JUCE's module sources.
# The project is built with g++; clang serves only the fuzz build, where warnings stay warnings.
function(kalvo_warnings target)
    target_link_libraries(${target} PRIVATE juce::juce_recommended_warning_flags)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Werror -Wno-dangling-pointer)
    endif()
endfunction()

# The lock discipline of the model (engine/ThreadAnnotations.h), checked by clang's thread-safety
# analysis: an access the lock does not cover fails the build. Only our three libraries carry it.
option(KALVO_THREAD_SAFETY "Fail the engine, widgets and editor builds on thread-safety warnings (clang)" OFF)
# The analysis cannot see JUCE's host-notifying calls: scripts/check-host-calls, run before each of
# these libraries is built, fails on one made outside the wrappers it knows.
function(kalvo_thread_safety target)
    if(KALVO_THREAD_SAFETY AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(${target} PRIVATE -Wthread-safety -Werror=thread-safety)
        if(NOT TARGET kalvo_host_calls)
            add_custom_target(kalvo_host_calls COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-host-calls VERBATIM)
        endif()
        add_dependencies(${target} kalvo_host_calls)
    endif()
endfunction()
