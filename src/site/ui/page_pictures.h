#pragma once

#include <QIcon>

namespace arkona::site::ui {

// The three pictures of the page tree's nodes.
enum class PagePicture {
    Page,   // an ordinary page
    Link,   // a link page
    Target, // the page the selected link page shows
};

QIcon pagePicture(PagePicture picture);

} // namespace arkona::site::ui
