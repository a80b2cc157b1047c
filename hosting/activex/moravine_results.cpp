// The results on view as a host reads them: the members _Moravine gained in 1.1, early and late
// bound, and the events that say when those results change.
#include "hosting/activex/moravine_control.h"

#include "dating/date.h"
#include "hosting/activex/com_boundary.h"
#include "hosting/activex/com_errors.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/dispatch_arguments.h"
#include "hosting/view/host_record.h"
#include "hosting/view/host_results.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace ruvo::activex {

namespace {

constexpr DISPID edd_dispid = RUVO_EDD_DISPID;
constexpr DISPID method_dispid = RUVO_EDD_METHOD_DISPID;
constexpr DISPID gestation_at_birth_dispid = RUVO_GESTATION_AT_BIRTH_DAYS_DISPID;
constexpr DISPID gestation_on_dispid = RUVO_GESTATION_ON_DISPID;
constexpr DISPID fhir_dispid = RUVO_FHIR_DISPID;

VARIANT eddOf(const view::HostResults& results) {
    VARIANT edd;
    VariantInit(&edd);
    if (results.edd) {
        edd.vt = VT_DATE;
        edd.date = *results.edd;
    }
    return edd;
}

// "" rather than a null BSTR: a host that compares or measures it needs no special case.
BSTR methodOf(const view::HostResults& results) {
    const std::wstring key =
        results.method ? widen(std::string(view::methodKey(*results.method))) : std::wstring();
    return SysAllocStringLen(key.data(), static_cast<UINT>(key.size()));
}

LONG gestationAtBirthOf(const view::HostResults& results) {
    return results.gestationAtBirthDays.value_or(-1);
}

// The gestation on the day of xdate, -1 while no EDD is on view. The time of day is dropped (a
// script's Now counts as today); a date outside the calendar's range fails as datenice's does,
// a day before the pregnancy's start as such a date of birth does.
LONG gestationOnDay(const view::HostResults& results, DATE xdate) {
    const Date day = dateFromCivil(civilFromDate(xdate));
    const auto gestation = view::gestationOn(results, day);
    return gestation ? gestation->totalDays : -1;
}

// The FHIR record of the results on view, naming subject unless it is empty; "" while no EDD is on
// view. A subject that is no reference is an invalid argument, as a script reads it in Err.
BSTR recordOf(const view::HostResults& results, std::wstring_view subject) {
    std::string record;
    try {
        record = view::fhirRecord(results, narrow(subject));
    } catch (const std::invalid_argument& error) {
        throw RuntimeError(ErrorKind::InvalidArgument, error.what());
    }
    const std::wstring text = widen(record);
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

} // namespace

HRESULT MoravineControl::get_EDD(VARIANT* edd) {
    if (!edd)
        return E_POINTER;
    *edd = eddOf(m_presenter.results());
    return S_OK;
}

HRESULT MoravineControl::get_EDDMethod(BSTR* method) {
    if (!method)
        return E_POINTER;
    *method = nullptr;
    return atBoundary([&]() -> HRESULT {
        *method = methodOf(m_presenter.results());
        return *method ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT MoravineControl::get_GestationAtBirthDays(LONG* days) {
    if (!days)
        return E_POINTER;
    *days = gestationAtBirthOf(m_presenter.results());
    return S_OK;
}

HRESULT MoravineControl::GestationOn(DATE xdate, LONG* days) {
    if (!days)
        return E_POINTER;
    *days = -1;
    return atBoundary(
        [&]() -> HRESULT {
            *days = gestationOnDay(m_presenter.results(), xdate);
            return S_OK;
        },
        [](const RuntimeError& error) { return reportError(error); });
}

HRESULT MoravineControl::get_FHIR(BSTR subject, BSTR* record) {
    if (!record)
        return E_POINTER;
    *record = nullptr;
    return atBoundary(
        [&]() -> HRESULT {
            *record = recordOf(m_presenter.results(),
                               subject ? std::wstring_view(subject, SysStringLen(subject))
                                       : std::wstring_view());
            return *record ? S_OK : E_OUTOFMEMORY;
        },
        [](const RuntimeError& error) { return reportError(error); });
}

// The properties answer DISPATCH_PROPERTYGET; FHIR takes its subject as a property's argument.
// GestationOn is a method to VBScript, which may also pass DISPATCH_PROPERTYGET with it, as VB does
// where the call's value is used.
HRESULT MoravineControl::invokeResults(DISPID id, WORD flags, DISPPARAMS* parameters,
                                       VARIANT* result, EXCEPINFO* exception, UINT* badArgument) {
    const bool isMethod = id == gestation_on_dispid;
    if (!isMethod && id != edd_dispid && id != method_dispid && id != gestation_at_birth_dispid &&
        id != fhir_dispid)
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & (isMethod ? DISPATCH_METHOD | DISPATCH_PROPERTYGET : DISPATCH_PROPERTYGET)))
        return DISP_E_MEMBERNOTFOUND;
    if (!parameters)
        return E_INVALIDARG;
    if (const HRESULT named = checkNamedArguments(*parameters, badArgument); FAILED(named))
        return named;
    if (!isMethod && parameters->cArgs > (id == fhir_dispid ? 1U : 0U))
        return DISP_E_BADPARAMCOUNT;
    return atBoundary(
        [&]() -> HRESULT {
            const view::HostResults& results = m_presenter.results();
            VARIANT value;
            VariantInit(&value);
            if (id == edd_dispid) {
                value = eddOf(results);
            } else if (id == method_dispid) {
                value.vt = VT_BSTR;
                value.bstrVal = methodOf(results);
                if (!value.bstrVal)
                    return E_OUTOFMEMORY;
            } else if (id == gestation_at_birth_dispid) {
                value.vt = VT_I4;
                value.lVal = gestationAtBirthOf(results);
            } else if (id == fhir_dispid) {
                value.vt = VT_BSTR;
                value.bstrVal =
                    recordOf(results, parameters->cArgs == 0
                                          ? std::wstring()
                                          : textIn(parameters->rgvarg[0], badArgument, "FHIR"));
                if (!value.bstrVal)
                    return E_OUTOFMEMORY;
            } else {
                if (parameters->cArgs != 1)
                    throw RuntimeError(ErrorKind::InvalidArgument, "GestationOn takes one date");
                value.vt = VT_I4;
                value.lVal = gestationOnDay(
                    results, dateIn(parameters->rgvarg[0], badArgument, "GestationOn"));
            }
            if (result)
                *result = value;
            else
                VariantClear(&value);
            return S_OK;
        },
        [&](const RuntimeError& error) { return toException(error, exception); });
}

// While the container has the events frozen they wait, each once, for it to thaw them: a host
// never misses that the results changed. A sink may release the control as it hears an event;
// the control lasts until both are raised.
void MoravineControl::resultsMoved(view::ResultsMoved moved) {
    m_eventsDue.edd |= moved.edd;
    m_eventsDue.gestationAtBirth |= moved.gestationAtBirth;
    if (m_eventFreezes > 0)
        return;
    const view::ResultsMoved due = std::exchange(m_eventsDue, {});
    AddRef();
    if (due.edd)
        m_events->raise(RUVO_EDD_CHANGED_DISPID);
    if (due.gestationAtBirth)
        m_events->raise(RUVO_GESTATION_AT_BIRTH_CHANGED_DISPID);
    Release();
}

} // namespace ruvo::activex
