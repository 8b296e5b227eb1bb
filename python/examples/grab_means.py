"""Grabs ten frames from the simulated board's built-in camera and prints their means."""
import brenvik

with brenvik.Applet(board=0) as applet:
    applet["FG_WIDTH"] = 512
    applet["FG_HEIGHT"] = 512
    applet["FG_FORMAT"] = "FG_GRAY"
    frames = applet.grab(10)  # numpy array (10, 512, 512) of uint8, a copy
    for number, frame in enumerate(frames, 1):
        print(f"frame {number}: mean {frame.mean():.1f}")
