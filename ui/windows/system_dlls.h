#pragma once

namespace quillop::ui {

// From here on, every DLL the process loads by name comes from the system
// folder only, never from the exe's folder or the current one, where a
// planted copy may wait (a portable exe is run from Downloads). Does nothing
// on a Windows 7 without the update that brought the call. Linking this file
// in calls it before any constructor that could load a DLL.
void loadDllsFromSystemFolderOnly();

}  // namespace quillop::ui
