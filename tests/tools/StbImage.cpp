// The one translation unit that compiles the image decoder for these tests.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
