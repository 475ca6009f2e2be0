#include "KalvoProDescription.h"

#include <memory>

#include "AAX_Errors.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IDescriptionHost.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"

namespace kalvo::aaxtest
{
namespace
{
int effectGuiMarker = 1;
int effectParametersMarker = 2;
int audioCallbackCount = 0;

constexpr AAX_CTypeID fourCC (const char (&code)[5])
{
    return (static_cast<AAX_CTypeID> (static_cast<uint8_t> (code[0])) << 24) |
           (static_cast<AAX_CTypeID> (static_cast<uint8_t> (code[1])) << 16) |
           (static_cast<AAX_CTypeID> (static_cast<uint8_t> (code[2])) << 8) |
           static_cast<AAX_CTypeID> (static_cast<uint8_t> (code[3]));
}

bool HostSupportsStemFormat (uint32_t stemFormat, const AAX_IFeatureInfo* featureInfo)
{
    if (featureInfo != nullptr)
    {
        AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
        if (featureInfo->SupportLevel (level) == AAX_SUCCESS && level == AAX_eSupportLevel_ByProperty)
        {
            std::unique_ptr<const AAX_IPropertyMap> properties (featureInfo->AcquireProperties());
            AAX_CPropertyValue value = 0;
            if (properties != nullptr &&
                properties->GetProperty (static_cast<AAX_EProperty> (stemFormat), &value) != 0)
                return value == AAX_eSupportLevel_Supported;
        }
    }
    return AAX_STEM_FORMAT_INDEX (stemFormat) <= 12;
}

void DescribeStereoComponent (AAX_IComponentDescriptor& component)
{
    component.AddAudioIn (0);
    component.AddAudioOut (1);
    component.AddAudioBufferLength (2);
    component.AddDataInPort (3, sizeof (int32_t));
    component.AddMIDINode (4, AAX_eMIDINodeType_LocalInput, "KalvoPro", 0xFFFF);
    component.AddPrivateData (5, 8);
    component.AddPrivateData (6, sizeof (int32_t));
    component.AddPrivateData (7, 8); // no meters

    AAX_IPropertyMap* const properties = component.NewPropertyMap();
    if (properties != nullptr)
    {
        properties->AddProperty (AAX_eProperty_ManufacturerID,
                                 static_cast<AAX_CPropertyValue> (fourCC ("Orvn")));
        properties->AddProperty (AAX_eProperty_ProductID, static_cast<AAX_CPropertyValue> (fourCC ("Klvp")));
        properties->AddProperty (AAX_eProperty_CanBypass, 1);
        properties->AddProperty (AAX_eProperty_InputStemFormat,
                                 static_cast<AAX_CPropertyValue> (AAX_eStemFormat_Stereo));
        properties->AddProperty (AAX_eProperty_OutputStemFormat,
                                 static_cast<AAX_CPropertyValue> (AAX_eStemFormat_Stereo));
        properties->AddProperty (AAX_eProperty_PlugInID_Native,
                                 static_cast<AAX_CPropertyValue> (fourCC ("jccc")));
        properties->AddProperty (AAX_eProperty_PlugInID_AudioSuite,
                                 static_cast<AAX_CPropertyValue> (fourCC ("jycc")));
        properties->AddProperty (AAX_eProperty_Constraint_MultiMonoSupport, 1);
    }

    component.AddPrivateData (8, 8); // no side-chain input
    component.AddProcessProc_Native (&KalvoProProcs::AudioCallback, properties);
}
} // namespace

void* KalvoProProcs::CreateEffectGUI()
{
    return &effectGuiMarker;
}

void* KalvoProProcs::CreateEffectParameters()
{
    return &effectParametersMarker;
}

void KalvoProProcs::AudioCallback (KalvoProAlgorithmContext* const[], const void* const)
{
    ++audioCallbackCount;
}

AAX_Result DescribeKalvoPro (AAX_ICollection* collection)
{
    std::unique_ptr<const AAX_IFeatureInfo> stemFormatFeature;
    if (const auto* descriptionHost = collection->DescriptionHost())
        stemFormatFeature.reset (
            descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));

    AAX_IEffectDescriptor* const descriptor = collection->NewDescriptor();
    if (descriptor == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    descriptor->AddName ("KalvoPro");
    descriptor->AddCategory (0x2000);
    descriptor->AddProcPtr (reinterpret_cast<void*> (&KalvoProProcs::CreateEffectGUI),
                            kAAX_ProcPtrID_Create_EffectGUI);
    descriptor->AddProcPtr (reinterpret_cast<void*> (&KalvoProProcs::CreateEffectParameters),
                            kAAX_ProcPtrID_Create_EffectParameters);

    // The processor accepts one layout: stereo in, stereo out.
    if (HostSupportsStemFormat (AAX_eStemFormat_Stereo, stemFormatFeature.get()) &&
        HostSupportsStemFormat (AAX_eStemFormat_Stereo, stemFormatFeature.get()))
    {
        if (AAX_IComponentDescriptor* const component = descriptor->NewComponentDescriptor())
        {
            DescribeStereoComponent (*component);
            descriptor->AddComponent (component);
        }
    }

    collection->AddEffect ("com.orvane.kalvopro", descriptor);
    collection->SetManufacturerName ("Orvane");
    collection->AddPackageName ("KalvoPro");
    collection->AddPackageName ("KalvoPro");
    collection->SetPackageVersion (0x00010001);
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxtest
