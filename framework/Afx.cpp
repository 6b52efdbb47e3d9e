#include "Afx.h"

#include <commctrl.h>
#include <commdlg.h>

#include "Types.h"

namespace {
HINSTANCE g_hInstance = nullptr; // the module whose resources the framework loads
}

BOOL AfxWinInit(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    return TRUE;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance ? g_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

BOOL AfxRegisterClass(WNDCLASSW* pWndClass)
{
    return ::RegisterClassW(pWndClass) != 0;
}

namespace {
CString FormatString(UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2)
{
    CString format;
    format.LoadString(nIDS);
    CString result;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size() &&
            (format[i + 1] == L'1' || (format[i + 1] == L'2' && lpsz2))) {
            result += format[i + 1] == L'1' ? lpsz1 : lpsz2;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}
} // namespace

CString AfxFormatString1(UINT nIDS, LPCWSTR lpsz1)
{
    return FormatString(nIDS, lpsz1, nullptr);
}

CString AfxFormatString2(UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2)
{
    return FormatString(nIDS, lpsz1, lpsz2);
}

namespace {
// A function of a system library that the program loads only when it first needs it.
template <typename Function> Function LoadOnUse(const wchar_t* library, const char* name)
{
    HMODULE hModule = ::LoadLibraryW(library);
    return hModule ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(::GetProcAddress(hModule, name)))
                   : nullptr;
}
} // namespace

HINSTANCE AfxShellExecute(HWND hWnd, LPCWSTR lpszVerb, LPCWSTR lpszFile, LPCWSTR lpszParameters,
                          LPCWSTR lpszDirectory, int nShowCmd)
{
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const ShellExecuteFn pfn = LoadOnUse<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    return pfn ? pfn(hWnd, lpszVerb, lpszFile, lpszParameters, lpszDirectory, nShowCmd) : nullptr;
}

BOOL AfxGetOpenFileName(tagOFNW* pOpenFileName)
{
    using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    static const GetOpenFileNameFn pfn =
        LoadOnUse<GetOpenFileNameFn>(L"comdlg32.dll", "GetOpenFileNameW");
    return pfn ? pfn(pOpenFileName) : FALSE;
}

BOOL AfxGetSaveFileName(tagOFNW* pOpenFileName)
{
    using GetSaveFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    static const GetSaveFileNameFn pfn =
        LoadOnUse<GetSaveFileNameFn>(L"comdlg32.dll", "GetSaveFileNameW");
    return pfn ? pfn(pOpenFileName) : FALSE;
}

CString AfxTakeFirstDroppedFile(HDROP hDropInfo)
{
    using DragQueryFileFn = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    using DragFinishFn = void(WINAPI*)(HDROP);
    static const DragQueryFileFn pfnQuery =
        LoadOnUse<DragQueryFileFn>(L"shell32.dll", "DragQueryFileW");
    static const DragFinishFn pfnFinish = LoadOnUse<DragFinishFn>(L"shell32.dll", "DragFinish");
    CString path;
    if (pfnQuery != nullptr) {
        const UINT nLength = pfnQuery(hDropInfo, 0, nullptr, 0);
        path.resize(nLength + 1);
        path.resize(pfnQuery(hDropInfo, 0, &path[0], nLength + 1));
    }
    if (pfnFinish != nullptr)
        pfnFinish(hDropInfo);
    return path;
}
