#!/usr/bin/env python3
"""Writes a sample data-log folder: one CSV file per logged weld.

Each weld has an arc start (short circuit, current spike, voltage overshoot,
wire-feed run-in), a steady arc with ripple and weaving, a crater fill at a
lower current, and the arc end. The files vary in column layout, header
language, delimiter, encoding and sampling interval the way data logs of
different machines and settings do. Output is deterministic.

    scripts/make_datalog.py [FOLDER]        (default: examples/datalog)
"""
import math
import os
import random
import sys

# Column names as the power source writes them, Japanese and English.
NAMES = {
    "I_set": ("電流指令値[A]", "CurrentSet[A]"),
    "I_act": ("電流実測値[A]", "CurrentActual[A]"),
    "V_set": ("電圧指令値[V]", "VoltageSet[V]"),
    "V_act": ("電圧実測値[V]", "VoltageActual[V]"),
    "F_set": ("送給指令値[m/min]", "FeedingSet[m/min]"),
    "F_act": ("送給実測値[m/min]", "FeedingActual[m/min]"),
}
TIME_NAME = ("時間[msec]", "Time[msec]")

# The eight column layouts the viewer knows.
LAYOUTS = {
    0: ("I_act", "V_act", "F_act"),
    1: ("I_set", "V_set", "F_set"),
    2: ("I_set", "I_act", "V_act"),
    3: ("I_set", "I_act", "F_act"),
    4: ("I_act", "V_set", "V_act"),
    5: ("V_set", "V_act", "F_act"),
    6: ("I_act", "F_set", "F_act"),
    7: ("V_act", "F_set", "F_act"),
}

DECIMALS = {"I": 1, "V": 1, "F": 2}


class Weld:
    """One weld: welding current, crater current and duration."""

    def __init__(self, current, crater_current, duration_ms, seed):
        self.current = current
        self.crater_current = crater_current
        self.duration = duration_ms
        self.crater_start = duration_ms - max(300, int(duration_ms * 0.12))
        self.rng = random.Random(seed)
        self.weave_hz = self.rng.uniform(1.0, 2.5)
        self.feed_lag = 0.0

    @staticmethod
    def voltage_for(current):
        # A synergic line of a 1.2 mm solid wire in mixed gas.
        return 14.0 + 0.05 * current

    @staticmethod
    def feed_for(current):
        return current / 25.0

    def command_current(self, t):
        if t >= self.duration:
            return 0.0
        if t < 100:  # hot start
            return self.current * 1.2
        if t >= self.crater_start:
            return self.crater_current
        return self.current

    def commands(self, t):
        i = self.command_current(t)
        if i == 0.0:
            return 0.0, 0.0, 0.0
        return i, self.voltage_for(i), self.feed_for(i)

    def sample(self, t):
        """Commands and measured values at time t (ms)."""
        i_set, v_set, f_set = self.commands(t)
        rng = self.rng
        if t >= self.duration - 20:  # arc end
            return (i_set, 0.0, v_set, 0.0, f_set, 0.0)

        s = t / 1000.0
        weave = math.sin(2 * math.pi * self.weave_hz * s)
        if t < 30:
            # Wire touches the work: short circuit, current rising fast.
            i_act = self.current * (1.2 + 0.3 * t / 30) + rng.gauss(0, 6)
            v_act = 4.0 + rng.gauss(0, 0.8)
        else:
            # The arc settles from the start spike towards the set current.
            spike = math.exp(-(t - 30) / 80.0)
            target = i_set
            if self.crater_start <= t < self.crater_start + 250:
                # Current ramps down into the crater fill.
                k = (t - self.crater_start) / 250.0
                target = self.current + (self.crater_current - self.current) * k
            i_act = target * (1 + 0.03 * weave) + 0.3 * self.current * spike + rng.gauss(0, 3.5)
            v_act = (self.voltage_for(target) - 0.5 * weave + 5.0 * spike + rng.gauss(0, 0.3))
        # Wire feed: the motor runs in from 40 % and follows its command with a lag.
        f_goal = f_set if t >= 200 else f_set * (0.4 + 0.6 * t / 200)
        self.feed_lag += (f_goal - self.feed_lag) * 0.25
        f_act = self.feed_lag + rng.gauss(0, 0.04)
        return (i_set, max(i_act, 0.0), v_set, max(v_act, 0.0), f_set, max(f_act, 0.0))


def format_value(key, value, decimal_comma):
    text = f"{value:.{DECIMALS[key[0]]}f}"
    return text.replace(".", ",") if decimal_comma else text


def wave_text(weld, layout, english, semicolon, interval):
    columns = LAYOUTS[layout]
    lang = 1 if english else 0
    delim = ";" if semicolon else ","
    rows = [delim.join([TIME_NAME[lang]] + [NAMES[c][lang] for c in columns])]
    order = ("I_set", "I_act", "V_set", "V_act", "F_set", "F_act")
    for t in range(0, weld.duration + 1, interval):
        values = dict(zip(order, weld.sample(t)))
        fields = [str(t)] + [format_value(c, values[c], semicolon) for c in columns]
        rows.append(delim.join(fields))
    return "\r\n".join(rows) + "\r\n"


# number, layout, English header, semicolon, interval ms, encoding, current A, crater A, duration ms
WELDS = [
    (1, 0, False, False, 10, "cp932", 220, 140, 4000),
    (2, 1, True, False, 10, "cp932", 180, 120, 3000),
    (3, 2, False, True, 10, "cp932", 260, 160, 5200),
    (4, 3, True, False, 100, "cp932", 150, 100, 8000),
    (5, 5, False, False, 10, "utf-8-sig", 240, 150, 2500),
    (6, 0, True, True, 100, "cp932", 290, 180, 6000),
    (7, 4, False, False, 10, "cp932", 200, 130, 3500),
    (8, 6, True, False, 10, "cp932", 170, 110, 7000),
    (9, 7, False, False, 10, "cp932", 280, 170, 2000),
    (10, 0, False, False, 10, "cp932", 230, 150, 4500),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples", "datalog")
    os.makedirs(folder, exist_ok=True)
    for number, layout, english, semicolon, interval, encoding, current, crater, duration in WELDS:
        weld = Weld(current, crater, duration, seed=number)
        text = wave_text(weld, layout, english, semicolon, interval)
        with open(os.path.join(folder, f"{number:06d}.csv"), "wb") as f:
            f.write(text.encode(encoding))
    # A CSV file of the same folder that is no wave file: the scan leaves it out.
    notes = "Date,Operator,Job,Remarks\r\n2024-05-14,K. Sato,Bracket B-12,fillet 6 mm\r\n"
    with open(os.path.join(folder, "weld_notes.csv"), "wb") as f:
        f.write(notes.encode("cp932"))


if __name__ == "__main__":
    main()
