"""The module as cmake --install lays it out: it finds the applet module and the client
library relative to itself, not in the build tree, and the example runs there."""
import glob
import os
import subprocess
import sys

import pytest

BUILD = os.environ.get("BRENVIK_BUILD_DIR")
EXAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "python", "examples",
                       "grab_means.py")

USE = """
import brenvik, sys
assert brenvik.__file__.startswith(sys.argv[1]), brenvik.__file__
assert brenvik.applet_path().startswith(sys.argv[1]), brenvik.applet_path()
with brenvik.Applet(board=9001) as a:
    a["FG_WIDTH"] = 64
    a["FG_HEIGHT"] = 8
    a.board.set_paced(False)
    assert a.grab(2).shape == (2, 8, 64)
"""


@pytest.mark.skipif(not BUILD, reason="BRENVIK_BUILD_DIR names no build tree")
def test_the_installed_module_runs_from_its_prefix(tmp_path):
    prefix = str(tmp_path / "prefix")
    subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL)
    modules = glob.glob(os.path.join(prefix, "lib", "python3*", "*-packages", "brenvik*.so"))
    assert len(modules) == 1
    environment = dict(os.environ, PYTHONPATH=os.path.dirname(modules[0]))
    subprocess.run([sys.executable, "-c", USE, prefix], check=True, env=environment,
                   cwd=str(tmp_path))
    printed = subprocess.run([sys.executable, EXAMPLE], check=True, env=environment,
                             cwd=str(tmp_path), capture_output=True, text=True).stdout
    assert printed.splitlines()[-1].startswith("frame 10: mean ")
