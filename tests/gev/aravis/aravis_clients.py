"""Real GenICam clients against "brenvik gev": Aravis's arv-tool and its Python binding.

Each test case starts the bridge on a loopback address of its own (given on the command line,
so that the cases run side by side) and always names that address: Aravis never discovers by
itself. Every process started here runs in a session of its own and is stopped by its id when
the test ends, also when it fails.

usage: aravis_clients.py TOOL ADDRESS CASE
"""
import os
import random
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import gi

gi.require_version("Aravis", "0.8")
from gi.repository import Aravis, Gio  # noqa: E402

TOOL = ""
ADDRESS = ""
ARV_TOOL = "arv-tool-0.8"
# Generous: the machine may be busy with other builds.
START_SECONDS = 60
CLIENT_SECONDS = 60
FRAME_MICROSECONDS = 5_000_000


def stop_process(process):
    """Stops a process started in a session of its own, by its process group id."""
    if process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=10)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


def wait_for_line(process, text):
    """Reads the process's output until a line holds `text`; fails after START_SECONDS."""
    deadline = time.monotonic() + START_SECONDS
    seen = b""
    while time.monotonic() < deadline:
        ready, _, _ = select.select([process.stdout], [], [], 0.5)
        if ready:
            line = process.stdout.readline()
            if not line:
                break
            seen += line
            if text.encode() in line:
                return
        elif process.poll() is not None:
            break
    raise AssertionError(f"no '{text}' from {process.args}: {seen!r}")


def arv_tool(*arguments):
    """Runs arv-tool on the test's address; its output, standard error included."""
    result = subprocess.run([ARV_TOOL, "-a", ADDRESS, *arguments], capture_output=True,
                            text=True, timeout=CLIENT_SECONDS, check=False)
    return result.stdout + result.stderr


def write_pgm(path, width, height, pixels):
    with open(path, "wb") as file:
        file.write(f"P5\n{width} {height}\n255\n".encode() + pixels)


def read_pgm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields = data.split(maxsplit=4)
    assert fields[0] == b"P5" and fields[3] == b"255", path
    return int(fields[1]), int(fields[2]), fields[4]


class BridgeCase(unittest.TestCase):
    """Starts the bridge for the test; stops it afterwards, however the test ends."""

    bridge_arguments = ()

    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory(prefix="brenvik-gev-")
        self.addCleanup(self.scratch.cleanup)
        self.bridge = self.start([TOOL, "gev", "--listen", ADDRESS, *self.bridge_arguments])
        wait_for_line(self.bridge, "serving")

    def start(self, command):
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        self.addCleanup(stop_process, process)
        return process

    def open_camera(self):
        address = Gio.InetAddress.new_from_string(ADDRESS)
        device = Aravis.GvDevice.new(address, address)
        return device, Aravis.Camera.new_with_device(device)


class Control(BridgeCase):
    def test_features_go_through_the_applet(self):
        self.assertIn("Width = 512", arv_tool("control", "Width=512", "Width"))
        self.assertIn("FG_WIDTH = 512", arv_tool("control", "FG_WIDTH"))
        refused = arv_tool("control", "Width=13", "Width")
        self.assertIn("error", refused)
        self.assertIn("Width = 512", refused)
        self.assertIn("FG_WIDTH = 512", arv_tool("control", "FG_WIDTH"))
        self.assertIn("FG_TRIGGERSTATE = TS_SYNC_STOP", arv_tool("control", "FG_TRIGGERSTATE"))
        self.assertIn("DeviceVendorName = Orvane", arv_tool("control", "DeviceVendorName"))


class Stream(BridgeCase):
    WIDTH, HEIGHT, OFFSET_X, OFFSET_Y = 512, 256, 64, 32
    SENSOR = 1024

    def setUp(self):
        # One random picture on the camera port for both the bridge and "brenvik acquire".
        self.picture_seed = random.Random(25).randbytes(self.SENSOR * self.SENSOR)
        self.picture = os.path.join(tempfile.gettempdir(), f"brenvik-gev-{os.getpid()}.pgm")
        write_pgm(self.picture, self.SENSOR, self.SENSOR, self.picture_seed)
        self.addCleanup(os.remove, self.picture)
        self.bridge_arguments = ("--input", self.picture)
        super().setUp()

    def acquired(self):
        """What "brenvik acquire" writes for the same settings."""
        output = os.path.join(self.scratch.name, "acquired")
        command = [TOOL, "set", f"FG_WIDTH={self.WIDTH}", f"FG_HEIGHT={self.HEIGHT}",
                   f"FG_XOFFSET={self.OFFSET_X}", f"FG_YOFFSET={self.OFFSET_Y}", "FG_FORMAT=FG_GRAY",
                   "then", "acquire", "--frames", "2", "--output", output, "--input", self.picture]
        process = self.start(command)
        self.assertEqual(process.wait(timeout=CLIENT_SECONDS), 0, process.stdout.read())
        width, height, pixels = read_pgm(os.path.join(output, "frame-0000.pgm"))
        self.assertEqual((width, height), (self.WIDTH, self.HEIGHT))
        return pixels

    def stream(self, camera, payload):
        stream = camera.create_stream(None, None)
        for _ in range(8):
            stream.push_buffer(Aravis.Buffer.new_allocate(payload))
        return stream

    def test_frames_equal_what_acquire_writes(self):
        device, camera = self.open_camera()
        camera.set_region(self.OFFSET_X, self.OFFSET_Y, self.WIDTH, self.HEIGHT)
        camera.set_pixel_format(Aravis.PIXEL_FORMAT_MONO_8)
        camera.set_frame_rate(50.0)
        payload = camera.get_payload()
        self.assertEqual(payload, self.WIDTH * self.HEIGHT)
        stream = self.stream(camera, payload)
        camera.start_acquisition()
        frames = []
        while len(frames) < 20:
            buffer = stream.timeout_pop_buffer(FRAME_MICROSECONDS)
            self.assertIsNotNone(buffer, f"frame {len(frames)} did not come")
            if buffer.get_status() == Aravis.BufferStatus.SUCCESS:
                self.assertEqual((buffer.get_image_width(), buffer.get_image_height()),
                                 (self.WIDTH, self.HEIGHT))
                frames.append(bytes(buffer.get_data()))
            stream.push_buffer(buffer)
        camera.stop_acquisition()
        del stream, camera, device
        expected = self.acquired()
        self.assertGreater(len(set(expected)), 200, "the picture did not come through")
        for number, frame in enumerate(frames):
            self.assertEqual(frame, expected, f"frame {number} differs")

    def test_software_trigger_yields_one_frame(self):
        device, camera = self.open_camera()
        camera.set_region(0, 0, self.WIDTH, self.HEIGHT)
        device.set_string_feature_value("TriggerMode", "On")
        device.set_string_feature_value("TriggerSource", "Software")
        stream = self.stream(camera, camera.get_payload())
        camera.start_acquisition()
        self.assertIsNone(stream.timeout_pop_buffer(500_000), "a frame came untriggered")
        device.execute_command("TriggerSoftware")
        buffer = stream.timeout_pop_buffer(FRAME_MICROSECONDS)
        self.assertIsNotNone(buffer, "no frame for the software trigger")
        self.assertEqual(buffer.get_status(), Aravis.BufferStatus.SUCCESS)
        stream.push_buffer(buffer)
        self.assertIsNone(stream.timeout_pop_buffer(1_000_000), "a second frame came")
        camera.stop_acquisition()


HOLDER = """
import sys, time, gi
gi.require_version("Aravis", "0.8")
from gi.repository import Aravis, Gio
address = Gio.InetAddress.new_from_string(sys.argv[1])
device = Aravis.GvDevice.new(address, address)
print("controlling" if device.is_controller() else "refused", flush=True)
time.sleep(120)
"""


class Privilege(BridgeCase):
    def test_second_client_waits_for_the_first_heartbeat_to_expire(self):
        holder = self.start(["/usr/bin/python3", "-c", HOLDER, ADDRESS])
        wait_for_line(holder, "controlling")
        refused = arv_tool("control", "Width=256")
        self.assertIn("access-denied", refused)
        self.assertIn("FG_WIDTH = 1024", arv_tool("control", "FG_WIDTH"))
        # The first client vanishes without giving control back.
        os.killpg(holder.pid, signal.SIGKILL)
        holder.wait()
        deadline = time.monotonic() + 30
        answer = arv_tool("control", "Width=256")
        while "error" in answer and time.monotonic() < deadline:
            time.sleep(0.5)
            answer = arv_tool("control", "Width=256")
        self.assertNotIn("error", answer)
        self.assertIn("FG_WIDTH = 256", arv_tool("control", "FG_WIDTH"))


if __name__ == "__main__":
    TOOL, ADDRESS, case = sys.argv[1], sys.argv[2], sys.argv[3]
    suite = unittest.defaultTestLoader.loadTestsFromName(case, sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
