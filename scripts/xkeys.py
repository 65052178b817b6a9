#!/usr/bin/env python3
"""Types keys into the focused window of the X display in DISPLAY, through the XTEST extension
(libXtst, which Qt's xcb platform needs anyway), so the screenshot script can work a menu and a
file dialog the way a user does. No package beyond the X libraries is needed.

Usage: xkeys.py STEP...   each STEP is a key chord ("alt+f", "Return", "i"), "text:SOME TEXT" to
type literally, "focus:WINDOW-ID" to give a window the keyboard (there is no window manager to do
it), or "sleep:SECONDS".
"""
import ctypes
import ctypes.util
import sys
import time

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

MODIFIERS = {"alt": "Alt_L", "ctrl": "Control_L", "shift": "Shift_L"}
# Characters of a typed text whose keysym names differ from the character.
NAMES = {"/": "slash", ".": "period", "-": "minus", "_": "underscore", " ": "space", ":": "colon"}
SHIFTED = set("_:ABCDEFGHIJKLMNOPQRSTUVWXYZ")

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("xkeys.py: cannot open the display")


def keycode(name):
    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode()))
    if code == 0:
        sys.exit("xkeys.py: no key for " + name)
    return code


def chord(names):
    codes = [keycode(name) for name in names]
    for code in codes:
        xtst.XTestFakeKeyEvent(display, code, True, 0)
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display, code, False, 0)
    x11.XFlush(display)
    time.sleep(0.05)


for step in sys.argv[1:]:
    if step.startswith("text:"):
        for char in step[5:]:
            name = NAMES.get(char, char)
            chord(["Shift_L", name] if char in SHIFTED else [name])
    elif step.startswith("focus:"):
        x11.XSetInputFocus(display, int(step[6:], 0), 2, 0)  # RevertToParent, CurrentTime
        x11.XFlush(display)
        time.sleep(0.3)
    elif step.startswith("sleep:"):
        time.sleep(float(step[6:]))
    else:
        parts = step.split("+")
        chord([MODIFIERS.get(part, part) for part in parts])
