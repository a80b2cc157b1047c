#include "results_session.h"

#include "com_check.h"
#include "contract_container.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/ruvo_h.h"
#include "win32_view_checks.h"
#include "x_input.h"

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace ruvo::activex::testing {

namespace {

// A host's event sink as script hosts and VB make one: IDispatch alone, no __Moravine. It counts
// each event and notes whether the EDD already read as the event says when it came.
class DispatchSink final : public IDispatch {
  public:
    explicit DispatchSink(_Moravine* control) : m_control(control) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        wellFormed = wellFormed && flags == DISPATCH_METHOD && parameters && parameters->cArgs == 0;
        if (id == RUVO_EDD_CHANGED_DISPID) {
            ++eddChanged;
            VARIANT edd;
            VariantInit(&edd);
            m_control->get_EDD(&edd);
            eddShownWhenHeard = edd.vt;
            VariantClear(&edd);
            if (closeOnEddChange)
                closeOnEddChange->Close(OLECLOSE_NOSAVE);
        } else if (id == RUVO_GESTATION_AT_BIRTH_CHANGED_DISPID) {
            ++gestationChanged;
        } else {
            ++unknown;
        }
        return S_OK;
    }

    ULONG references = 1;
    int eddChanged = 0;
    int gestationChanged = 0;
    int unknown = 0;
    bool wellFormed = true;
    VARTYPE eddShownWhenHeard = VT_NULL;
    // A host that closes the control as it hears the EDD change, its windows with it.
    IOleObject* closeOnEddChange = nullptr;

  private:
    _Moravine* m_control;
};

std::wstring textOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

std::wstring text(BSTR value) {
    return value ? std::wstring(value, SysStringLen(value)) : L"";
}

std::wstring methodOf(_Moravine* control) {
    BSTR method = nullptr;
    CHECK(control->get_EDDMethod(&method) == S_OK && method != nullptr);
    const std::wstring key = text(method);
    SysFreeString(method);
    return key;
}

LONG gestationAtBirthOf(_Moravine* control) {
    LONG days = 0;
    CHECK(control->get_GestationAtBirthDays(&days) == S_OK);
    return days;
}

LONG gestationOn(_Moravine* control, DATE day) {
    LONG days = 0;
    CHECK(control->GestationOn(day, &days) == S_OK);
    return days;
}

std::wstring recordOf(_Moravine* control, const wchar_t* subject = nullptr) {
    BSTR given = subject ? SysAllocString(subject) : nullptr;
    BSTR record = nullptr;
    CHECK(control->get_FHIR(given, &record) == S_OK && record != nullptr);
    const std::wstring json = text(record);
    SysFreeString(record);
    SysFreeString(given);
    return json;
}

// A date as FHIR writes one, "2000-10-07".
std::wstring isoDate(DATE date) {
    SYSTEMTIME day{};
    VariantTimeToSystemTime(date, &day);
    wchar_t text[16] = L"";
    swprintf(text, 16, L"%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

bool has(const std::wstring& json, const std::wstring& fragment) {
    return json.find(fragment) != std::wstring::npos;
}

// The record of an EDD on view: a FHIR Bundle with the EDD's day, naming a subject only when
// given one; a subject that is no reference is refused with its description.
void checkRecord(_Moravine* control, DATE edd) {
    const std::wstring record = recordOf(control);
    CHECK(has(record, L"\"Bundle\"") && has(record, L"\"" + isoDate(edd) + L"\""));
    CHECK(!has(record, L"\"subject\""));
    const std::wstring named = recordOf(control, L"Patient/123");
    CHECK(has(named, L"\"subject\"") && has(named, L"\"Patient/123\""));
    BSTR subject = SysAllocString(L"Patient 123");
    BSTR refused = nullptr;
    CHECK(control->get_FHIR(subject, &refused) == static_cast<HRESULT>(0x800A0005) &&
          refused == nullptr);
    SysFreeString(subject);
    CHECK(has(lastErrorDescription(), L"reference"));

    // Late bound, a script's variable holding the subject, by reference: the same record, and
    // the same refusal in the EXCEPINFO.
    VARIANT variable, argument, result;
    variable.vt = VT_BSTR;
    variable.bstrVal = SysAllocString(L"Patient/123");
    argument.vt = VT_BYREF | VT_VARIANT;
    argument.pvarVal = &variable;
    VariantInit(&result);
    DISPPARAMS parameters{&argument, nullptr, 1, 0};
    CHECK(control->Invoke(RUVO_FHIR_DISPID, IID_NULL, 0x0409,
                          DISPATCH_METHOD | DISPATCH_PROPERTYGET, &parameters, &result, nullptr,
                          nullptr) == S_OK &&
          result.vt == VT_BSTR && has(text(result.bstrVal), L"\"Patient/123\""));
    VariantClear(&result);
    VariantClear(&variable);
    variable.vt = VT_BSTR;
    variable.bstrVal = SysAllocString(L"Patient 123");
    EXCEPINFO exception{};
    CHECK(control->Invoke(RUVO_FHIR_DISPID, IID_NULL, 0x0409, DISPATCH_PROPERTYGET, &parameters,
                          &result, &exception, nullptr) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<HRESULT>(0x800A0005) &&
          has(text(exception.bstrDescription), L"reference"));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    VariantClear(&variable);
}

// Every member says "none": no EDD, no method, no gestation on any day, no record.
void checkNothingShown(_Moravine* control) {
    VARIANT edd;
    VariantInit(&edd);
    CHECK(control->get_EDD(&edd) == S_OK && edd.vt == VT_EMPTY);
    CHECK(methodOf(control).empty());
    CHECK(gestationAtBirthOf(control) == -1);
    CHECK(gestationOn(control, 36526) == -1); // 1 January 2000
    CHECK(recordOf(control).empty() && recordOf(control, L"Patient/123").empty());
    // A subject that is no reference is refused with no EDD on view too.
    BSTR subject = SysAllocString(L"Patient 123");
    BSTR record = nullptr;
    CHECK(control->get_FHIR(subject, &record) == static_cast<HRESULT>(0x800A0005));
    SysFreeString(record);
    SysFreeString(subject);
}

// The EDD read through the vtable is the day the EDD label shows.
DATE checkEddShown(_Moravine* control, HWND surface) {
    VARIANT edd;
    VariantInit(&edd);
    CHECK(control->get_EDD(&edd) == S_OK && edd.vt == VT_DATE);
    BSTR caption = nullptr;
    CHECK(control->datenice(&edd.date, &caption) == S_OK);
    const std::wstring shown = textOf(childNamed(surface, "LabEDD"));
    CHECK(!shown.empty() && text(caption) == shown);
    if (text(caption) != shown)
        std::printf("EDD reads %ls, the control shows %ls\n", text(caption).c_str(), shown.c_str());
    SysFreeString(caption);
    return edd.date;
}

// GestationOn counts from the EDD on view as a date of birth does: the EDD is day 280, and a day
// before the pregnancy's start is refused as such a date of birth is, with its description.
void checkGestationOn(_Moravine* control, DATE edd) {
    CHECK(gestationOn(control, edd) == 280);
    CHECK(gestationOn(control, edd - 14 + 0.75) == 266); // the time of day counts for nothing
    CHECK(gestationOn(control, edd - 280) == 0);
    LONG days = 99;
    const HRESULT early = control->GestationOn(edd - 281, &days);
    CHECK(early == static_cast<HRESULT>(0x800A0005)); // invalid argument
    CHECK(lastErrorDescription().find(L"before the start of the pregnancy") != std::wstring::npos);

    // The same refusal late bound comes back in the EXCEPINFO.
    VARIANT argument, result;
    argument.vt = VT_DATE;
    argument.date = edd - 281;
    VariantInit(&result);
    DISPPARAMS parameters{&argument, nullptr, 1, 0};
    EXCEPINFO exception{};
    CHECK(control->Invoke(RUVO_GESTATION_ON_DISPID, IID_NULL, 0x0409, DISPATCH_METHOD, &parameters,
                          &result, &exception, nullptr) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<HRESULT>(0x800A0005) &&
          text(exception.bstrDescription).find(L"before the start") != std::wstring::npos);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
}

// Clicks "Calculate EDD" once its prompt has ended: while it blinks, the button may hide between
// a look and the click.
void calculateEdd(HWND frame, ContractSite& site, HWND surface) {
    const HWND calculate = childNamed(surface, "ComCalcEDD");
    pump(frame, site, 2200);
    for (int wait = 0; wait < 100 && !IsWindowVisible(calculate); ++wait)
        pump(frame, site, 20);
    CHECK(click(calculate));
    pump(frame, site, 300);
}

void clickOn(HWND frame, ContractSite& site, HWND surface, const char* name) {
    CHECK(click(childNamed(surface, name)));
    pump(frame, site, 200);
}

} // namespace

void resultsSession(HWND frame) {
    HostForm form(frame);
    if (!form.object)
        return;
    ContractSite& site = form.site;
    const HWND surface = form.surface;
    _Moravine* control = nullptr;
    CHECK(
        SUCCEEDED(form.object->QueryInterface(IID__Moravine, reinterpret_cast<void**>(&control))));
    IConnectionPointContainer* container = nullptr;
    CHECK(SUCCEEDED(form.object->QueryInterface(IID_IConnectionPointContainer,
                                                reinterpret_cast<void**>(&container))));
    if (!control || !container)
        return;
    IConnectionPoint* point = nullptr;
    CHECK(container->FindConnectionPoint(DIID___Moravine, &point) == S_OK && point);
    DispatchSink sink(control);
    DWORD cookie = 0;
    CHECK(point && point->Advise(&sink, &cookie) == S_OK && cookie != 0);
    checkNothingShown(control);

    // An EDD by crown rump length, 45 mm, on the scan date the lists start with.
    clickOn(frame, site, surface, "OptCRL");
    const HWND value = childNamed(surface, "DDVal");
    CHECK(click(value));
    CHECK(pressKey(L"Escape")); // the list stays focused, closed
    pump(frame, site, 100);
    pickByKeys(value, L"45", frame, site);
    CHECK(sink.eddChanged == 0 && sink.gestationChanged == 0); // nothing was on view, nor is
    calculateEdd(frame, site, surface);
    CHECK(sink.eddChanged == 1 && sink.gestationChanged == 0);
    CHECK(sink.eddShownWhenHeard == VT_DATE);
    const DATE edd = checkEddShown(control, surface);
    CHECK(methodOf(control) == L"crl");
    CHECK(gestationAtBirthOf(control) == -1);
    checkGestationOn(control, edd);
    checkRecord(control, edd);
    const std::wstring before = recordOf(control);
    pump(frame, site, 1500); // the prompts' ticks change nothing on view
    CHECK(sink.eddChanged == 1 && sink.gestationChanged == 0);

    // "Yes" offers the date of birth at the EDD; "Calculate gestation" shows 40 weeks.
    clickOn(frame, site, surface, "OptYes");
    CHECK(sink.eddChanged == 1 && sink.gestationChanged == 0);
    CHECK(gestationAtBirthOf(control) == -1);
    clickOn(frame, site, surface, "ComCalcGest");
    CHECK(sink.eddChanged == 1 && sink.gestationChanged == 1);
    CHECK(gestationAtBirthOf(control) == 280);
    CHECK(textOf(childNamed(surface, "LabGest")) == L"40 weeks 0 days");
    const std::wstring withBirth = recordOf(control);
    CHECK(withBirth.size() > before.size() && has(withBirth, L"280"));

    // Another measurement hides both results: each withdrawal is a change, heard once.
    clickOn(frame, site, surface, "OptHC");
    CHECK(sink.eddChanged == 2 && sink.gestationChanged == 2);
    CHECK(sink.eddShownWhenHeard == VT_EMPTY);
    checkNothingShown(control);

    // An EDD by the LMP, on the date the lists hold: 280 days on.
    clickOn(frame, site, surface, "OptLMP");
    calculateEdd(frame, site, surface);
    CHECK(sink.eddChanged == 3 && sink.gestationChanged == 2);
    CHECK(checkEddShown(control, surface) == 36526 + 280); // 1 January 2000, the lists' start
    CHECK(methodOf(control) == L"lmp");
    CHECK(sink.wellFormed && sink.unknown == 0);

    // Frozen events wait for the last thaw, and then come once each.
    IOleControl* oleControl = nullptr;
    CHECK(SUCCEEDED(
        form.object->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&oleControl))));
    if (oleControl) {
        oleControl->FreezeEvents(TRUE);
        oleControl->FreezeEvents(TRUE);
        clickOn(frame, site, surface, "OptUS");
        oleControl->FreezeEvents(FALSE);
        CHECK(sink.eddChanged == 3);
        oleControl->FreezeEvents(FALSE);
        CHECK(sink.eddChanged == 4 && sink.gestationChanged == 2);
        oleControl->Release();
    }

    // A sink that has disconnected hears nothing more.
    clickOn(frame, site, surface, "OptLMP");
    calculateEdd(frame, site, surface);
    CHECK(sink.eddChanged == 5);
    CHECK(point->Unadvise(cookie) == S_OK);
    clickOn(frame, site, surface, "OptUS");
    CHECK(sink.eddChanged == 5);

    // A host may close the control as it hears of a change: the control lets its windows go
    // once the click is handled, and its results still answer.
    DispatchSink closing(control);
    closing.closeOnEddChange = form.object;
    DWORD closingCookie = 0;
    CHECK(point->Advise(&closing, &closingCookie) == S_OK);
    clickOn(frame, site, surface, "OptLMP");
    calculateEdd(frame, site, surface);
    CHECK(closing.eddChanged == 1 && !IsWindow(surface));
    VARIANT stillOnView;
    VariantInit(&stillOnView);
    CHECK(control->get_EDD(&stillOnView) == S_OK && stillOnView.vt == VT_DATE);
    CHECK(point->Unadvise(closingCookie) == S_OK);
    point->Release();
    container->Release();
    control->Release();
    CHECK(sink.references == 1);
}

} // namespace ruvo::activex::testing
