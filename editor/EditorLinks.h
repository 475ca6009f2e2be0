#pragma once

// Where the window's two invisible link areas lead: the plug-in's page and the maker's home
// page, on the same host as the plug-in's own identifiers.
struct EditorLinks
{
    static constexpr const char* productPage = "https://orvane.example/plugins/kalvopro";
    static constexpr const char* homePage = "https://orvane.example/";
};
