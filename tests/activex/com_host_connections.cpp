// The host's side of the control's connection points and of datenice's named argument.
#include "com_host_checks.h"

#include "com_check.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/ruvo_h.h"
#include "picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <string>

namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

// An event sink that counts its references; one that is no sink of __Moravine answers IUnknown
// alone.
class Sink final : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !(events && IsEqualIID(iid, DIID___Moravine))) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
    bool events = true;
};

IConnectionPointContainer* containerOf(IUnknown* control) {
    IConnectionPointContainer* container = nullptr;
    control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    return container;
}

} // namespace

// A connection point, or an enumerator, that a host keeps after the control has gone keeps the
// library loaded: were it unloaded, the host's next Release would run code that is no longer there.
void connectionPoints(HMODULE library) {
    auto canUnload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    IUnknown* control = nullptr;
    CHECK(SUCCEEDED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(&control))));
    if (!control || !canUnload)
        return;
    IConnectionPointContainer* container = containerOf(control);
    CHECK(container != nullptr);

    IEnumConnectionPoints* points = nullptr;
    CHECK(container->EnumConnectionPoints(&points) == S_OK && points);
    IConnectionPoint* point = nullptr;
    ULONG fetched = 0;
    CHECK(points->Next(1, &point, &fetched) == S_OK && fetched == 1 && point);
    IID events{};
    CHECK(point->GetConnectionInterface(&events) == S_OK && IsEqualIID(events, DIID___Moravine));
    IConnectionPoint* more = nullptr;
    CHECK(points->Next(1, &more, &fetched) == S_FALSE && fetched == 0);

    Sink sink;
    DWORD cookie = 0;
    CHECK(point->Advise(&sink, &cookie) == S_OK && sink.references == 2);
    IEnumConnections* connections = nullptr;
    CHECK(point->EnumConnections(&connections) == S_OK && connections);
    CONNECTDATA connection{};
    CHECK(connections->Next(1, &connection, nullptr) == S_OK && connection.pUnk == &sink &&
          connection.dwCookie == cookie);
    if (connection.pUnk)
        connection.pUnk->Release();
    connections->Release();
    CHECK(point->Unadvise(cookie) == S_OK && sink.references == 1);
    // A sink that takes no events through IDispatch cannot be told them: it is refused, not held.
    Sink deaf;
    deaf.events = false;
    CHECK(point->Advise(&deaf, &cookie) == CONNECT_E_CANNOTCONNECT && deaf.references == 1);

    container->Release();
    control->Release();
    CHECK(canUnload() == S_FALSE); // the enumerator and the point are still held
    points->Release();
    CHECK(canUnload() == S_FALSE); // the point is still held
    IConnectionPointContainer* gone = nullptr;
    CHECK(point->GetConnectionPointContainer(&gone) == E_UNEXPECTED && gone == nullptr);
    point->Release();
    CHECK(canUnload() == S_OK);
    CoFreeUnusedLibrariesEx(0, 0);
}

// VBA's late-bound ctl.datenice(xdate:=d) asks the DISPID of the name, then passes it.
void namedArgument() {
    IDispatch* control = nullptr;
    CHECK(SUCCEEDED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&control))));
    if (!control)
        return;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"datenice"), const_cast<LPOLESTR>(L"xdate")};
    DISPID ids[2] = {-1, -1};
    CHECK(control->GetIDsOfNames(IID_NULL, names, 2, 0x0409, ids) == S_OK);
    CHECK(ids[0] == RUVO_DATENICE_DISPID && ids[1] == 0);

    VARIANT argument, result;
    argument.vt = VT_DATE;
    argument.date = 39016; // 26 October 2006
    VariantInit(&result);
    DISPID named = ids[1];
    DISPPARAMS parameters{&argument, &named, 1, 1};
    CHECK(control->Invoke(ids[0], IID_NULL, 0x0409, DISPATCH_METHOD, &parameters, &result, nullptr,
                          nullptr) == S_OK);
    CHECK(result.vt == VT_BSTR &&
          std::wstring(result.bstrVal, SysStringLen(result.bstrVal)) == L"26 October 2006");
    VariantClear(&result);

    named = 5;
    UINT badArgument = 99;
    CHECK(control->Invoke(ids[0], IID_NULL, 0x0409, DISPATCH_METHOD, &parameters, &result, nullptr,
                          &badArgument) == DISP_E_PARAMNOTFOUND);
    CHECK(badArgument == 0);
    control->Release();
}

// A container that prints a control it never activated gets the surface all the same, drawn
// through a hidden window: the date lists in their own colour, not an empty box.
void drawnWithoutAWindow() {
    IViewObject* view = nullptr;
    CHECK(SUCCEEDED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID_IViewObject,
                                     reinterpret_cast<void**>(&view))));
    if (!view)
        return;
    const int width = 581, height = 361;
    const RECTL bounds{0, 0, width, height};
    const auto picture = ruvo::activex::testing::drawn(width, height, [&](HDC dc) {
        CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                         nullptr, 0) == S_OK);
    });
    const auto listColoured =
        std::count(picture.pixels.begin(), picture.pixels.end(), DWORD{0xFFC0C0});
    CHECK(listColoured > 1000);
    view->Release();
}
