#include "notify/MessageLayout.h"

namespace tarvolen {

int MessageWindowTop(int screenHeightPx, int lineHeightPx, int k) { return screenHeightPx - 32 - k * lineHeightPx; }

int32_t MessageColourFor(int32_t chosen) { return chosen == kMessageColourKey ? kMessageColourKey + 1 : chosen; }

bool IsValidMessageFontSize(int size) { return size >= 9 && size <= 48; }

}  // namespace tarvolen
