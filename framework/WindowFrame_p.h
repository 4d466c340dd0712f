#pragma once
// The frame a window manager will draw around a window that has not been shown yet.
// Qt learns a window's frame only once the window is mapped, so a window placed and
// sized before its first show would be placed by its inside. On X11 the window
// manager can be asked beforehand (_NET_REQUEST_FRAME_EXTENTS).

#include <QMargins>

#include <optional>

class QWidget;

// The frame the window manager says it will give `window` (a top-level widget whose
// native window exists and is not mapped); none when there is no window manager that
// answers, or no X11.
std::optional<QMargins> AskFrameExtents(QWidget& window);
