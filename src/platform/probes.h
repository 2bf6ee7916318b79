// Benchmark probes: log lines stamped with the monotonic clock, off unless their category is on.
#pragma once

class QWidget;

namespace platform::probes {

// Each probe logs under its category when that is enabled (for example
// QT_LOGGING_RULES="zel.startup.debug=true"), every line led by the monotonic clock's time in
// seconds: the clock the sample site stamps its log with, so that script/bench can set the two
// side by side. Off, a probe costs one test of its category.

// "zel.startup": a step of start-up.
void startupStep(const char *step);

// "zel.startup": the first paint of the window's content; "zel.gui": each turn of a 10 ms
// timer on the GUI thread, with the time since the turn before, for as long as the window
// lives.
void watchWindow(QWidget *window);

// "zel.downloads": a row of the downloads window was updated.
void downloadRowUpdated();

} // namespace platform::probes
