# The mends of JUCE's sources, applied at configure time. Each is a unified diff in juce-patches/,
# one per JUCE file, whose header names the JUCE release, the SHA-256 of the file it was written
# for and the upstream report it works around. Nothing of JUCE is kept in this repository: the
# installed file is checked against that hash, copied with plain line ends (JUCE's sources have
# CRLF ones) and patched into the build tree. A patch must apply exactly, without fuzz and with
# every hunk at its own line, so a different JUCE, or a patch edited until it no longer fits,
# stops the configure step instead of building an unknown mix.
include_guard(GLOBAL)

set(KALVO_JUCE_PATCHES ${CMAKE_CURRENT_LIST_DIR}/juce-patches)
find_program(KALVO_PATCH_PROGRAM patch)

# Writes the JUCE file `original` mended by `patch` to `output`, touching `output` only when it
# changes, so that a configure run alone recompiles nothing. Uses no target: it also runs in
# script mode.
function(kalvo_apply_juce_patch original patch output)
    if(NOT KALVO_PATCH_PROGRAM)
        message(FATAL_ERROR "GNU patch was not found (Debian package patch): it applies ${patch}")
    endif()
    file(STRINGS "${patch}" pinned REGEX "^SHA-256: [0-9a-f]+$")
    list(LENGTH pinned count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "${patch} names no single SHA-256 of the JUCE file it applies to")
    endif()
    string(SUBSTRING "${pinned}" 9 -1 sha256)
    file(SHA256 "${original}" hash)
    if(NOT hash STREQUAL sha256)
        message(FATAL_ERROR "${original} has SHA-256 ${hash}, not ${sha256}: ${patch} was written "
                            "for another JUCE and must be checked again.")
    endif()

    set(work "${output}.patching")
    file(REMOVE_RECURSE "${work}")
    file(READ "${original}" text)
    string(REPLACE "\r" "" text "${text}")
    file(WRITE "${work}/original" "${text}")
    set(apply ${CMAKE_COMMAND} -E env LC_ALL=C ${KALVO_PATCH_PROGRAM} --fuzz=0 --forward --batch
              --no-backup-if-mismatch --reject-file=- "--input=${patch}")
    # Checked first, so that nothing is written from a patch that does not fit; patch itself
    # accepts a hunk found some lines away from where it says, which is not exactly. Only patch's
    # line about a hunk is read: its report also names the files, whose paths may hold any word.
    set(inexact "(^|\n)Hunk #[0-9]+ succeeded at [0-9]+( with fuzz [0-9]+| \\(offset -?[0-9]+ lines?\\))")
    foreach(step "--dry-run" "--output=${work}/mended")
        execute_process(COMMAND ${apply} ${step} "${work}/original"
                        RESULT_VARIABLE failed OUTPUT_VARIABLE report ERROR_VARIABLE report)
        if(failed OR report MATCHES "${inexact}")
            message(FATAL_ERROR "A JUCE patch does not apply exactly:\n  ${patch}\n"
                                "to\n  ${original}\n${report}")
        endif()
    endforeach()
    file(COPY_FILE "${work}/mended" "${output}" ONLY_IF_DIFFERENT)
    file(REMOVE_RECURSE "${work}")
endfunction()

# Mends the installed JUCE file that juce-patches/<name>.patch names (its `--- a/<module>/...`
# line) into `output`, and reconfigures when either changes. The optional third argument receives
# the installed file's path.
function(kalvo_mend_juce_source name output)
    set(patch "${KALVO_JUCE_PATCHES}/${name}.patch")
    file(STRINGS "${patch}" source REGEX "^--- a/" LIMIT_COUNT 1)
    string(REGEX REPLACE "^--- a/([^\t]+).*$" "\\1" source "${source}")
    string(REGEX MATCH "^[^/]+" module "${source}")
    get_target_property(modules_dir juce::${module} INTERFACE_JUCE_MODULE_PATH)
    set(original "${modules_dir}/${source}")
    if(NOT EXISTS "${original}")
        message(FATAL_ERROR "JUCE's ${source} was not found in ${modules_dir} (package juce-modules-source)")
    endif()
    kalvo_apply_juce_patch("${original}" "${patch}" "${output}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${original}" "${patch}")
    if(ARGC GREATER 2)
        set(${ARGV2} "${original}" PARENT_SCOPE)
    endif()
endfunction()
