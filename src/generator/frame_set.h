#pragma once

#include "generator/generator_settings.h"
#include "generator/page_state.h"
#include "templates/shop_settings.h"

#include <string>
#include <string_view>

namespace arkona::generator {

// The address of a frame's page as the frame-set page in `folder` names it: the path of a shop
// settings key ("/navigace.htm", "/a/x.htm") split into folder and file name, the folder made
// relative (RelativePath) and the file name put after it.
std::string frameAddress(std::string_view folder, std::string_view pagePath);

// Writes the end of a frame-set page's head and its body, once its text sections and the shop
// script are written: the closing head tag, the frame set placed as the shop settings say (an
// unknown placement counts as "nahore"), the navigation and the work frame, the end of the
// script, and the no-frames body with the page's footer.
void writeFrameSet(PageState& state, const templates::ShopSettings& shop,
                   const GeneratorSettings& settings);

} // namespace arkona::generator
