#!/usr/bin/env python3
"""Horavia's end-to-end cases: the real Horavia.exe under Wine on an X
display, each case in a program folder of its own, driven and watched from
outside (xdotool, screenshots, its files, the stand-in's journal).

    run.py [CASE...]     every case of cases.py, or those named
    run.py --without CASE    every case but that one

Each case prints "PASS name" or "FAIL name: step N (...): why". The
environment comes from `./horavia e2e` or `./horavia test`:
HORAVIA_PROGRAM_DIR, HORAVIA_BUILD, HORAVIA_UTF8_LANG, HORAVIA_UTF8_LOCPATH,
DISPLAY and WINEPREFIX; Wine's own complaints go to HORAVIA_E2E_WINE_LOG
(wine.log), so that two runs on two displays and prefixes can go side by
side. Nothing sleeps for a fixed time: every wait polls its condition until
a deadline.
"""
import os
import re
import shutil
import subprocess
import sys
import time

from cases import CASES, FACES, MAIN

WINE = "/usr/lib/wine/wine64"
BUILD = os.environ["HORAVIA_BUILD"]
ARTIFACTS = os.path.join(BUILD, "e2e")
STANDIN = os.path.join(BUILD, "mingw/tools/simstandin/simstandin.exe")
HELPER = os.path.join(BUILD, "mingw/tests/win32/tools/e2ehelper.exe")
LAMPS = {"2B2B00": "grey", "FF0000": "red"}


class Failed(Exception):
    pass


def wait(condition, seconds, why):
    """True once condition() is; Failed(why()) when the deadline passes first."""
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise Failed(why())
        time.sleep(0.05)


def settle(seconds, check):
    """Runs check() until it raises no Failed; its last complaint once the deadline passes."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            return check()
        except Failed:
            if time.monotonic() > deadline:
                raise
        time.sleep(0.05)


def complain(said):
    if said:
        raise Failed("; ".join(said))


def out(*args):
    return subprocess.run(args, capture_output=True, text=True, check=False, timeout=20).stdout


def window(pattern):
    found = out("xdotool", "search", "--onlyvisible", "--name", pattern).split()
    return found[0] if found else None


def origin(pattern):
    """The client area's place and size; with no window manager Wine draws no frame."""
    win = window(pattern)
    if win is None:
        raise Failed(f"no window {pattern}")
    shell = dict(line.split("=") for line in out("xdotool", "getwindowgeometry", "--shell", win).split())
    return [int(shell[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")]


def middle(cell, face, want):
    """The middle one of the screen pixels of a stretched face that show face pixel `want`."""
    shown = [p for p in range(cell) if (2 * p + 1) * face // (2 * cell) == want]
    return (shown[0] + shown[-1]) // 2


class Helper:
    """e2ehelper.exe, for the whole run: one command line, one answer line."""

    def __init__(self):
        with open(os.path.join(ARTIFACTS, os.environ.get("HORAVIA_E2E_WINE_LOG", "wine.log")), "ab") as log:  # Wine's own complaints, the desktop's among them
            self.proc = subprocess.Popen([WINE, HELPER], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         stderr=log, text=True, encoding="utf-8")

    def __call__(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        return self.proc.stdout.readline().rstrip("\n").split("\t")


class Shot:
    """The screen's pixels, as RGB bytes."""

    def __init__(self):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                             capture_output=True, check=True, timeout=20).stdout
        _, size, _, self.rgb = ppm.split(b"\n", 3)
        self.width = int(size.split()[0])

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i:i + 3].hex().upper()

    def count(self, x, y, w, h, colour, tolerance):
        want = bytes.fromhex(colour)
        starts = (3 * (row * self.width + column) for row in range(y, y + h) for column in range(x, x + w))
        return sum(1 for i in starts if max(abs(a - b) for a, b in zip(self.rgb[i:i + 3], want)) <= tolerance)


class Case:
    """One case's run: its folder, its processes, and the verbs of its steps."""

    def __init__(self, name, helper, files=(), standin=None, env=None, dpi=96, steps=()):
        self.name, self.helper, self.dpi = name, helper, dpi
        self.steps = ([("standin", *standin)] if standin is not None else []) + list(steps)
        self.dir = os.path.join(ARTIFACTS, name)
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.copytree(os.environ["HORAVIA_PROGRAM_DIR"], self.dir)
        for file, content in dict(files).items():
            with open(os.path.join(self.dir, file), "wb") as f:
                f.write(content)
        self.env = {k: v for k, v in os.environ.items() if k != "HORAVIA_DPI"}
        self.env.update(env or {})
        if dpi != 96:
            self.env["HORAVIA_DPI"] = str(dpi)
        self.horavia = self.standin = self.main = None
        self.wine_log = open(self.path("wine.log"), "ab")  # pylint: disable=consider-using-with
        self.mark, self.acted, self.box, self.standins = 0, time.monotonic(), "", 0

    def run(self):
        started = time.monotonic()
        try:
            for number, step in enumerate(self.steps, 1):
                try:
                    getattr(self, "do_" + step[0])(*step[1:])
                except Exception as failure:  # pylint: disable=broad-except
                    subprocess.run(["import", "-window", "root", self.path("failure.png")], check=False, timeout=20)
                    why = str(failure).replace("\n", " ")
                    return f"FAIL {self.name}: step {number} {str(step)[:90]}: {why} (see {self.dir})"
            return f"PASS {self.name} ({time.monotonic() - started:.1f} s)"
        finally:
            self.end()

    def end(self):
        self.helper("unlock")  # whatever the case left held
        for proc in (self.horavia, self.standin):
            if proc is not None and proc.poll() is None:
                proc.kill()
                proc.wait()
        self.wine_log.close()

    # ---- Helpers of the verbs
    def path(self, file):
        return os.path.join(self.dir, file)

    def read(self, file):
        with open(self.path(file), "rb") as f:
            return f.read()

    def px(self, twips):
        return (twips * self.dpi + 720) // 1440

    def act(self):
        self.mark, self.acted = len(self.journal()), time.monotonic()

    def journal(self):
        if self.standin is None:
            return []
        with open(self.journal_path, encoding="utf-8", errors="replace") as f:
            return f.read().replace("\r", "").splitlines()

    def since(self, pattern):
        return [line for line in self.journal()[self.mark:] if re.search(pattern, line)]

    def caption(self):
        win = window(MAIN)
        return out("xdotool", "getwindowname", win).strip() if win else "(no window)"

    def folder(self):
        return re.escape("Z:" + self.dir.replace("/", "\\"))

    def face_pixel(self, button, column, row):
        x, y, _, _ = self.main
        left, top = self.px(240 + 840 * button), self.px(2280)
        return (x + left + middle(self.px(240 + 840 * button + 405) - left, 27, column),
                y + top + middle(self.px(2280 + 255) - top, 17, row))

    def lamp(self, shot, button):
        if shot.at(*self.face_pixel(button, 13, 8)) == "00FF00":
            return "green"
        return LAMPS.get(shot.at(*self.face_pixel(button, 11, 7)), "unknown")

    def watch(self, seconds, check):
        """Fresh screenshots until check(shot) gives no complaint."""
        settle(seconds, lambda: complain(check(Shot())))

    def entries(self, prefix=b""):
        """The log's entry lines after `prefix` (ten columns, the note empty), as columns."""
        if not os.path.isfile(self.path("Horavia.log")):
            raise Failed("no Horavia.log")
        log = self.read("Horavia.log")
        if not log.startswith(prefix):
            raise Failed(f"the log does not begin with its old bytes: {log[:300]!r}")
        lines = log[len(prefix):].decode("utf-8", "replace").split("\r\n")
        rows = [line.split("\t") for line in lines[:-1]]
        if lines[-1] or any(len(r) != 10 or r[9] for r in rows):
            raise Failed(f"not only entries after the old lines: {lines!r}")
        return rows

    # ---- Processes
    def do_standin(self, *options):
        """A (new) stand-in with those options, its journal in the case's folder; ready."""
        self.standins += 1
        self.journal_path = self.path(f"standin{self.standins}.journal")
        with open(self.journal_path, "wb") as journal:
            self.standin = subprocess.Popen([WINE, STANDIN, *options], stdin=subprocess.PIPE,
                                            stdout=journal, stderr=self.wine_log)
        self.mark = 0
        wait(lambda: self.since("^ready "), 60, lambda: "the stand-in never said ready")

    def do_send(self, command):
        self.act()
        self.standin.stdin.write(command.encode() + b"\n")
        self.standin.stdin.flush()

    def do_kill(self):
        self.standin.kill()
        self.standin.wait()
        self.act()

    def do_start(self, *options):
        self.act()
        self.horavia = subprocess.Popen([WINE, self.path("Horavia.exe"), *options], env=self.env,
                                        stdout=self.wine_log, stderr=self.wine_log)
        wait(lambda: window(MAIN), 60, lambda: f"no main window in 60 s; box: {self.helper('text Horavia')}")
        self.main = origin(MAIN)

    def ask(self, command, why):
        answer = self.helper(command)
        if answer != ["0"]:
            raise Failed(f"{why}: {answer}")

    def do_close(self, title=None):
        self.act()
        self.ask(f"close {title or self.caption()}", f"no window {title or self.caption()} to close")

    def do_exits(self):
        wait(lambda: self.horavia.poll() is not None, 30,
             lambda: f"still running 30 s later; box: {self.helper('text Horavia')}")

    def do_alive(self):
        if self.horavia.poll() is not None or not window(MAIN):
            raise Failed("Horavia.exe ended or lost its window")
        self.do_nobox()

    def do_lock(self, file):
        self.ask("lock Z:" + self.path(file).replace("/", "\\"), "the file could not be held")

    def do_unlock(self):
        self.ask("unlock", "the file was not let go")

    def do_readonly(self, *files):
        for file in files:
            os.chmod(self.path(file), 0o444)

    def do_endsession(self):
        self.act()
        self.ask(f"endsession {self.caption()}", "the end of the session was not allowed and taken in time")

    # ---- Mouse and keyboard
    def do_click(self, button):
        """A click in the middle of image button 0 Start .. 5 Info."""
        self.do_at(240 + 840 * button + 202, 2280 + 127)

    def do_at(self, x, y, click=True):
        """A click (or just the pointer) at a place of the main window given in twips."""
        self.act()
        subprocess.run(["xdotool", "mousemove", str(self.main[0] + self.px(x)), str(self.main[1] + self.px(y)),
                        *(["click", "1"] if click else [])], check=True, timeout=20)

    def do_keys(self, title, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", window(title)], check=True, timeout=20)
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True, timeout=20)

    def do_type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True, timeout=20)

    # ---- What is seen
    def do_window(self, title):
        wait(lambda: window(title), 20, lambda: f"no window {title}")

    def do_gone(self, title):
        wait(lambda: not window(title), 20, lambda: f"{title} still open")

    def do_caption(self, want, seconds=10):
        wait(lambda: self.caption() == want, seconds, lambda: f"the caption is {self.caption()}")

    def do_text(self, title, want):
        wait(lambda: want in self.helper(f"text {title}"), 20, lambda: f"{title} holds {self.helper(f'text {title}')}")

    def do_nobox(self):
        if window("^Horavia$"):
            raise Failed(f"a box says: {self.helper('text Horavia')}")

    def do_box(self, pattern, answer="ok", before=None):
        """A "Horavia" box comes up saying that, Horavia waits; then `before`, then the answer."""
        self.do_window("^Horavia$")
        box, pattern = window("^Horavia$"), pattern.replace("{folder}", self.folder())
        self.box = self.helper("text Horavia")
        if not any(re.search(pattern, text) for text in self.box[1:]):
            raise Failed(f"the box says: {self.box}")
        if self.horavia.poll() is not None:
            raise Failed("Horavia.exe ended under its box")
        if before:
            getattr(self, "do_" + before)()
        self.ask("close Horavia" if answer == "ok" else f"{answer} Horavia", f"no {answer} in the box")
        self.act()
        wait(lambda: box not in out("xdotool", "search", "--onlyvisible", "--name", ".").split(), 20,
             lambda: "the box did not close")

    def do_lamps(self, want, seconds=20):
        self.watch(seconds, lambda shot: [f"button {b} {self.lamp(shot, b)}, not {c}"
                                          for b, c in want.items() if self.lamp(shot, b) != c])

    def do_connected(self):
        wait(lambda: self.since("^read 0x0238 "), 20, lambda: "the time was never read")
        self.watch(10, lambda shot: [] if self.lamp(shot, 0) == "green" or self.lamp(shot, 1) == "red"
                   else ["buttons 0 and 1 show no connection"])

    def do_disconnected(self, seconds=10):
        self.do_lamps({0: "grey", 1: "grey"}, seconds)

    def do_faces(self, faces):
        """Every listed pixel of those buttons' faces (grey, red or green)."""
        def wrong(shot):
            return [f"button {b} ({c},{r}) {shot.at(*self.face_pixel(b, c, r))}, not {colour}"
                    for b, face in faces.items() for c, r, colour in FACES[face]
                    if shot.at(*self.face_pixel(b, c, r)) != colour]
        self.watch(10, wrong)

    def do_see(self, *regions):
        """Regions of a window, as cases.area() gives them, hold as many pixels of their colour as they should."""
        title, regions = (regions[0], regions[1:]) if isinstance(regions[0], str) else (MAIN, regions)

        def wrong(shot):
            x, y, _, _ = origin(title)
            said = []
            for left, top, width, height, colour, least, most, tolerance in regions:
                n = shot.count(x + self.px(left), y + self.px(top), self.px(left + width) - self.px(left),
                               self.px(top + height) - self.px(top), colour, tolerance)
                if n < least or (most is not None and n > most):
                    said.append(f"{n} pixels of {colour} at {left},{top}")
            return said
        self.watch(20, wrong)

    def do_size(self, width, height):
        """The client area at the DPI, grey to its last pixel, the black screen right after it."""
        x, y, w, h = origin(MAIN)
        if (w, h) != (self.px(width), self.px(height)):
            raise Failed(f"the client area is {w}x{h}")
        self.watch(10, lambda shot: [] if shot.at(x + w - 1, y + h - 1) == "808080" != shot.at(x + w, y + h)
                   else ["the last pixel is not grey, or the next one is"])

    def tips(self):
        """The main window's tool tips showing now, as (x, y, width, height, text)."""
        fields = self.helper(f"tips {self.caption()}")[1:]
        return [(*map(int, fields[i].split(",")), fields[i + 1]) for i in range(0, len(fields) - 1, 2)]

    def do_tip(self, pattern, x, y, seconds=40):
        """The pointer comes to that place (twips) and rests until a tool tip shows text matching. It
        comes from the Info button, once that button's tip shows: a tip shows only for a pointer that
        comes, and Windows merges moves that Horavia takes late (a simulator that does not answer
        holds it)."""
        deadline, seen = time.monotonic() + seconds, [[]]

        def showing(want):
            seen[0] = self.tips()
            return any(re.search(want, tip[4]) for tip in seen[0])
        while True:
            self.do_at(240 + 840 * 5 + 202, 2280 + 127, False)
            wait(lambda: showing("^Help!$"), 20, lambda: f"no tip of the Info button: {seen[0]}")
            self.do_at(x, y, False)
            try:
                return wait(lambda: showing(pattern), 10, lambda: f"the tips showing: {seen[0]}")
            except Failed:
                if time.monotonic() > deadline:
                    raise

    def do_picture(self, name, title, with_tips=False):
        x, y, w, h = origin(title)
        for tx, ty, tw, th, _ in self.tips() if with_tips else []:  # the window and its tips, together
            w, h = max(x + w, tx + tw) - min(x, tx), max(y + h, ty + th) - min(y, ty)
            x, y = min(x, tx), min(y, ty)
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                        os.path.join(ARTIFACTS, name + ".png")], check=True, timeout=20)

    # ---- The stand-in's journal
    do_mark = act

    def do_journal(self, pattern, least=1, seconds=15):
        wait(lambda: len(self.since(pattern)) >= least, seconds,
             lambda: f"{len(self.since(pattern))} lines {pattern} since the last action")

    def do_elapsed(self, least, most):
        took = (time.monotonic() - self.acted) * 1000
        if not least <= took <= most:
            raise Failed(f"{took:.0f} ms since the last action")

    def do_count(self, pattern, want):
        lines = self.since(pattern)
        if len(lines) != want:
            raise Failed(f"{len(lines)} lines {pattern} since the last action, not {want}: {lines[:3]}")

    def do_quiet(self, pattern, seconds):
        """Nothing matching in the journal for that long (it would show at once)."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.do_count(pattern, 0)
            time.sleep(0.2)

    def do_pc_second(self, least, most):
        wait(lambda: least <= time.localtime().tm_sec <= most, 60, lambda: "the PC's second never came")

    def do_full_minute(self, later):
        """`later` seconds past the first full minute of the PC clock after the last action."""
        acted = time.time() - (time.monotonic() - self.acted)
        due = (int(acted) // 60 + 1) * 60 + later
        wait(lambda: time.time() >= due, due - time.time() + 5, lambda: "the PC clock stood still")

    def do_clock(self):
        """The stand-in's local clock within 2 s of the PC's."""
        self.do_send("state")
        self.do_journal("^state local ")
        hms = self.since("^state local ")[0].split()[2]
        now = time.localtime()
        distance = abs(sum(int(p) * f for p, f in zip(hms.split(":"), (3600, 60, 1)))
                       - (now.tm_hour * 3600 + now.tm_min * 60 + now.tm_sec)) % 86400
        if min(distance, 86400 - distance) > 2:
            raise Failed(f"the stand-in says {hms}, the PC {time.strftime('%H:%M:%S', now)}")

    # ---- Files
    def do_file(self, file, want):
        """The file holds those bytes; with None, there is no such file."""
        there = self.read(file) if os.path.exists(self.path(file)) else None
        if there != want:
            raise Failed(f"{file} is {there!r}")

    def do_notemp(self):
        if [f for f in os.listdir(self.dir) if f.lower().endswith(".tmp")]:
            raise Failed(f"temporary files left: {os.listdir(self.dir)}")

    def do_readonly_kept(self, *files):
        if any(os.stat(self.path(f)).st_mode & 0o222 for f in files):
            raise Failed("a file lost its read-only attribute")

    def do_entries(self, prefix, count, lines=None):
        def check():
            rows, total = self.entries(prefix), self.read("Horavia.log").count(b"\r\n")
            if len(rows) != count or lines not in (None, total):
                raise Failed(f"{len(rows)} entries, {total} lines")
        settle(10, check)

    def do_flights(self, prefix, count):
        """The log holds, after its old lines, the flights the last box listed, in that order."""
        flight = r"\s*([^();]+?) (\d\d:\d\d:\d\d [AP]M) \(Flight ([\d:]+), Ground ([\d:]+), Total ([\d:]+)\)"
        listed = re.findall(flight, re.sub(r"^.*Not in the log yet: (the flight of |\d+ flights, )", "", self.box[1]))
        logged = [(r[0], r[2], r[3], r[5], r[7]) for r in self.entries(prefix)]
        if len(listed) != count or logged != listed:
            raise Failed(f"the box listed {listed}, the log holds {logged}")

    def do_utf8_date(self):
        """The last entry's long date is valid UTF-8 beyond ASCII."""
        date = self.read("Horavia.log").split(b"\r\n")[-2].split(b"\t")[0]
        if date.isascii() or "\ufffd" in date.decode("utf-8", "replace"):
            raise Failed(f"the long date {date!r} is plain ASCII or not UTF-8")

    def do_locale(self):
        charmap = subprocess.run(["locale", "charmap"], env={**self.env, "LC_ALL": self.env["LANG"]},
                                 capture_output=True, text=True, check=False).stdout.strip()
        if charmap != "UTF-8":
            raise Failed(f"no glibc locale {self.env['LANG']} in {self.env['LOCPATH']} (./horavia e2e makes it)")


def main(names):
    without = names[1:2] if names[:1] == ["--without"] else []
    names = names[2:] if without else names
    unknown = set(names + without) - set(CASES)
    if unknown:
        sys.exit(f"no such case: {' '.join(sorted(unknown))}; the cases: {' '.join(CASES)}")
    os.makedirs(ARTIFACTS, exist_ok=True)
    helper = Helper()
    failed = False
    for name, case in CASES.items():
        if (names and name not in names) or name in without:
            continue
        line = Case(name, helper, **case).run()
        print(line, flush=True)
        failed |= line.startswith("FAIL")
    helper.proc.stdin.close()
    helper.proc.wait()
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main(sys.argv[1:])
