#pragma once

// The application's resources: its icon (144), the logo bitmap (147) and the string table.
// The images are this project's own artwork, compiled in as Qt resources.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// Qt resource paths, as the templates name them.
inline constexpr const char* kAppIconPath = ":/morlind/morlind_32.png";
inline constexpr const char* kLogoBitmapPath = ":/morlind/logo.png";

// The application icon in all its sizes; its images are decoded when first drawn.
QIcon LoadAppIcon();

// The text of a string resource; empty for an id the table doesn't hold.
QString LoadResourceString(int id);

}  // namespace ui
