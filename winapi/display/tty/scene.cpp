#include "scene.h"

#include <curses.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "controls.h"
#include "geometry.h"

namespace tty {
namespace {

std::unordered_set<HWND> changed;
bool everything = true;
Cursor cursor;

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM list)
{
    if (IsWindowVisible(hwnd)) ((std::vector<HWND> *)list)->push_back(hwnd);
    return TRUE;
}

/* Visible top-level windows, the lowest first. */
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, (LPARAM)&windows);
    return std::vector<HWND>(windows.rbegin(), windows.rend());
}

void DrawTree(const Canvas &canvas, HWND hwnd)
{
    Canvas face = canvas.Within(ExtentOf(hwnd));
    if (!face.Empty()) DrawWindow(face, hwnd, &cursor);
    Canvas inside = canvas.Within(CellsOf(hwnd));
    if (inside.Empty()) return;
    std::vector<HWND> children;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) DrawTree(inside, *it);
}

void DrawArea(const Cells &area, const std::vector<HWND> &windows)
{
    Canvas canvas(area);
    if (canvas.Empty()) return;
    canvas.Fill(area, LookAttr(kDesktop));
    for (HWND top : windows) {
        Cells frame = FrameOf(top);
        if (!Overlap(frame, area)) continue;
        Canvas framed = canvas.Within(frame);
        if (HasFrame(top)) DrawFrame(framed, top);
        DrawTree(framed, top);
    }
}

/* What changed, as areas of the screen; the whole screen when a top-level window changed or
 * a window went away (its old place is not known any more). */
bool CollectAreas(const std::unordered_set<HWND> &windows, std::vector<Cells> &areas)
{
    for (HWND hwnd : windows) {
        if (!IsWindow(hwnd) || !(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return false;
        areas.push_back(ExtentOf(hwnd));
    }
    return true;
}

void DrawTooSmall(HWND main, const Cells &screen)
{
    if (!main) return;
    Cells frame = FrameOf(main);
    if (frame.Width() <= screen.Width() && frame.Height() <= screen.Height()) return;
    std::string note = "Terminal too small (" + std::to_string(frame.Width()) + "x" +
                       std::to_string(frame.Height()) + " needed)";
    Canvas(screen).Text(0, screen.bottom - 1, note, LookAttr(kWarning), screen.Width());
}

void PlaceTerminalCursor(const Cells &screen)
{
    HWND focus = GetFocus();
    bool show = cursor.shown && focus && cursor.owner == focus && IsWindowVisible(focus) &&
                cursor.x >= 0 && cursor.x < screen.right && cursor.y >= 0 && cursor.y < screen.bottom;
    curs_set(show ? 1 : 0);
    if (show) move(cursor.y, cursor.x);
    leaveok(stdscr, show ? FALSE : TRUE);
}

}  // namespace

void SceneChanged(HWND hwnd)
{
    if (!everything) changed.insert(hwnd);
}

void SceneChangedAll()
{
    everything = true;
    changed.clear();
}

bool SceneHasChanges()
{
    return everything || !changed.empty();
}

void SceneDraw()
{
    if (!SceneHasChanges()) return;
    Cells screen = {0, 0, COLS, LINES};
    std::vector<HWND> windows = TopLevelWindows();
    HWND main = windows.empty() ? nullptr : windows.front();
    if (PlaceOrigin(main, screen.Width(), screen.Height())) SceneChangedAll();
    // Taken first: asking the windows for their state must not lose what changes meanwhile.
    std::unordered_set<HWND> windows_changed;
    windows_changed.swap(changed);
    bool all = everything;
    everything = false;
    std::vector<Cells> areas;
    if (all || !CollectAreas(windows_changed, areas)) {
        areas.assign(1, screen);
        cursor = {nullptr, false, 0, 0};
    }
    for (const Cells &area : areas) DrawArea(Intersect(area, screen), windows);
    DrawTooSmall(main, screen);
    PlaceTerminalCursor(screen);
    refresh();
}

}  // namespace tty
