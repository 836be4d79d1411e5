#!/usr/bin/python3
"""The console drivers of two builds side by side, as whole processes.

  drivers_side_by_side.py time BEFORE AFTER DEVICE CORPUS [--runs N] [--segmenter] [--direction C->J|J->C]
                            [--start-runs K]
  drivers_side_by_side.py same BEFORE AFTER DEVICE CORPUS

BEFORE and AFTER are program folders holding cjtranslate, jctranslate and Synparse.so; DEVICE is the
device root that holds the card (SUITE_DEVICE_ROOT); CORPUS holds zh.txt and ja.txt, one sentence a
line (suite_bench --corpus writes them). --before-device ROOT runs BEFORE on a card of its own (a
build that reads an older card's word tables).

time: the processor time (user + system) of a one-line start and of the whole corpus, each way, the
two builds run in turn N times (default 7), each run starting K times (default 1) on the one line;
the net time of the corpus is the whole run less the median start of its run. Prints min and median of each, AFTER/BEFORE ratios and the peak resident memory. With
--segmenter, the processor time of the installed Python segmenter cutting the same Chinese lines
(after its dictionary is loaded) is measured in the same turns, and C->J's net time set beside it.

same: runs the corpus and its first line through both builds each way and compares the outputs
byte for byte (standard output, then exit status); exits 1 on any difference.
"""
import os
import statistics
import subprocess
import sys
import tempfile

DRIVERS = (("C->J", "cjtranslate", "zh.txt"), ("J->C", "jctranslate", "ja.txt"))


def run(program, device, text_file):
    """Runs program on text_file: (stdout bytes, status, cpu seconds, peak KiB). The peak is the
    driver's own, read through /usr/bin/time: a child forked from this interpreter would report the
    interpreter's resident size as its own peak."""
    env = dict(os.environ, SUITE_DEVICE_ROOT=device)
    with open(text_file, "rb") as text, tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        p = subprocess.Popen(["/usr/bin/time", "-f", "peak %M", program], stdin=text, stdout=out, stderr=err, env=env)
        _, status, usage = os.wait4(p.pid, 0)
        p.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        err.seek(0)
        peaks = [line for line in err.read().split(b"\n") if line.startswith(b"peak ")]
        peak = int(peaks[-1].split()[1]) if peaks else 0
        return out.read(), p.returncode, usage.ru_utime + usage.ru_stime, peak


def first_line(corpus, name, folder):
    path = os.path.join(folder, "one-" + name)
    with open(os.path.join(corpus, name), "rb") as f:
        line = f.readline()
    with open(path, "wb") as f:
        f.write(line)
    return path


SEGMENTER = r"""
import sys, time
import jieba
jieba.setLogLevel(60)
jieba.initialize()
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
t = time.process_time()
for line in lines:
    jieba.lcut(line)
print(time.process_time() - t)
"""


def segmenter_seconds(text_file):
    out = subprocess.run(["/usr/bin/python3", "-c", SEGMENTER, text_file], capture_output=True, text=True, check=True)
    return float(out.stdout.strip())


def describe(values):
    return min(values), statistics.median(values)


def ms(pair):
    return "%7.1f / %7.1f" % (pair[0] * 1000, pair[1] * 1000)


def time_command(before, after, devices, corpus, runs, segmenter, drivers, start_runs):
    with tempfile.TemporaryDirectory() as folder:
        figures = {}  # (direction, side, what) -> list
        seg = []
        print("load at the start: %s" % open("/proc/loadavg").read().split()[:3])
        for _ in range(runs):
            for direction, driver, name in drivers:
                one = first_line(corpus, name, folder)
                whole = os.path.join(corpus, name)
                for side, folder_of in (("before", before), ("after", after)):
                    program = os.path.join(folder_of, driver)
                    device = devices[side]
                    starts = []
                    for _ in range(start_runs):
                        _, _, start, start_peak = run(program, device, one)
                        starts.append(start)
                        figures.setdefault((direction, side, "start"), []).append(start)
                        figures.setdefault((direction, side, "peak1"), []).append(start_peak)
                    _, _, total, peak = run(program, device, whole)
                    figures.setdefault((direction, side, "net"), []).append(total - statistics.median(starts))
                    figures.setdefault((direction, side, "peak"), []).append(peak)
            if segmenter:
                seg.append(segmenter_seconds(os.path.join(corpus, "zh.txt")))
        print("load at the end:   %s" % open("/proc/loadavg").read().split()[:3])
        print("%d runs each (%d one-line starts a run); processor time in ms, min / median" % (runs, start_runs))
        for direction, _, _ in drivers:
            for what in ("start", "net"):
                b = describe(figures[(direction, "before", what)])
                a = describe(figures[(direction, "after", what)])
                print("%s %-5s before %s  after %s  after/before %.2f / %.2f" %
                      (direction, what, ms(b), ms(a), a[0] / b[0], a[1] / b[1]))
            for what in ("peak1", "peak"):
                b = max(figures[(direction, "before", what)])
                a = max(figures[(direction, "after", what)])
                print("%s %-5s peak KiB before %d  after %d" % (direction, "start" if what == "peak1" else "whole", b, a))
        if segmenter:
            s = describe(seg)
            a = describe(figures[("C->J", "after", "net")])
            b = describe(figures[("C->J", "before", "net")])
            print("segmenter on zh.txt %s; C->J net / segmenter: after %.2f / %.2f, before %.2f / %.2f" %
                  (ms(s), a[0] / s[0], a[1] / s[1], b[0] / s[0], b[1] / s[1]))


def same_command(before, after, devices, corpus):
    differ = 0
    with tempfile.TemporaryDirectory() as folder:
        for direction, driver, name in DRIVERS:
            for text in (first_line(corpus, name, folder), os.path.join(corpus, name)):
                b_out, b_status, _, _ = run(os.path.join(before, driver), devices["before"], text)
                a_out, a_status, _, _ = run(os.path.join(after, driver), devices["after"], text)
                lines = b_out.count(b"\n")
                if b_out != a_out or b_status != a_status:
                    differ += 1
                    bl, al = b_out.split(b"\n"), a_out.split(b"\n")
                    first = next((i for i in range(min(len(bl), len(al))) if bl[i] != al[i]), min(len(bl), len(al)))
                    print("%s %s: DIFFERENT (status %d / %d, first differing line %d)" %
                          (direction, os.path.basename(text), b_status, a_status, first + 1))
                else:
                    print("%s %s: identical, %d lines, %d bytes, status %d" %
                          (direction, os.path.basename(text), lines, len(a_out), a_status))
    return 1 if differ else 0


def main(argv):
    if len(argv) < 6 or argv[1] not in ("time", "same"):
        sys.stderr.write(__doc__)
        return 2
    before, after, device, corpus = argv[2:6]
    devices = {"before": device, "after": device}
    if "--before-device" in argv:
        devices["before"] = argv[argv.index("--before-device") + 1]
    if argv[1] == "same":
        return same_command(before, after, devices, corpus)
    runs = int(argv[argv.index("--runs") + 1]) if "--runs" in argv else 7
    drivers = DRIVERS
    if "--direction" in argv:
        drivers = [d for d in DRIVERS if d[0] == argv[argv.index("--direction") + 1]]
    start_runs = int(argv[argv.index("--start-runs") + 1]) if "--start-runs" in argv else 1
    time_command(before, after, devices, corpus, runs, "--segmenter" in argv, drivers, start_runs)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
