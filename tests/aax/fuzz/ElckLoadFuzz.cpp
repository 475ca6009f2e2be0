// Fuzz target for restoring and comparing the parameter chunk: the input is the data of a record
// allocated to exactly 56 + n bytes, read by an instance with the plug-in's 17 parameters and the
// master bypass. Each input is read twice: with the size field n, and with a size field taken
// from the input's last four bytes, clamped to n, as a host might announce any size.
#include "../support/TestEffect.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"
#include "HostInstance.h"
#include "StandInHost.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
struct Instance
{
    Instance() : effect (new kalvo::aaxtest::TestEffect())
    {
        effect->AddRef();
        if (effect->Initialize (hostInstance.identity()) != AAX_SUCCESS)
            std::abort();
    }
    ~Instance()
    {
        effect->Uninitialize();
        effect->Release();
    }

    kalvo::aaxhost::StandInHost host;
    kalvo::aaxhost::HostInstance& hostInstance = host.make<kalvo::aaxhost::HostInstance>();
    kalvo::aaxtest::TestEffect* effect;
};

void ReadChunk (Instance& instance, const std::vector<uint8_t>& data, int32_t sizeField)
{
    auto record = kalvo::aaxhost::ChunkRecord::holding (data, 0x656C636B, sizeField);
    AAX_CBoolean equal = 7;
    if (instance.effect->CompareActiveChunk (record.get(), &equal) != AAX_SUCCESS || equal > 1)
        std::abort();
    if (instance.effect->SetChunk (0x656C636B, record.get()) != AAX_SUCCESS)
        std::abort();
    instance.hostInstance.replaySetValueRequests (*instance.effect);

    // Whatever the chunk held, every parameter stays a finite value within its range.
    int32_t count = 0;
    instance.effect->GetNumberOfParameters (&count);
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id;
        double value = -1.0;
        instance.effect->GetParameterIDFromIndex (i, &id);
        instance.effect->GetParameterNormalizedValue (id.Get(), &value);
        if (!std::isfinite (value) || value < 0.0 || value > 1.0)
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Instance instance;
    if (size > (1u << 24))
        return 0;
    const std::vector<uint8_t> bytes (data, data + size);
    const auto n = static_cast<int32_t> (size);
    ReadChunk (instance, bytes, n);

    int32_t announced = n;
    if (size >= 4)
        std::memcpy (&announced, data + size - 4, sizeof announced);
    ReadChunk (instance, bytes, announced < n ? announced : n);
    return 0;
}
