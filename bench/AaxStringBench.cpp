// Value texts cross the host boundary whenever the host shows or types a parameter value.
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CMutex.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CString.h"

#include <benchmark/benchmark.h>

static void AaxStringAppendNumber (benchmark::State& state)
{
    for (auto _ : state)
    {
        AAX_CString text;
        text.AppendNumber (0.123456, 3);
        benchmark::DoNotOptimize (text.Get());
    }
}
BENCHMARK (AaxStringAppendNumber);

static void AaxStringToDouble (benchmark::State& state)
{
    const AAX_CString text (" 0.125 dB");
    for (auto _ : state)
    {
        double value = 0.0;
        benchmark::DoNotOptimize (text.ToDouble (&value));
        benchmark::DoNotOptimize (value);
    }
}
BENCHMARK (AaxStringToDouble);

static void AaxParameterValueString (benchmark::State& state)
{
    AAX_CParameter<float> parameter ("MixMain", AAX_CString ("MixMain"), 0.5f,
                                     AAX_CLinearTaperDelegate<float, 0>(),
                                     AAX_CNumberDisplayDelegate<float, 3>(), true);
    AAX_CString text;
    for (auto _ : state)
    {
        parameter.GetValueString (4, &text);
        benchmark::DoNotOptimize (text.Get());
    }
}
BENCHMARK (AaxParameterValueString);

static void AaxMutexUncontended (benchmark::State& state)
{
    AAX_CMutex mutex;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize (mutex.Lock());
        mutex.Unlock();
    }
}
BENCHMARK (AaxMutexUncontended);
