// The description of one algorithm component: its context fields, properties and process procedures.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class IACFUnknown;
class AAX_IPropertyMap;

class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                                      AAX_EDataInPortType inPortType = AAX_eDataInPortType_Buffered) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat,
                                         const char inNameUTF8[]) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize,
                                       uint32_t inOptions = AAX_ePrivateDataOptions_DefaultOptions) = 0;
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_EDmaMode inDmaMode) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs,
                                  uint32_t inMeterCount) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType,
                                    const char inNodeName[], uint32_t inChannelMask) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) = 0;

    // A new property map owned by this descriptor; null when the host gives none.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // A copy of inPropertyMap owned by this descriptor.
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) = 0;

    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc inProcessProc,
                                              AAX_IPropertyMap* inProperties = nullptr,
                                              AAX_CInstanceInitProc inInstanceInitProc = nullptr,
                                              AAX_CBackgroundProc inBackgroundProc = nullptr,
                                              AAX_CSelector* outProcID = nullptr) = 0;
    virtual AAX_Result AddProcessProc_TI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[],
                                          AAX_IPropertyMap* inProperties,
                                          const char inInstanceInitProcSymbol[] = nullptr,
                                          const char inBackgroundProcSymbol[] = nullptr,
                                          AAX_CSelector* outProcID = nullptr) = 0;
    // Registers every process procedure that inProperties names; outProcIDs receives their
    // identifiers followed by a 0.
    virtual AAX_Result AddProcessProc (AAX_IPropertyMap* inProperties, AAX_CSelector* outProcIDs = nullptr,
                                       int32_t inProcIDsSize = 0) = 0;

    // Typed form for process procedures over a client's own context structure.
    template <typename aContextType>
    AAX_Result AddProcessProc_Native (
        void (AAX_CALLBACK* inProcessProc) (aContextType* const inInstancesBegin[],
                                            const void* inInstancesEnd),
        AAX_IPropertyMap* inProperties = nullptr,
        int32_t (AAX_CALLBACK* inInstanceInitProc) (const aContextType* inInstanceContextPtr,
                                                    AAX_EComponentInstanceInitAction inAction) = nullptr,
        AAX_CBackgroundProc inBackgroundProc = nullptr, AAX_CSelector* outProcID = nullptr)
    {
        // The host calls back with the same pointers it was given; only the static types differ.
        // The detour through a parameterless function type is the cast that says so.
        typedef void (*GenericProc)();
        return AddProcessProc_Native (
            reinterpret_cast<AAX_CProcessProc> (reinterpret_cast<GenericProc> (inProcessProc)), inProperties,
            reinterpret_cast<AAX_CInstanceInitProc> (reinterpret_cast<GenericProc> (inInstanceInitProc)),
            inBackgroundProc, outProcID);
    }
};
