#pragma once

#include <string>
#include <string_view>

namespace arkona::site {

// The relative URL from one folder of the site to another. Both are URL paths from the site
// root with "/" as separator ("/zbozi/caje", "" or "/" for the root); the result is empty or
// ends in "/": from /a/b to /a/c gives "../c/", from the root to /_images gives "./_images/".
// Components are compared exactly (letter case counts), as the web server will.
std::string RelativePath(std::string_view from, std::string_view to);

} // namespace arkona::site
