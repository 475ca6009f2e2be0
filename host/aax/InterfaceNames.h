// Names of the identifiers, for the call log.
#pragma once

#include <string>

#include "ACF/ACFBaseTypes.h"

namespace kalvo::aaxhost
{
// The constant's name for a known identifier, else its text form.
std::string InterfaceName (const acfUID& uid);
// The usual text form: "E51741F1-7FCF-11D6-AAC3-00306542A024".
std::string UIDText (const acfUID& uid);
} // namespace kalvo::aaxhost
