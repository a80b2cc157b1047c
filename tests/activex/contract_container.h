#pragma once

// The container's side of the control-contract tests: its message loop, the control activated
// in place in one of its windows, and a keyboard-only session there.
#include "contract_site.h"

#include <ole2.h>
#include <windows.h>

#include <string>
#include <vector>

namespace ruvo::activex::testing {

// The container's loop for the time given: the active object is offered each key first, then the
// container's own dialog manager.
void pump(HWND frame, ContractSite& site, DWORD milliseconds);

// A new control, activated in place in frame's client area through site; null if it failed.
IOleObject* activate(ContractSite& site, HWND frame);
// The same, once the prompts of its start-up have run out.
IOleObject* activateAtRest(ContractSite& site, HWND frame);

// Closes a control activate() made and lets it go.
void closeControl(IOleObject* object);

// A font points high, as a container's ambient Font; null if it could not be made.
IFontDisp* fontOf(int points, const wchar_t* face = L"Tahoma", bool bold = false);

// The control's own window.
HWND surfaceOf(IOleObject* object);

// A host's form in frame: a button "Before", the control, a button "After", in that tab order.
// The focus is on "Before" once the prompts of start-up have run out. object is null if the
// control could not be activated.
struct HostForm {
    explicit HostForm(HWND frame);
    ~HostForm();
    HostForm(const HostForm&) = delete;
    HostForm& operator=(const HostForm&) = delete;

    HWND frame;
    ContractSite site{frame};
    HWND before = nullptr;
    IOleObject* object = nullptr;
    HWND surface = nullptr;
    HWND after = nullptr;
};

// Names joined by spaces, for a message.
std::string joined(const std::vector<std::string>& names);

// Picks an item of the focused list from the keyboard: Home, then Down to it. (Wine's lists find
// a typed item by its first character alone.)
void pickByKeys(HWND list, const std::wstring& item, HWND frame, ContractSite& site);

// A keyboard-only session with keys from the X server, as a person without a mouse works the
// control: Tab in, the arrows within an option group, the lists, Enter on "Calculate EDD"; the
// focus then rests on the result just shown.
void keyboardSession(HWND frame);

} // namespace ruvo::activex::testing
