// A stream over a memory block, as hosts hand to a VST3 plug-in's getState and setState.
#pragma once

#include <pluginterfaces/base/ibstream.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kalvo::test
{
class MemoryStream final : public Steinberg::IBStream
{
public:
    using tresult = Steinberg::tresult;
    using int32 = Steinberg::int32;
    using int64 = Steinberg::int64;

    tresult PLUGIN_API queryInterface (const Steinberg::TUID queried, void** object) override
    {
        if (Steinberg::FUnknownPrivate::iidEqual (queried, Steinberg::IBStream_iid) ||
            Steinberg::FUnknownPrivate::iidEqual (queried, Steinberg::FUnknown_iid))
        {
            addRef();
            *object = this;
            return Steinberg::kResultOk;
        }
        *object = nullptr;
        return Steinberg::kNoInterface;
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return ++references; }
    Steinberg::uint32 PLUGIN_API release() override { return --references; }

    tresult PLUGIN_API read (void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        const auto available = static_cast<int32> (data.size()) - static_cast<int32> (position);
        const auto count = std::max (0, std::min (numBytes, available));
        if (count > 0)
            std::memcpy (buffer, data.data() + position, static_cast<size_t> (count));
        position += static_cast<size_t> (count);
        if (numBytesRead != nullptr)
            *numBytesRead = count;
        return Steinberg::kResultOk;
    }
    tresult PLUGIN_API write (void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        if (numBytes < 0)
            return Steinberg::kInvalidArgument;
        const auto* bytes = static_cast<const char*> (buffer);
        data.resize (std::max (data.size(), position + static_cast<size_t> (numBytes)));
        std::memcpy (data.data() + position, bytes, static_cast<size_t> (numBytes));
        position += static_cast<size_t> (numBytes);
        if (numBytesWritten != nullptr)
            *numBytesWritten = numBytes;
        return Steinberg::kResultOk;
    }
    tresult PLUGIN_API seek (int64 pos, int32 mode, int64* result) override
    {
        const auto base = mode == kIBSeekCur ? static_cast<int64> (position)
                                             : (mode == kIBSeekEnd ? static_cast<int64> (data.size()) : 0);
        if (base + pos < 0)
            return Steinberg::kResultFalse;
        position = static_cast<size_t> (base + pos);
        if (result != nullptr)
            *result = static_cast<int64> (position);
        return Steinberg::kResultOk;
    }
    tresult PLUGIN_API tell (int64* pos) override
    {
        if (pos != nullptr)
            *pos = static_cast<int64> (position);
        return Steinberg::kResultOk;
    }

    std::vector<char> data;
    size_t position = 0;

private:
    Steinberg::uint32 references = 1;
};
} // namespace kalvo::test
