# What the configure-time copies of JUCE's sources (the VST3, LV2 and AAX wrappers) share.
# Nothing of JUCE is kept in this repository: each original is pinned by its SHA-256, and every
# edit must match exactly once, so a different JUCE stops the configure step instead of building
# an unknown mix.
include_guard(GLOBAL)

# The folder of the one source file of JUCE's `target` named `file_name` (its module's folder).
function(kalvo_juce_source_dir target file_name out_var)
    get_target_property(sources ${target} INTERFACE_SOURCES)
    string(REPLACE "." "\\." pattern "/${file_name}")
    list(FILTER sources INCLUDE REGEX "${pattern}$")
    list(LENGTH sources count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "JUCE's ${file_name} was not found among ${target}'s sources")
    endif()
    get_filename_component(dir "${sources}" DIRECTORY)
    set(${out_var} "${dir}" PARENT_SCOPE)
endfunction()

# Reads `file` into `out_var` after checking that it is the file the edits were written for.
# CMake drops the carriage returns while reading; the copy has plain line ends.
function(kalvo_read_pinned_juce_source file sha256 edits_in out_var)
    file(SHA256 "${file}" hash)
    if(NOT hash STREQUAL sha256)
        message(FATAL_ERROR "${file} has SHA-256 ${hash}, not ${sha256}: the edits in ${edits_in} "
                            "were written for Debian's juce-modules-source 7.0.5+ds-1 and must be "
                            "checked again.")
    endif()
    file(READ "${file}" text)
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Replaces the one occurrence of `old` in the variable `content_var`; an optional fourth argument
# names the edit in the error that anything but exactly one occurrence raises.
function(kalvo_replace_once content_var old new)
    string(FIND "${${content_var}}" "${old}" first)
    string(FIND "${${content_var}}" "${old}" last REVERSE)
    if(first EQUAL -1 OR NOT first EQUAL last)
        if(ARGC GREATER 3)
            set(what "${ARGV3}")
        else()
            string(SUBSTRING "${old}" 0 60 what)
            set(what "the edit starting \"${what}\"")
        endif()
        message(FATAL_ERROR "JUCE source edit: ${what} does not apply exactly once: the installed "
                            "JUCE is not the one these edits were written for.")
    endif()
    string(REPLACE "${old}" "${new}" result "${${content_var}}")
    set(${content_var} "${result}" PARENT_SCOPE)
endfunction()
