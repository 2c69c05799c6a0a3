// The pictures of menu items and buttons: the desktop theme's standard icon
// where the theme has one, else the program's own drawing of the same thing,
// so no item shows a picture that means something else.
#pragma once

#include <QIcon>

// A standard icon by its freedesktop name. Drawn here when the theme has
// none: "edit-cut", "edit-copy", "edit-paste", "edit-select-all",
// "edit-clear", "edit-clear-history". Other names fall back to an empty icon.
QIcon StandardIcon(const char* themeName);

// The icon of a checkable item: its picture while unchecked, and a bold
// check mark over the faded picture while checked (menus draw the icon in
// place of their own check box).
QIcon CheckableIcon(const QIcon& picture);
