#include "hosting/activex/window_print.h"

namespace ruvo::activex {

namespace {

// Draws one part of a window, its frame or its client area, on a bitmap of its own over what lies
// beneath it, and copies that to at: controls clip their painting to their own rectangle in
// device pixels, so each paints at the origin of a dc of its own.
void printLayer(HWND window, bool client, HDC target, POINT at, SIZE size) {
    if (size.cx <= 0 || size.cy <= 0)
        return;
    HDC layer = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, size.cx, size.cy);
    const HGDIOBJ previous = SelectObject(layer, bitmap);
    BitBlt(layer, 0, 0, size.cx, size.cy, target, at.x, at.y, SRCCOPY);
    const auto dc = reinterpret_cast<WPARAM>(layer);
    if (client) {
        SendMessageW(window, WM_ERASEBKGND, dc, 0);
        SendMessageW(window, WM_PRINTCLIENT, dc, PRF_CLIENT);
    } else {
        SendMessageW(window, WM_PRINT, dc, PRF_NONCLIENT);
    }
    BitBlt(target, at.x, at.y, size.cx, size.cy, layer, 0, 0, SRCCOPY);
    SelectObject(layer, previous);
    DeleteObject(bitmap);
    DeleteDC(layer);
}

// Draws a window and, over it, each of its shown children as they paint themselves, the lowest in
// the stacking order first, with the window's top-left corner at origin. (PRF_CHILDREN is not
// honoured everywhere, Wine included, so the walk is done here.)
void printTree(HWND window, HDC dc, POINT origin) {
    RECT frame;
    GetWindowRect(window, &frame);
    RECT area;
    GetClientRect(window, &area);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const POINT clientAt{origin.x + client.x - frame.left, origin.y + client.y - frame.top};
    printLayer(window, false, dc, origin, {frame.right - frame.left, frame.bottom - frame.top});
    printLayer(window, true, dc, clientAt, {area.right, area.bottom});
    HWND top = GetWindow(window, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        printTree(child, dc, {clientAt.x + place.left, clientAt.y + place.top});
    }
}

} // namespace

void printWindowTree(HWND window, HDC dc) {
    printTree(window, dc, {0, 0});
}

} // namespace ruvo::activex
