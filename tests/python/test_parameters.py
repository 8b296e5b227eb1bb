"""Parameters from Python: values in Python's types, refusals with the applet's codes, usage
errors as the exceptions Python users expect, files, and applets that are closed or many."""
import math
import os

import numpy as np
import pytest

import brenvik
from conftest import fresh_board


def test_integers_round_trip_and_refusals_keep_the_old_value(applet):
    applet["FG_WIDTH"] = 512
    assert applet["FG_WIDTH"] == 512 and type(applet["FG_WIDTH"]) is int
    assert applet[applet.parameter("FG_WIDTH").id] == 512  # by id too
    for value, code in ((7, -6000), (513, -7080)):
        with pytest.raises(brenvik.AppletError) as refused:
            applet["FG_WIDTH"] = value
        assert refused.value.code == code
        assert "FG_WIDTH" in refused.value.message and str(code) in str(refused.value)
        assert applet["FG_WIDTH"] == 512
    applet["FG_WIDTH"] = np.int64(256)  # numpy integers are integers
    assert applet["FG_WIDTH"] == 256
    read_only = next(p for p in applet.parameters()
                     if p.access == "read-only" and p.kind == "integer")
    with pytest.raises(brenvik.AppletError) as refused:
        applet[read_only.name] = 1
    assert refused.value.code == -12


def test_usage_errors_are_python_exceptions(applet):
    with pytest.raises(TypeError, match="FG_WIDTH takes an integer, not str"):
        applet["FG_WIDTH"] = "wide"
    with pytest.raises(TypeError, match="not float"):
        applet["FG_WIDTH"] = 512.0
    with pytest.raises(ValueError):
        applet["FG_WIDTH"] = -8  # beyond what an unsigned parameter holds
    with pytest.raises(ValueError):
        applet["FG_WIDTH"] = 2 ** 70
    with pytest.raises(KeyError, match="FG_NOTHING"):
        applet["FG_NOTHING"]
    with pytest.raises(KeyError):
        applet[123456789] = 1
    with pytest.raises(TypeError, match="str or numbered by int"):
        applet[100.0]
    with pytest.raises(ValueError, match="finite"):
        applet["FG_PROCESSING_GAMMA"] = math.nan
    with pytest.raises(TypeError):
        applet["FG_PROCESSING_GAMMA"] = "2.2"
    with pytest.raises(TypeError, match="takes a str"):
        applet["FG_LUT_CUSTOM_FILE"] = 5
    assert "FG_WIDTH" in applet and "FG_NOTHING" not in applet and 1.5 not in applet


def test_doubles_strings_and_the_table_in_their_python_types(applet):
    applet["FG_PROCESSING_GAMMA"] = 2  # an int is a number too
    assert applet["FG_PROCESSING_GAMMA"] == pytest.approx(2.0)
    assert type(applet["FG_PROCESSING_GAMMA"]) is float
    assert isinstance(applet["FG_HAP_FILE"], str)
    table = applet["FG_LUT_VALUE"]
    assert table.dtype == np.uint32 and table.ndim == 1 and len(table) > 0
    with pytest.raises(TypeError, match="integers"):
        applet["FG_LUT_VALUE"] = np.zeros(4)
    with pytest.raises(ValueError, match="entry 1"):
        applet["FG_LUT_VALUE"] = [0, -1]
    with pytest.raises(ValueError, match="one-dimensional"):
        applet["FG_LUT_VALUE"] = np.zeros((2, 2), np.uint32)


def test_enumerations_take_symbols_or_numbers_and_print_their_symbol(applet):
    applet["FG_FORMAT"] = "FG_GRAY16"
    value = applet["FG_FORMAT"]
    entries = {e.name: e.value for e in applet.parameter("FG_FORMAT").entries}
    assert isinstance(value, int) and value == entries["FG_GRAY16"]
    assert str(value) == f"{value}" == value.name == "FG_GRAY16"
    assert f"{value:d}" == str(entries["FG_GRAY16"]) and value.value == entries["FG_GRAY16"]
    assert repr(value) == "<FG_GRAY16: %d>" % entries["FG_GRAY16"]
    applet["FG_FORMAT"] = entries["FG_GRAY"]
    assert str(applet["FG_FORMAT"]) == "FG_GRAY"
    applet["FG_FORMAT"] = value  # a value read back is taken as it is
    assert applet["FG_FORMAT"] is value
    with pytest.raises(ValueError, match="FG_GRAY, FG_GRAY10, FG_GRAY16"):
        applet["FG_FORMAT"] = "FG_GREY"
    with pytest.raises(brenvik.AppletError):
        applet["FG_FORMAT"] = 99


def test_parameter_records_describe_every_parameter(applet):
    records = applet.parameters()
    assert [r.name for r in records] == applet.keys()
    assert len({r.id for r in records}) == len(records)
    for record in records:
        assert record.kind in ("integer", "enumeration", "double", "string", "lookup table")
        assert record.access in ("read-only", "read-write", "write-only", "none")
        assert (record.kind == "enumeration") == bool(record.entries) or not record.entries
    width = applet.parameter("FG_WIDTH")
    assert (width.minimum, width.maximum, width.unit) == (8, 16384, "pixel")
    assert width == applet.parameter(width.id)


def test_files_xml_and_the_software_trigger(applet, tmp_path):
    applet["FG_WIDTH"] = 512
    applet["FG_FORMAT"] = "FG_GRAY16"
    saved = tmp_path / "narrow.mcf"
    applet.save(saved)  # os.PathLike and str alike
    with brenvik.Applet(board=fresh_board()) as other:
        other.load(str(saved))
        assert other["FG_WIDTH"] == 512 and str(other["FG_FORMAT"]) == "FG_GRAY16"
        with pytest.raises(brenvik.AppletError) as refused:
            other.load(tmp_path / "missing.mcf")
        assert refused.value.code == -2076
        broken = tmp_path / "broken.mcf"
        broken.write_text("not a configuration\n")
        with pytest.raises(brenvik.AppletError) as refused:
            other.load(broken)
        assert refused.value.code == -5000
        assert other["FG_WIDTH"] == 512
    assert applet.xml().startswith("<?xml")
    with pytest.raises(brenvik.AppletError) as refused:
        applet.fire_trigger()
    assert refused.value.code == -2140


def test_a_closed_applet_refuses_every_call(tmp_path):
    with brenvik.Applet(board=fresh_board()) as applet:
        pass
    assert applet.closed and "closed" in repr(applet)
    for call in (lambda: applet["FG_WIDTH"], lambda: applet.__setitem__("FG_WIDTH", 512),
                 applet.parameters, applet.xml, lambda: applet.save(tmp_path / "x.mcf"),
                 lambda: applet.grab(1), applet.acquire):
        with pytest.raises(ValueError, match="closed"):
            call()
    applet.close()  # twice is harmless


def test_a_module_that_does_not_load_is_an_applet_error(tmp_path):
    with pytest.raises(brenvik.AppletError, match="cannot load"):
        brenvik.Applet(applet=str(tmp_path / "none.so"))


def _resident_kib():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024


@pytest.mark.skipif(not os.path.exists("/proc/self/statm"), reason="needs /proc")
def test_a_thousand_applets_opened_and_closed_leave_nothing_behind():
    board = fresh_board()

    def cycle(count):
        for index in range(count):
            if index % 2:
                with brenvik.Applet(board=board) as applet:
                    applet["FG_WIDTH"] = 512
            else:
                brenvik.Applet(board=board)["FG_FORMAT"]  # freed when dropped

    cycle(50)
    before = _resident_kib()
    cycle(1000)
    # A leaked applet keeps its parameter tables and the board's design: far more than this.
    assert _resident_kib() - before < 8 * 1024
