"""What the Python module's tests share: an applet on a board of the test's own."""
import itertools

import pytest

import brenvik

_boards = itertools.count(9100)


def fresh_board():
    """A board number no other test of this run uses."""
    return next(_boards)


@pytest.fixture
def applet():
    with brenvik.Applet(board=fresh_board()) as created:
        yield created


@pytest.fixture
def camera(applet):
    """The applet with the camera port's input at 256 x 64 and unpaced pictures."""
    applet["FG_WIDTH"] = 256
    applet["FG_HEIGHT"] = 64
    applet.board.set_paced(False)
    return applet
