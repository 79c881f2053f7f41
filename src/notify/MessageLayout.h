#pragma once
// Geometry and colour rules of the message stack's five line windows.
#include <cstdint>
#include <string>

namespace tarvolen {

// The transparency key of the line windows (0x00BBGGRR): text can never
// take this colour, or it would vanish.
constexpr int32_t kMessageColourKey = 0x800080;

// Top of line window k (1..5) in pixels: directly above a 32-pixel strip at
// the bottom of the screen, the newest line lowest.
int MessageWindowTop(int screenHeightPx, int lineHeightPx, int k);

// The colour stored for the message text when the operator picks `chosen`.
int32_t MessageColourFor(int32_t chosen);

// The font dialog accepts sizes 9..48; others get this refusal.
bool IsValidMessageFontSize(int size);
inline constexpr const char* kFontSizeRefusal = "大小超出范围！";

}  // namespace tarvolen
