// The control embedded in a container: IOleObject, in-place activation, the control contract
// (IOleInPlaceActiveObject, IOleControl) and the container's ambient properties.
#include "hosting/activex/moravine_control.h"

#include "hosting/activex/com_boundary.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/dialog_tabs.h"

#include <olectl.h>

#include <memory>

namespace ruvo::activex {

// IOleObject

HRESULT MoravineControl::SetClientSite(IOleClientSite* site) {
    m_site = ComPtr<IOleClientSite>::holding(site);
    return S_OK;
}

HRESULT MoravineControl::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    *site = m_site.share();
    return S_OK;
}

HRESULT MoravineControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT MoravineControl::Close(DWORD) {
    InPlaceDeactivate();
    return S_OK;
}

HRESULT MoravineControl::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT MoravineControl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT MoravineControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                LPCRECT position) {
    return atBoundary([&]() -> HRESULT {
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return activateInPlace(site ? site : m_site.get(), parent, position);
        case OLEIVERB_HIDE:
            if (m_view)
                m_view->show(false);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
        }
    });
}

// The container's site may come after InitNew, so the window is made only now.
HRESULT MoravineControl::activateInPlace(IOleClientSite* site, HWND parent, LPCRECT position) {
    if (m_view) {
        m_view->show(true);
        return S_OK;
    }
    if (!site)
        return E_UNEXPECTED;
    ComPtr<IOleInPlaceSite> inPlace;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlace.putVoid())))
        return E_NOINTERFACE;
    if (inPlace->CanInPlaceActivate() != S_OK)
        return E_FAIL;
    inPlace->OnInPlaceActivate();
    HWND window = parent;
    if (FAILED(inPlace->GetWindow(&window)) && !parent) {
        inPlace->OnInPlaceDeactivate();
        return E_FAIL;
    }
    RECT place = position ? *position : RECT{0, 0, 0, 0};
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    inPlace->GetWindowContext(frame.put(), document.put(), &place, &clip, &frameInfo);
    m_inPlaceSite = std::move(inPlace);
    showView(window, place, true);
    return S_OK;
}

void MoravineControl::showView(HWND parent, const RECT& place, bool shown) {
    m_view = std::make_unique<Win32View>(m_presenter, parent, place, takeAmbientFont());
    m_view->onFocusChange = [this](bool inside) { focusChanged(inside); };
    m_view->onResultsChange = [this](view::ResultsMoved moved) { resultsMoved(moved); };
    m_view->setDesignMode(!userMode());
    m_view->attach();
    m_view->show(shown);
}

VARIANT MoravineControl::ambient(DISPID property) const {
    VARIANT value;
    VariantInit(&value);
    ComPtr<IDispatch> properties;
    if (!m_site || FAILED(m_site->QueryInterface(IID_IDispatch, properties.putVoid())))
        return value;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(properties->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                  &none, &value, nullptr, nullptr)))
        VariantClear(&value);
    return value;
}

bool MoravineControl::userMode() const {
    VARIANT value = ambient(DISPID_AMBIENT_USERMODE);
    // A container that does not say runs its forms for users.
    const bool user = value.vt != VT_BOOL || value.boolVal != VARIANT_FALSE;
    VariantClear(&value);
    return user;
}

HFONT MoravineControl::takeAmbientFont() {
    m_ambientFont.reset();
    VARIANT value = ambient(DISPID_AMBIENT_FONT);
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        value.punkVal->QueryInterface(IID_IFont, m_ambientFont.putVoid());
    VariantClear(&value);
    HFONT font = nullptr;
    if (m_ambientFont)
        m_ambientFont->get_hFont(&font);
    return font;
}

void MoravineControl::rebuildView() {
    if (!m_view)
        return;
    RECT place;
    GetWindowRect(m_view->window(), &place);
    const HWND parent = GetParent(m_view->window());
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const bool shown = IsWindowVisible(m_view->window());
    m_view.reset();
    showView(parent, place, shown);
}

void MoravineControl::setActiveObject(bool active) {
    if (!m_inPlaceSite)
        return;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(m_inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip,
                                               &frameInfo)))
        return;
    IOleInPlaceActiveObject* object = active ? this : nullptr;
    const wchar_t* name = active ? L"Moravine" : nullptr;
    if (frame)
        frame->SetActiveObject(object, name);
    if (document)
        document->SetActiveObject(object, name);
}

void MoravineControl::activateUserInterface() {
    if (m_userInterfaceActive || !m_inPlaceSite)
        return;
    m_userInterfaceActive = true;
    m_inPlaceSite->OnUIActivate();
    setActiveObject(true);
}

void MoravineControl::focusChanged(bool inside) {
    if (inside)
        activateUserInterface();
    ComPtr<IOleControlSite> controlSite;
    if (m_site && SUCCEEDED(m_site->QueryInterface(IID_IOleControlSite, controlSite.putVoid())))
        controlSite->OnFocus(inside);
}

HRESULT MoravineControl::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(CLSID_Moravine, verbs);
}

HRESULT MoravineControl::Update() {
    return S_OK;
}
HRESULT MoravineControl::IsUpToDate() {
    return S_OK;
}

HRESULT MoravineControl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

HRESULT MoravineControl::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(CLSID_Moravine, form, type);
}

HRESULT MoravineControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    m_extent = *size;
    return S_OK;
}

HRESULT MoravineControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = m_extent;
    return S_OK;
}

HRESULT MoravineControl::Advise(IAdviseSink*, DWORD* connection) {
    if (connection)
        *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT MoravineControl::Unadvise(DWORD) {
    return OLE_E_NOCONNECTION;
}

HRESULT MoravineControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise)
        *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT MoravineControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = RUVO_MISC_STATUS;
    return S_OK;
}

HRESULT MoravineControl::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

HRESULT MoravineControl::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_view ? m_view->window() : nullptr;
    return m_view ? S_OK : E_FAIL;
}

HRESULT MoravineControl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::InPlaceDeactivate() {
    if (!m_view)
        return S_OK;
    UIDeactivate();
    m_view.reset();
    if (m_inPlaceSite)
        m_inPlaceSite->OnInPlaceDeactivate();
    m_inPlaceSite.reset();
    return S_OK;
}

HRESULT MoravineControl::UIDeactivate() {
    if (!m_userInterfaceActive)
        return S_OK;
    m_userInterfaceActive = false;
    setActiveObject(false);
    if (m_inPlaceSite)
        m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT MoravineControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position)
        return E_POINTER;
    if (m_view)
        m_view->place(*position);
    return S_OK;
}

HRESULT MoravineControl::ReactivateAndUndo() {
    return E_NOTIMPL;
}

// Tab moves through the control's inputs and, from its last (Shift+Tab: its first), leaves it:
// the container then moves the focus on. Enter and Space on a button work as in any dialog; the
// arrows within an option group are the option buttons' own (see Win32View).
HRESULT MoravineControl::TranslateAccelerator(LPMSG message) {
    return atBoundary([&]() -> HRESULT {
        if (!m_view || !message || message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
            return S_FALSE;
        const HWND surface = m_view->window();
        const HWND focused = GetFocus();
        if (!focused || (focused != surface && !IsChild(surface, focused)))
            return S_FALSE; // the container's own widget has the key
        if (message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
            GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 &&
            tabLeaves(surface, focused, GetKeyState(VK_SHIFT) < 0))
            return S_FALSE;
        return IsDialogMessageW(surface, message) ? S_OK : S_FALSE;
    });
}

HRESULT MoravineControl::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT MoravineControl::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT MoravineControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT MoravineControl::EnableModeless(BOOL) {
    return S_OK;
}

// IOleControl

HRESULT MoravineControl::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

// The control has no mnemonics (GetControlInfo lists none), so none is ever pressed.
HRESULT MoravineControl::OnMnemonic(MSG*) {
    return S_OK;
}

HRESULT MoravineControl::OnAmbientPropertyChange(DISPID property) {
    return atBoundary([&]() -> HRESULT {
        if (property == DISPID_AMBIENT_FONT || property == DISPID_UNKNOWN)
            rebuildView(); // the whole surface scales with the font
        else if (m_view && property == DISPID_AMBIENT_USERMODE)
            m_view->setDesignMode(!userMode());
        return S_OK;
    });
}
// Freezes nest: the events wait until the last freeze is undone.
HRESULT MoravineControl::FreezeEvents(BOOL freeze) {
    if (freeze) {
        ++m_eventFreezes;
    } else if (m_eventFreezes > 0 && --m_eventFreezes == 0) {
        resultsMoved({});
    }
    return S_OK;
}

} // namespace ruvo::activex
