#pragma once

// The results on view as a host reads them after a user's session in the contract container:
// through the _Moravine vtable, and the events of __Moravine on a sink that knows only IDispatch.
#include <windows.h>

namespace ruvo::activex::testing {

// A session of clicks and keys from the X server: an EDD by crown rump length, the gestation at
// birth through "Yes" and "Calculate gestation", a change of input that hides both, then an EDD by
// the LMP. After each step the host reads what the control shows, and hears each change once.
void resultsSession(HWND frame);

} // namespace ruvo::activex::testing
