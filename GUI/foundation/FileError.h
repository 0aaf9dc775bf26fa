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
// any thread. A message sent while the provider itself is finding the folder
// (a platform reporting on the way to its data folder) is held back and
// written just before the message that asked.
void FileError(const char* message);

// Tells the user about a fault of the environment (a missing data file, a
// folder that cannot be written, a failed save): the message goes as one
// line to standard error, after the program's name, and into the error log.
void ReportError(const char* message);
