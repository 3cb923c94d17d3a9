// Reads a program's application manifest as the system does: the manifest
// resource's bytes, written to a file for the test script to compare, and
// the DPI settings that the system's own manifest parser finds in it; and
// the version resource's values and string 1 (the saver's listed name).
//   frontend_manifest_reader PROGRAM MANIFEST_OUT REPORT
// REPORT gets "key value" lines (dpiAware, dpiAwareness, the version values,
// string1); exit 0 when the resource was found and the system parsed it.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

const wchar_t kSettings2005[] = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
const wchar_t kSettings2016[] = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";

using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);

std::wstring widened(const char* text) {
    wchar_t out[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text, -1, out, MAX_PATH);
    return out;
}

std::string narrowed(const wchar_t* text) {
    char out[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// The manifest resource (type RT_MANIFEST, id 1) written to a file as it is.
bool extractManifest(const std::wstring& program, const char* outPath) {
    HMODULE module =
        LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return false;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    bool written = false;
    if (bytes && size > 0) {
        FILE* out = std::fopen(outPath, "wb");
        written = out && std::fwrite(bytes, size, 1, out) == 1;
        if (out) std::fclose(out);
    }
    FreeLibrary(module);
    return written;
}

// One setting of the windowsSettings element, as the system reads it.
std::string setting(QuerySettings query, HANDLE context, const wchar_t* space, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!query(0, context, space, name, value, 128, &written)) return "(none)";
    return narrowed(value);
}

// The version resource's values, as the system's version API reads them.
void noteVersion(const std::wstring& program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::vector<char> data(size == 0 ? 1 : size);
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return note("version", "(none)");
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) return;
    const WORD* translation = static_cast<const WORD*>(value);
    for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription",
                                L"OriginalFilename", L"LegalCopyright"}) {
        wchar_t path[128] = {};
        std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
        if (VerQueryValueW(data.data(), path, &value, &length) && length > 0)
            note(narrowed(name).c_str(), narrowed(static_cast<const wchar_t*>(value)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || !test_report::open(argv[3])) return 2;
    const std::wstring program = widened(argv[1]);
    noteVersion(program);
    wchar_t name[128] = {};
    if (LoadStringW(LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), 1, name, 128) > 0)
        note("string1", narrowed(name));
    check(extractManifest(program, argv[2]), "resource");

    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    check(context != INVALID_HANDLE_VALUE, "parsed");
    const auto query = reinterpret_cast<QuerySettings>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryActCtxSettingsW")));
    if (context != INVALID_HANDLE_VALUE && query) {
        note("dpiAware", setting(query, context, kSettings2005, L"dpiAware"));
        note("dpiAwareness", setting(query, context, kSettings2016, L"dpiAwareness"));
        ReleaseActCtx(context);
    }
    return test_report::finish();
}
