#pragma once
// The key codes the desk's key handler works with: Windows virtual-key
// codes, whatever the platform source of the keys is. The key sources
// translate into these.
namespace tarvolen::vk {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDigit0 = 48;
constexpr int kDigit9 = 57;
constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;

}  // namespace tarvolen::vk
