#pragma once

#include "GUI/foundation/CFerroString.h"

// While set, FileError writes nothing.
extern bool disable_game_log;

// Returns the folder, ending with a separator, that receives "error.log"; a
// platform installs its per-user data folder here for as long as it lives.
using FileErrorFolder = CFerroString (*)();
void SetFileErrorFolder(FileErrorFolder provider);
// Removes provider when it is the one installed; another one stays.
void RemoveFileErrorFolder(FileErrorFolder provider);

// Appends the message and CR LF to "error.log". The first message of a run
// starts a fresh file. Nothing is written without a folder provider, or when
// it gives no folder (never into the working directory). Safe to call from
// any thread.
void FileError(const char* message);
