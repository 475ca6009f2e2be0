// What a shared object exports: the names of the dynamic symbols it defines, as nm lists them.
#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace kalvo::aaxtest
{
inline const std::set<std::string>& SevenEntryPoints()
{
    static const std::set<std::string> names{ "ACFStartup",           "ACFRegisterPlugin",
                                              "ACFRegisterComponent", "ACFGetClassFactory",
                                              "ACFCanUnloadNow",      "ACFShutdown",
                                              "ACFGetSDKVersion" };
    return names;
}

inline std::set<std::string> DefinedDynamicSymbols (const std::string& nm, const std::string& path)
{
    const std::string command = nm + " -D --defined-only '" + path + "'";
    std::unique_ptr<FILE, int (*) (FILE*)> pipe (popen (command.c_str(), "r"), pclose);
    std::set<std::string> names;
    if (pipe == nullptr)
        return names;
    char line[512];
    while (std::fgets (line, sizeof (line), pipe.get()) != nullptr)
    {
        // "0000000000012340 T ACFStartup"
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert (name);
    }
    return names;
}
} // namespace kalvo::aaxtest
