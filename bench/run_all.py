#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs every benchmark and harness in a built bench directory and prints the figures as a table.

    python3 bench/run_all.py BUILD/bench [--quick]

Medians over several runs throughout. Wall-clock figures are disturbed by whatever else runs on
the machine, so the load is printed with them; instruction counts (callgrind) are not.
"""
import json
import os
import re
import signal
import statistics
import subprocess
import sys
import time

BIN = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench")
QUICK = "--quick" in sys.argv
REPS = 3 if QUICK else 5
results = {}


def note(msg):
    print(msg, file=sys.stderr, flush=True)


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def busy_processes():
    """Other processes using the CPU right now (what else was running)."""
    out = subprocess.run(["ps", "-eo", "pcpu,comm", "--sort=-pcpu", "--no-headers"],
                         capture_output=True, text=True).stdout.splitlines()
    return [l.strip() for l in out[:7] if float(l.split()[0]) >= 5.0 and l.split()[1] != "ps"]


def gbench(exe, env=None, extra=()):
    out = subprocess.run([exe, "--benchmark_format=json", f"--benchmark_repetitions={REPS}",
                          "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.3", *extra],
                         capture_output=True, text=True, env={**os.environ, **(env or {})}, check=True)
    return {b["run_name"]: b for b in json.loads(out.stdout)["benchmarks"] if b.get("aggregate_name") == "median"}


# --- 1. The runtime model ----------------------------------------------------------------------
def core():
    note("core: ticks and keys through the runtime model")
    med = gbench(f"{BIN}/bench_core")
    rows = {}
    for name, b in med.items():
        rows[name] = {"ns_per_event": 1e9 / b["items_per_second"]}
    # Instructions per tick, by difference of two run lengths (start-up cancels out).
    for level in (1, 2, 3):
        counts = []
        for ms in (2000, 12000):
            p = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                                f"{BIN}/bench_core", "--count", str(level), str(ms)],
                               capture_output=True, text=True)
            ir = int(re.search(r"Collected : (\d+)", p.stderr).group(1))
            ticks = int(re.search(r"(\d+) ticks", p.stdout).group(1))
            counts.append((ir, ticks))
        (i1, t1), (i2, t2) = counts
        rows[f"BM_LevelTicks/level:{level}"]["instr_per_tick"] = (i2 - i1) / (t2 - t1)
    results["core"] = rows


# --- 2. Painting ---------------------------------------------------------------------------------
def paint():
    rows = {}
    for scale in ("1", "2"):
        note(f"paint: offscreen at scale {scale}")
        med = gbench(f"{BIN}/bench_paint", env={"QT_QPA_PLATFORM": "offscreen", "QT_SCALE_FACTOR": scale})
        for name, b in med.items():
            rows.setdefault(name, {})[f"us_scale{scale}"] = b["real_time"]
    results["paint"] = rows
    if not QUICK:
        # Instructions per paint and per frame, by difference of two run lengths: free of the noise.
        for what, screen in (("paint", "Title"), ("paint", "Game3"), ("frame", "Game1"), ("frame", "Game2"),
                             ("frame", "Game3")):
            for scale in ("1", "2"):
                note(f"paint: instructions per {what} of {screen} at scale {scale} (callgrind)")
                irs = []
                for n in (10, 60):
                    p = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                                        f"{BIN}/bench_paint", "--count", what, screen, str(n)],
                                       capture_output=True, text=True,
                                       env={**os.environ, "QT_QPA_PLATFORM": "offscreen", "QT_SCALE_FACTOR": scale})
                    irs.append(int(re.search(r"Collected : (\d+)", p.stderr).group(1)))
                key = f"{'BM_Paint' if what == 'paint' else 'BM_Frame'}/{screen}"
                rows[key][f"instr_scale{scale}"] = (irs[1] - irs[0]) / 50
    audit = subprocess.run([f"{BIN}/bench_paint", "--audit", "5000"], capture_output=True, text=True,
                           env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}).stdout
    results["audit"] = audit


# --- X server ------------------------------------------------------------------------------------
class Xvfb:
    def __enter__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"], pass_fds=(w,), stderr=subprocess.DEVNULL)
        os.close(w)
        with os.fdopen(r) as f:
            self.display = ":" + f.readline().strip()
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        self.proc.wait()


def settle():
    """Lets the machine settle before the next run: the kernel tearing down the last process and
    the X server freeing its windows would otherwise slow whichever program starts next, and by
    more after a bigger one, flattering the ratios (bare window 60-75 ms back to back, 31-36 ms
    settled)."""
    time.sleep(0.25)


def first_paint(exe, args, env):
    """ms from launch to the end of the first paint, and the peak RSS (kB) up to then."""
    settle()
    env = {**os.environ, **env, "MIRAVEL_BENCH_EXIT_ON_FIRST_PAINT": "1"}
    env["MIRAVEL_BENCH_T0"] = str(time.monotonic_ns())
    p = subprocess.Popen([exe, *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    out = p.stdout.read().decode()
    _, status, usage = os.wait4(p.pid, 0)
    p.returncode = status
    m = re.search(r"first_paint_ms ([\d.]+)", out)
    if not m:
        raise RuntimeError(f"{exe}: no first paint reported")
    return float(m.group(1)), usage.ru_maxrss


# --- 3. Start-up and memory against a bare window --------------------------------------------------
def startup(display):
    runs = 10 if QUICK else 30
    rows = {}
    for platform, env in (("offscreen", {"QT_QPA_PLATFORM": "offscreen"}),
                          ("xcb (Xvfb)", {"QT_QPA_PLATFORM": "xcb", "DISPLAY": display})):
        note(f"start-up: {runs} alternating runs each on {platform}")
        bare, text, game = [], [], []
        for _ in range(runs):  # alternating, so a disturbance hits all alike
            bare.append(first_paint(f"{BIN}/bare_window", [], env))
            text.append(first_paint(f"{BIN}/bare_window", ["text"], env))
            game.append(first_paint(f"{BIN}/bench_harness", ["startup"], env))
        med = lambda xs, i: statistics.median(x[i] for x in xs)
        rows[platform] = {"bare_ms": med(bare, 0), "text_ms": med(text, 0), "game_ms": med(game, 0),
                          "bare_rss_kb": med(bare, 1), "text_rss_kb": med(text, 1), "game_rss_kb": med(game, 1)}
    results["startup"] = rows


def hwm_after(cmd, env, hold_s):
    """Peak resident memory (VmHWM, kB) of a process run for hold_s seconds, then ended."""
    settle()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env={**os.environ, **env})
    time.sleep(hold_s)
    with open(f"/proc/{p.pid}/status") as f:
        hwm = int(re.search(r"VmHWM:\s+(\d+)", f.read()).group(1))
    p.send_signal(signal.SIGTERM)
    p.wait()
    return hwm


def memory(display):
    runs = 3 if QUICK else 7
    note(f"memory: the game binary and both reference windows, {runs} alternating runs of 2 s on Xvfb")
    env = {"QT_QPA_PLATFORM": "xcb", "DISPLAY": display}
    game_exe = os.path.join(os.path.dirname(BIN), "app", "miravel-vozoda")
    bare, text, game = [], [], []
    for _ in range(runs):
        bare.append(hwm_after([f"{BIN}/bare_window"], env, 2.0))
        text.append(hwm_after([f"{BIN}/bare_window", "text"], env, 2.0))
        game.append(hwm_after([game_exe], env, 2.0))
    results["memory"] = {"bare_kb": statistics.median(bare), "text_kb": statistics.median(text),
                         "game_kb": statistics.median(game)}


# --- 4. Playing cost and timer accuracy -------------------------------------------------------------
def play(xvfb):
    runs = 2 if QUICK else 3
    secs = "5" if QUICK else "10"
    rows, bare = [], []
    parse = lambda out: dict((k, float(v)) for k, v in re.findall(r"^(\w+) ([-\d.]+)$", out, re.M))
    env = {**os.environ, "QT_QPA_PLATFORM": "xcb", "DISPLAY": xvfb.display, "MIRAVEL_BENCH_XPID": str(xvfb.proc.pid)}
    for i in range(runs):  # alternating with the bare window ticking at the same rate: the machine's floor
        note(f"play: Difficult level for {secs} s on Xvfb, and the bare window ticking, run {i + 1} of {runs}")
        vals = parse(subprocess.run([f"{BIN}/bench_harness", "play", secs], capture_output=True, text=True,
                                    env=env).stdout)
        if vals.get("level_alive") != 1:
            raise RuntimeError("the level ended during the play run")
        rows.append(vals)
        bare.append(parse(subprocess.run([f"{BIN}/bare_window", "play", secs], capture_output=True, text=True,
                                         env=env).stdout))
    results["play"] = {k: statistics.median(r[k] for r in rows) for k in rows[0]}
    results["play_bare"] = {k: statistics.median(r[k] for r in bare) for k in bare[0]}


# --- 5. The idle title, with and without a pad ----------------------------------------------------
def idle(xvfb):
    runs = 2 if QUICK else 3
    secs = "10" if QUICK else "20"
    parse = lambda out: dict((k, float(v)) for k, v in re.findall(r"^(\w+) ([-\d.]+)$", out, re.M))
    env = {**os.environ, "QT_QPA_PLATFORM": "xcb", "DISPLAY": xvfb.display}
    rows = {"none": [], "pad": []}
    for i in range(runs):  # alternating, so a disturbance hits both alike
        for kind in rows:
            note(f"idle: the title for {secs} s on Xvfb, {'a virtual pad' if kind == 'pad' else 'no pad'},"
                 f" run {i + 1} of {runs}")
            args = [f"{BIN}/bench_harness", "idle", secs] + (["pad"] if kind == "pad" else [])
            vals = parse(subprocess.run(args, capture_output=True, text=True, env=env).stdout)
            if vals.get("pads") != (1 if kind == "pad" else 0):
                raise RuntimeError(f"the idle run with {kind} saw {vals.get('pads')} pads")
            rows[kind].append(vals)
    results["idle"] = {kind: {k: statistics.median(r[k] for r in rs) for k in rs[0]} for kind, rs in rows.items()}


def table():
    print()
    print(f"Load average before: {results['load_before']}, after: {results['load_after']}")
    if results["busy"]:
        print("Also running at the start: " + "; ".join(results["busy"]))
    c = results["core"]
    print("\n1. Runtime model, headless (median of %d)" % REPS)
    print(f"   {'benchmark':28} {'ns/event':>9} {'instr/tick':>11}   goal")
    for name, r in c.items():
        ir = f"{r['instr_per_tick']:.0f}" if "instr_per_tick" in r else "-"
        goal = "< 200 ns/tick" if "Ticks" in name else ""
        print(f"   {name:28} {r['ns_per_event']:9.1f} {ir:>11}   {goal}")
    p = results["paint"]
    print("\n2. Painting offscreen, us per paint / per 16 ms frame (median of %d)" % REPS)
    print(f"   {'benchmark':28} {'scale 1':>9} {'scale 2':>9} {'kinstr s1':>10} {'kinstr s2':>10}   goal")
    for name, r in p.items():
        k = lambda s: f"{r['instr_scale' + s] / 1000:.0f}" if "instr_scale" + s in r else "-"
        print(f"   {name:28} {r.get('us_scale1', 0):9.1f} {r.get('us_scale2', 0):9.1f} {k('1'):>10} {k('2'):>10}"
              "   well under 1000 us")
    print("   Repaint audit (5 s of each level, a frame every 16 ms):")
    for line in results["audit"].splitlines():
        print("     " + line)
    s = results["startup"]
    print("\n3. Start-up to the title window's first paint, median ms (and peak RSS kB up to it)")
    print("   (bare: the bare window; text: the bare window writing one line; ratios are the game's)")
    for plat, r in s.items():
        print(f"   {plat:12} bare {r['bare_ms']:6.1f}  text {r['text_ms']:6.1f}  game {r['game_ms']:6.1f}"
              f"  ratio {r['game_ms'] / r['bare_ms']:.2f} (to text {r['game_ms'] / r['text_ms']:.2f})   goal <= 1.2")
        print(f"   {'':12} rss bare {r['bare_rss_kb']:.0f}  text {r['text_rss_kb']:.0f}  game {r['game_rss_kb']:.0f}"
              f"  ratio {r['game_rss_kb'] / r['bare_rss_kb']:.2f} (to text {r['game_rss_kb'] / r['text_rss_kb']:.2f})"
              "   goal <= 1.2")
    m = results["memory"]
    print(f"   Game binary on Xvfb, peak RSS over 2 s: bare {m['bare_kb']:.0f} kB, text {m['text_kb']:.0f} kB,"
          f" game {m['game_kb']:.0f} kB, ratio {m['game_kb'] / m['bare_kb']:.2f}"
          f" (to text {m['game_kb'] / m['text_kb']:.2f})   goal <= 1.2")
    g = results["play"]
    print("\n4. Difficult level on Xvfb (median of runs)")
    print(f"   CPU of the game {g['cpu_proc_pct']:.2f} % of one core (getrusage {g['cpu_rusage_pct']:.2f} %),"
          f" X server {g.get('cpu_xserver_pct', 0):.2f} %   goal < 3 %")
    print(f"   ball ticks/s {g['ball_ticks_per_s']:.1f} (62.5 ideal); lateness median {g['late_median_us'] / 1000:.2f} ms,"
          f" p90 {g['late_p90_us'] / 1000:.2f} ms, p99 {g['late_p99_us'] / 1000:.2f} ms,"
          f" max {g['late_max_us'] / 1000:.2f} ms   goal p99 < 2 ms")
    b = results["play_bare"]
    print(f"   bare window, a 17x18 square moved every 16 ms: CPU {b['cpu_rusage_pct']:.2f} %; lateness median"
          f" {b['late_median_us'] / 1000:.2f} ms, p90 {b['late_p90_us'] / 1000:.2f} ms,"
          f" p99 {b['late_p99_us'] / 1000:.2f} ms, max {b['late_max_us'] / 1000:.2f} ms")
    i = results["idle"]
    print("\n5. The idle title on Xvfb, CPU of the game (getrusage, median of runs)")
    print(f"   no pad {i['none']['cpu_rusage_pct']:.3f} %   goal 0 %;"
          f" a pad {i['pad']['cpu_rusage_pct']:.3f} %   goal < 0.2 %")


def main():
    results["load_before"] = load()
    results["busy"] = busy_processes()
    core()
    paint()
    with Xvfb() as x:
        startup(x.display)
        memory(x.display)
        play(x)
        idle(x)
    results["load_after"] = load()
    with open(os.path.join(BIN, "results.json"), "w") as f:
        json.dump(results, f, indent=1)
    table()


if __name__ == "__main__":
    main()
