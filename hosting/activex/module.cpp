// The library's entry point and its four exports.
#include "hosting/activex/module.h"

#include "hosting/activex/class_factory.h"
#include "hosting/activex/com_boundary.h"
#include "hosting/activex/registration.h"
#include "hosting/activex/ruvo_h.h"

#include <atomic>

namespace ruvo::activex {

namespace {

HINSTANCE instance = nullptr;
std::atomic<long> objects{0};
std::atomic<long> locks{0};
ClassFactory factory;

} // namespace

HINSTANCE moduleHandle() {
    return instance;
}

std::wstring modulePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    return std::wstring(path, length);
}

void objectCreated() {
    ++objects;
}
void objectDestroyed() {
    --objects;
}
void lockServer(bool lock) {
    lock ? ++locks : --locks;
}
bool canUnload() {
    return objects == 0 && locks == 0;
}

} // namespace ruvo::activex

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ruvo::activex::instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    return ruvo::activex::canUnload() ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_Moravine))
        return CLASS_E_CLASSNOTAVAILABLE;
    return ruvo::activex::factory.QueryInterface(iid, object);
}

STDAPI DllRegisterServer() {
    return ruvo::activex::atBoundary(ruvo::activex::registerServer);
}

STDAPI DllUnregisterServer() {
    return ruvo::activex::atBoundary(ruvo::activex::unregisterServer);
}

// regsvr32 /n /i:user registers for the user alone, /u /n /i:user removes that; without "user"
// it registers for the machine, as DllRegisterServer does.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    return ruvo::activex::atBoundary([&] {
        const auto change =
            install ? ruvo::activex::registerServer : ruvo::activex::unregisterServer;
        if (commandLine && _wcsicmp(commandLine, L"user") == 0)
            return ruvo::activex::forUser(change);
        if (commandLine && *commandLine)
            return E_INVALIDARG;
        return change();
    });
}

} // extern "C"
