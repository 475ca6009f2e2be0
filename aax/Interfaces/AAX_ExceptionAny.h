// The root of the binding's internal exceptions. Deliberately not derived from std::exception, so
// that handlers can tell the binding's own failures apart.
#pragma once

#include <string>

namespace AAX
{
namespace Exception
{
class Any
{
public:
    explicit Any (const std::string& inDescription);
    Any (const std::string& inDescription, const std::string& inFunction, const std::string& inLine);
    virtual ~Any();

    Any (const Any&) = default;
    Any& operator= (const Any&) = default;

    const std::string& Desc() const noexcept { return mDesc; }
    const std::string& Function() const noexcept { return mFunction; }
    const std::string& Line() const noexcept { return mLine; }
    // The description with its source position, built once at construction.
    const std::string& What() const noexcept { return mWhat; }

    // The description, then " func:" and the function when there is one, then " line:" and the
    // line when there is one.
    static std::string CreateWhat (const std::string& inDescription, const std::string& inFunction,
                                   const std::string& inLine);

private:
    std::string mDesc;
    std::string mFunction;
    std::string mLine;
    std::string mWhat;
};
} // namespace Exception
} // namespace AAX
