// The host's description of one algorithm component, versions 1 to 3.
#pragma once

#include <mutex>
#include <vector>

#include "AAX_IACFComponentDescriptor_V3.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostComponentDescriptor final : public HostObject
{
public:
    explicit HostComponentDescriptor (StandInHost& hostToUse);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

    // One field of the algorithm context, as the plug-in described it: what the host puts there
    // when it renders.
    struct Field
    {
        enum class Kind
        {
            AudioIn,
            AudioOut,
            BufferLength,
            SampleRate,
            Clock,
            SideChainIn,
            DataInPort,
            PrivateData,
            TemporaryData,
            DmaInstance,
            Meters,
            MIDINode,
            Reserved
        };
        AAX_CFieldIndex index;
        Kind kind;
        uint32_t size; // bytes of a data-in port's packet or of private or temporary data, else 0
    };

    // The fields in the order they were described.
    std::vector<Field> fields() const;
    // The process procedure the plug-in registered natively, or null.
    AAX_CProcessProc nativeProcessProc() const;

private:
    class Facet final : public HostFacet<AAX_IACFComponentDescriptor_V3>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result Clear() override;
        AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) override;
        AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) override;
        AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                                  AAX_EDataInPortType inPortType) override;
        AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat,
                                     const char* inNameUTF8) override;
        AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize,
                                   uint32_t inOptions) override;
        AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_EDmaMode inDmaMode) override;
        AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType,
                                const char* inNodeName, uint32_t inChannelMask) override;
        AAX_Result AddProcessProc_Native (AAX_CProcessProc inProcessProc, IACFUnknown* inProperties,
                                          AAX_CInstanceInitProc inInstanceInitProc,
                                          AAX_CBackgroundProc inBackgroundProc,
                                          AAX_CSelector* outProcID) override;
        AAX_Result AddProcessProc_TI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol,
                                      IACFUnknown* inProperties, const char* inInstanceInitProcSymbol,
                                      const char* inBackgroundProcSymbol, AAX_CSelector* outProcID) override;
        AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs,
                              uint32_t inMeterCount) override;
        AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) override;
        AAX_Result AddProcessProc (IACFUnknown* inProperties, AAX_CSelector* outProcIDs,
                                   int32_t inProcIDsSize) override;

    private:
        void recordFields (const char* operation, AAX_CFieldIndex inFieldIndex, Field::Kind kind);
        void keepField (AAX_CFieldIndex inFieldIndex, Field::Kind kind, uint32_t size = 0);
    };

    mutable std::mutex lock;
    std::vector<Field> described;
    AAX_CProcessProc processProc = nullptr;
    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
    Facet v3{ *this, 3 };
};
} // namespace kalvo::aaxhost
