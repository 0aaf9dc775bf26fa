#pragma once

#include <functional>
#include <string>

// The map editor's check of a map file: whether the runner can win it, by
// the level solver. It reports as it goes and ends with its answer, in the
// lines of game/sim/CCheckReport.h, each handed to say as it is made (with
// its line feed). A map without a runner, an exit or a treasure is refused at
// once; otherwise the solver searches with a narrow beam that digs freely,
// then with its own ranking, then with wider beams, and a win it finds is
// played again from the start before it is told. False, with nothing said,
// when the map cannot be read.
bool RunMapCheck(const char* path, const std::function<void(const std::string&)>& say);
