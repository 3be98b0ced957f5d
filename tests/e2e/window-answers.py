#!/usr/bin/python3
# Asks a window's program whether its event loop still runs: sends it the window manager's
# ping (_NET_WM_PING) and waits for the answer, which only the program's own event loop
# gives (a deadlocked program keeps its window on screen, and passes `kill -0`).
# Usage: window-answers.py WINDOW_ID SECONDS   exit status 0 when answered in time.
import ctypes
import os
import sys
import time

CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY_MASK = 1 << 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class ClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", ClientMessageEvent), ("pad", ctypes.c_long * 24)]


x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XPending.argtypes = [ctypes.c_void_p]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]

window, seconds = int(sys.argv[1], 0), float(sys.argv[2])
display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
root = x.XDefaultRootWindow(display)
protocols = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
ping = x.XInternAtom(display, b"_NET_WM_PING", 0)
stamp = (os.getpid() << 8) | 1  # tells our answer from the window manager's own pings
# The answer goes to the root window (with one mask or the other, depending on the toolkit).
x.XSelectInput(display, root, STRUCTURE_NOTIFY_MASK | SUBSTRUCTURE_NOTIFY_MASK)

event = Event()
event.xclient.type = CLIENT_MESSAGE
event.xclient.window = window
event.xclient.message_type = protocols
event.xclient.format = 32
event.xclient.data[0], event.xclient.data[1], event.xclient.data[2] = ping, stamp, window
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XFlush(display)

deadline = time.monotonic() + seconds
answer = Event()
while time.monotonic() < deadline:
    while x.XPending(display):
        x.XNextEvent(display, ctypes.byref(answer))
        c = answer.xclient
        if (answer.type == CLIENT_MESSAGE and c.window == root and c.message_type == protocols
                and c.data[0] == ping and c.data[1] == stamp and c.data[2] == window):
            sys.exit(0)
    time.sleep(0.01)
sys.exit(f"window {window:#x} did not answer within {seconds:g} s")
