/* The picture on the terminal: every visible window, bottom to top, redrawn where something
 * changed when the thread has a moment (the display's Poll). */
#ifndef WINAPI_DISPLAY_TTY_SCENE_H
#define WINAPI_DISPLAY_TTY_SCENE_H

#include <windows.h>

namespace tty {

void SceneChanged(HWND hwnd);
void SceneChangedAll();  // the terminal itself changed (opened, resized)
bool SceneHasChanges();
void SceneDraw();

}  // namespace tty

#endif
