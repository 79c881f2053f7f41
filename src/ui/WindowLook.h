#pragma once
// Small drawing helpers shared by the desk's windows: stored colours, the
// message font, and the see-through shape of the text-only windows.
#include <QColor>
#include <QFont>
#include <cstdint>

class QWidget;

namespace tarvolen {

struct MessageFont;

// A stored colour value (0x00BBGGRR) as a QColor.
inline QColor FromStoredColour(uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

QFont FontFromOptions(const MessageFont& font);

// Shapes a top-level window with a translucent background to the pixels its
// children draw, so that only the text shows even on a desktop without a
// compositor (where a translucent background is drawn black). A window that
// draws nothing keeps one pixel.
void ShapeToContent(QWidget* window);

// Windows flagged Qt::WindowDoesNotAcceptFocus (the message lines, the
// floating card window) must never take the activation from the window the
// operator works in. Where the platform activates them anyway (the
// offscreen platform does on every show), the activation goes straight back
// to the window that had it. Installed once per application.
void KeepActivationOffNoFocusWindows();

}  // namespace tarvolen
