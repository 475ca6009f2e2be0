#include "HostComponentDescriptor.h"

#include <vector>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "HostPropertyMap.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
namespace
{
template <class Function>
std::string FunctionText (Function function)
{
    // Logged by address only; the pointer is never called through this value.
    return HostCallLog::pointer (reinterpret_cast<const void*> (function));
}
} // namespace

HostComponentDescriptor::HostComponentDescriptor (StandInHost& hostToUse)
    : HostObject (hostToUse, "ComponentDescriptor")
{
}

void* HostComponentDescriptor::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions().componentDescriptor;
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXComponentDescriptorV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFComponentDescriptor*> (&v1);
    if (iid == IID_IAAXComponentDescriptorV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFComponentDescriptor_V2*> (&v2);
    if (iid == IID_IAAXComponentDescriptorV3 && offered.count (3) != 0)
        return static_cast<AAX_IACFComponentDescriptor_V3*> (&v3);
    return nullptr;
}

std::vector<HostComponentDescriptor::Field> HostComponentDescriptor::fields() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return described;
}

AAX_CProcessProc HostComponentDescriptor::nativeProcessProc() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return processProc;
}

void HostComponentDescriptor::Facet::keepField (AAX_CFieldIndex inFieldIndex, Field::Kind kind, uint32_t size)
{
    auto& descriptor = static_cast<HostComponentDescriptor&> (owner);
    const std::lock_guard<std::mutex> guard (descriptor.lock);
    descriptor.described.push_back ({ inFieldIndex, kind, size });
}

void HostComponentDescriptor::Facet::recordFields (const char* operation, AAX_CFieldIndex inFieldIndex,
                                                   Field::Kind kind)
{
    owner.record (version, operation, { HostCallLog::number (inFieldIndex) });
    keepField (inFieldIndex, kind);
}

AAX_Result HostComponentDescriptor::Facet::Clear()
{
    owner.record (version, "Clear");
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddReservedField (AAX_CFieldIndex inFieldIndex,
                                                             uint32_t inFieldType)
{
    owner.record (version, "AddReservedField",
                  { HostCallLog::number (inFieldIndex), HostCallLog::hex (inFieldType) });
    keepField (inFieldIndex, Field::Kind::Reserved);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddAudioIn (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddAudioIn", inFieldIndex, Field::Kind::AudioIn);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddAudioOut (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddAudioOut", inFieldIndex, Field::Kind::AudioOut);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddAudioBufferLength (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddAudioBufferLength", inFieldIndex, Field::Kind::BufferLength);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddSampleRate (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddSampleRate", inFieldIndex, Field::Kind::SampleRate);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddClock (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddClock", inFieldIndex, Field::Kind::Clock);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddSideChainIn (AAX_CFieldIndex inFieldIndex)
{
    recordFields ("AddSideChainIn", inFieldIndex, Field::Kind::SideChainIn);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                                                          AAX_EDataInPortType inPortType)
{
    owner.record (version, "AddDataInPort",
                  { HostCallLog::number (inFieldIndex), HostCallLog::number (inPacketSize),
                    HostCallLog::number (inPortType) });
    keepField (inFieldIndex, Field::Kind::DataInPort, inPacketSize);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddAuxOutputStem (AAX_CFieldIndex inFieldIndex,
                                                             int32_t inStemFormat, const char* inNameUTF8)
{
    owner.record (version, "AddAuxOutputStem",
                  { HostCallLog::number (inFieldIndex),
                    HostCallLog::hex (static_cast<uint32_t> (inStemFormat)),
                    HostCallLog::text (inNameUTF8) });
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize,
                                                           uint32_t inOptions)
{
    owner.record (version, "AddPrivateData",
                  { HostCallLog::number (inFieldIndex), HostCallLog::number (inDataSize),
                    HostCallLog::number (inOptions) });
    keepField (inFieldIndex, Field::Kind::PrivateData,
               inDataSize > 0 ? static_cast<uint32_t> (inDataSize) : 0u);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddDmaInstance (AAX_CFieldIndex inFieldIndex,
                                                           AAX_EDmaMode inDmaMode)
{
    owner.record (version, "AddDmaInstance",
                  { HostCallLog::number (inFieldIndex), HostCallLog::number (inDmaMode) });
    keepField (inFieldIndex, Field::Kind::DmaInstance);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddMIDINode (AAX_CFieldIndex inFieldIndex,
                                                        AAX_EMIDINodeType inNodeType, const char* inNodeName,
                                                        uint32_t inChannelMask)
{
    owner.record (version, "AddMIDINode",
                  { HostCallLog::number (inFieldIndex), HostCallLog::number (inNodeType),
                    HostCallLog::text (inNodeName), HostCallLog::hex (inChannelMask) });
    keepField (inFieldIndex, Field::Kind::MIDINode);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddProcessProc_Native (AAX_CProcessProc inProcessProc,
                                                                  IACFUnknown* inProperties,
                                                                  AAX_CInstanceInitProc inInstanceInitProc,
                                                                  AAX_CBackgroundProc inBackgroundProc,
                                                                  AAX_CSelector* outProcID)
{
    owner.record (version, "AddProcessProc_Native",
                  { FunctionText (inProcessProc), owner.standInHost().labelOf (inProperties),
                    FunctionText (inInstanceInitProc), FunctionText (inBackgroundProc) });
    if (const auto overridden = owner.overriddenResult ("AddProcessProc_Native"))
        return *overridden;
    {
        auto& descriptor = static_cast<HostComponentDescriptor&> (owner);
        const std::lock_guard<std::mutex> guard (descriptor.lock);
        descriptor.processProc = inProcessProc;
    }
    const AAX_CSelector id = owner.standInHost().nextProcessProcID();
    if (outProcID != nullptr)
        *outProcID = id;
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddProcessProc_TI (
    const char* inDLLFileNameUTF8, const char* inProcessProcSymbol, IACFUnknown* inProperties,
    const char* inInstanceInitProcSymbol, const char* inBackgroundProcSymbol, AAX_CSelector* outProcID)
{
    owner.record (version, "AddProcessProc_TI",
                  { HostCallLog::text (inDLLFileNameUTF8), HostCallLog::text (inProcessProcSymbol),
                    owner.standInHost().labelOf (inProperties), HostCallLog::text (inInstanceInitProcSymbol),
                    HostCallLog::text (inBackgroundProcSymbol) });
    if (const auto overridden = owner.overriddenResult ("AddProcessProc_TI"))
        return *overridden;
    const AAX_CSelector id = owner.standInHost().nextProcessProcID();
    if (outProcID != nullptr)
        *outProcID = id;
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddMeters (AAX_CFieldIndex inFieldIndex,
                                                      const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount)
{
    std::vector<std::string> args{ HostCallLog::number (inFieldIndex) };
    for (uint32_t i = 0; inMeterIDs != nullptr && i < inMeterCount; ++i)
        args.push_back (HostCallLog::hex (inMeterIDs[i]));
    owner.record (version, "AddMeters", std::move (args));
    keepField (inFieldIndex, Field::Kind::Meters);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddTemporaryData (AAX_CFieldIndex inFieldIndex,
                                                             uint32_t inDataElementSize)
{
    owner.record (version, "AddTemporaryData",
                  { HostCallLog::number (inFieldIndex), HostCallLog::number (inDataElementSize) });
    keepField (inFieldIndex, Field::Kind::TemporaryData, inDataElementSize);
    return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Facet::AddProcessProc (IACFUnknown* inProperties,
                                                           AAX_CSelector* outProcIDs, int32_t inProcIDsSize)
{
    auto& host = owner.standInHost();
    const std::string mapLabel = host.labelOf (inProperties);
    owner.record (version, "AddProcessProc", { mapLabel, HostCallLog::number (inProcIDsSize) });
    if (const auto overridden = owner.overriddenResult ("AddProcessProc"))
        return *overridden;

    auto* map = host.find<HostPropertyMap> (mapLabel);
    if (map == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    // One procedure for native processing, one for DSP processing, as the map names them.
    std::vector<AAX_CSelector> ids;
    if (map->hasProperty (AAX_eProperty_PlugInID_Native) ||
        map->hasProperty (AAX_eProperty_PlugInID_AudioSuite))
        ids.push_back (host.nextProcessProcID());
    if (map->hasProperty (AAX_eProperty_PlugInID_TI))
        ids.push_back (host.nextProcessProcID());

    if (outProcIDs != nullptr)
    {
        if (inProcIDsSize < 0 || ids.size() >= static_cast<size_t> (inProcIDsSize))
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
        for (size_t i = 0; i < ids.size(); ++i)
            outProcIDs[i] = ids[i];
        outProcIDs[ids.size()] = 0;
    }
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
