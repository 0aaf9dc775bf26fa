// The Ogg Vorbis decoder shipped with the system, compiled once here as it is
// (without our warning flags). The options match GMusicDecoder.cpp's, which
// sees only its declarations: files are read through stdio, frames come out
// as floats, and the push interface and integer output are left out.
#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_INTEGER_CONVERSION
#include <stb/stb_vorbis.h>
