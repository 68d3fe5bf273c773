#!/usr/bin/env python3
"""Start-up of the program against the floor form, interleaved A B A B.

Runs xstartup for each launch and prints, per platform, the medians of the
time to first paint and of the settled resident memory, with the median of
the per-round ratios ours/floor. Under X it must itself run inside a virtual
X server (scripts/run-bench starts one).
"""

import argparse
import os
import statistics
import subprocess
import sys


def launch(harness, platform, settle_ms, program):
    out = subprocess.run([harness, platform, str(settle_ms), program], check=True,
                         capture_output=True, text=True).stdout
    fields = dict(item.split('=') for item in out.split())
    return float(fields['paint_ms']), int(fields['rss_kib'])


def measure(build, platform, rounds, warmups, settle_ms):
    here = os.path.join(build, 'bench', 'startup')
    harness = os.path.join(here, 'xstartup')
    if platform == 'x':
        ours, floor = os.path.join(build, 'app', 'tarvelo'), os.path.join(here, 'floor')
    else:
        ours, floor = os.path.join(here, 'tarvelo_firstpaint'), os.path.join(here, 'floor_firstpaint')
    for _ in range(warmups):
        launch(harness, platform, settle_ms, ours)
        launch(harness, platform, settle_ms, floor)
    rows = []
    for _ in range(rounds):
        a = launch(harness, platform, settle_ms, ours)
        b = launch(harness, platform, settle_ms, floor)
        rows.append((a, b))
    time_ours = statistics.median(a[0] for a, _ in rows)
    time_floor = statistics.median(b[0] for _, b in rows)
    rss_ours = statistics.median(a[1] for a, _ in rows) / 1024
    rss_floor = statistics.median(b[1] for _, b in rows) / 1024
    time_ratio = statistics.median(a[0] / b[0] for a, b in rows)
    rss_ratio = statistics.median(a[1] / b[1] for a, b in rows)
    print(f'{platform:9} rounds={rounds}  first paint: ours {time_ours:6.1f} ms, floor {time_floor:6.1f} ms, '
          f'ratio {time_ratio:.3f}   resident: ours {rss_ours:5.2f} MiB, floor {rss_floor:5.2f} MiB, '
          f'ratio {rss_ratio:.3f}')
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--build', default='build')
    parser.add_argument('--platform', choices=['x', 'offscreen'], required=True)
    parser.add_argument('--rounds', type=int, default=15)
    parser.add_argument('--warmups', type=int, default=2)
    parser.add_argument('--settle-ms', type=int, default=500)
    args = parser.parse_args()
    measure(args.build, args.platform, args.rounds, args.warmups, args.settle_ms)


if __name__ == '__main__':
    main()
