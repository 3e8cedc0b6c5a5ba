#pragma once

#include <QString>

namespace kav {

class ResultWindows;

// --fullscreen: shows result window `number` of the open layout full screen, on screen `screen`
// (counted from 1; 0: the screen the window goes to by itself). Returns what could not be done as
// asked (no such window, no such screen), for the operator; a display left alone still shows the rest.
QString startFullScreen(const ResultWindows& windows, int number, int screen);

} // namespace kav
