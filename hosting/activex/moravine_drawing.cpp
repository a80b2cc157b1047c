// The control drawn by its container: IViewObject2, for printing, print preview and design views.
#include "hosting/activex/moravine_control.h"

#include "hosting/activex/com_boundary.h"
#include "hosting/activex/module.h"
#include "hosting/view/geometry.h"

#include "control/core/widget_tree.h"

#include <cstdlib>
#include <limits>
#include <memory>

namespace ruvo::activex {

namespace {

// The pixel height of a font that draws the surface width pixels wide, as near as the view's
// whole points allow.
int fontHeightFor(int width, int dotsPerInch) {
    int best = 1;
    int bestMiss = std::numeric_limits<int>::max();
    for (int height = 1; height <= 400; ++height) {
        const view::ViewScale scale = view::ViewScale::forFontPixels(dotsPerInch, height);
        const int miss = std::abs(view::toPixels(moravineGeometry, scale).width - width);
        if (miss < bestMiss) {
            best = height;
            bestMiss = miss;
        }
    }
    return best;
}

} // namespace

// A container that draws the control itself (printing, print preview, a designer's view) gets
// the surface as the control's windows show it, the prompts in their current form.
HRESULT MoravineControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                              LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                              ULONG_PTR) {
    return atBoundary([&]() -> HRESULT {
        if (aspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        if (!dc || !bounds)
            return E_INVALIDARG;
        // The surface as its window shows it, at the target's own resolution: where the window
        // is not there or is of another size (a printer's page, a zoomed preview), through a
        // hidden set of windows in the same font face, scaled to the bounds.
        const int width = bounds->right - bounds->left;
        HWND hiddenParent = nullptr;
        HFONT scaledFont = nullptr;
        std::unique_ptr<Win32View> hidden;
        const Win32View* view = m_view.get();
        if (!view || std::abs(view->size().cx - width) > 1) {
            HFONT base = m_view ? m_view->font() : takeAmbientFont();
            if (!base)
                base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            LOGFONTW face{};
            GetObjectW(base, sizeof face, &face);
            HDC screen = GetDC(nullptr);
            face.lfHeight = -fontHeightFor(width, GetDeviceCaps(screen, LOGPIXELSY));
            ReleaseDC(nullptr, screen);
            scaledFont = CreateFontIndirectW(&face);
            hiddenParent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                           nullptr, moduleHandle(), nullptr);
            if (!hiddenParent || !scaledFont) {
                if (scaledFont)
                    DeleteObject(scaledFont);
                if (hiddenParent)
                    DestroyWindow(hiddenParent);
                return E_FAIL;
            }
            hidden = std::make_unique<Win32View>(m_presenter, hiddenParent, RECT{0, 0, 0, 0},
                                                 scaledFont);
            hidden->showOnce();
            view = hidden.get();
        }
        const SIZE size = view->size();
        BITMAPINFO format{};
        format.bmiHeader = {
            sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP picture = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        HRESULT result = E_OUTOFMEMORY;
        if (memory && picture) {
            const HGDIOBJ previous = SelectObject(memory, picture);
            view->print(memory);
            GdiFlush();
            // Into any dc, the printer's and the metafile's included, at the place the container
            // asks.
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            const int copied =
                StretchDIBits(dc, bounds->left, bounds->top, bounds->right - bounds->left,
                              bounds->bottom - bounds->top, 0, 0, size.cx, size.cy, bits, &format,
                              DIB_RGB_COLORS, SRCCOPY);
            result = copied ? S_OK : E_FAIL;
            SelectObject(memory, previous);
        }
        if (picture)
            DeleteObject(picture);
        if (memory)
            DeleteDC(memory);
        hidden.reset();
        if (hiddenParent)
            DestroyWindow(hiddenParent);
        if (scaledFont)
            DeleteObject(scaledFont);
        return result;
    });
}

HRESULT MoravineControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) {
    if (set)
        *set = nullptr;
    return S_FALSE;
}

HRESULT MoravineControl::Freeze(DWORD, LONG, void*, DWORD*) {
    return E_NOTIMPL;
}
HRESULT MoravineControl::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    m_viewSink = ComPtr<IAdviseSink>::holding(sink);
    return S_OK;
}

HRESULT MoravineControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = DVASPECT_CONTENT;
    if (flags)
        *flags = 0;
    if (sink) {
        *sink = m_viewSink.share();
    }
    return S_OK;
}

HRESULT MoravineControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

} // namespace ruvo::activex
