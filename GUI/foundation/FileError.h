#pragma once

#include "GUI/foundation/CFerroString.h"

// While set, FileError writes nothing.
extern bool disable_game_log;

// Returns the folder, ending with a separator, that receives "error.log"; the
// platform installs its temporary folder here once it exists.
using FileErrorFolder = CFerroString (*)();
void SetFileErrorFolder(FileErrorFolder provider);

// Appends the message and CR LF to "error.log". The first message of a run
// starts a fresh file. Nothing is written before a folder provider is set.
// Safe to call from any thread.
void FileError(const char* message);
