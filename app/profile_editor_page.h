// Page 1: creating, changing and deleting profiles.
#pragma once

struct AppState;

// true: form locked and emptied, list usable; false: form open, list locked.
void LockEditor(AppState& app, bool lock);
void EditorPageEntered(AppState& app);
void EditorNew(AppState& app);
void EditorEdit(AppState& app);
void EditorDelete(AppState& app);
void EditorOk(AppState& app);
void EditorCancel(AppState& app);
void EditorFamilyChanged(AppState& app);
