"""The X screen's pixels through Xlib, loaded with ctypes so nothing needs
to be installed: the end-to-end checks and the benchmarks read rows of the
root window from it every few milliseconds, far faster than screenshots."""
import ctypes
import ctypes.util

_xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XDefaultRootWindow.restype = ctypes.c_ulong
_xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xlib.XGetImage.restype = ctypes.c_void_p
_xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_xlib.XGetPixel.restype = ctypes.c_ulong
_xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
_xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
_xlib.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
_ZPIXMAP, _ALL_PLANES = 2, 0xFFFFFFFF


class Screen:
    """The root window of the display named by DISPLAY."""

    def __init__(self):
        self.display = _xlib.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("cannot open the display")
        self.root = _xlib.XDefaultRootWindow(self.display)

    def size(self):
        """The screen's width and height."""
        return _xlib.XDisplayWidth(self.display, 0), _xlib.XDisplayHeight(self.display, 0)

    def row(self, left, y, width):
        """The 0xRRGGBB pixels of width columns of row y from column left."""
        image = _xlib.XGetImage(self.display, self.root, left, y, width, 1, _ALL_PLANES, _ZPIXMAP)
        if not image:
            return []
        try:
            return [_xlib.XGetPixel(image, x, 0) & 0xFFFFFF for x in range(width)]
        finally:
            _xlib.XDestroyImage(image)
