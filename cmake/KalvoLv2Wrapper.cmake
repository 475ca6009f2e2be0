# The LV2 client of Debian's JUCE 7.0.5, mended, made at configure time from the installed file.
# Nothing of JUCE is kept in this repository: the original is pinned by its SHA-256, and every edit
# must match exactly once, so a different JUCE stops the configure step instead of building an
# unknown mix. The client is both the plug-in's LV2 entry and the writer of the bundle's turtle
# (the build runs it through juce_lv2_helper), so both are mended here.
#
# The play head (the first point works around JUCE issue 1641 in JUCE's public tracker,
# juce-framework/JUCE#1641; a JUCE that keeps the position between events can drop it):
# - hosts send a time:Position only when the transport changes (jalv on start, stop, a jump or a
#   tempo change) and leave the plug-in to run on from it; JUCE forgot the position after the
#   block it came in, so every later block had none. The position now stays and moves on with
#   each block at the host's speed;
# - a host without a beat count (jalv takes the bar and the beat within it from JACK's timebase
#   master) gave no musical position at all; it is now counted from time:bar and time:barBeat;
# - LV2 counts beats and tempo in the meter's beat unit (an eighth in 6/8), the play head in
#   quarter notes: time:beat and time:beatsPerMinute are converted as the bar count is.
#
# Parameters: a host that asks for their values with patch:Get (Qtractor after an insert and
# after every restore, jalv at start) gets one patch:Set per parameter asked for; JUCE answered
# only patch:Set.
#
# The turtle, so that lv2_validate finds no error in it and lilv files the plug-in under its class:
# - the maintainer and release belong to a doap:Project of their own (lv2:project), the domain of
#   both; the plug-in itself typed as a doap:Project was taken by lilv as its class;
# - the UI lists opts:interface only as extension data and ui:noUserResize only as a feature, and
#   no longer the deprecated ui:resize as extension data (the binary still answers it);
# - the property the generated preset stores (the program index) is defined;
# - default, minimum, maximum and scale-point values are decimals, not integers, as LV2 asks for
#   float-valued properties.
set(KALVO_LV2_CLIENT_SHA256 7cbca4accdbd9401b686ef063ce8cf7ef3315d8de2d948a4071ad03ef85e64d0)

include(${CMAKE_CURRENT_LIST_DIR}/KalvoJuceEdits.cmake)

# Makes the mended client and compiles it into the LV2 target in place of JUCE's.
function(kalvo_use_mended_lv2_client)
    kalvo_juce_source_dir(juce_audio_plugin_client_LV2 juce_audio_plugin_client_LV2.cpp client_dir)
    set(original "${client_dir}/LV2/juce_LV2_Client.cpp")

    kalvo_read_pinned_juce_source("${original}" ${KALVO_LV2_CLIENT_SHA256} "${CMAKE_CURRENT_FUNCTION_LIST_FILE}" text)

    # The play head keeps the last position and moves it on.
    kalvo_replace_once(text [=[
    void invalidate() { info = nullopt; }
]=] [=[
    // KalvoPro: called after each block; a rolling position runs on from the host's last one.
    void advance (uint32_t numSamples)
    {
        if (! info.hasValue() || speed == 0.0)
            return;

        samplesSinceEvent += (double) numSamples;
        const auto hostSamples = samplesSinceEvent * speed;

        if (eventFrame.hasValue())
        {
            const auto frame = (double) *eventFrame + hostSamples;
            info->setTimeInSamples ((int64_t) std::floor (frame));
            info->setTimeInSeconds (frame / sampleRate);
        }

        if (eventPpq.hasValue() && eventBpm.hasValue())
            info->setPpqPosition (*eventPpq + hostSamples / sampleRate * *eventBpm / 60.0);
    }
]=])

    kalvo_replace_once(text [=[
        info->setBpm (parser.parseNumericAtom<float> (atomBeatsPerMinute));
        info->setPpqPosition (parser.parseNumericAtom<double> (atomBeat));
        info->setIsPlaying (parser.parseNumericAtom<float> (atomSpeed).orFallback (0.0f) != 0.0f);
        info->setBarCount (parser.parseNumericAtom<int64_t> (atomBar));

        if (const auto parsed = parser.parseNumericAtom<int64_t> (atomFrame))
        {
            info->setTimeInSamples (*parsed);
            info->setTimeInSeconds ((double) *parsed / sampleRate);
        }
]=] [=[
        // KalvoPro: LV2 counts beats and tempo in beat units, the play head in quarter notes.
        // Without time:beat the musical position is the bar and the beat within it.
        const auto bar = parser.parseNumericAtom<int64_t> (atomBar);
        const auto barBeat = parser.parseNumericAtom<double> (atomBarBeat);
        const auto beat = parser.parseNumericAtom<double> (atomBeat);
        const auto bpm = parser.parseNumericAtom<double> (atomBeatsPerMinute);
        const auto ppqPerBeat = 4.0 / (double) (denominator.hasValue() && *denominator > 0 ? *denominator : 4);
        eventPpq = nullopt;
        eventBpm = nullopt;

        if (beat.hasValue())
            eventPpq = *beat * ppqPerBeat;
        else if (bar.hasValue() && barBeat.hasValue() && numerator.hasValue())
            eventPpq = ((double) *bar * (double) *numerator + *barBeat) * ppqPerBeat;

        if (bpm.hasValue())
            eventBpm = *bpm * ppqPerBeat;

        eventFrame = parser.parseNumericAtom<int64_t> (atomFrame);
        speed = parser.parseNumericAtom<double> (atomSpeed).orFallback (0.0);
        // The event may stand later in the block than its start, where the processor reads it.
        samplesSinceEvent = -(double) event->time.frames;

        info->setBpm (eventBpm);
        info->setPpqPosition (eventPpq);
        info->setIsPlaying (speed != 0.0);
        info->setBarCount (bar);

        if (eventFrame.hasValue())
        {
            info->setTimeInSamples (*eventFrame);
            info->setTimeInSeconds ((double) *eventFrame / sampleRate);
        }

        advance (0);
]=])

    kalvo_replace_once(text [=[
        const LV2_Atom* atomBar            = nullptr;
]=] [=[
        const LV2_Atom* atomBar            = nullptr;
        const LV2_Atom* atomBarBeat        = nullptr;
]=])
    kalvo_replace_once(text [=[
                                        { mLV2_TIME__bar,               &atomBar },
]=] [=[
                                        { mLV2_TIME__bar,               &atomBar },
                                        { mLV2_TIME__barBeat,           &atomBarBeat },
]=])
    kalvo_replace_once(text [=[
    Optional<PositionInfo> info;
    double sampleRate;
]=] [=[
    Optional<PositionInfo> info;
    double sampleRate;
    Optional<int64_t> eventFrame;
    Optional<double> eventPpq, eventBpm;
    double speed = 0.0, samplesSinceEvent = 0.0;
]=])
    kalvo_replace_once(text [=[
    X (LV2_TIME__bar)
   #undef X
]=] [=[
    X (LV2_TIME__bar)
    X (LV2_TIME__barBeat)
   #undef X
]=])
    kalvo_replace_once(text [=[
        midi.clear();
        playHead.invalidate();
]=] [=[
        midi.clear();
]=])
    kalvo_replace_once(text [=[
        ports.prepareToWrite();
]=] [=[
        playHead.advance (numSteps);

        ports.prepareToWrite();
]=])

    # patch:Get: the parameters asked for are flagged as changed, so they go out as patch:Set
    # after the block with their current values, as JUCE sends a changed parameter.
    kalvo_replace_once(text [=[
    struct Options
    {
        bool parameterValue, gestureBegin, gestureEnd;
    };
]=] [=[
    // KalvoPro: a host's patch:Get for one parameter, or for all of them without a property.
    void requestValues (Optional<LV2_URID> urid) noexcept
    {
        for (const auto& [paramUrid, index] : uridToIndexMap)
            if (! urid.hasValue() || *urid == paramUrid)
                stateCache.setBits (index, newClientValue);
    }

    struct Options
    {
        bool parameterValue, gestureBegin, gestureEnd;
    };
]=])
    kalvo_replace_once(text [=[
            patchSetHelper.processPatchSet (event, Callback { *this });
]=] [=[
            patchSetHelper.processPatchSet (event, Callback { *this });
            readPatchGet (event);
]=])
    kalvo_replace_once(text [=[
    void deactivate() {}
]=] [=[
    // KalvoPro: a patch:Get for the plug-in asks for a parameter's value, or for all of them.
    void readPatchGet (const LV2_Atom_Event* event) noexcept
    {
        if (event->body.type != mLV2_ATOM__Object && event->body.type != mLV2_ATOM__Blank)
            return;

        const auto* object = reinterpret_cast<const LV2_Atom_Object*> (&event->body);

        if (object->body.otype != mLV2_PATCH__Get)
            return;

        const LV2_Atom* subject = nullptr;
        const LV2_Atom* property = nullptr;
        LV2_Atom_Object_Query query[] { { mLV2_PATCH__subject,  &subject },
                                        { mLV2_PATCH__property, &property },
                                        LV2_ATOM_OBJECT_QUERY_END };
        lv2_atom_object_query (object, query);

        if (! patchSetHelper.isPlugin (subject))
            return;

        if (property == nullptr)
            parameters.requestValues (nullopt);
        else if (property->type == mLV2_ATOM__URID)
            parameters.requestValues (reinterpret_cast<const LV2_Atom_URID*> (property)->body);
    }

    void deactivate() {}
]=])
    kalvo_replace_once(text [=[
    X (LV2_STATE__StateChanged)
   #undef X
]=] [=[
    X (LV2_STATE__StateChanged)
    X (LV2_ATOM__Blank)
    X (LV2_ATOM__Object)
    X (LV2_ATOM__URID)
    X (LV2_PATCH__Get)
    X (LV2_PATCH__property)
    X (LV2_PATCH__subject)
   #undef X
]=])

    # The turtle.
    kalvo_replace_once(text [=[
struct RecallFeature
{
]=] [=[
// KalvoPro: JUCE writes whole numbers without a decimal point, which turtle reads as integers.
static String kalvoTurtleDecimal (double value)
{
    auto text = String (value);

    if (std::isfinite (value) && ! text.containsAnyOf (".eE"))
        text << ".0";

    return text;
}

struct RecallFeature
{
]=])
    kalvo_replace_once(text [=[
              "@prefix xsd:   <http://www.w3.org/2001/XMLSchema#> .\n"
              "\n"
              "<" JucePlugin_LV2URI ">\n"
              "\ta lv2:Plugin ;\n"
]=] [=[
              "@prefix xsd:   <http://www.w3.org/2001/XMLSchema#> .\n"
              "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
              "\n"
              "<" JucePlugin_LV2URI ">\n"
              "\ta lv2:Plugin ;\n"
]=])
    kalvo_replace_once(text [=[
                  "\tstate:state [ <" << JucePluginLV2UriProgram << "> \"" << i << "\"^^xsd:int ; ] .\n"
                  "\n";
        }
]=] [=[
                  "\tstate:state [ <" << JucePluginLV2UriProgram << "> \"" << i << "\"^^xsd:int ; ] .\n"
                  "\n";
        }

        if (proc.getNumPrograms() > 0)
            os << "<" << JucePluginLV2UriProgram << ">\n"
                  "\ta rdf:Property ;\n"
                  "\trdfs:label \"program\" ;\n"
                  "\trdfs:comment \"The index of the program a preset selects.\" .\n"
                  "\n";
]=])
    kalvo_replace_once(text [=[
                os << "\tlv2:default " << rangedParam->convertFrom0to1 (rangedParam->getDefaultValue()) << " ;\n"
                      "\tlv2:minimum " << rangedParam->getNormalisableRange().start << " ;\n"
                      "\tlv2:maximum " << rangedParam->getNormalisableRange().end;
]=] [=[
                os << "\tlv2:default " << kalvoTurtleDecimal (rangedParam->convertFrom0to1 (rangedParam->getDefaultValue())) << " ;\n"
                      "\tlv2:minimum " << kalvoTurtleDecimal (rangedParam->getNormalisableRange().start) << " ;\n"
                      "\tlv2:maximum " << kalvoTurtleDecimal (rangedParam->getNormalisableRange().end);
]=])
    kalvo_replace_once(text [=[
                os << "\tlv2:default " << param.getDefaultValue() << " ;\n"
]=] [=[
                os << "\tlv2:default " << kalvoTurtleDecimal (param.getDefaultValue()) << " ;\n"
]=])
    kalvo_replace_once(text [=[
                          "\t\trdf:value " << value << " ;\n"
]=] [=[
                          "\t\trdf:value " << kalvoTurtleDecimal (value) << " ;\n"
]=])
    kalvo_replace_once(text [=[
              "\tdoap:maintainer [\n"
              "\t\ta foaf:Person ;\n"
              "\t\tfoaf:name \"" JucePlugin_Manufacturer "\" ;\n"
              "\t\tfoaf:homepage <" JucePlugin_ManufacturerWebsite "> ;\n"
              "\t\tfoaf:mbox <" JucePlugin_ManufacturerEmail "> ;\n"
              "\t] ;\n"
              "\tdoap:release [\n"
              "\t\ta doap:Version ;\n"
              "\t\tdoap:revision \"" JucePlugin_VersionString "\" ;\n"
              "\t] ;\n"
]=] [=[
              "\tlv2:project [\n"
              "\t\ta doap:Project ;\n"
              "\t\tdoap:name \"" JucePlugin_Name "\" ;\n"
              "\t\tdoap:maintainer [\n"
              "\t\t\ta foaf:Person ;\n"
              "\t\t\tfoaf:name \"" JucePlugin_Manufacturer "\" ;\n"
              "\t\t\tfoaf:homepage <" JucePlugin_ManufacturerWebsite "> ;\n"
              "\t\t\tfoaf:mbox <" JucePlugin_ManufacturerEmail "> ;\n"
              "\t\t] ;\n"
              "\t\tdoap:release [\n"
              "\t\t\ta doap:Version ;\n"
              "\t\t\tdoap:revision \"" JucePlugin_VersionString "\" ;\n"
              "\t\t] ;\n"
              "\t] ;\n"
]=])
    kalvo_replace_once(text [=[
              "\t\topts:interface ,\n"
              "\t\tui:noUserResize ,\n" // resize and noUserResize are always present in the extension data array
              "\t\tui:resize ;\n"
]=] [=[
              "\t\topts:interface ;\n"
]=])
    kalvo_replace_once(text [=[
              "\t\t" << resizeFeatureString << " ,\n"
              "\t\topts:interface ,\n"
]=] [=[
              "\t\t" << resizeFeatureString << " ,\n"
]=])

    set(mended "${CMAKE_CURRENT_BINARY_DIR}/mended_lv2_client/juce_LV2_Client.cpp")
    file(WRITE "${mended}.new" "${text}")
    # Rewritten only when it changes, so a configure run alone recompiles nothing.
    configure_file("${mended}.new" "${mended}" COPYONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${original}")

    get_target_property(all juce_audio_plugin_client_LV2 INTERFACE_SOURCES)
    list(TRANSFORM all REPLACE "^.*/juce_audio_plugin_client_LV2\\.cpp$" "${mended}")
    set_property(TARGET juce_audio_plugin_client_LV2 PROPERTY INTERFACE_SOURCES "${all}")
endfunction()
