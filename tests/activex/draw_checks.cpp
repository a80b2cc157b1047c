#include "draw_checks.h"

#include "com_check.h"
#include "picture.h"
#include "win32_view_checks.h"

#include <cstdio>
#include <cstdlib>

namespace ruvo::activex::testing {

namespace {

// Where a widget's window sits in the surface's picture.
RECT placeOf(HWND surface, const char* name) {
    RECT place;
    GetWindowRect(childNamed(surface, name), &place);
    MapWindowPoints(nullptr, surface, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool holds(const Picture& picture, RECT area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (picture.at(x, y) == colour)
                return true;
        }
    }
    return false;
}

void checkPicture(const Picture& picture, const Picture& screen, HWND surface, const char* what) {
    const double share = sameShare(picture, screen);
    std::printf("%s: %.1f%% of the pixels as on the screen\n", what, share * 100);
    CHECK(share >= 0.97);
    // The date lists' own colour, and the EDD's dark red text.
    CHECK(holds(picture, placeOf(surface, "DDLSDateM"), RGB(255, 192, 192)));
    CHECK(holds(picture, placeOf(surface, "LabEDD"), RGB(192, 0, 0)));
}

} // namespace

void checkDrawing(IUnknown* control, HWND surface) {
    IViewObject* view = nullptr;
    CHECK(SUCCEEDED(control->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view))));
    if (!view)
        return;
    RECT area;
    GetClientRect(surface, &area);
    const int width = area.right, height = area.bottom;
    RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Picture screen = drawn(width, height, [&](HDC memory) {
        HDC window = GetDC(surface);
        BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
        ReleaseDC(surface, window);
    });
    const RECTL bounds{0, 0, width, height};
    const Picture memory = drawn(width, height, [&](HDC dc) {
        CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                         nullptr, 0) == S_OK);
    });
    checkPicture(memory, screen, surface, "drawn into a memory dc");

    // An enhanced metafile, as a container records the control for printing, played back.
    HDC reference = GetDC(nullptr);
    const RECT himetric{0, 0, MulDiv(width, 2540, GetDeviceCaps(reference, LOGPIXELSX)),
                        MulDiv(height, 2540, GetDeviceCaps(reference, LOGPIXELSY))};
    HDC recorder = CreateEnhMetaFileW(reference, nullptr, &himetric, nullptr);
    ReleaseDC(nullptr, reference);
    CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, recorder, &bounds, nullptr,
                     nullptr, 0) == S_OK);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    const Picture played = drawn(width, height, [&](HDC dc) {
        RECT all{0, 0, width, height};
        CHECK(PlayEnhMetaFile(dc, metafile, &all));
    });
    DeleteEnhMetaFile(metafile);
    checkPicture(played, screen, surface, "drawn into an enhanced metafile, played back");
    view->Release();
}

} // namespace ruvo::activex::testing
