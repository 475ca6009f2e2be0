#include "AAX_ExceptionAny.h"

namespace AAX
{
namespace Exception
{
Any::Any (const std::string& inDescription) : Any (inDescription, std::string(), std::string()) {}

Any::Any (const std::string& inDescription, const std::string& inFunction, const std::string& inLine)
    : mDesc (inDescription), mFunction (inFunction), mLine (inLine),
      mWhat (CreateWhat (inDescription, inFunction, inLine))
{
}

Any::~Any() = default;

std::string Any::CreateWhat (const std::string& inDescription, const std::string& inFunction,
                             const std::string& inLine)
{
    std::string what = inDescription;
    if (!inFunction.empty())
        what += " func:" + inFunction;
    if (!inLine.empty())
        what += " line:" + inLine;
    return what;
}
} // namespace Exception
} // namespace AAX
