// The page's files (built with emscripten only): the settings file and the user's language
// folder live in the page's in-memory file system and are kept in the browser's localStorage,
// each file under its own key with exactly its bytes. Every window (tab) has its own file system;
// a file is fetched from the storage before each read, so a save merges with what another tab
// saved, as two desktop windows do.
#pragma once

#include <string>

#include "store/file_locations.h"

// The settings file /home/web_user/loopsmith/Loopsmith.ini; the user's languages in
// /home/web_user/loopsmith/Language (kept in the storage), then the shipped ones in
// /loopsmith/Language (built into the page).
FileLocations BrowserLocations();

// Brings every stored file of the user's folder (`locations.configFolder`) into the file system,
// then keeps that folder in the storage: fetched before each open, stored with each save.
void KeepFilesInBrowserStorage(const FileLocations& locations);

// What became of the saves into the storage since the last look. A save the storage refuses
// still reaches the page's copy of the file, which the page then works on; the storage keeps
// what it held before, whole.
struct StorageFault {
    enum class Cause { None, Refused, Full, Failed };
    Cause cause = Cause::None;  // of the first refused save
    std::string error;          // Failed: the browser's words
    bool stored = false;        // some save was stored
};
StorageFault TakeStorageFault();
