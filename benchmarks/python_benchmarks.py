#!/usr/bin/python3
"""The Python module's costs: a parameter get from Python, and grab's frame rate at
1024 x 1024 FG_GRAY beside the client library's own in the same run (host_grab_rate, in
place and copying into one block as grab does). Reports numbers and ratios; --quick runs
briefly so that the benchmark keeps working in CI."""
import argparse
import subprocess
import time
import timeit

import numpy as np

import brenvik

GET_LIMIT_NS = 1000   # a get from Python costs at most this
GRAB_SHARE = 0.8      # grab reaches this share of the client library's frames/s


def per_call_ns(statement, applet, number):
    timer = timeit.Timer(statement, globals={"a": applet})
    return min(timer.repeat(repeat=5, number=number)) / number * 1e9


def grab_rate(applet, frames):
    started = time.perf_counter()
    applet.grab(frames)
    return frames / (time.perf_counter() - started)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--helper", required=True, help="the host_grab_rate program")
    parser.add_argument("--quick", action="store_true", help="a brief run for CI")
    options = parser.parse_args()
    calls, frames, runs = (2000, 10, 1) if options.quick else (200000, 200, 8)

    with brenvik.Applet(board=4243) as applet:
        gets = {
            "get FG_WIDTH (integer)": per_call_ns('a["FG_WIDTH"]', applet, calls),
            "get FG_FORMAT (enumeration)": per_call_ns('a["FG_FORMAT"]', applet, calls),
            "get FG_PROCESSING_GAMMA (double)": per_call_ns('a["FG_PROCESSING_GAMMA"]', applet,
                                                            calls),
            "set FG_TIMEOUT (stored integer)": per_call_ns('a["FG_TIMEOUT"] = 10', applet, calls),
        }
        applet["FG_WIDTH"] = 1024
        applet["FG_HEIGHT"] = 1024
        applet["FG_FORMAT"] = "FG_GRAY"
        applet.board.set_paced(False)
        assert applet.grab(1).dtype == np.uint8
        # Runs alternate between Python and the client library, so that both see the same
        # machine; each keeps its best.
        python_fps, host = 0.0, {"in_place": 0.0, "copied": 0.0}
        for _ in range(runs):
            python_fps = max(python_fps, grab_rate(applet, frames))
            helper = subprocess.run([options.helper, str(frames), "1"], check=True,
                                    capture_output=True, text=True).stdout.split()
            for name, rate in zip(helper[::2], map(float, helper[1::2])):
                host[name] = max(host[name], rate)

    for name, cost in gets.items():
        print(f"{name:36s} {cost:8.0f} ns")
    print(f"{'grab 1024x1024 FG_GRAY (Python)':36s} {python_fps:8.1f} frames/s")
    print(f"{'client library, in place':36s} {host['in_place']:8.1f} frames/s")
    print(f"{'client library, copied as grab does':36s} {host['copied']:8.1f} frames/s")
    worst_get = max(gets[k] for k in gets if k.startswith("get"))
    print(f"get: {worst_get:.0f} ns at most (limit {GET_LIMIT_NS} ns): "
          f"{'meets' if worst_get <= GET_LIMIT_NS else 'misses'} it")
    for name in ("in_place", "copied"):
        share = python_fps / host[name]
        print(f"grab / client library {name}: {share:.2f} (target {GRAB_SHARE}): "
              f"{'meets' if share >= GRAB_SHARE else 'misses'} it")


if __name__ == "__main__":
    main()
