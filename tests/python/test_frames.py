"""Frames as NumPy arrays: shapes and types by format, the camera fed from arrays through the
lookup table, the lifetime of views, waits that time out or are interrupted, and threads
sharing one applet."""
import _thread
import os
import signal
import threading
import time

import numpy as np
import pytest

import brenvik


def ramp(value_of_row=lambda row: row):
    """A 64 x 256 uint8 image whose rows hold 0, 1, 2, ... (or what value_of_row says)."""
    return np.array([[value_of_row(row) % 256] * 256 for row in range(64)], np.uint8)


def test_frames_have_the_regions_shape_and_the_formats_dtype(camera):
    camera.board.camera_input(ramp())
    for form, dtype in (("FG_GRAY", np.uint8), ("FG_GRAY10", np.uint16), ("FG_GRAY16", np.uint16)):
        camera["FG_FORMAT"] = form
        frames = camera.grab(3)
        assert frames.shape == (3, 64, 256) and frames.dtype == dtype
        with camera.acquire(buffers=2) as session:
            image = session.next(timeout=5)
            assert image.shape == (64, 256) and image.dtype == dtype and image.flags.writeable
        assert not session.running


def test_camera_arrays_pass_the_table_and_an_inverted_one_gives_255_minus_p(camera):
    picture = ramp(lambda row: row * 4 + 1)
    camera.board.camera_input(picture)
    assert np.array_equal(camera.grab(1)[0], picture)
    camera["FG_PROCESSING_INVERT"] = "FG_ON"
    assert np.array_equal(camera.grab(2)[1], 255 - picture)
    # 16-bit camera pixels enter with their top ten bits; a stack is a list of images.
    camera["FG_PROCESSING_INVERT"] = "FG_OFF"
    camera["FG_FORMAT"] = "FG_GRAY16"
    wide = (ramp().astype(np.uint16) << 8) | 0xFF
    camera.board.camera_input(np.stack([wide, wide]))
    assert np.array_equal(camera.grab(1)[0] >> 6, wide >> 6)


def test_camera_input_refuses_what_is_no_image(camera, tmp_path):
    board = camera.board
    with pytest.raises(TypeError, match="uint8 or uint16"):
        board.camera_input(np.zeros((64, 256), np.float32))
    with pytest.raises(ValueError, match=r"2-D array .* shape \(256,\)"):
        board.camera_input(np.zeros(256, np.uint8))
    with pytest.raises(ValueError):
        board.camera_input(np.zeros((0, 256), np.uint8))
    with pytest.raises(TypeError, match="not both"):
        board.camera_input([str(tmp_path / "a.pgm"), ramp()])
    with pytest.raises(TypeError):
        board.camera_input(42)
    with pytest.raises(brenvik.AppletError):
        board.camera_input(str(tmp_path / "missing.pgm"))
    with pytest.raises(TypeError, match="str, int, float or bool"):
        board.play("simboard:paced", None)
    with pytest.raises(KeyError):
        board.play("NoSuchHardwareValue", 1)


def test_a_view_holds_its_frame_until_the_last_array_on_it_dies(camera):
    # Each picture is filled with its own number, so an overwritten buffer would show.
    camera.board.camera_input([np.full((64, 256), k, np.uint8) for k in range(1, 9)])
    with camera.acquire(buffers=2) as session:
        view = session.next(timeout=5, copy=False)
        first = view.copy()
        assert not view.flags.writeable
        part = view[10:20]  # an array made from the view holds the frame too
        del view
        for _ in range(6):
            session.next(timeout=5)
        assert np.array_equal(part, first[10:20])
    camera.close()
    assert np.array_equal(part, first[10:20])  # beyond the acquisition and the applet


def test_waits_time_out_and_an_acquisition_runs_alone(applet):
    applet.board.set_scene_camera(False)
    with applet.acquire(frames=1) as session:
        started = time.monotonic()
        with pytest.raises(TimeoutError, match="no picture 1"):
            session.next(timeout=0.05)
        assert time.monotonic() - started < 2
        with pytest.raises(RuntimeError, match="running"):
            applet.grab(1)
        with pytest.raises(ValueError):
            session.next(timeout=-1)
    with pytest.raises(RuntimeError, match="stopped"):
        session.next()


def _interrupt_soon(how):
    timer = threading.Timer(0.2, how)
    timer.start()
    return timer


@pytest.mark.parametrize("how", [_thread.interrupt_main,
                                 lambda: os.kill(os.getpid(), signal.SIGINT)],
                         ids=["interrupt_main", "SIGINT"])
def test_ctrl_c_ends_a_wait_with_keyboard_interrupt(applet, how):
    applet.board.set_scene_camera(False)
    timer = _interrupt_soon(how)
    started = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        applet.grab(1, timeout=None)
    timer.join()
    assert time.monotonic() - started < 5
    with applet.acquire() as session:
        timer = _interrupt_soon(how)
        with pytest.raises(KeyboardInterrupt):
            session.next(timeout=None)
        timer.join()


def test_threads_share_one_applet(camera):
    camera.board.camera_input(ramp())
    failures = []
    done = threading.Event()

    def setter(width):
        try:
            while not done.is_set():
                camera["FG_PROCESSING_GAMMA"] = 1.0 + width / 1000
                camera["FG_FORMAT"] = "FG_GRAY"
                assert str(camera["FG_FORMAT"]) == "FG_GRAY"
                camera.parameters()
        except Exception as error:  # noqa: BLE001 - reported below
            failures.append(error)

    workers = [threading.Thread(target=setter, args=(n,)) for n in range(3)]
    for worker in workers:
        worker.start()
    try:
        with camera.acquire(buffers=3) as session:
            for _ in range(20):
                assert session.next(timeout=5).shape == (64, 256)
    finally:
        done.set()
        for worker in workers:
            worker.join()
    assert not failures


def test_cancel_and_close_end_a_wait_in_another_thread(applet):
    applet.board.set_scene_camera(False)
    ended = []

    def wait(session):
        try:
            session.next(timeout=None)
        except Exception as error:  # noqa: BLE001 - checked below
            ended.append(error)

    for finish, expected in ((lambda session: session.cancel(), brenvik.Cancelled),
                             (lambda session: applet.close(), ValueError)):
        session = applet.acquire()
        waiter = threading.Thread(target=wait, args=(session,))
        waiter.start()
        time.sleep(0.1)
        finish(session)
        waiter.join(5)
        assert not waiter.is_alive() and isinstance(ended.pop(), expected)
        session.stop()
    assert applet.closed


def test_lost_pictures_neither_shorten_a_grab_nor_stall_an_iteration(applet):
    # Paced at 1 ms with one buffer: pictures are overwritten before they are read.
    applet["FG_WIDTH"] = 256
    applet["FG_HEIGHT"] = 64
    applet.board.set_picture_period(1000)
    assert applet.grab(5, buffers=1).shape == (5, 64, 256)
    session = applet.acquire(buffers=1, frames=20)
    time.sleep(0.05)  # most pictures come and go meanwhile
    images = list(session)
    assert 0 < len(images) < 20 and len(images) + session.lost == 20
