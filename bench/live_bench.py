#!/usr/bin/python3
"""Live display cost, measured side by side in one run (see scripts/bench-live).

Runs under an X server. For each rate, velmora-sim streams live records on a
pseudo-terminal and one receiver at a time watches it: the real main window
(live-window) or the pyqtgraph + pyserial reference script. Reports the
receiver's CPU time over the measuring window as a share of one core, and its
resident memory. Then floods the window with 5,000 records a second and
checks that no line is lost, that memory stays flat and how late the window
answers mouse clicks.
"""
import argparse
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def cpu_seconds(pid):
    """CPU time of every thread of the process, from the scheduler (ns exact)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total / 1e9


def cpu_ticks_seconds(pid):
    """utime + stime from /proc/PID/stat (10 ms resolution), as a cross-check."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


class Sim:
    def __init__(self, build, rate, seconds=0):
        self.proc = subprocess.Popen([os.path.join(build, "velmora-sim"), "--stream", str(rate), "--latency", "0",
                                      "--stream-for", str(int(seconds))],
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.device = self.proc.stdout.readline().strip()

    def stop(self):
        """Stops the stream; returns the lines it sent whole."""
        self.proc.send_signal(signal.SIGTERM)
        _, err = self.proc.communicate(timeout=10)
        for line in err.splitlines():
            if line.endswith("lines sent"):
                return int(line.split()[1])
        raise RuntimeError("velmora-sim reported no count: " + err)


def start_receiver(kind, build, device, report, probe=False):
    if kind == "velmora":
        cmd = [os.path.join(build, "bench", "live-window"), device, report] + (["--probe"] if probe else [])
    else:
        cmd = ["/usr/bin/python3", os.path.join(HERE, "reference_plot.py"), device]
    env = dict(os.environ, QT_ACCESSIBILITY="0", NO_AT_BRIDGE="1")
    return subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def measure(kind, build, rate, seconds, settle):
    sim = Sim(build, rate)
    with tempfile.NamedTemporaryFile(suffix=".txt") as report:
        proc = start_receiver(kind, build, sim.device, report.name)
        time.sleep(settle)
        c0, t0, w0 = cpu_seconds(proc.pid), cpu_ticks_seconds(proc.pid), time.monotonic()
        time.sleep(seconds)
        c1, t1, w1 = cpu_seconds(proc.pid), cpu_ticks_seconds(proc.pid), time.monotonic()
        rss = rss_mb(proc.pid)
        stop(proc)
    sim.stop()
    return {"cpu": 100 * (c1 - c0) / (w1 - w0), "ticks": 100 * (t1 - t0) / (w1 - w0), "rss": rss}


def percentile(values, p):
    values = sorted(values)
    if not values:
        return float("nan")
    return values[min(len(values) - 1, int(round(p / 100 * (len(values) - 1))))]


def flood(build, rate, seconds, settle):
    # The stream runs from the window's first command for the settling time
    # and the measuring window, then stops by itself: every line it sent can
    # reach the window before anything is closed.
    sim = Sim(build, rate, settle + seconds)
    started = time.monotonic()
    with tempfile.NamedTemporaryFile(suffix=".txt") as report:
        proc = start_receiver("velmora", build, sim.device, report.name, probe=True)
        x, y = (int(v) for v in proc.stdout.readline().split()[1:3])
        time.sleep(settle)
        rss0, c0, w0 = rss_mb(proc.pid), cpu_seconds(proc.pid), time.monotonic()
        clicks = int(seconds * 10)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(clicks), "--delay", "100", "1"],
                       check=True)
        rss1, c1, w1 = rss_mb(proc.pid), cpu_seconds(proc.pid), time.monotonic()
        time.sleep(max(0.0, started + settle + seconds - time.monotonic()) + 2.0)  # the stream ends and drains
        stop(proc)
        sent = sim.stop()
        values = {}
        with open(report.name) as f:
            for line in f:
                key, _, rest = line.strip().partition(" ")
                values[key] = [float(v) for v in rest.split(",") if v]
    return {
        "sent": sent, "handled": int(values["lines"][0]), "unhandled": int(values["unhandled"][0]),
        "seconds": w1 - w0, "rss0": rss0, "rss1": rss1, "cpu": 100 * (c1 - c0) / (w1 - w0),
        "press": values.get("press_ms", []), "late": values.get("timer_late_ms", []),
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--repeat", type=int, default=1)
    parser.add_argument("--rates", default="10,43")
    parser.add_argument("--flood-rate", type=int, default=5000)
    parser.add_argument("--flood-seconds", type=float, default=10)
    args = parser.parse_args()
    rates = [int(r) for r in args.rates.split(",") if r]

    print(f"{'records/s':>9}  {'receiver':<10} {'CPU % of a core':>16} {'(stat ticks)':>13} {'RSS MB':>7}")
    ratios = []
    for rate in rates:
        runs = {"velmora": [], "reference": []}
        for _ in range(args.repeat):
            for kind in runs:
                runs[kind].append(measure(kind, args.build, rate, args.seconds, settle=3))
        med = {k: {f: statistics.median(r[f] for r in v) for f in ("cpu", "ticks", "rss")} for k, v in runs.items()}
        for kind in runs:
            m = med[kind]
            print(f"{rate:>9}  {kind:<10} {m['cpu']:>16.3f} {m['ticks']:>13.2f} {m['rss']:>7.1f}", flush=True)
        ratio = med["reference"]["cpu"] / max(med["velmora"]["cpu"], 1e-9)
        ratios.append(ratio)
        print(f"{rate:>9}  {'ratio':<10} {ratio:>15.1f}x", flush=True)

    f = flood(args.build, args.flood_rate, args.flood_seconds, settle=2)
    lost = f["sent"] - f["handled"]
    stream_seconds = 2 + args.flood_seconds
    print(f"\nflood: {args.flood_rate} records/s for {stream_seconds:.0f} s (measured over the last "
          f"{f['seconds']:.1f} s): {f['sent']} lines sent whole ({f['sent'] / stream_seconds:.0f}/s), "
          f"{f['handled']} handled, {lost} lost, {int(f['unhandled'])} left unhandled")
    print(f"flood: CPU {f['cpu']:.1f} % of a core; RSS {f['rss0']:.1f} MB at the start, {f['rss1']:.1f} MB at the end")
    print(f"flood: mouse press to handler: {len(f['press'])} clicks, p50 {percentile(f['press'], 50):.0f} ms, "
          f"p99 {percentile(f['press'], 99):.0f} ms, max {max(f['press'], default=float('nan')):.0f} ms")
    print(f"flood: 10 ms timer lateness: {len(f['late'])} ticks, p50 {percentile(f['late'], 50):.2f} ms, "
          f"p99 {percentile(f['late'], 99):.2f} ms, max {max(f['late'], default=float('nan')):.2f} ms")
    return 0 if lost == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
