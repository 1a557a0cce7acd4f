#!/usr/bin/env python3
"""Plays the demo installation under Xvfb with xdotool, as a child would, and
measures it: launch to the sign-in screen painted, against a bare Qt window
that paints the same picture (the floor), each screen change, the GUI time to
open a song, idle CPU and wake-ups, and peak memory. Builds given together are
run in turns, so that the machine's load falls on all of them alike. Started
by scripts/perf.sh.

The game marks what it shows and paints into the file named by TARVOLIN_TRACE
(see src/platform/Trace.h); a screen change is the time from the input that
caused it to the first paint of the new screen.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import wave

TIMEOUT = 15.0  # seconds to wait for a screen before the run is given up
CPU_UNTIL_PAINT = "  CPU ms used until then (all threads)"


class RunFailed(Exception):
    pass


# ------------------------------------------------------------------ the trace


class Trace:
    def __init__(self, path):
        self.path = path
        self.lines = []
        self.read_to = 0

    def poll(self):
        with open(self.path, "rb") as f:
            f.seek(self.read_to)
            data = f.read()
        end = data.rfind(b"\n") + 1
        self.read_to += end
        for line in data[:end].decode().splitlines():
            # A screen's name may hold a blank (a message box's).
            t, what, rest = line.split(" ", 2)
            name, cpu = rest.rsplit(" ", 1)
            self.lines.append((int(t), what, name, int(cpu)))

    def mark(self):
        self.poll()
        return len(self.lines)

    def wait_paint(self, screen, since, game):
        """Index of the first paint of `screen` after line `since`."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            self.poll()
            for i in range(since, len(self.lines)):
                if self.lines[i][1] == "paint" and self.lines[i][2] == screen:
                    return i
            if game.poll() is not None:
                raise RunFailed(f"the game ended while waiting for {screen}")
            time.sleep(0.02)
        raise RunFailed(f"{screen} was not painted within {TIMEOUT:.0f} s")

    def wait_show(self, screens, since, game, timeout):
        """The first screen of `screens` shown after line `since`, or None."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.poll()
            for _, what, name, _ in self.lines[since:]:
                if what == "show" and name in screens:
                    return name
            if game.poll() is not None:
                raise RunFailed("the game ended")
            time.sleep(0.02)
        return None

    def wait_silence(self, game, timeout=20.0):
        """Until the sound device rests (the game marks when it plays and rests)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.poll()
            sounds = [name for _, what, name, _ in self.lines if what == "sound"]
            if not sounds or sounds[-1] == "resting":
                return
            if game.poll() is not None:
                raise RunFailed("the game ended")
            time.sleep(0.05)
        raise RunFailed(f"the sound did not rest within {timeout:.0f} s")

    def playing_ns(self, start, end):
        """Nanoseconds of [start, end) during which the game marked its sound
        device playing."""
        self.poll()
        playing, since, total = False, start, 0
        for t, what, name, _ in self.lines:
            if what != "sound":
                continue
            if t >= end:
                break
            if t > start:
                if playing:
                    total += t - since
                since = t
            playing = name == "playing"
        if playing:
            total += end - since
        return total

    def open_ms(self, since):
        """The GUI thread's time of the last file a media player opened after
        line `since` (from its "open" mark to its "opened" one)."""
        self.poll()
        for i in range(len(self.lines) - 1, since - 1, -1):
            if self.lines[i][1] == "opened":
                starts = [j for j in range(since, i) if self.lines[j][1] == "open"]
                if starts:
                    return (self.lines[i][0] - self.lines[starts[-1]][0]) / 1e6
        return None  # a build that does not mark it

    def change_ms(self, paint_index):
        """From the last input before the painted screen's show to its paint:
        the wall time, and the CPU time the process used meanwhile (every
        thread; what the machine's load does not change)."""
        t_paint, _, screen, cpu_paint = self.lines[paint_index]
        show = max(i for i in range(paint_index) if self.lines[i][1] == "show" and self.lines[i][2] == screen)
        inputs = [i for i in range(show) if self.lines[i][1] == "input"]
        if not inputs:
            raise RunFailed(f"no input before {screen} was shown")
        t_input, _, _, cpu_input = self.lines[inputs[-1]]
        return (t_paint - t_input) / 1e6, (cpu_paint - cpu_input) / 1e6


# ------------------------------------------------------------------ /proc


def cpu_ns(pid):
    """CPU nanoseconds of each thread so far, by thread id: the scheduler's
    count where the kernel keeps one, else clock ticks."""
    times = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                times[tid] = int(f.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that just ended
        except (IndexError, ValueError, OSError):
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            times[tid] = (int(fields[11]) + int(fields[12])) * 1_000_000_000 // os.sysconf("SC_CLK_TCK")
    return times


def switches(pid):
    """Voluntary and involuntary context switches of each thread so far, by
    thread id: each is a wake-up or a preemption."""
    counts = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                counts[tid] = sum(int(line.split()[1]) for line in f
                                  if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")))
        except FileNotFoundError:
            pass  # a thread that just ended
    return counts


def growth(before, after):
    """What the threads added between two readings; a thread started
    meanwhile counts whole, one that ended meanwhile is lost."""
    return sum(v - before.get(tid, 0) for tid, v in after.items())


def status_kib(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def idle(pid, seconds, trace):
    """CPU in % of one core and wake-ups per second over `seconds`, for the
    whole window and for the parts of it the game marked silent and sound
    playing: {phase: (cpu %, wake-ups/s, seconds)}. The threads are read every
    tenth of a second and each reading's growth is shared between the phases
    by how long each lasted in it."""
    c0, s0, t0 = cpu_ns(pid), switches(pid), time.monotonic_ns()
    totals = {"silent": [0, 0, 0], "sound playing": [0, 0, 0]}
    c_prev, s_prev, t_prev = c0, s0, t0
    end = t0 + int(seconds * 1e9)
    while t_prev < end:
        time.sleep(min(0.1, (end - t_prev) / 1e9))
        c1, s1, t1 = cpu_ns(pid), switches(pid), time.monotonic_ns()
        cpu, woke = growth(c_prev, c1), growth(s_prev, s1)
        playing = trace.playing_ns(t_prev, t1)
        for phase, share in (("silent", t1 - t_prev - playing), ("sound playing", playing)):
            f = share / max(1, t1 - t_prev)
            totals[phase][0] += cpu * f
            totals[phase][1] += woke * f
            totals[phase][2] += share
        c_prev, s_prev, t_prev = c1, s1, t1
    totals["whole"] = [growth(c0, c_prev), growth(s0, s_prev), t_prev - t0]
    return {phase: (100.0 * cpu / ns, woke / (ns / 1e9), ns / 1e9)
            for phase, (cpu, woke, ns) in totals.items() if ns > 0}


# ------------------------------------------------------------------ driving


class Screen:
    """Game coordinates (640 x 480) to display coordinates, as the stage
    places and scales the screens."""

    def __init__(self, width, height, display):
        self.scale = max(1, min(width // 640, height // 480))
        self.left = (width - 640 * self.scale) // 2
        self.top = (height - 480 * self.scale) // 2
        self.env = dict(os.environ, DISPLAY=display)

    def click(self, x, y):
        sx, sy = self.left + x * self.scale, self.top + y * self.scale
        subprocess.run(["xdotool", "mousemove", str(sx), str(sy), "click", "1"], env=self.env, check=True)


# Where the demo's controls are, in game coordinates (screen left/top + the
# control's own place + half its size).
LOGIN = ((640 - 253) // 2, (480 - 136) // 2)
LOGIN_FIRST_PLAYER = (LOGIN[0] + 8 + 40, LOGIN[1] + 24 + 7)
LOGIN_OK = (LOGIN[0] + 198 + 18, LOGIN[1] + 11 + 18)
MENU_START = (587 + 26, 8 + 20)
MENU_SONGS = (584 + 26, 132 + 26)
MENU_FIRST_SONG = (68 + 40, 160 + 12)
MENU_SONGS_BACK = (556 + 36, 380 + 44)
MENU_EXIT = (584 + 26, 435 + 20)
MENU_ALPHABET = (584 + 26, 52 + 20)
MENU_TOP_TEN = (584 + 26, 92 + 18)
MENU_DICTIONARY = (588 + 24, 236 + 24)
MENU_SECOND_SONG = (68 + 38, 186 + 12)
SCREEN_BACK = (586 + 18, 425 + 18)  # the alphabet's, the dictionary's and the best players' way back
SONG_PLAY = (392 + 18, 108 + 16)
SONG_BACK = (556 + 36, 380 + 42)
PLACE_EXERCISES = (584 + 18, 40 + 18)
PLACE_DIALOGUES = (587 + 18, 89 + 18)
PLACE_TO_MENU = (586 + 18, 425 + 18)
PLACE_START_TO_PARK = (8 + 50, 37 + 350)
NEXT_EXERCISE = {"TCw5Form": (587 + 18, 211 + 18)}
NEXT_EXERCISE_DEFAULT = (590 + 18, 167 + 18)
END_EXERCISE = {"TCw5Form": (587 + 18, 434 + 18), "TCw2Form": (587 + 18, 434 + 18), "TCw3Form": (587 + 18, 434 + 18)}
END_EXERCISE_DEFAULT = (587 + 18, 436 + 18)
EXERCISE_SCREENS = {"TCw1Form", "TCw2Form", "TCw3Form", "TCw5Form", "TCw7Form", "TLilieForm"}


class Session:
    """One run of the game from launch to exit, collecting figures."""

    def __init__(self, binary, demo, data_root, screen, work, idle_s, song_kinds):
        self.binary, self.demo, self.screen, self.work, self.idle_s = binary, demo, screen, work, idle_s
        self.data_root = data_root
        self.song_kinds = song_kinds
        self.figures = {}  # name -> list of values (a change may happen more than once)

    def add(self, name, value):
        if isinstance(value, tuple):  # a screen change: wall and CPU time
            self.add(name, value[0])
            self.add(f"  CPU ms of {name}", value[1])
            return
        self.figures.setdefault(name, []).append(value)

    def start(self):
        program = os.path.join(self.work, "program")
        shutil.copytree(os.path.join(self.demo, "program"), program, symlinks=True)
        home = os.path.join(self.work, "home")
        os.makedirs(home, exist_ok=True)
        self.trace = Trace(os.path.join(self.work, "trace"))
        open(self.trace.path, "w").close()
        env = dict(self.screen.env, TARVOLIN_TRACE=self.trace.path, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_CACHE_HOME=os.path.join(home, "cache"))
        cmd = [self.binary, "--program-dir", program, "--data-root", self.data_root]
        self.log = open(os.path.join(self.work, "stderr"), "w")
        t0 = time.monotonic_ns()
        self.game = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=self.log)
        return t0

    def click_to(self, where, screen):
        since = self.trace.mark()
        self.screen.click(*where)
        return self.trace.change_ms(self.trace.wait_paint(screen, since, self.game))

    def exercises(self, first, label):
        """Through an exercise list with the next arrow, then back to the place."""
        current = first
        while True:
            since = self.trace.mark()
            self.screen.click(*NEXT_EXERCISE.get(current, NEXT_EXERCISE_DEFAULT))
            following = self.trace.wait_show(EXERCISE_SCREENS, since, self.game, 1.5)
            if following is None:
                break
            ms = self.trace.change_ms(self.trace.wait_paint(following, since, self.game))
            self.add(f"{label} {short(current)} -> {short(following)}", ms)
            current = following
            time.sleep(0.3)
        self.click_to(END_EXERCISE.get(current, END_EXERCISE_DEFAULT), "TMainForm")
        time.sleep(0.3)

    def play(self):
        t0 = self.start()
        try:
            painted = self.trace.wait_paint("TLoginForm", 0, self.game)
            self.add("launch -> sign-in painted", (self.trace.lines[painted][0] - t0) / 1e6)
            # Every thread's CPU time so far: what the machine's load does not change.
            self.add(CPU_UNTIL_PAINT, self.trace.lines[painted][3] / 1e6)
            self.measure_idle("sign-in")
            self.screen.click(*LOGIN_FIRST_PLAYER)
            time.sleep(0.2)
            self.add("sign-in -> menu", self.click_to(LOGIN_OK, "TMenuStart"))
            self.measure_idle("menu")  # the menu's idle show plays its clips meanwhile
            self.add("menu -> place", self.click_to(MENU_START, "TMainForm"))
            time.sleep(0.5)
            self.measure_idle("place with sprites")
            self.add("place -> TCw1Form", self.click_to(PLACE_EXERCISES, "TCw1Form"))
            self.exercises("TCw1Form", "exercise")
            self.add("place -> TCw5Form", self.click_to(PLACE_DIALOGUES, "TCw5Form"))
            self.exercises("TCw5Form", "exercise")
            # The park's list holds the kinds the town's does not.
            self.screen.click(*PLACE_START_TO_PARK)
            time.sleep(2.5)
            self.add("place -> TCw1Form", self.click_to(PLACE_EXERCISES, "TCw1Form"))
            self.exercises("TCw1Form", "exercise")
            self.screen.click(*PLACE_TO_MENU)  # back to the town first
            time.sleep(2.5)
            self.add("place -> menu", self.click_to(PLACE_TO_MENU, "TMenuStart"))
            time.sleep(0.3)
            for where, screen in ((MENU_ALPHABET, "TAlfabetForm"), (MENU_DICTIONARY, "TSlownikForm"),
                                  (MENU_TOP_TEN, "TTopTenForm")):
                self.add(f"menu -> {short(screen)}", self.click_to(where, screen))
                time.sleep(0.5)
                # The menu stays shown beneath these: closing them shows nothing new to time.
                self.screen.click(*SCREEN_BACK)
                time.sleep(0.5)
            self.screen.click(*MENU_SONGS)
            time.sleep(0.5)
            # The first song is a wave file libsndfile reads; with --long-media the
            # second is one only FFmpeg reads.
            for where, kind in ((MENU_FIRST_SONG, self.song_kinds[0]), (MENU_SECOND_SONG, self.song_kinds[1])):
                since = self.trace.mark()
                self.add(f"menu -> song ({kind})", self.click_to(where, "Tcw6form"))
                opened = self.trace.open_ms(since)
                if opened is not None:
                    self.add(f"song opens: GUI ms ({kind})", opened)
                self.screen.click(*SONG_PLAY)
                time.sleep(4)
                self.screen.click(*SONG_BACK)
                time.sleep(0.5)
            self.add("peak memory MiB", status_kib(self.game.pid, "VmHWM") / 1024)
            with open(f"/proc/{self.game.pid}/maps") as maps:
                self.add("FFmpeg module loaded (0/1)", int("tarvolin-ffmpeg" in maps.read()))
            self.screen.click(*MENU_SONGS_BACK)
            time.sleep(0.3)
            self.screen.click(*MENU_EXIT)
            self.game.wait(TIMEOUT)
        finally:
            self.stop()
        return self.figures

    def measure_idle(self, where):
        if self.idle_s <= 0:
            return
        # What a screen change set going settles first: a voice that greets the
        # child plays to its end, since idle means nothing playing.
        self.trace.wait_silence(self.game)
        time.sleep(1.0)
        phases = idle(self.game.pid, self.idle_s, self.trace)
        whole = phases["whole"]
        self.add(f"idle CPU % ({where})", whole[0])
        self.add(f"wake-ups/s ({where})", whole[1])
        # The menu's idle show plays sound most of the time, and a playing
        # device wakes its thread once a buffer: each phase on its own too.
        for phase in ("silent", "sound playing"):
            if phase in phases and phases[phase][2] >= 1.0:
                self.add(f"idle CPU % ({where}, {phase})", phases[phase][0])
                self.add(f"wake-ups/s ({where}, {phase})", phases[phase][1])
        playing_s = phases.get("sound playing", (0, 0, 0))[2]
        self.add(f"idle: % of the time with sound playing ({where})", 100.0 * playing_s / whole[2])

    def stop(self):
        if self.game.poll() is None:
            self.game.send_signal(signal.SIGTERM)
            try:
                self.game.wait(5)
            except subprocess.TimeoutExpired:
                self.game.kill()
                self.game.wait()
        self.log.close()


def bare_window(binary, demo, screen, work):
    """Launch to first paint of the bare Qt window (the floor): wall and CPU ms."""
    os.makedirs(work, exist_ok=True)
    trace = Trace(os.path.join(work, "trace"))
    open(trace.path, "w").close()
    env = dict(screen.env, TARVOLIN_TRACE=trace.path)
    t0 = time.monotonic_ns()
    game = subprocess.Popen([binary, os.path.join(demo, "program"), str(screen.scale)], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        painted = trace.wait_paint("TBareWindow", 0, game)
        t, _, _, cpu = trace.lines[painted]
        return (t - t0) / 1e6, cpu / 1e6
    finally:
        game.kill()
        game.wait()


def with_floor(figures, bare_ms, bare_cpu):
    """The session's figures with the floor's, and the ratios to it, after its first paint."""
    first, first_cpu = figures["launch -> sign-in painted"][0], figures[CPU_UNTIL_PAINT][0]
    out = {}
    for name, values in figures.items():
        out[name] = values
        if name == CPU_UNTIL_PAINT:
            out["bare Qt window: launch -> painted"] = [bare_ms]
            out["  CPU ms of the bare window"] = [bare_cpu]
            out["first paint / bare window (ratio)"] = [first / bare_ms]
            out["first paint CPU / bare window's (ratio)"] = [first_cpu / bare_cpu]
    return out


def short(screen):
    return screen[1:].replace("Form", "").replace("form", "") if screen.startswith("T") else screen


# ------------------------------------------------------------------ report

def cell(values):
    if not values:
        return "-"
    med = statistics.median(values)
    # The 90th percentile, nearest rank.
    p90 = sorted(values)[max(0, -(-9 * len(values) // 10) - 1)]
    digits = 1 if max(values) >= 10 else 2
    return f"{med:.{digits}f} / {p90:.{digits}f} ({min(values):.{digits}f}-{max(values):.{digits}f})"


def report(labels, results, runs):
    # Rows in the order a session meets them, the idle figures and memory last.
    names = list(dict.fromkeys(n for r in results.values() for n in r))
    names.sort(key=lambda n: ("idle" in n, "wake" in n, "memory" in n))
    if not names:
        print("\nNo run finished.")
        return
    width = max(len(n) for n in names) + 2
    col = max(34, max(len(l) for l in labels) + 2)
    print(f"\nMedian / 90th percentile (min-max) of {runs} runs; times in ms\n")
    print("".ljust(width) + "".join(l.ljust(col) for l in labels))
    for n in names:
        print(n.ljust(width) + "".join(cell(results[l].get(n, [])).ljust(col) for l in labels))


# ------------------------------------------------------------------ long media


def loop_avi(path, seconds):
    """Makes an uncompressed AVI last `seconds` by repeating its frames."""
    data = open(path, "rb").read()
    at, chunks, head = 12, [], None
    while at + 8 <= len(data):
        cid, size = data[at:at + 4], int.from_bytes(data[at + 4:at + 8], "little")
        if cid == b"LIST" and data[at + 8:at + 12] == b"movi":
            head = data[:at]
            inner, end = at + 12, at + 8 + size
            while inner + 8 <= end:
                isize = int.from_bytes(data[inner + 4:inner + 8], "little")
                if data[inner + 2:inner + 4] in (b"db", b"dc"):
                    chunks.append(data[inner:inner + 8 + isize + (isize & 1)])
                inner += 8 + isize + (isize & 1)
            break
        at += 8 + size + (size & 1)
    strh = head.find(b"strh")
    scale, rate = (int.from_bytes(head[strh + 8 + o:strh + 12 + o], "little") for o in (20, 24))
    count = int(seconds * rate / scale)
    head = bytearray(head)
    head[strh + 40:strh + 44] = count.to_bytes(4, "little")
    movi, idx1 = [b"movi"], []
    at = 4  # index offsets count from the list's type
    for i in range(count):
        chunk = chunks[i % len(chunks)]
        idx1.append(chunk[:4] + (0x10).to_bytes(4, "little") + at.to_bytes(4, "little") + chunk[4:8])
        movi.append(chunk)
        at += len(chunk)
    movi, idx1 = b"".join(movi), b"".join(idx1)
    body = (bytes(head[12:]) + b"LIST" + len(movi).to_bytes(4, "little") + movi + b"idx1" +
            len(idx1).to_bytes(4, "little") + idx1)
    with open(path, "wb") as f:
        f.write(b"RIFF" + (len(body) + 4).to_bytes(4, "little") + b"AVI " + body)


def loop_wave(source, path, seconds):
    """Writes `source` (a PCM wave file) repeated for `seconds` to `path`."""
    with wave.open(source, "rb") as w:
        params, frames = w.getparams(), w.readframes(w.getnframes())
    need = int(seconds * params.framerate) * params.sampwidth * params.nchannels
    with wave.open(path, "wb") as w:
        w.setparams(params)
        w.writeframes((frames * (need // len(frames) + 1))[:need])


def long_media(demo, work):
    """The demo's media with the menu's four clips two minutes long and the
    first two songs three, the second in a codec only FFmpeg reads: long
    files must cost no more memory, and open no slower, than short ones."""
    cd = os.path.join(work, "long-cd")
    shutil.copytree(os.path.join(demo, "cd"), cd)
    for name in ("Swinka", "Piesek", "papuga", "wehikul"):
        loop_avi(os.path.join(cd, "gfx", "avi", name + ".avi"), 120)
    # The songs are ADPCM, which Python's wave module does not write.
    songs = os.path.join(cd, "music", "songs")
    loop_wave(os.path.join(cd, "music", "M1.wav"), os.path.join(songs, "song_1.wav"), 180)
    # Yamaha ADPCM: a codec libsndfile does not read, so FFmpeg decodes it.
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-i", os.path.join(songs, "song_1.wav"),
                    "-c:a", "adpcm_yamaha", os.path.join(songs, "song_2.wav")], check=True)
    return cd


# ------------------------------------------------------------------ main


def binary_of(path):
    return os.path.join(path, "tarvolin") if os.path.isdir(path) else path


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--runs", type=int, default=10)
    # The menu's idle show takes about 35 s to come round.
    ap.add_argument("--idle", type=float, default=40.0, help="seconds of each idle measurement (0: none)")
    ap.add_argument("--display", default=":65")
    ap.add_argument("--screen", default="1280x1024", help="the virtual display's size")
    ap.add_argument("--demo", required=True, help="the demo installation (with program/ and cd/)")
    ap.add_argument("--keep", action="store_true", help="keep the runs' folders (traces, stderr)")
    ap.add_argument("--bare", help="the bare window program (default: bare_window beside the first build)")
    ap.add_argument("--long-media", action="store_true",
                    help="play with the menu's clips two minutes long and the first two songs three, "
                         "the second in a codec only FFmpeg reads")
    ap.add_argument("builds", nargs="+", help="build directories or game binaries")
    args = ap.parse_args()

    width, height = (int(v) for v in args.screen.split("x"))
    xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    work = tempfile.mkdtemp(prefix="tarvolin-perf-")
    labels = ["/".join(os.path.normpath(os.path.abspath(b)).split("/")[-2:]) for b in args.builds]
    if len(set(labels)) < len(labels):
        labels = [f"{i + 1}: {l}" for i, l in enumerate(labels)]
    results = {l: {} for l in labels}
    failures = 0
    try:
        time.sleep(1.0)
        if xvfb.poll() is not None:
            sys.exit(f"perf: Xvfb could not start on {args.display}")
        screen = Screen(width, height, args.display)
        data_root = long_media(args.demo, work) if args.long_media else os.path.join(args.demo, "cd")
        song_kinds = ("3 min PCM", "3 min FFmpeg-only") if args.long_media else ("ADPCM", "ADPCM")
        floor = args.bare or os.path.join(os.path.dirname(binary_of(args.builds[0])), "bare_window")
        for run in range(args.runs):
            for build, label in zip(args.builds, labels):
                run_dir = os.path.join(work, f"{run + 1}-{labels.index(label) + 1}")
                session = Session(binary_of(build), args.demo, data_root, screen, run_dir, args.idle, song_kinds)
                try:
                    # The floor right before each session, under the same load.
                    bare_ms, bare_cpu = bare_window(floor, args.demo, screen, run_dir + "-bare")
                    figures = with_floor(session.play(), bare_ms, bare_cpu)
                    for name, values in figures.items():
                        results[label].setdefault(name, []).extend(values)
                    print(f"run {run + 1}/{args.runs} {label}: launch {figures['launch -> sign-in painted'][0]:.0f} ms",
                          file=sys.stderr)
                except RunFailed as e:
                    failures += 1
                    print(f"run {run + 1}/{args.runs} {label} failed: {e} (see {run_dir})", file=sys.stderr)
                    args.keep = True
    finally:
        xvfb.terminate()
        xvfb.wait()
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print(f"runs kept in {work}", file=sys.stderr)
    report(labels, results, args.runs)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
