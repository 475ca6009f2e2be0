# The VST3 wrapper of Debian's JUCE 7.0.5, mended where a host's saved state can crash it, made
# at configure time from the installed file. Nothing of JUCE is kept in this repository: the
# original is pinned by its SHA-256, and every edit must match exactly once, so a different JUCE
# stops the configure step instead of building an unknown mix.
#
# The mends, the first two in JuceVST3Component's state reading:
# - a trailer whose recorded size does not fit in the data is ignored (JUCE subtracts it from
#   the size unchecked and reads far outside the data), and the rest goes to the processor;
# - the trailer's private data is recognised only as one of the two trees the wrapper writes
#   itself: JUCE's generic tree reader, given damaged bytes, allocates whatever a count in them
#   says and recurses once per nested child;
# - switching the MIDI input bus while active is accepted without an assertion report: it only
#   sets a flag the audio callback reads, and Ardour switches it off before it deactivates the
#   plug-in at every unload.
#
# And in juce_VST3Common.h, which the wrapper includes: the buffer mapping of every process call
# copied each input bus's channel mapping, and with it a std::vector, so the VST3 allocated on the
# audio thread once per block; it now takes the mapping by reference, as later JUCE does.
#
# JUCE's public tracker holds no report of these faults; a later JUCE that mends them (or, as for
# the mapping, no longer has them) lets the edit go. Only the plug-in formats use this file.
set(KALVO_VST3_WRAPPER_SHA256 394b2e7f715833b8400e08b500cc1ccaf41dc1e780ab72c00e100a2c18fb4fc9)
set(KALVO_VST3_COMMON_SHA256 bd22209c331dda6a1bc7eab610a440a581bf24058db16fab9312563893bb80ac)

include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

# Makes the mended wrapper and compiles it into the VST3 target in place of JUCE's.
function(kalvo_use_mended_vst3_wrapper)
    kalvo_juce_source_dir(juce_audio_plugin_client_VST3 juce_audio_plugin_client_VST3.cpp client_dir)
    set(original "${client_dir}/VST3/juce_VST3_Wrapper.cpp")

    kalvo_read_pinned_juce_source("${original}" ${KALVO_VST3_WRAPPER_SHA256} "${CMAKE_CURRENT_FUNCTION_LIST_FILE}" text)

    kalvo_replace_once(text [=[
                privateDataSize = ByteOrder::swapIfBigEndian (privateDataSize);
                size -= privateDataSize + jucePrivDataIdentifierSize + sizeof (uint64);

                if (privateDataSize > 0)
                    setJucePrivateStateInformation (buffer + size, static_cast<int> (privateDataSize));

                size -= sizeof (uint64);
]=] [=[
                privateDataSize = ByteOrder::swapIfBigEndian (privateDataSize);

                // KalvoPro: a size that does not fit in the data (with the zero marker before the
                // private data) is not a trailer of ours; drop the identifier and the size, and
                // hand the rest on as it is.
                const auto framing = (uint64) jucePrivDataIdentifierSize + 2 * sizeof (uint64);

                if (size < framing || privateDataSize > size - framing)
                {
                    size -= jucePrivDataIdentifierSize + sizeof (uint64);
                }
                else
                {
                    size -= privateDataSize + jucePrivDataIdentifierSize + sizeof (uint64);

                    if (privateDataSize > 0)
                        setJucePrivateStateInformation (buffer + size, static_cast<int> (privateDataSize));

                    size -= sizeof (uint64);
                }
]=])

    kalvo_replace_once(text [=[
                auto privateData = ValueTree::readFromData (data, static_cast<size_t> (sizeInBytes));
                setBypassed (static_cast<bool> (privateData.getProperty ("Bypass", var (false))));
]=] [=[
                // KalvoPro: only the two trees writeJucePrivateStateInformation writes are read;
                // anything else leaves the bypass as it was.
                for (auto bypassed : { false, true })
                {
                    ValueTree privateData (kJucePrivateDataIdentifier);
                    privateData.setProperty ("Bypass", var (bypassed), nullptr);
                    MemoryOutputStream expected;
                    privateData.writeToStream (expected);

                    if (expected.getDataSize() == static_cast<size_t> (sizeInBytes)
                        && std::memcmp (expected.getData(), data, expected.getDataSize()) == 0)
                        setBypassed (bypassed);
                }
]=])

    kalvo_replace_once(text [=[
        // The host is misbehaving! The plugin must be deactivated before setting new arrangements.
        jassert (! active);
]=] [=[
        // The host is misbehaving! The plugin must be deactivated before setting new arrangements.
        // KalvoPro: except for the MIDI bus, whose switch is a flag (see the top of this file).
        jassert (! active || type == Vst::kEvent);
]=])

    # The mended juce_VST3Common.h sits beside the mended wrapper, which alone includes it.
    kalvo_replace_once(text "#include <juce_audio_processors/format_types/juce_VST3Common.h>"
                            "#include \"juce_VST3Common.h\"" "VST3Common include")
    kalvo_juce_source_dir(juce_audio_processors juce_audio_processors.cpp processors_dir)
    set(common_original "${processors_dir}/format_types/juce_VST3Common.h")
    kalvo_read_pinned_juce_source("${common_original}" ${KALVO_VST3_COMMON_SHA256} "${CMAKE_CURRENT_FUNCTION_LIST_FILE}" common)
    kalvo_replace_once(common "            const auto mapping = map[busIndex];"
                              "            const auto& mapping = map[busIndex]; // KalvoPro: a copy allocates"
                              "input mapping copy")

    set(mended_dir "${CMAKE_CURRENT_BINARY_DIR}/mended_vst3_wrapper")
    set(mended "${mended_dir}/juce_VST3_Wrapper.cpp")
    # Rewritten only when they change, so a configure run alone recompiles nothing.
    foreach(pair "juce_VST3_Wrapper.cpp;text" "juce_VST3Common.h;common")
        list(GET pair 0 name)
        list(GET pair 1 var)
        file(WRITE "${mended_dir}/${name}.new" "${${var}}")
        configure_file("${mended_dir}/${name}.new" "${mended_dir}/${name}" COPYONLY)
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${original}" "${common_original}")

    # The wrapper includes its siblings relative to its own folder; -iquote finds them there.
    set_source_files_properties("${mended}" PROPERTIES COMPILE_OPTIONS "-iquote;${client_dir}/VST3")
    # Source properties belong to a directory: a target elsewhere that compiles the wrapper too
    # (a test hosting it in-process) sets the same option in its own directory.
    set_property(GLOBAL PROPERTY KALVO_VST3_WRAPPER_SOURCE "${mended}")
    set_property(GLOBAL PROPERTY KALVO_VST3_WRAPPER_OPTIONS "-iquote;${client_dir}/VST3")
    get_target_property(all juce_audio_plugin_client_VST3 INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_audio_plugin_client_VST3\\.cpp$" "${mended}")
    set_property(TARGET juce_audio_plugin_client_VST3 PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
