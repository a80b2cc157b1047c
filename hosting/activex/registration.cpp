#include "hosting/activex/registration.h"

#include "hosting/activex/control_ids.h"
#include "hosting/activex/module.h"
#include "hosting/activex/resource_ids.h"
#include "hosting/activex/ruvo_h.h"

#include <oleauto.h>

#include <string>
#include <string_view>
#include <vector>

#define RUVO_QUOTED(text) #text
#define RUVO_TEXT_OF(macro) RUVO_QUOTED(macro)

namespace ruvo::activex {

namespace {

constexpr wchar_t progId[] = L"Ruvo.Moravine";

// The type library's version as its version attribute has it, "major.minor": the class's Version
// key and the library's own key must name the version the file carries.
constexpr std::string_view libraryVersion = RUVO_TEXT_OF(RUVO_TYPELIB_VERSION);

constexpr WORD versionNumber(std::string_view digits) {
    WORD number = 0;
    for (const char digit : digits)
        number = static_cast<WORD>(number * 10 + (digit - '0'));
    return number;
}

constexpr WORD libraryMajor = versionNumber(libraryVersion.substr(0, libraryVersion.find('.')));
constexpr WORD libraryMinor = versionNumber(libraryVersion.substr(libraryVersion.find('.') + 1));
static_assert(libraryMajor >= 1, "the version attribute reads major.minor");

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        status =
            RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT createKey(const std::wstring& key) {
    HKEY handle = nullptr;
    const LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                        nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS)
        RegCloseKey(handle);
    return HRESULT_FROM_WIN32(status);
}

void deleteTree(const std::wstring& key) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
}

// The file a version of the library names for this platform, in the locale it is registered in.
std::wstring libraryFile(const std::wstring& versionKey) {
    wchar_t file[MAX_PATH] = L"";
    DWORD size = sizeof(file);
    const std::wstring key = versionKey + (sizeof(void*) == 8 ? L"\\409\\win64" : L"\\409\\win32");
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, file,
                     &size) != ERROR_SUCCESS)
        return {};
    return file;
}

// An earlier version this same file carried, registered before it was replaced in place, goes:
// the file holds this version now, and unregistering it would leave the other behind.
void forgetEarlierVersions(const std::wstring& path) {
    const std::wstring libraryKey = L"TypeLib\\" + guidText(LIBID_Ruvo);
    const std::wstring current(libraryVersion.begin(), libraryVersion.end());
    HKEY library = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, libraryKey.c_str(), 0, KEY_READ, &library) !=
        ERROR_SUCCESS)
        return;
    std::vector<std::wstring> earlier;
    wchar_t version[64];
    for (DWORD index = 0;; ++index) {
        DWORD length = 64;
        if (RegEnumKeyExW(library, index, version, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring key = libraryKey + L"\\" + version;
        if (version != current && _wcsicmp(libraryFile(key).c_str(), path.c_str()) == 0)
            earlier.push_back(key);
    }
    RegCloseKey(library);
    for (const std::wstring& key : earlier)
        deleteTree(key);
}

HRESULT registerTypeLibrary(const std::wstring& path) {
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(result))
        return result;
    // Also records both interfaces under Interface\, with the automation marshaller.
    result = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
    library->Release();
    if (SUCCEEDED(result))
        forgetEarlierVersions(path);
    return result;
}

HRESULT registerClass(const std::wstring& path) {
    const std::wstring clsid = L"CLSID\\" + guidText(CLSID_Moravine);
    const std::pair<std::wstring, std::wstring> values[] = {
        {clsid, L"Moravine"},
        {clsid + L"\\InprocServer32", path},
        {clsid + L"\\ProgID", progId},
        {clsid + L"\\MiscStatus", std::to_wstring(RUVO_MISC_STATUS)},
        {clsid + L"\\MiscStatus\\1", std::to_wstring(RUVO_MISC_STATUS)},
        {clsid + L"\\ToolboxBitmap32", path + L", " + std::to_wstring(RUVO_TOOLBOX_BITMAP)},
        {clsid + L"\\TypeLib", guidText(LIBID_Ruvo)},
        {clsid + L"\\Version", std::wstring(libraryVersion.begin(), libraryVersion.end())},
        {progId, L"Moravine"},
        {std::wstring(progId) + L"\\CLSID", guidText(CLSID_Moravine)},
    };
    for (const auto& [key, value] : values) {
        if (const HRESULT result = setValue(key, nullptr, value); FAILED(result))
            return result;
    }
    if (const HRESULT result = createKey(clsid + L"\\Control"); FAILED(result))
        return result;
    return setValue(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
}

} // namespace

HRESULT registerServer() {
    const std::wstring path = modulePath();
    HRESULT result = registerTypeLibrary(path);
    if (SUCCEEDED(result))
        result = registerClass(path);
    if (FAILED(result))
        unregisterServer();
    return result;
}

HRESULT unregisterServer() {
    deleteTree(L"CLSID\\" + guidText(CLSID_Moravine));
    deleteTree(progId);
    // What is not registered is already unregistered: the type library's own removal would fail.
    HKEY library = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + guidText(LIBID_Ruvo)).c_str(), 0, KEY_READ,
                      &library) != ERROR_SUCCESS)
        return S_OK;
    RegCloseKey(library);
    // Removes the library's key and the interfaces it recorded.
    const HRESULT result = UnRegisterTypeLib(LIBID_Ruvo, libraryMajor, libraryMinor, 0x0409,
                                             sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    return result == TYPE_E_REGISTRYACCESS || SUCCEEDED(result) ? S_OK : result;
}

HRESULT forUser(HRESULT (*change)()) {
    HKEY classes = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &classes, nullptr);
    if (status != ERROR_SUCCESS)
        return change == unregisterServer ? S_OK : HRESULT_FROM_WIN32(status);
    // Everything written to the classes root, the type library's keys included, goes to the
    // user's classes meanwhile.
    status = RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
    HRESULT result = HRESULT_FROM_WIN32(status);
    if (status == ERROR_SUCCESS) {
        result = change();
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
    RegCloseKey(classes);
    return result;
}

} // namespace ruvo::activex
