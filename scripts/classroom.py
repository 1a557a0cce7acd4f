#!/usr/bin/env python3
"""A whole class on one installation: N games started at once on one program
directory, each creating a player and earning points at the same moment.

Each game gets a 640 x 480 window of its own on one large virtual display
(no window manager; each game is given the keyboard before its child types).
The children act in rounds, every game taking the same step within a moment
of the others: "Nowy użytkownik", a name and Enter; the town; its dialogues;
the gap dialogue's three answers, the last of which finishes it and saves.
Then the display is taken away, as a crashed X server or a dropped remote
session would, and every game must save and end. The script then checks the
shared login folder: every child on the list once, every point in every
child's file, and no message box in any game's output.

With --sshfs the program directory is the same folder mounted through sshfs
from an OpenSSH server on this machine (its own configuration, keys and port
in the work folder), which caches and locks less than a local disk.
"""

import argparse
import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import perf  # noqa: E402
from perf import LOGIN, MENU_START, NEXT_EXERCISE, PLACE_DIALOGUES, RunFailed, Trace  # noqa: E402

# Thirty games starting at once on two cores take longer than one.
perf.TIMEOUT = 180.0

NEW_PLAYER = (LOGIN[0] + 194 + 20, LOGIN[1] + 48 + 16)
NEW_LOGIN_EDIT = ((640 - 393) // 2 + 16 + 100, (480 - 136) // 2 + 40 + 10)
# The town's gap dialogue (\town\luki.fc9): one answer per exchange.
ANSWERS = ["you", "My", "Poland"]
ANSWER_PAUSE_S = 1.2 + 0.6  # the screen's pause after a right answer, and some
TEACHER = "Pani"
# A new player's file and one finished gap dialogue on a first try.
EXPECTED_RESULT = ("DIAC=", "\\town\\luki.fc9", 1, 2)
WAIT_S = 240


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


class Display:
    def __init__(self, display, cols, rows):
        self.display = display
        self.env = dict(os.environ, DISPLAY=display)
        self.server = subprocess.Popen(
            ["Xvfb", display, "-screen", "0", f"{cols * 640}x{rows * 480}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if subprocess.run(["xdotool", "getmouselocation"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.1)
        raise RunFailed(f"Xvfb {display} did not start")

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, stdout=subprocess.PIPE,
                              text=True).stdout

    def close(self):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait(10)


class Game:
    def __init__(self, index, binary, program, data_root, work, screen, cols):
        self.index = index
        self.name = f"Dziecko{index + 1:02d}"
        self.left, self.top = (index % cols) * 640, (index // cols) * 480
        self.screen = screen
        folder = os.path.join(work, f"game{index + 1:02d}")
        os.makedirs(folder)
        self.trace = Trace(os.path.join(folder, "trace"))
        open(self.trace.path, "w").close()
        self.stderr_path = os.path.join(folder, "stderr")
        env = dict(screen.env, TARVOLIN_TRACE=self.trace.path, SDL_AUDIODRIVER="dummy",
                   XDG_CONFIG_HOME=os.path.join(folder, "config"), XDG_DATA_HOME=os.path.join(folder, "data"),
                   XDG_CACHE_HOME=os.path.join(folder, "cache"), XDG_RUNTIME_DIR=os.path.join(folder, "run"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        cmd = [binary, "--program-dir", program, "--data-root", data_root, "--window", "--scale", "1"]
        with open(self.stderr_path, "w") as log:
            self.process = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=log)

    def wait_paint(self, screen, since=0):
        return self.trace.wait_paint(screen, since, self.process)

    def place_window(self):
        # The stage is the game's one top-level window of 640 x 480.
        for wid in self.screen.xdotool("search", "--sync", "--onlyvisible", "--pid", str(self.process.pid)).split():
            if self.screen.xdotool("getwindowgeometry", wid).split("Geometry: ")[1].startswith("640x480"):
                self.screen.xdotool("windowmove", wid, str(self.left), str(self.top))
                self.window = wid
                return
        raise RunFailed(f"{self.name}: no window")

    def click(self, where):
        self.screen.xdotool("mousemove", str(self.left + where[0]), str(self.top + where[1]), "click", "1")

    # The game asks for the keyboard when its screens show, so with no window
    # manager each child's keys go where the focus is put first.
    def type(self, where, text):
        self.screen.xdotool("mousemove", str(self.left + where[0]), str(self.top + where[1]),
                            "windowfocus", "--sync", self.window, "type", "--delay", "15", text)

    def key(self, where, key):
        self.screen.xdotool("mousemove", str(self.left + where[0]), str(self.top + where[1]),
                            "windowfocus", "--sync", self.window, "key", key)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def player_file(name, date):
    lines = [f"{name}={date}=211=150=320=Woman=", "CDR=120", "AD1=430", "C6B=210", "KWS=350", "OMB=180",
             "LST=980", "CWA=230"]
    return "".join(line + "\r\n" for line in lines).encode("cp1250")


def read_player(path):
    with open(path, "rb") as f:
        lines = f.read().decode("cp1250").split("\r\n")
    header = lines[0].split("=")
    results = [tuple(line.split("#")[:4]) for line in lines[8:] if line.strip()]
    return {"visits": int(header[2][2:]), "red": int(header[3][2:]), "green": int(header[4][2:]),
            "results": [(k, f, int(d), int(p)) for k, f, d, p in results]}


class SshMount:
    """The folder `source` mounted at `target` over sshfs from an sshd of our own."""

    def __init__(self, work, source, target, port):
        self.target = target
        ssh = os.path.join(work, "ssh")
        os.makedirs(ssh)
        run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", os.path.join(ssh, "host_key")])
        run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", os.path.join(ssh, "client_key")])
        shutil.copy(os.path.join(ssh, "client_key.pub"), os.path.join(ssh, "authorized_keys"))
        config = os.path.join(ssh, "sshd_config")
        with open(config, "w") as f:
            f.write(f"Port {port}\nListenAddress 127.0.0.1\nHostKey {ssh}/host_key\n"
                    f"AuthorizedKeysFile {ssh}/authorized_keys\nPidFile {ssh}/sshd.pid\n"
                    "PasswordAuthentication no\nKbdInteractiveAuthentication no\nUsePAM no\nStrictModes no\n"
                    "PermitRootLogin prohibit-password\nSubsystem sftp internal-sftp\n")
        os.makedirs("/run/sshd", exist_ok=True)  # its privilege separation folder
        self.sshd = subprocess.Popen(["/usr/sbin/sshd", "-D", "-e", "-f", config],
                                     stdout=subprocess.DEVNULL, stderr=open(os.path.join(ssh, "sshd.log"), "w"))
        time.sleep(0.5)
        os.makedirs(target)
        user = os.environ.get("USER") or subprocess.run(["id", "-un"], stdout=subprocess.PIPE, text=True).stdout.strip()
        run(["sshfs", f"{user}@127.0.0.1:{source}", target, "-p", str(port),
             "-o", f"IdentityFile={ssh}/client_key", "-o", "StrictHostKeyChecking=no",
             "-o", "UserKnownHostsFile=/dev/null", "-o", "LogLevel=ERROR"])

    def close(self):
        subprocess.run(["fusermount", "-u", self.target], stderr=subprocess.DEVNULL)
        if self.sshd.poll() is None:
            self.sshd.terminate()
            self.sshd.wait(10)


def in_rounds(games, step):
    t0 = time.monotonic()
    for g in games:
        step(g)
    return time.monotonic() - t0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("games", type=int)
    ap.add_argument("--binary", required=True)
    ap.add_argument("--demo", required=True, help="the demo installation (with program/ and cd/)")
    ap.add_argument("--display", default=":66")
    ap.add_argument("--sshfs", action="store_true", help="play from the folder mounted through sshfs")
    ap.add_argument("--port", type=int, default=2222, help="the sshd's port with --sshfs")
    ap.add_argument("--keep", action="store_true", help="keep the work folder (traces, stderr)")
    a = ap.parse_args()
    a.binary, a.demo = os.path.abspath(a.binary), os.path.abspath(a.demo)

    n = a.games
    cols = min(n, 6)
    rows = math.ceil(n / cols)
    work = tempfile.mkdtemp(prefix="tarvolin-classroom-")
    shared = os.path.join(work, "program")
    shutil.copytree(os.path.join(a.demo, "program"), shared, symlinks=True)
    login = os.path.join(shared, "login")
    shutil.rmtree(login, ignore_errors=True)
    os.makedirs(login)
    # The teacher's player, so every game opens on the sign-in screen whoever comes first.
    with open(os.path.join(login, "_Lista_Logowania.txt"), "wb") as f:
        f.write(f"{TEACHER}\r\n".encode())
    with open(os.path.join(login, f"{TEACHER}.txt"), "wb") as f:
        f.write(player_file(TEACHER, "2026-01-05"))

    mount = None
    screen = None
    games = []
    failures = []
    try:
        program = shared
        if a.sshfs:
            mount = SshMount(work, shared, os.path.join(work, "mnt"), a.port)
            program = os.path.join(work, "mnt")
        screen = Display(a.display, cols, rows)
        t0 = time.monotonic()
        games = [Game(i, a.binary, program, os.path.join(a.demo, "cd"), work, screen, cols) for i in range(n)]
        for g in games:
            g.wait_paint("TLoginForm")
        started = time.monotonic() - t0
        for g in games:
            g.place_window()

        # Every child asks for a new player, types a name; then all press Enter at once.
        marks = {}
        for g in games:
            marks[g] = g.trace.mark()
            g.click(NEW_PLAYER)
        for g in games:
            g.wait_paint("TNewLoginForm", marks[g])
            g.type(NEW_LOGIN_EDIT, g.name)
        for g in games:
            marks[g] = g.trace.mark()
        enters = in_rounds(games, lambda g: g.key(NEW_LOGIN_EDIT, "Return"))
        t1 = time.monotonic()
        for g in games:
            g.wait_paint("TMenuStart", marks[g])
        created = time.monotonic() - t1

        # To the town and its dialogues; the gap dialogue is the list's second entry.
        for step, screen_name in ((MENU_START, "TMainForm"), (PLACE_DIALOGUES, "TCw5Form")):
            for g in games:
                marks[g] = g.trace.mark()
                g.click(step)
            for g in games:
                g.wait_paint(screen_name, marks[g])
            time.sleep(1.0)
        in_rounds(games, lambda g: g.click(NEXT_EXERCISE["TCw5Form"]))
        time.sleep(2.0)
        answer_at = (320, 240)  # the answer box has the focus; the pointer only chooses the window
        last = 0.0
        for k, answer in enumerate(ANSWERS):
            in_rounds(games, lambda g: g.type(answer_at, answer))
            last = in_rounds(games, lambda g: g.key(answer_at, "Return"))
            time.sleep(ANSWER_PAUSE_S if k + 1 < len(ANSWERS) else 3.0)

        cpu = sorted(cpu_seconds(g.process.pid) for g in games)
        # The display goes away: every game must save and end by itself.
        screen.close()
        t2 = time.monotonic()
        for g in games:
            try:
                g.process.wait(WAIT_S)
            except subprocess.TimeoutExpired:
                failures.append(f"{g.name}: still running {WAIT_S} s after the display went away")
                g.process.kill()
        ended = time.monotonic() - t2

        # What the shared folder holds now (read on the server's side).
        with open(os.path.join(login, "_Lista_Logowania.txt"), "rb") as f:
            listed = [line for line in f.read().decode("cp1250").split("\r\n") if line]
        want = [TEACHER] + [g.name for g in games]
        if sorted(listed) != sorted(want):
            missing = sorted(set(want) - set(listed))
            failures.append(f"list: {len(listed)} names for {len(want)}; missing {missing}; "
                            f"twice {sorted({x for x in listed if listed.count(x) > 1})}")
        kept = 0
        for g in games:
            path = os.path.join(login, f"{g.name}.txt")
            if not os.path.exists(path):
                failures.append(f"{g.name}: no player file")
                continue
            p = read_player(path)
            if p["green"] == 2 and p["red"] == 1 and p["results"] == [EXPECTED_RESULT]:
                kept += 1
            else:
                failures.append(f"{g.name}: {p}")
        boxes = 0
        for g in games:
            with open(g.stderr_path, encoding="utf-8", errors="replace") as f:
                for line in f:
                    if line.startswith("tarvolin: "):
                        boxes += 1
                        failures.append(f"{g.name}: {line.strip()}")
        leftovers = [e for e in os.listdir(login) if not e.endswith(".txt") and e != ".tarvolin.lock"]

        where = "sshfs mount" if a.sshfs else "local folder"
        print(f"classroom: {n} games on one program directory ({where})")
        print(f"  started, sign-in painted in all:      {started:6.1f} s")
        print(f"  {n} Enter presses spread over:          {enters:6.2f} s")
        print(f"  until every menu was painted:          {created:6.2f} s")
        print(f"  {n} final answers spread over:          {last:6.2f} s")
        print(f"  display gone -> every game ended:      {ended:6.2f} s")
        print(f"  CPU per game until then, median (max): {cpu[len(cpu) // 2]:6.2f} s ({cpu[-1]:.2f} s)")
        print(f"  children on the list:                  {len([x for x in want[1:] if x in listed])}/{n}")
        print(f"  children with every point kept:        {kept}/{n}")
        print(f"  message boxes (any game):              {boxes}")
        print(f"  files left in login/ besides players:  {leftovers or 'none'}")
        for line in failures:
            print(f"  FAULT {line}")
        print("classroom: " + ("ok" if not failures else f"{len(failures)} faults"))
        return 0 if not failures else 1
    finally:
        for g in games:
            if g.process.poll() is None:
                g.process.kill()
        if screen:
            screen.close()
        if mount:
            mount.close()
        if a.keep:
            print(f"classroom: work folder kept in {work}")
        else:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except RunFailed as e:
        print(f"classroom: {e}", file=sys.stderr)
        sys.exit(1)
