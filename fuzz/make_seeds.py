#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/.

The seeds are kept in the repository; this only says how they were made, in
each target's input layout (see the comments at the top of each *_fuzz.cpp
and fuzz_input.h: numbers are little-endian)."""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


# settings_reader: one byte choosing the decimal separator (0 ".", 1 ",",
# 2 none, 3 the next byte's count of bytes), then the file's text.
write("settings_reader", "defaults", b"\x00SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n")
write("settings_reader", "hot_keys", b"\x00SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSTART_HK=65\r\n"
      b"START_HKCS=1\r\nSTART_LOC_HK=76\r\nSTART_LOC_HKCS=3\r\nSTATUS_HK=83\r\nSTATUS_HKCS=0\r\n"
      b"SM_TIMEOUT_RETRY=40\r\n")
write("settings_reader", "rounding_comma", b"\x01SYNC_INTERVAL= 2,5 \nLOG_SECOND_MIN=-3,5\nSM_TIMEOUT_RETRY=0,4\n")
write("settings_reader", "odd_lines", b"\x00sync_interval=5\nSYNC_INTERVAL =5\nLOG_SECOND_MIN=10=20\n"
      b"SYNC_INTERVAL=90\nSYNC_INTERVAL=30\nSTART_HK=99999999999\n=\n\n")
write("settings_reader", "long_separator", b"\x03\x02\xc2\xa0SYNC_INTERVAL=7\xc2\xa05\r\n")

# chronolog_window: a flags byte (1 the file exists, 2 it is locked, 4 other
# regional style), the file as a 16-bit length and its bytes, then
# operations: 0 select (index + 4), 1 note (length, bytes), 2 Delete Entry,
# 3 Clear Log (1 Yes, 0 No), 4 Exit, 5 close box, 6 append a line (length,
# bytes), 7 file access (0 free, 1 read-only, 2 locked).
HEADER = b"Date\tDay\tTime\tZone\tFlight\tF\tGround\tG\tTotal\tNote\r\n"


def entry(day, time, flight, ground, note=None):
    line = (f"Saturday, December {day}, 2026\t{day}\t{time}\tUTC\t{flight}\t00:00:00\t{ground}"
            f"\t00:00:00\t00:00:00").encode()
    if note is not None:
        line += b"\t" + note
    return line + b"\r\n"


def log_input(flags, text, ops):
    return bytes([flags]) + struct.pack("<H", len(text)) + text + bytes(ops)


LOG = HEADER + entry(1, "10:00:00 AM", 3600, 600, b"first") + entry(2, "11:30:00 AM", 120, 60) \
    + b"not an entry\r\n" + entry(3, "01:45:21 PM", 59, 0, b"") + b"\r\n" + entry(4, "09:00:00 PM", 1, 1, b"x")
write("chronolog_window", "browse_and_note",
      log_input(1, LOG, [0, 4, 1, 5] + list(b"hello") + [0, 5, 1, 3] + list(b"a\tb") + [4]))
write("chronolog_window", "mark_and_exit", log_input(1, LOG, [0, 4, 2, 0, 6, 2, 2, 0, 7, 2, 4]))
write("chronolog_window", "append_meanwhile",
      log_input(1, LOG, [2, 6, 20] + list(b"Sunday\t5\t1\tUTC\t1\t\t2") + [1, 2] + list(b"ok") + [5]))
write("chronolog_window", "clear_no_then_yes", log_input(1, LOG, [3, 0, 3, 1]))
write("chronolog_window", "read_only_then_locked",
      log_input(1, LOG, [7, 1, 2, 3, 1, 7, 2, 1, 3] + list(b"new") + [4]))
write("chronolog_window", "locked_at_open", log_input(3, LOG, [2, 7, 0, 3, 1]))
write("chronolog_window", "no_file", log_input(0, b"", [2, 1, 1] + list(b"n") + [6, 3] + list(b"abc") + [3, 1, 4]))
write("chronolog_window", "short_lines_lf",
      log_input(1, b"H\nA\tB\tC\tD\tE\t5\nA\tB\tC\tD\tE\tF\tG\tH\tI\tJ\tK\nlast\tno\tend", [1, 3] + list(b"zz")
                + [0, 4, 1, 0, 0, 5, 1, 2] + list(b"\xc3\xa9") + [4]))
write("chronolog_window", "unfinished_last_line",
      log_input(1, HEADER + entry(1, "10:00:00 AM", 3600, 600, b"old")[:-2],
                [1, 3] + list(b"new") + [6, 5] + list(b"Entry") + [4]))

# link_walk: a flags byte (1 UIPCMAIN, 2 a hostile handshake, bits 2-4 the
# retry count + 1), then exchanges: a request set (0 the sync cycle's reads,
# 1 the clock and status writes, 2 a list, 3 up to the capacity), a plan
# (sends failed, serve, answer; then 0 clean, 1 byte pokes, 2 word pokes,
# 3 bytes over the start), and one fill byte per request.
SYNC_READS = [0, 0x00, 0x00] + [0x11] * 9
CLOCK_WRITES = [1, 0x00, 0x00] + [0x22] * 7
write("link_walk", "honest", bytes([1 << 2 * 1]) + bytes(SYNC_READS + CLOCK_WRITES))
write("link_walk", "token_spoiled", bytes([4]) + bytes([0, 0x00, 0x02, 0x00, 0x0C, 0x00, 0xF0, 0xFF, 0xFF, 0x7F] + [0x33] * 9))
write("link_walk", "size_spoiled", bytes([4]) + bytes([0, 0x00, 0x02, 0x00, 0x08, 0x00, 0xF0, 0xFF, 0xFF, 0xFF] + [0x44] * 9))
write("link_walk", "end_spoiled", bytes([4]) + bytes([0, 0x00, 0x01, 0x00, 0x9D, 0x00, 0x01] + [0x55] * 9))
write("link_walk", "rejected_and_timeout", bytes([8]) + bytes([0, 0x08, 0x00] + [0] * 9 + [0, 0x03, 0x00] + [0] * 9
                                                              + [0, 0x23, 0x00] + [0] * 9))
write("link_walk", "hostile_handshake", bytes([6]) + bytes([0x10, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00]
                                                           + [0x00, 0x00] + SYNC_READS))
write("link_walk", "list_and_capacity", bytes([4]) + bytes([2, 3, 0x00, 0x38, 0x02, 0x04, 0x01, 0x0A, 0x40, 0x33,
                                                            0x02, 0x06, 0x00, 0x01, 0x00, 0x00, 0x01, 0x02, 0x03]
                                                           + [3, 0x00, 0x40, 0x01, 0x00, 0x00, 9, 9, 9]))
