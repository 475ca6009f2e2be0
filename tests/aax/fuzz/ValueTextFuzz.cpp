// Fuzz target for the value texts the host sends: parsing, cutting and the parameter's text path.
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CString.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const std::string bytes (reinterpret_cast<const char*> (data), size); // may hold zero bytes
    const AAX_CString text (bytes.c_str());

    double parsed = 1.0;
    if (!text.ToDouble (&parsed) && parsed != 0.0)
        std::abort();

    const uint32_t position = size > 0 ? data[0] : 0u;
    const uint32_t count = size > 1 ? data[1] : 0u;
    AAX_CString part;
    text.SubString (position, count, &part);
    if (part.Length() > count)
        std::abort();
    AAX_CString cut (text);
    cut.Erase (position, count);
    if (cut.Length() > text.Length())
        std::abort();

    AAX_CParameter<float> parameter ("MixMain", AAX_CString ("Main Mix"), 0.5f,
                                     AAX_CLinearTaperDelegate<float, 0>(),
                                     AAX_CNumberDisplayDelegate<float, 3>(), true);
    parameter.SetValueFromString (text);
    float value = -1.0f;
    parameter.GetValueAsFloat (&value);
    if (!std::isfinite (value) || value < 0.0f || value > 1.0f)
        std::abort();

    const int32_t maxChars = static_cast<int32_t> (size % 9) - 1;
    AAX_CString shown;
    parameter.GetValueString (maxChars, &shown);
    if (shown.Length() > static_cast<uint32_t> (maxChars < 0 ? 0 : maxChars))
        std::abort();

    double normalized = 0.0;
    if (parameter.GetNormalizedValueFromString (text, &normalized))
    {
        AAX_CString back;
        parameter.GetStringFromNormalizedValue (normalized, maxChars, back);
        parameter.UpdateNormalizedValue (normalized);
        parameter.SetStepValue (parameter.GetStepValueFromNormalizedValue (normalized));
    }
    return 0;
}
