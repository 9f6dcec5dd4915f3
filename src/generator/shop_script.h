#pragma once

#include "templates/shop_settings.h"

#include <string>
#include <vector>

namespace arkona::generator {

// The script of a frame-set page that keeps the shop's state in the browser: the cart
// `objednavka`, its sums, the order form's fields and the functions the product, cart and order
// pages call through `parent.`, written for the shop settings of a main section. The lines open
// the script and leave it open: the frame set follows and closes it.
std::vector<std::string> shopScriptLines(const templates::ShopSettings& settings);

// The confirmation the adding functions show before goods go into the cart (empty when the
// first switch is off).
std::vector<std::string> confirmationLines(const templates::ShopSettings& settings);

} // namespace arkona::generator
