#pragma once

class QWidget;

// Child windows of the main window live inside a frame the main window
// gives them; closing one means closing that frame.
namespace MdiChild {
// Closes the frame around window, or window itself when it stands alone.
void close(QWidget *window);
// Brings the frame around window to the front of its area.
void activate(QWidget *window);
} // namespace MdiChild
