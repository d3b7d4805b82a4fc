"""The end-to-end cases: per case the files put in the program folder, the
stand-in's options (None: no stand-in), the DPI and environment, and the
steps, each a verb of run.Case (do_VERB) with its arguments. Places in a
window are in twips from its client area's top left corner."""
import os

MAIN = r"^Horavia \((ON|OFF)\)$"
LOG_WINDOW, SETTINGS = "^Horavia ChronoLog$", "^Horavia Settings$"


def crlf(*lines):
    return "".join(line + "\r\n" for line in lines).encode()


def area(left, top, width, height, colour, least, most=None, tolerance=13):
    """A rectangle that must hold least..most pixels within `tolerance` of the colour."""
    return (left, top, width, height, colour, least, most, tolerance)


def face(pixels, lamp):
    colours = {"K": "000000", "O": "808080", "S": "C0C0C0", "L": lamp}
    return [(int(c), int(r), colours[k]) for c, r, k in (p.split(",") for p in pixels.split())]


# The pixels that tell the 27 x 17 faces apart, as column,row,colour (black,
# outline, shadow, lamp). Red and grey share all but the lamp; the green
# face is the pressed look, two right and one down, without a shadow.
UP = ("0,0,K 1,1,O 21,1,O 1,13,O 21,13,O 11,1,O 2,2,K 22,1,S 23,1,K 23,7,S 22,13,S 2,14,S 23,14,S "
      "1,14,K 5,5,L 17,9,L 11,7,L 4,5,K 18,9,K 17,10,K 26,16,K")
DOWN = "0,0,K 1,1,K 3,2,O 23,2,O 3,14,O 23,14,O 22,1,K 24,8,K 2,15,K 7,6,L 19,10,L 13,8,L 6,6,K 5,5,K 20,10,K"
FACES = {"grey": face(UP, "2B2B00"), "red": face(UP, "FF0000"), "green": face(DOWN, "00FF00")}

# lblInternalClock's place, which the information frame's labels cover. The
# bright green clock's smoothed edges pass through medium green, so only
# pixels of exactly the labels' colour count.
CLOCK = (360, 360, 1215, 495)
INFO_FRAME = area(*CLOCK, "00C000", 50, tolerance=0)
LOOK_OFF = [area(3120, 900, 60, 60, "004000", 4, tolerance=0), area(3120, 1860, 60, 60, "004000", 4, tolerance=0),
            area(840, 2400, 60, 60, "808080", 4, tolerance=0),  # the window's grey between two buttons
            area(360, 1320, 1215, 495, "FFFF00", 20), area(360, 1320, 1215, 495, "004000", 100),  # sim clock
            area(2040, 1440, 2775, 255, "FFFF00", 20), area(1440, 1320, 375, 495, "808000", 10),  # its date, lamps
            area(*CLOCK, "00FF00", 20), area(1440, 360, 375, 495, "008000", 10),  # internal clock, unlit lamps
            area(240, 2040, 495, 240, "FFFFFF", 15), area(4440, 2040, 495, 240, "FFFFFF", 15),  # captions
            area(4440, 2040, 495, 240, "808080", 50)]
LOOK_INFO = [INFO_FRAME, area(*CLOCK, "00FF00", 0, 0), area(2160, 480, 375, 255, "00FF00", 10)]  # the Log link
TOOL_TIP = area(0, 2655, 4500, 900, "FFFFFF", 100, tolerance=26)  # on the black screen below the window
RATE_TIP = area(1400, 1950, 3300, 75, "FFFFFF", 600, tolerance=26)  # between the sim clock and the captions

DEFAULT_INI = crlf("SYNC_INTERVAL=20", "LOG_SECOND_MIN=60", "SM_TIMEOUT_RETRY=40")
# A sync cycle every second, a log entry for any period over a second, and
# two sends of 2 s each before an exchange counts as failed.
FAST_INI = crlf("SYNC_INTERVAL=1", "LOG_SECOND_MIN=1", "SM_TIMEOUT_RETRY=1")
# As a user may keep it, which a rewrite would change.
USER_INI = crlf("; kept by hand", "LOG_SECOND_MIN=1", "SYNC_INTERVAL=1", "START_HK=65", "START_HKCS=1",
                "SM_TIMEOUT_RETRY=1")
HEADER = ("Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
          "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes")
OLD = "Sunday, November 1, 2026\t2026/11/01\t09:15:00 AM\t01:00:00\t3600\t00:10:00\t600\t01:10:00\t4200\t"
OLD_LOG = crlf(HEADER, OLD)
FIRST = "Monday, January 5, 2026\t2026/01/05\t09:00:00 AM\t00:10:00\t600\t00:05:00\t300\t00:15:00\t900\t"
MARKED = "Tuesday, January 6, 2026\t2026/01/06\t01:30:00 PM\t01:00:00\t3600\t00:00:00\t0\t01:00:00\t3600\tnoted"

FLIGHT = r"[^();]+ \d\d:\d\d:\d\d [AP]M \(Flight [\d:]+, Ground [\d:]+, Total [\d:]+\)"


def flights(n):
    them = "it" if n == 1 else "them"
    listed = "the flight of " + FLIGHT if n == 1 else f"{n} flights, {FLIGHT}(; {FLIGHT}){{{n - 1}}}"
    return r"^Could not write {folder}\\Horavia\.log file\.  Not in the log yet: " + listed + r"\.  ", them


def log_told(n):
    text, them = flights(n)
    return text + f"Horavia keeps {them} and tries again at the next switch OFF and when it closes\\.$"


def log_asked(n):
    text, them = flights(n)
    return text + ("Close the program that holds the file and choose Yes to try again, "
                   f"or No to close Horavia without {them}\\.$")


INI_TOLD = r"^Could not write {folder}\\Horavia\.ini file\.$"
INI_UNREAD = (r"^Could not read {folder}\\Horavia\.ini file at start-up\.  It is left as it is; "
              r"the settings of this run are not saved\.$")
OFF_TEXT = "^write 0x3380 128 20 48 56 41 3a 20 4f 46 46 00 "  # " HVA: OFF"

SWITCH_ON = [("click", 0), ("caption", "Horavia (ON)"), ("journal", "^read 0x0366 ", 3)]  # three chronometer steps
INFO = [("click", 5), ("see", INFO_FRAME)]
LOG_LINK, SETTINGS_LINK = ("at", 2340, 607), ("at", 2840, 607)  # in the information frame
CLOSES = [("close",), ("exits",)]
ON = [("start",), ("connected",), *SWITCH_ON]
SWITCH_OFF = [("click", 0), ("caption", "Horavia (OFF)")]
# The log held at a switch-OFF, which is told and goes on, then ON again and closing.
HELD_TWICE = [*SWITCH_ON, ("click", 0), ("box", log_told(1)), ("caption", "Horavia (OFF)"), ("connected",),
              ("alive",), *SWITCH_ON, ("close",)]


def fault(command, journaled, least):
    """A fault of the simulator: not connected, no box, connected again once it is gone."""
    return [("send", command), ("disconnected",), ("journal", journaled, least, 10), ("alive",),
            ("send", "normal"), ("connected",)]


def main_window(dpi):
    """No simulator: the faces and colours, a grey button's click changes nothing, Info swaps the
    clock for the information frame and back, the ChronoLog window closes by its close box and the
    main window then takes clicks (24 Hr lights); the default settings file at closing."""
    steps = [("start",), ("lamps", {5: "red"}), ("size", 5175, 2655),
             ("faces", {0: "grey", 1: "grey", 2: "red", 3: "grey", 4: "grey", 5: "red"}), ("see", *LOOK_OFF)]
    if dpi == 96:
        steps += [("picture", "main-window", MAIN), ("at", 442, 2407, False), ("see", TOOL_TIP)]
    return dict(dpi=dpi, steps=steps + [
        ("click", 0), ("click", 5), ("lamps", {5: "green"}), ("faces", {0: "grey", 5: "green"}),
        ("caption", "Horavia (OFF)"), ("see", *LOOK_INFO),
        *([LOG_LINK, ("window", LOG_WINDOW), ("close", "Horavia ChronoLog"), ("gone", LOG_WINDOW)] if dpi == 96 else []),
        ("click", 2), ("faces", {2: "green", 5: "green"}),
        ("click", 5), ("faces", {5: "red"}), ("see", area(*CLOCK, "00FF00", 20)),
        *CLOSES, ("file", "Horavia.ini", DEFAULT_INI), ("notemp",)])


SIM_DATE = (2200, 1560)  # in the simulator date label
SESSION_ENDED = [("count", "^write 0x3380 ", 0), ("entries", crlf(HEADER, OLD + "Gusty"), 1),
                 ("file", "Horavia.ini", crlf("SYNC_INTERVAL=1", "LOG_SECOND_MIN=1", "SM_TIMEOUT_RETRY=40"))]


CASES = {
    "main_96": main_window(96),
    "main_144": main_window(144),
    # A note typed against the newest entry, the one before marked for
    # deletion (Alt+D), Exit with Enter: the line that is no entry stays.
    "chronolog": dict(files={"Horavia.log": crlf(HEADER, FIRST, "by hand", MARKED, OLD)}, steps=[
        ("start",), *INFO, LOG_LINK, ("window", LOG_WINDOW), ("picture", "chronolog-window", LOG_WINDOW),
        ("keys", LOG_WINDOW, "Tab"), ("type", "Clear skies"),
        ("keys", LOG_WINDOW, "shift+Tab", "Up", "alt+d", "Return"),
        ("gone", LOG_WINDOW), ("file", "Horavia.log", crlf(HEADER, FIRST, "by hand", OLD + "Clear skies")),
        ("click", 5), ("lamps", {5: "red"}), *CLOSES]),
    # A Start hot key of CTRL+A and a sync interval of 5, by keyboard from
    # OK along the tab order; the file is written at closing only.
    "settings": dict(steps=[
        ("start",), *INFO, SETTINGS_LINK, ("window", SETTINGS),
        ("see", SETTINGS, area(4080, 1440, 855, 330, "00FF00", 10, tolerance=0)),
        ("picture", "settings-dialog", SETTINGS),
        ("keys", SETTINGS, "Tab", "Tab", "A", "Tab", "space", *["Tab"] * 8, "Home", "5", "Return"),
        ("gone", SETTINGS), ("file", "Horavia.ini", None), *CLOSES,
        ("file", "Horavia.ini", crlf("SYNC_INTERVAL=5", "LOG_SECOND_MIN=60", "START_HK=65", "START_HKCS=1",
                                     "SM_TIMEOUT_RETRY=40"))]),
    # Windows code page 65001, as for Hindi (India): Start sets the PC's
    # time, and the switch-OFF logs a long date in UTF-8 and sends its text.
    "utf8_code_page": dict(
        files={"Horavia.ini": crlf("SYNC_INTERVAL=1", "LOG_SECOND_MIN=1")}, standin=(),
        env={"LC_ALL": "", "LANG": os.environ.get("HORAVIA_UTF8_LANG", "hi_IN.UTF-8"),
             "LOCPATH": os.environ.get("HORAVIA_UTF8_LOCPATH", os.path.join(os.environ["HORAVIA_BUILD"], "locale"))},
        steps=[("locale",), ("send", "drift 7200"), *ON, ("clock",), *SWITCH_OFF, ("journal", OFF_TEXT, 1, 10),
               ("entries", crlf(HEADER), 1), ("utf8_date",), ("nobox",), *CLOSES]),
    # A simulator that takes a written second as 0: Horavia's start sets it
    # once, learns it from the read-back, sets it right at the next full
    # minute (within a sync interval of it), and then leaves it alone. The
    # start comes at a second of 8 or more, so that the second lost is more
    # than the 5 s the sync rules let pass, and early enough in the minute
    # for the read-back to come before its end.
    "zeroed_seconds": dict(files={"Horavia.ini": crlf("SYNC_INTERVAL=5", "LOG_SECOND_MIN=60")},
                           standin=("--zero-seconds",), steps=[
        ("send", "drift 7200"), ("start",), ("connected",), ("pc_second", 8, 45), ("click", 0),
        ("caption", "Horavia (ON)"), ("journal", "^write 0x0238 ", 1), ("count", "^write 0x0238 ", 1),
        ("full_minute", 5), ("journal", "^write 0x0238 ", 2, 5), ("count", "^write 0x0238 ", 2), ("clock",),
        ("quiet", "^write 0x0238 ", 40), *CLOSES]),
    # The pilot moves the simulator's date while ON (after Start, a sync
    # cycle every second): Horavia follows it and writes nothing, where it
    # once wrote the time back at every cycle; the zone is read each cycle.
    "date_moved": dict(files={"Horavia.ini": FAST_INI}, standin=(), steps=[
        *ON, ("send", "set date 10 2027"), ("journal", "^read 0x0246 ", 8, 20), ("count", "^write 0x0238 ", 0),
        *CLOSES]),
    # The pilot runs the simulator at 4x after Start: nothing is written for
    # 10 s, and the sim clock's tool tip says why; back at 1x, one correction
    # sets it to the PC's time, and it is left alone then.
    "simulation_rate": dict(files={"Horavia.ini": FAST_INI}, standin=(), steps=[
        ("start",), ("connected",), ("click", 0), ("caption", "Horavia (ON)"), ("journal", "^write 0x0238 ", 1),
        ("send", "rate 4x"), ("quiet", "^write 0x0238 ", 10), ("at", 967, 1567, False), ("see", RATE_TIP),
        ("picture", "accelerated-tooltip", MAIN, True),
        ("send", "rate 1x"), ("journal", "^write 0x0238 ", 1, 5), ("clock",), ("quiet", "^write 0x0238 ", 5),
        *CLOSES]),
    # Windows ends the session while ON with the ChronoLog window open and a
    # note typed: the note, then the period's entry, the settings in the
    # program's order, no box, no OFF text; a later close adds nothing.
    "end_session": dict(files={"Horavia.ini": crlf("LOG_SECOND_MIN=1", "SYNC_INTERVAL=1"), "Horavia.log": OLD_LOG},
                        standin=(), steps=[
        *ON, *INFO, LOG_LINK, ("window", LOG_WINDOW), ("keys", LOG_WINDOW, "Tab"), ("type", "Gusty"),
        ("text", "Horavia ChronoLog", "Gusty"), ("endsession",), ("nobox",), *SESSION_ENDED, ("gone", LOG_WINDOW),
        *CLOSES, *SESSION_ENDED]),
    # Both files read-only: the settings are read (a sync every second); a
    # switch-OFF is told and goes on; closing asks for both periods, No, and
    # tells the settings; both files keep every byte.
    "read_only": dict(files={"Horavia.ini": USER_INI, "Horavia.log": OLD_LOG}, standin=(), steps=[
        ("readonly", "Horavia.ini", "Horavia.log"), ("start",), ("connected",), ("nobox",), ("mark",),
        ("journal", "^read 0x0238 ", 3, 10), *HELD_TWICE, ("box", log_asked(2), "no"), ("box", INI_TOLD), ("exits",),
        ("file", "Horavia.ini", USER_INI), ("file", "Horavia.log", OLD_LOG),
        ("readonly_kept", "Horavia.ini", "Horavia.log"), ("notemp",)]),
    # Held by another program at start-up: defaults, silently; free again
    # at closing, the file is not replaced by them, and the user is told.
    "ini_held_at_start": dict(files={"Horavia.ini": USER_INI}, steps=[
        ("lock", "Horavia.ini"), ("start",), ("nobox",), ("unlock",), ("close",), ("box", INI_UNREAD), ("exits",),
        ("file", "Horavia.ini", USER_INI)]),
    # The log held across a switch-OFF and the closing: the question lists
    # both periods; the holder lets go, and Yes logs them as listed.
    "log_held": dict(files={"Horavia.ini": FAST_INI, "Horavia.log": OLD_LOG}, standin=(), steps=[
        ("start",), ("connected",), ("nobox",), ("lock", "Horavia.log"), *HELD_TWICE,
        ("box", log_asked(2), "yes", "unlock"), ("exits",), ("flights", OLD_LOG, 2),
        ("file", "Horavia.ini", FAST_INI)]),
    # A simulator that hangs while ON (one exchange gives up after 2 sends
    # of 2 s and a pause of 0.1 s, plus up to a sync interval), rejects,
    # spoils the block, and vanishes while it holds a message: each time
    # Horavia switches OFF (logging the period) or shows the not-connected
    # state, without a box, and connects again once the fault is gone.
    "link_faults": dict(files={"Horavia.ini": FAST_INI}, standin=(), steps=[
        *ON, ("send", "hang"), ("caption", "Horavia (OFF)", 40), ("elapsed", 3500, 6100), ("disconnected",),
        ("journal", "^hang$"), ("entries", crlf(HEADER), 1), ("alive",), ("send", "answer"), ("connected",),
        ("caption", "Horavia (OFF)"), *fault("reject", "^answer 0 rejected$", 5),
        *fault("garbage token", "^garbage token$", 3),
        *SWITCH_ON, ("send", "hang"), ("journal", "^hang$", 1, 10), ("kill",), ("caption", "Horavia (OFF)", 15),
        ("disconnected",), ("entries", crlf(HEADER), 2), ("alive",), ("standin",), ("connected",),
        *CLOSES, ("file", "Horavia.ini", FAST_INI), ("entries", crlf(HEADER), 2, 3), ("notemp",)]),
    # Why not connected, in the date label's tip: a window that answers as no
    # FSUIPC does, then one that hangs (one send of 2 s an attempt).
    "not_connected": dict(files={"Horavia.ini": crlf("SM_TIMEOUT_RETRY=0")}, standin=(), steps=[
        ("send", "badversion"), ("journal", "^cmd badversion$"), ("start",), ("disconnected",),
        ("tip", "^The simulator's window does not answer as FSUIPC does: install a current FSUIPC", *SIM_DATE),
        ("send", "hang"), ("tip", "^The simulator's window does not answer: it is still loading, or it hangs", *SIM_DATE),
        ("picture", "not-connected-tooltip", MAIN, True), ("send", "version 19980005 FADE000C"), ("send", "normal"),
        ("connected",), *CLOSES]),
    # Started before the simulator with /start: ON within 1 s of the handshake, with the Start write.
    "start_option": dict(files={"Horavia.ini": FAST_INI}, steps=[
        ("start", "/start"), ("disconnected",), ("standin",), ("journal", "^read 0x3308 "),
        ("caption", "Horavia (ON)", 1), ("journal", "^write 0x0238 1 "), ("lamps", {0: "green", 1: "grey"}), *CLOSES]),
}
