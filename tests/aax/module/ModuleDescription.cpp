// The test module's description routine: the plug-in's registration.
#include "AAX_Init.h"
#include "KalvoProDescription.h"

AAX_Result GetEffectDescriptions (AAX_ICollection* inCollection)
{
    return kalvo::aaxtest::DescribeKalvoPro (inCollection);
}
