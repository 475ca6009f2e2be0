// Every call the plug-in made into the stand-in host, in order, with helpers that format
// arguments the way the log records them.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "HostCall.h"

namespace kalvo::aaxhost
{
class HostCallLog
{
public:
    void add (HostCall call);
    void clear();

    std::vector<HostCall> calls() const;
    // Operations only (no queries, no reference counting), as "Object Vn Op(args)".
    std::vector<std::string> operations() const;
    // Operations on one object, as "Op(args)".
    std::vector<std::string> operationsOn (const std::string& object) const;
    // Every call made to one object, including queries and reference counting, as "Vn Op(args)".
    std::vector<std::string> everythingOn (const std::string& object) const;
    size_t count (const std::string& operation) const;

    static std::string text (const char* value);
    static std::string number (int64_t value);
    static std::string hex (uint32_t value);
    static std::string pointer (const void* value);

private:
    mutable std::mutex lock;
    std::vector<HostCall> log;
};
} // namespace kalvo::aaxhost
