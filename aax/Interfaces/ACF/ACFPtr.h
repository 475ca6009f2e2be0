// A holder of one reference to a host interface: releases it when destroyed or overwritten, so
// that an exception half-way through a constructor leaves no reference behind.
#pragma once

#include <utility>

#include "IACFComponentFactory.h"

template <class Interface>
class ACFPtr
{
public:
    ACFPtr() noexcept = default;
    ACFPtr (const ACFPtr&) = delete;
    ACFPtr& operator= (const ACFPtr&) = delete;

    ACFPtr (ACFPtr&& other) noexcept : pointer (std::exchange (other.pointer, nullptr)) {}

    ACFPtr& operator= (ACFPtr&& other) noexcept
    {
        if (this != &other)
        {
            reset();
            pointer = std::exchange (other.pointer, nullptr);
        }
        return *this;
    }

    ~ACFPtr() { reset(); }

    // Releases the reference held, if any.
    void reset() noexcept
    {
        if (auto* p = std::exchange (pointer, nullptr))
            p->Release();
    }

    // Replaces what is held by the answer of source's QueryInterface for iid. Whatever the host
    // hands back is kept, also with a failed result, so that the caller can release it.
    ACFRESULT query (IACFUnknown* source, const acfIID& iid)
    {
        reset();
        if (source == nullptr)
            return ACF_E_POINTER;
        void* out = nullptr;
        const ACFRESULT result = source->QueryInterface (iid, &out);
        pointer = static_cast<Interface*> (out);
        return result;
    }

    // Replaces what is held by a new component from factory, answered as interface iid.
    ACFRESULT create (IACFComponentFactory* factory, const acfCLSID& clsid, const acfIID& iid)
    {
        reset();
        if (factory == nullptr)
            return ACF_E_POINTER;
        void* out = nullptr;
        const ACFRESULT result = factory->CreateComponent (clsid, nullptr, iid, &out);
        pointer = static_cast<Interface*> (out);
        return result;
    }

    // Holds p with a reference of its own.
    void retain (Interface* p) noexcept
    {
        if (p != nullptr)
            p->AddRef();
        reset();
        pointer = p;
    }

    // Takes over a reference that p already carries.
    void attach (Interface* p) noexcept
    {
        reset();
        pointer = p;
    }

    // Gives up the reference without releasing it.
    Interface* release() noexcept { return std::exchange (pointer, nullptr); }

    Interface* get() const noexcept { return pointer; }
    Interface* operator->() const noexcept { return pointer; }
    explicit operator bool() const noexcept { return pointer != nullptr; }

private:
    Interface* pointer = nullptr;
};
