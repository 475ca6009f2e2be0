#include "DescriptionHook.h"

#include "AAX_Init.h"
#include "KalvoProDescription.h"

namespace kalvo::aaxtest
{
namespace
{
DescriptionRoutine& CurrentRoutine()
{
    static DescriptionRoutine routine;
    return routine;
}
} // namespace

void SetDescriptionRoutine (DescriptionRoutine routine)
{
    CurrentRoutine() = std::move (routine);
}

void ResetDescriptionRoutine()
{
    CurrentRoutine() = nullptr;
}
} // namespace kalvo::aaxtest

AAX_Result GetEffectDescriptions (AAX_ICollection* inCollection)
{
    auto& routine = kalvo::aaxtest::CurrentRoutine();
    if (routine)
        return routine (inCollection);
    return kalvo::aaxtest::DescribeKalvoPro (inCollection);
}
