// What a plug-in module told the stand-in host when it registered: its two factory procedures, its
// native process procedure and the fields of its algorithm context. Read from the host's
// description objects after ACFRegisterPlugin; the first effect and its first component count.
#pragma once

#include <string>
#include <vector>

#include "ACF/IACFUnknown.h"
#include "HostComponentDescriptor.h"

namespace kalvo::aaxhost
{
class StandInHost;

struct RegisteredPlugIn
{
    // A factory procedure: a new object, without a reference yet, seen as its host-facing unknown.
    using Factory = IACFUnknown* (*) ();

    Factory createEffectParameters = nullptr;
    Factory createEffectGUI = nullptr;
    AAX_CProcessProc processProc = nullptr;
    std::vector<HostComponentDescriptor::Field> fields;

    // What registration left in the host; error says what is missing when it is not complete.
    static RegisteredPlugIn read (const StandInHost& host, std::string& error);

    // A new object from the factory, asked for iid: the interface with the host's one reference,
    // or null (an object that does not answer is deleted again).
    static void* create (Factory factory, const acfIID& iid);
};
} // namespace kalvo::aaxhost
