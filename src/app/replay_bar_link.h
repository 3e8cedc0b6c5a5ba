#pragma once

namespace kav {

class ReplayBar;
class ReplayControl;

// The replay bar shows where the control stands, and the control does what the bar's controls choose.
void linkReplayBar(ReplayBar& bar, ReplayControl& control);

} // namespace kav
