#include "HostCallLog.h"

#include <cinttypes>
#include <cstdio>

namespace kalvo::aaxhost
{
void HostCallLog::add (HostCall call)
{
    const std::lock_guard<std::mutex> guard (lock);
    log.push_back (std::move (call));
}

void HostCallLog::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    log.clear();
}

std::vector<HostCall> HostCallLog::calls() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return log;
}

std::vector<std::string> HostCallLog::operations() const
{
    std::vector<std::string> result;
    for (const auto& call : calls())
        if (call.kind == HostCall::Kind::Operation)
            result.push_back (call.toString());
    return result;
}

std::vector<std::string> HostCallLog::operationsOn (const std::string& object) const
{
    std::vector<std::string> result;
    for (const auto& call : calls())
        if (call.kind == HostCall::Kind::Operation && call.object == object)
            result.push_back (call.callText());
    return result;
}

std::vector<std::string> HostCallLog::everythingOn (const std::string& object) const
{
    std::vector<std::string> result;
    for (const auto& call : calls())
        if (call.object == object)
            result.push_back ("V" + std::to_string (call.version) + " " + call.callText());
    return result;
}

size_t HostCallLog::count (const std::string& operation) const
{
    size_t n = 0;
    for (const auto& call : calls())
        if (call.operation == operation)
            ++n;
    return n;
}

std::string HostCallLog::text (const char* value)
{
    return value == nullptr ? std::string ("null") : "\"" + std::string (value) + "\"";
}

std::string HostCallLog::number (int64_t value)
{
    return std::to_string (value);
}

std::string HostCallLog::hex (uint32_t value)
{
    char buffer[16];
    std::snprintf (buffer, sizeof (buffer), "0x%08" PRIX32, value);
    return buffer;
}

std::string HostCallLog::pointer (const void* value)
{
    if (value == nullptr)
        return "null";
    char buffer[32];
    std::snprintf (buffer, sizeof (buffer), "%p", value);
    return buffer;
}
} // namespace kalvo::aaxhost
