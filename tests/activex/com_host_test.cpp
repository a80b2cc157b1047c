// A host of the registered control: the class factory and unload rules, early- and late-bound
// datenice, errors as HRESULTs, the type information, and the results of a control that shows
// none. Run under Wine after registration:
//   com_host_test.exe PATH\Ruvo.ocx
#include "com_check.h"
#include "com_host_checks.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/ruvo_h.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cmath>
#include <cwchar>
#include <limits>
#include <string>

namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

constexpr DISPID datenice_dispid = RUVO_DATENICE_DISPID;
const DATE october26 = 39016; // 26 October 2006

std::wstring text(BSTR value) {
    return value ? std::wstring(value, SysStringLen(value)) : L"";
}

_Moravine* create() {
    _Moravine* control = nullptr;
    CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID__Moravine,
                     reinterpret_cast<void**>(&control));
    return control;
}

// One late-bound call of datenice with the given argument.
HRESULT invoke(IDispatch* control, VARIANT* argument, VARIANT* result, EXCEPINFO* exception,
               UINT arguments = 1) {
    DISPPARAMS parameters{argument, nullptr, arguments, 0};
    return control->Invoke(datenice_dispid, IID_NULL, 0x0409,
                           DISPATCH_METHOD | DISPATCH_PROPERTYGET, &parameters, result, exception,
                           nullptr);
}

void classFactoryRules(HMODULE library) {
    auto canUnload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    CHECK(canUnload && getClassObject);
    if (!canUnload || !getClassObject)
        return;

    void* object = reinterpret_cast<void*>(1);
    CHECK(getClassObject(IID__Moravine, IID_IClassFactory, &object) == CLASS_E_CLASSNOTAVAILABLE);
    CHECK(object == nullptr);

    IClassFactory* factory = nullptr;
    CHECK(SUCCEEDED(
        getClassObject(CLSID_Moravine, IID_IClassFactory, reinterpret_cast<void**>(&factory))));
    CHECK(canUnload() == S_OK);
    factory->LockServer(TRUE);
    CHECK(canUnload() == S_FALSE);
    factory->LockServer(FALSE);
    CHECK(canUnload() == S_OK);

    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    IUnknown* aggregated = nullptr;
    CHECK(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)) ==
          CLASS_E_NOAGGREGATION);
    IUnknown* instance = nullptr;
    CHECK(SUCCEEDED(
        factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&instance))));
    CHECK(canUnload() == S_FALSE);
    instance->Release();
    CHECK(canUnload() == S_OK);

    // Many instances created, asked and released leave nothing behind.
    for (int cycle = 0; cycle < 1000; ++cycle) {
        _Moravine* control = nullptr;
        factory->CreateInstance(nullptr, IID__Moravine, reinterpret_cast<void**>(&control));
        DATE date = october26;
        BSTR result = nullptr;
        control->datenice(&date, &result);
        SysFreeString(result);
        control->Release();
    }
    CHECK(canUnload() == S_OK);
    factory->Release();
}

void earlyAndLateBound() {
    _Moravine* control = create();
    CHECK(control != nullptr);
    if (!control)
        return;
    DATE date = october26 + 0.75; // 18:00
    BSTR early = nullptr;
    CHECK(control->datenice(&date, &early) == S_OK);
    CHECK(text(early) == L"26 October 2006");
    CHECK(date == october26 + 0.75); // only read

    LPOLESTR name = const_cast<LPOLESTR>(L"datenice");
    DISPID id = 0;
    CHECK(control->GetIDsOfNames(IID_NULL, &name, 1, 0x0409, &id) == S_OK);
    CHECK(id == datenice_dispid);

    VARIANT argument, result;
    VariantInit(&result);
    argument.vt = VT_DATE;
    argument.date = october26;
    CHECK(invoke(control, &argument, &result, nullptr) == S_OK);
    CHECK(result.vt == VT_BSTR && text(result.bstrVal) == text(early));
    VariantClear(&result);

    // A script's variable, passed by reference.
    VARIANT variable;
    variable.vt = VT_DATE;
    variable.date = october26;
    argument.vt = VT_BYREF | VT_VARIANT;
    argument.pvarVal = &variable;
    CHECK(invoke(control, &argument, &result, nullptr) == S_OK);
    CHECK(text(result.bstrVal) == L"26 October 2006");
    CHECK(variable.vt == VT_DATE && variable.date == october26);
    VariantClear(&result);

    DATE byReference = october26;
    argument.vt = VT_BYREF | VT_DATE;
    argument.pdate = &byReference;
    CHECK(invoke(control, &argument, &result, nullptr) == S_OK);
    CHECK(byReference == october26);
    VariantClear(&result);

    // A date in text converts, as a script's would.
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(L"2006-10-26");
    CHECK(invoke(control, &argument, &result, nullptr) == S_OK);
    CHECK(text(result.bstrVal) == L"26 October 2006");
    VariantClear(&argument);
    VariantClear(&result);
    SysFreeString(early);
    control->Release();
}

void errors() {
    _Moravine* control = create();
    if (!control)
        return;
    DATE nan = std::numeric_limits<double>::quiet_NaN();
    BSTR result = nullptr;
    const HRESULT early = control->datenice(&nan, &result);
    CHECK(FAILED(early) && result == nullptr);
    CHECK(ruvo::activex::testing::lastErrorDescription().find(L"outside") != std::wstring::npos);
    DATE tooLate = 2958466; // 1 January 10000
    CHECK(FAILED(control->datenice(&tooLate, &result)));
    CHECK(control->datenice(nullptr, &result) == E_POINTER);

    VARIANT argument, value;
    VariantInit(&value);
    EXCEPINFO exception{};
    argument.vt = VT_R8;
    argument.dblVal = std::numeric_limits<double>::infinity();
    CHECK(invoke(control, &argument, &value, &exception) == DISP_E_EXCEPTION);
    CHECK(FAILED(exception.scode) && exception.bstrDescription != nullptr);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    argument.vt = VT_DATE;
    argument.date = std::numeric_limits<double>::quiet_NaN();
    CHECK(invoke(control, &argument, &value, &exception) == DISP_E_EXCEPTION);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(L"no date");
    CHECK(invoke(control, &argument, &value, &exception) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<HRESULT>(0x800A000D)); // type mismatch
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    VariantClear(&argument);
    CHECK(invoke(control, nullptr, &value, &exception, 0) == DISP_E_EXCEPTION);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    CHECK(control->Invoke(0x1234, IID_NULL, 0, DISPATCH_METHOD, &none, &value, nullptr, nullptr) ==
          DISP_E_MEMBERNOTFOUND);
    control->Release();
}

// The class's type information has datenice as 1.0 had it: a date by reference in, a string out.
void typeInformation() {
    _Moravine* control = create();
    if (!control)
        return;
    IProvideClassInfo2* provider = nullptr;
    CHECK(SUCCEEDED(
        control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provider))));
    GUID source{};
    CHECK(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) == S_OK &&
          IsEqualGUID(source, DIID___Moravine));
    ITypeInfo* coclass = nullptr;
    CHECK(provider->GetClassInfo(&coclass) == S_OK);
    TYPEATTR* attributes = nullptr;
    coclass->GetTypeAttr(&attributes);
    CHECK(attributes->typekind == TKIND_COCLASS && attributes->wTypeFlags == TYPEFLAG_FCONTROL);
    // The event interface, the class's second: hidden and non-extensible.
    HREFTYPE events = 0;
    ITypeInfo* eventInfo = nullptr;
    CHECK(coclass->GetRefTypeOfImplType(1, &events) == S_OK &&
          coclass->GetRefTypeInfo(events, &eventInfo) == S_OK);
    if (eventInfo) {
        TYPEATTR* eventAttributes = nullptr;
        eventInfo->GetTypeAttr(&eventAttributes);
        CHECK(eventAttributes->typekind == TKIND_DISPATCH &&
              (eventAttributes->wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE)) ==
                  (TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE));
        eventInfo->ReleaseTypeAttr(eventAttributes);
        eventInfo->Release();
    }
    coclass->ReleaseTypeAttr(attributes);
    coclass->Release();
    provider->Release();

    ITypeInfo* info = nullptr;
    CHECK(control->GetTypeInfo(0, 0x0409, &info) == S_OK);
    info->GetTypeAttr(&attributes);
    int datenices = 0;
    for (WORD index = 0; index < attributes->cFuncs; ++index) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(index, &function);
        if (function->memid == datenice_dispid) {
            ++datenices;
            CHECK(function->cParams == 1);
            const ELEMDESC& parameter = function->lprgelemdescParam[0];
            CHECK(parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc->vt == VT_DATE);
            CHECK((parameter.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) ==
                  (PARAMFLAG_FIN | PARAMFLAG_FOUT));
            CHECK(function->elemdescFunc.tdesc.vt == VT_BSTR);
        }
        info->ReleaseFuncDesc(function);
    }
    CHECK(datenices == 1);
    CHECK(
        (attributes->wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE)) ==
        (TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE));
    // The vtable side of the dual interface carries the OLE-automation flag.
    HREFTYPE vtable = 0;
    ITypeInfo* interfaceInfo = nullptr;
    CHECK(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable) == S_OK &&
          info->GetRefTypeInfo(vtable, &interfaceInfo) == S_OK);
    if (interfaceInfo) {
        TYPEATTR* interfaceAttributes = nullptr;
        interfaceInfo->GetTypeAttr(&interfaceAttributes);
        CHECK(interfaceAttributes->typekind == TKIND_INTERFACE &&
              (interfaceAttributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
        interfaceInfo->ReleaseTypeAttr(interfaceAttributes);
        interfaceInfo->Release();
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();

    IConnectionPointContainer* container = nullptr;
    CHECK(SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer,
                                            reinterpret_cast<void**>(&container))));
    IConnectionPoint* point = nullptr;
    CHECK(container->FindConnectionPoint(DIID___Moravine, &point) == S_OK);
    if (point)
        point->Release();
    container->Release();

    IOleObject* object = nullptr;
    CHECK(SUCCEEDED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))));
    DWORD status = 0;
    CHECK(object->GetMiscStatus(DVASPECT_CONTENT, &status) == S_OK && status == RUVO_MISC_STATUS);
    object->Release();
    control->Release();
}

void registration() {
    CLSID clsid{};
    CHECK(CLSIDFromProgID(L"Ruvo.Moravine", &clsid) == S_OK && IsEqualCLSID(clsid, CLSID_Moravine));
    LPOLESTR progId = nullptr;
    CHECK(ProgIDFromCLSID(CLSID_Moravine, &progId) == S_OK &&
          std::wcscmp(progId, L"Ruvo.Moravine") == 0);
    CoTaskMemFree(progId);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: com_host_test PATH\\Ruvo.ocx\n");
        return 2;
    }
    CoInitialize(nullptr);
    HMODULE library = LoadLibraryA(argv[1]);
    CHECK(library != nullptr);
    if (library)
        classFactoryRules(library);
    earlyAndLateBound();
    errors();
    typeInformation();
    typeLibraryVersion();
    resultsMembers();
    resultsEvents();
    nothingOnView();
    if (library)
        connectionPoints(library);
    namedArgument();
    drawnWithoutAWindow();
    registration();
    CoFreeUnusedLibraries();
    CoUninitialize();
    return ruvo::activex::testing::summary();
}
