#include "HostCall.h"

namespace kalvo::aaxhost
{
std::string HostCall::callText() const
{
    std::string text = operation + "(";
    for (size_t i = 0; i < args.size(); ++i)
        text += (i == 0 ? "" : ", ") + args[i];
    return text + ")";
}

std::string HostCall::toString() const
{
    return object + " V" + std::to_string (version) + " " + callText();
}
} // namespace kalvo::aaxhost
