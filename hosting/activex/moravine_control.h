#pragma once

#include "control/moravine.h"
#include "dating/clock.h"
#include "hosting/activex/com_ptr.h"
#include "hosting/activex/event_connection_point.h"
#include "hosting/activex/ruvo_h.h"
#include "hosting/activex/win32_view.h"
#include "hosting/view/presenter.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <vector>

namespace ruvo::activex {

// One Moravine control as a COM object: datenice and the results on view through the dual
// interface _Moravine (early bound) and IDispatch (late bound), and the interfaces a container
// needs to embed it in place. It runs its start-up when created and persists nothing. While
// in-place active it shows its surface on real Windows controls (Win32View), and raises the events
// of __Moravine when a user's input changes the results on view.
class MoravineControl final : public _Moravine,
                              public IOleObject,
                              public IOleInPlaceObject,
                              public IOleInPlaceActiveObject,
                              public IOleControl,
                              public IViewObject2,
                              public IPersistStreamInit,
                              public IPersistPropertyBag,
                              public IProvideClassInfo2,
                              public IConnectionPointContainer,
                              public ISupportErrorInfo {
  public:
    // The clock gives the control's "today"; it must outlive the control.
    explicit MoravineControl(const Clock& clock);
    MoravineControl(const MoravineControl&) = delete;
    MoravineControl& operator=(const MoravineControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch and _Moravine
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    HRESULT STDMETHODCALLTYPE datenice(DATE* xdate, BSTR* result) override;
    // The results on view (moravine_results.cpp); each says "none" while its result is hidden.
    HRESULT STDMETHODCALLTYPE get_EDD(VARIANT* edd) override;
    HRESULT STDMETHODCALLTYPE get_EDDMethod(BSTR* method) override;
    HRESULT STDMETHODCALLTYPE get_GestationAtBirthDays(LONG* days) override;
    HRESULT STDMETHODCALLTYPE GestationOn(DATE xdate, LONG* days) override;
    HRESULT STDMETHODCALLTYPE get_FHIR(BSTR subject, BSTR* record) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT, LPCRECT) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO*) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL,
                                   LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                   ULONG_PTR) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                          LOGPALETTE**) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD, DWORD, IAdviseSink*) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD*, DWORD*, IAdviseSink**) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag: nothing is persisted.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag*, IErrorLog*) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD, GUID*) override;

    // IConnectionPointContainer: the event interface __Moravine.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint**) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override;

  private:
    ~MoravineControl();

    HRESULT typeLibrary(ITypeLib** library);
    // The late-bound side of the results' members; DISP_E_MEMBERNOTFOUND for any other DISPID.
    HRESULT invokeResults(DISPID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                          UINT* badArgument);
    // The run that ended changed the results on view: the events of what moved, in turn, once
    // the events are not frozen.
    void resultsMoved(view::ResultsMoved moved);
    HRESULT activateInPlace(IOleClientSite* site, HWND parent, LPCRECT position);
    // The focus came into the control's windows or left them: the container learns it, and the
    // control becomes the active object while it has the focus.
    void focusChanged(bool inside);
    void activateUserInterface();
    // Whether the container runs its forms for users (true) or designs them (false).
    bool userMode() const;
    // An ambient property of the container, or VT_EMPTY where it has none.
    VARIANT ambient(DISPID) const;
    // Takes the container's ambient font, if it has one, for the view; gives its handle, or null.
    HFONT takeAmbientFont();
    // Shows the surface in parent's window at place, as the ambient properties say.
    void showView(HWND parent, const RECT& place, bool shown);
    // Shows the surface again, as the ambient properties now say.
    void rebuildView();
    void setActiveObject(bool active);

    LONG m_references = 1;
    // The control's model and everything its views show of it; it outlives each view.
    view::Presenter m_presenter;
    ComPtr<ITypeLib> m_typeLibrary;
    ComPtr<ITypeInfo> m_typeInfo;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IAdviseSink> m_viewSink;
    ComPtr<EventConnectionPoint> m_events;
    int m_eventFreezes = 0;         // IOleControl::FreezeEvents nests
    view::ResultsMoved m_eventsDue; // held back while frozen
    SIZEL m_extent;                 // HIMETRIC
    std::unique_ptr<Win32View> m_view;
    bool m_userInterfaceActive = false;
    ComPtr<IFont> m_ambientFont; // holds the font the view draws with
};

} // namespace ruvo::activex
