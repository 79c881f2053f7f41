#pragma once
// The visible named controls of a window, one line each, for a maintainer
// or a test that drives the program from outside and must find what to
// click: "name x y width height state text".
//
// Positions are within the window and cover only the part of the control
// its parents do not clip away (a page scrolled out of its area is left
// out). The state is "on"/"off" for a control that can be ticked, "-"
// otherwise; the text is what the control shows. A password box never
// shows what was typed into it.
#include <string>
#include <vector>

class QWidget;

namespace tarvolen {

// Empty for no window.
std::vector<std::string> ListControls(const QWidget* window);

}  // namespace tarvolen
