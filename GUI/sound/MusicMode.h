#pragma once

// How a piece of music plays: over and over without a seam, or once to its end.
enum class MusicMode { Loop, Once };
