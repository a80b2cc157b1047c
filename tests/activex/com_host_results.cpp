// The host's side of the type library's version 1.1 and of the results' members on a control
// that shows none: it was created, never activated, so nothing was calculated.
#include "com_host_checks.h"

#include "com_check.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/ruvo_h.h"

#include <oleauto.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

std::wstring text(BSTR value) {
    return value ? std::wstring(value, SysStringLen(value)) : L"";
}

// What a function of a type description says of itself.
struct Member {
    MEMBERID id = 0;
    INVOKEKIND kind = INVOKE_FUNC;
    std::vector<VARTYPE> parameters;
    VARTYPE returns = VT_EMPTY;
    short optional = 0;
    short vtableOffset = 0;
};

std::map<std::wstring, Member> membersOf(ITypeInfo* info) {
    std::map<std::wstring, Member> members;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)))
        return members;
    for (WORD index = 0; index < attributes->cFuncs; ++index) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(index, &function);
        BSTR name = nullptr;
        info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
        Member member{function->memid, function->invkind, {}, function->elemdescFunc.tdesc.vt, 0,
                      function->oVft};
        for (SHORT parameter = 0; parameter < function->cParams; ++parameter) {
            const ELEMDESC& described = function->lprgelemdescParam[parameter];
            member.parameters.push_back(described.tdesc.vt);
            // A parameter with a default may be left out, whether or not it is marked optional.
            if (described.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT))
                ++member.optional;
        }
        if (!(function->wFuncFlags & FUNCFLAG_FRESTRICTED))
            members[text(name)] = member;
        SysFreeString(name);
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return members;
}

ITypeLib* registeredLibrary(WORD major, WORD minor) {
    ITypeLib* library = nullptr;
    LoadRegTypeLib(LIBID_Ruvo, major, minor, 0x0409, &library);
    return library;
}

IDispatch* createDispatch() {
    IDispatch* control = nullptr;
    CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(&control));
    return control;
}

HRESULT invoke(IDispatch* control, DISPID id, WORD flags, VARIANT* arguments, UINT count,
               VARIANT* result, EXCEPINFO* exception = nullptr) {
    DISPPARAMS parameters{arguments, nullptr, count, 0};
    VariantInit(result);
    return control->Invoke(id, IID_NULL, 0x0409, flags, &parameters, result, exception, nullptr);
}

} // namespace

// The registered library is 1.1, and a 1.0 caller asking for its version still finds it.
void typeLibraryVersion() {
    ITypeLib* library = registeredLibrary(1, 1);
    CHECK(library != nullptr);
    if (library) {
        TLIBATTR* attributes = nullptr;
        CHECK(library->GetLibAttr(&attributes) == S_OK);
        CHECK(attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 1);
        library->ReleaseTLibAttr(attributes);
        library->Release();
    }
    ITypeLib* asked = registeredLibrary(1, 0);
    CHECK(asked != nullptr);
    if (asked)
        asked->Release();
}

// _Moravine keeps datenice where 1.0 had it, in its DISPID and its vtable slot, and adds the
// results after it: three read-only properties and GestationOn.
void resultsMembers() {
    ITypeLib* library = registeredLibrary(1, 1);
    if (!library)
        return;
    ITypeInfo* dispatch = nullptr;
    CHECK(library->GetTypeInfoOfGuid(IID__Moravine, &dispatch) == S_OK);
    auto members = membersOf(dispatch);
    CHECK(members.size() == 6);
    CHECK(members[L"datenice"].id == RUVO_DATENICE_DISPID);
    const Member edd = members[L"EDD"];
    CHECK(edd.id == RUVO_EDD_DISPID && edd.kind == INVOKE_PROPERTYGET && edd.parameters.empty() &&
          edd.returns == VT_VARIANT);
    const Member method = members[L"EDDMethod"];
    CHECK(method.id == RUVO_EDD_METHOD_DISPID && method.kind == INVOKE_PROPERTYGET &&
          method.returns == VT_BSTR);
    const Member days = members[L"GestationAtBirthDays"];
    CHECK(days.id == RUVO_GESTATION_AT_BIRTH_DAYS_DISPID && days.kind == INVOKE_PROPERTYGET &&
          days.returns == VT_I4);
    const Member on = members[L"GestationOn"];
    CHECK(on.id == RUVO_GESTATION_ON_DISPID && on.kind == INVOKE_FUNC &&
          on.parameters == std::vector<VARTYPE>{VT_DATE} && on.returns == VT_I4);
    // FHIR's subject may be left out, as ctl.FHIR reads it in VB.
    const Member record = members[L"FHIR"];
    CHECK(record.id == RUVO_FHIR_DISPID && record.kind == INVOKE_PROPERTYGET &&
          record.parameters == std::vector<VARTYPE>{VT_BSTR} && record.optional == 1 &&
          record.returns == VT_BSTR);
    // No property can be set: a host that tries is told there is no such member.
    for (const auto& [name, member] : members)
        CHECK(member.kind != INVOKE_PROPERTYPUT && member.kind != INVOKE_PROPERTYPUTREF);

    HREFTYPE reference = 0;
    ITypeInfo* vtable = nullptr;
    CHECK(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference) == S_OK &&
          dispatch->GetRefTypeInfo(reference, &vtable) == S_OK);
    if (vtable) {
        auto slots = membersOf(vtable);
        const short first = static_cast<short>(7 * sizeof(void*)); // after IDispatch's seven
        CHECK(slots[L"datenice"].vtableOffset == first);
        for (const auto& [name, member] : slots)
            CHECK(name == L"datenice" || member.vtableOffset > first);
        vtable->Release();
    }
    dispatch->Release();
    library->Release();
}

// __Moravine's two events take nothing.
void resultsEvents() {
    ITypeLib* library = registeredLibrary(1, 1);
    if (!library)
        return;
    ITypeInfo* events = nullptr;
    CHECK(library->GetTypeInfoOfGuid(DIID___Moravine, &events) == S_OK);
    if (events) {
        auto members = membersOf(events);
        CHECK(members.size() == 2);
        CHECK(members[L"EDDChanged"].id == RUVO_EDD_CHANGED_DISPID &&
              members[L"EDDChanged"].parameters.empty());
        CHECK(members[L"GestationAtBirthChanged"].id == RUVO_GESTATION_AT_BIRTH_CHANGED_DISPID &&
              members[L"GestationAtBirthChanged"].parameters.empty());
        events->Release();
    }
    library->Release();
}

void nothingOnView() {
    _Moravine* early = nullptr;
    CHECK(SUCCEEDED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID__Moravine,
                                     reinterpret_cast<void**>(&early))));
    if (!early)
        return;
    VARIANT edd;
    VariantInit(&edd);
    CHECK(early->get_EDD(&edd) == S_OK && edd.vt == VT_EMPTY);
    BSTR method = nullptr;
    CHECK(early->get_EDDMethod(&method) == S_OK && method && SysStringLen(method) == 0);
    SysFreeString(method);
    LONG days = 0;
    CHECK(early->get_GestationAtBirthDays(&days) == S_OK && days == -1);
    CHECK(early->GestationOn(39016, &days) == S_OK && days == -1);
    // A date no calendar holds is refused, EDD or none.
    CHECK(FAILED(early->GestationOn(std::numeric_limits<double>::quiet_NaN(), &days)));
    BSTR record = nullptr;
    CHECK(early->get_FHIR(nullptr, &record) == S_OK && record && SysStringLen(record) == 0);
    SysFreeString(record);
    BSTR subject = SysAllocString(L"Patient/123");
    CHECK(early->get_FHIR(subject, &record) == S_OK && record && SysStringLen(record) == 0);
    SysFreeString(record);
    SysFreeString(subject);
    CHECK(early->get_EDD(nullptr) == E_POINTER && early->GestationOn(0, nullptr) == E_POINTER);
    early->Release();

    IDispatch* control = createDispatch();
    if (!control)
        return;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"EDD"), const_cast<LPOLESTR>(L"EDDMethod"),
                        const_cast<LPOLESTR>(L"GestationAtBirthDays"),
                        const_cast<LPOLESTR>(L"GestationOn"), const_cast<LPOLESTR>(L"FHIR")};
    const DISPID expected[] = {RUVO_EDD_DISPID, RUVO_EDD_METHOD_DISPID,
                               RUVO_GESTATION_AT_BIRTH_DAYS_DISPID, RUVO_GESTATION_ON_DISPID,
                               RUVO_FHIR_DISPID};
    for (int index = 0; index < 5; ++index) {
        DISPID id = 0;
        CHECK(control->GetIDsOfNames(IID_NULL, &names[index], 1, 0x0409, &id) == S_OK &&
              id == expected[index]);
    }

    VARIANT result;
    // A script host reads a property with both flags, VB with DISPATCH_PROPERTYGET alone.
    for (const WORD flags :
         {WORD{DISPATCH_PROPERTYGET}, WORD{DISPATCH_METHOD | DISPATCH_PROPERTYGET}}) {
        CHECK(invoke(control, RUVO_EDD_DISPID, flags, nullptr, 0, &result) == S_OK &&
              result.vt == VT_EMPTY);
        CHECK(invoke(control, RUVO_EDD_METHOD_DISPID, flags, nullptr, 0, &result) == S_OK &&
              result.vt == VT_BSTR && text(result.bstrVal).empty());
        VariantClear(&result);
        CHECK(invoke(control, RUVO_FHIR_DISPID, flags, nullptr, 0, &result) == S_OK &&
              result.vt == VT_BSTR && text(result.bstrVal).empty());
        VariantClear(&result);
        CHECK(invoke(control, RUVO_GESTATION_AT_BIRTH_DAYS_DISPID, flags, nullptr, 0, &result) ==
                  S_OK &&
              result.vt == VT_I4 && result.lVal == -1);
    }
    VARIANT day;
    day.vt = VT_DATE;
    day.date = 39016;
    for (const WORD flags : {WORD{DISPATCH_METHOD}, WORD{DISPATCH_METHOD | DISPATCH_PROPERTYGET}}) {
        CHECK(invoke(control, RUVO_GESTATION_ON_DISPID, flags, &day, 1, &result) == S_OK &&
              result.vt == VT_I4 && result.lVal == -1);
    }
    // A script's variable by reference, and a date in text, are dates too.
    VARIANT variable = day;
    VARIANT byReference;
    byReference.vt = VT_BYREF | VT_VARIANT;
    byReference.pvarVal = &variable;
    CHECK(invoke(control, RUVO_GESTATION_ON_DISPID, DISPATCH_METHOD, &byReference, 1, &result) ==
              S_OK &&
          result.lVal == -1);

    // FHIR's subject left out as VB leaves out an optional argument, or given; no record either
    // way.
    VARIANT missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    CHECK(invoke(control, RUVO_FHIR_DISPID, DISPATCH_PROPERTYGET, &missing, 1, &result) == S_OK &&
          result.vt == VT_BSTR && text(result.bstrVal).empty());
    VariantClear(&result);
    VARIANT patient;
    patient.vt = VT_BSTR;
    patient.bstrVal = SysAllocString(L"Patient/123");
    CHECK(invoke(control, RUVO_FHIR_DISPID, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &patient, 1,
                 &result) == S_OK &&
          text(result.bstrVal).empty());
    VariantClear(&result);
    VariantClear(&patient);

    // Text that is no date is a type mismatch a script reads in Err; so is a missing date.
    VARIANT noDate;
    noDate.vt = VT_BSTR;
    noDate.bstrVal = SysAllocString(L"not a date");
    EXCEPINFO exception{};
    CHECK(invoke(control, RUVO_GESTATION_ON_DISPID, DISPATCH_METHOD, &noDate, 1, &result,
                 &exception) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<HRESULT>(0x800A000D) &&
          text(exception.bstrDescription) == L"GestationOn takes a date");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    VariantClear(&noDate);
    exception = {};
    CHECK(invoke(control, RUVO_GESTATION_ON_DISPID, DISPATCH_METHOD, nullptr, 0, &result,
                 &exception) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<HRESULT>(0x800A0005));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    // The properties are read-only and take no arguments; a property is not called as a method.
    CHECK(invoke(control, RUVO_EDD_DISPID, DISPATCH_PROPERTYPUT, &day, 1, &result) ==
          DISP_E_MEMBERNOTFOUND);
    CHECK(invoke(control, RUVO_GESTATION_AT_BIRTH_DAYS_DISPID, DISPATCH_METHOD, nullptr, 0,
                 &result) == DISP_E_MEMBERNOTFOUND);
    CHECK(invoke(control, RUVO_EDD_DISPID, DISPATCH_PROPERTYGET, &day, 1, &result) ==
          DISP_E_BADPARAMCOUNT);
    // datenice answers as it always has beside them.
    CHECK(invoke(control, RUVO_DATENICE_DISPID, DISPATCH_METHOD, &day, 1, &result) == S_OK &&
          text(result.bstrVal) == L"26 October 2006");
    VariantClear(&result);
    control->Release();
}
