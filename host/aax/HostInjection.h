// Failures the stand-in host can be told to produce when asked for an interface, by query or by
// creation.
#pragma once

namespace kalvo::aaxhost
{
enum class HostInjection
{
    None,
    Fail,            // a failed result and a null output
    SucceedWithNull, // success, but a null output
    FailWithObject,  // a failed result that still hands out an interface with a reference
    ThrowStd,        // throws std::runtime_error
    ThrowInteger,    // throws a plain int
    SucceedWithCode  // a positive success code (1) with the interface and its reference
};
} // namespace kalvo::aaxhost
