#!/usr/bin/env python3
"""Writes equations.txt: 1,250 model equations in the host's linear syntax,
built from templates of balance, rate, transfer and geometry laws with
varied names, so that every kind of structure appears in realistic mixes."""
import random

random.seed(7)
NAMES = ["T", "P", "V", "Q", "m", "c", "k", "h", "x", "y", "v", "w", "rho", "mu",
         "alpha", "beta", "gamma", "lambda", "sigma", "omega", "N", "K", "R", "L", "C",
         "u", "z", "s", "r", "q", "F", "E", "A", "B", "G", "H", "I", "J", "M", "S"]
SUFFIXES = ["", "1", "2", "0", "_in", "_out", "_a", "_b", "max", "min", "_ref", "_s"]


def name():
    return random.choice(NAMES) + random.choice(SUFFIXES)


def idx(n):
    return f"{n}[{random.choice(['i', 'j', 'k', 'i+1', 'j-1', '1', '2'])}]"


def term():
    forms = [
        lambda: name(),
        lambda: idx(name()),
        lambda: f"{name()}**2",
        lambda: f"{name()}*{name()}",
        lambda: f"sqrt({name()}*{name()})",
        lambda: f"exp(-{name()}/{name()})",
        lambda: f"({name()} - {name()})",
        lambda: f"{random.randint(2, 99)}.{random.randint(0, 9)}",
        lambda: f"sin({name()}*Time)",
        lambda: f"ln({name()}/{name()})",
    ]
    return random.choice(forms)()


def expr(depth=0):
    forms = [
        lambda: f"{term()} + {term()}",
        lambda: f"{term()} - {term()}*{term()}",
        lambda: f"({term()} + {term()})/{term()}",
        lambda: f"{term()}/({term()} + {term()})",
        lambda: f"{name()}*({term()} - {term()})**2",
        lambda: f"sqrt({term()}**2 + {term()}**2)",
        lambda: f"d({name()})/dt",
        lambda: f"{term()}/{term()}/{term()}",
        lambda: f"{idx(name())}**{random.randint(2, 4)} + {term()}",
    ]
    e = random.choice(forms)()
    if depth < 1 and random.random() < 0.35:
        e = f"({e})/({expr(depth + 1)})"
    return e


COMMENTS = ["", "", "", "  -- heat balance", "  -- mass flow", "  -- rate law",
            "  -- \u0441\u043a\u043e\u0440\u043e\u0441\u0442\u044c", "  -- pressure drop"]
lines = []
for i in range(1250):
    kind = random.random()
    if kind < 0.2:
        line = f"d({name()})/dt = {expr()};"
    elif kind < 0.3:
        line = f"d2({name()})/dt = {expr()};"
    else:
        line = f"{name()} = {expr()};"
    lines.append(line + random.choice(COMMENTS))
with open("equations.txt", "w", encoding="cp1251", newline="\n") as f:
    f.write("\n".join(lines) + "\n")
