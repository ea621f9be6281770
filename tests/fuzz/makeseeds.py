#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/cli and
corpus/rules. The seeds are committed; run this only to change them."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

INITIAL = "bbbbbbbbbbbb........wwwwwwwwwwww"
INITIAL_POS = INITIAL + " w"
MID_CAPTURE = ".................b....w..b...... w 25 0"
KING_ENDGAME = "B.........b.................W... w"
MIXED = "W..B.bb..........w.......w.b...B w 5,27,3 40"
# The one game of "match 1 1 1 604".
MATCH_GAME = ("[Event \"checkers-cli match 1 1 1 604\"]\n[Round \"1\"]\n"
              "1. 24-20 10-15 2. 23-19 15x24 3. 28x19 11-15 4. 19x10 7x14 5. 20-16 12x19\n"
              "6. 22-18 14x23 7. 27x18 19-24 8. 18-15 24-27 9. 31x24 9-13 10. 15-10 6x15\n"
              "11. 21-17 13x22x31 12. 25-22 31x17 13. 24-19 15x24 14. 32-27 24x31 15. 30-26\n"
              "31x22 16. 29-25 22x29 0-1\n")


def board(pieces):
    """An otherwise empty board from {square: letter}."""
    squares = ["."] * 32
    for square, letter in pieces.items():
        squares[square] = letter
    return "".join(squares)


CLI_SEEDS = {
    # Positions, good and bad.
    "initial": INITIAL_POS,
    "initial-full": INITIAL_POS + " - 0",
    "mid-capture": MID_CAPTURE,
    "king-endgame": KING_ENDGAME,
    "mixed": MIXED,
    "draw-edge": INITIAL_POS + " - 40",
    "twelve-kings": "WWWWWWWWWWWW........BBBBBBBBBBBB b - 1000000",
    "short": INITIAL[1:] + " w",
    "unknown-piece": "x" + INITIAL[1:] + " w",
    "bad-side": INITIAL + " x",
    "stray-space": INITIAL + "  w",
    "thirteen": "bbbbbbbbbbbbb.......wwwwwwwwwwww w",
    "pending-twice": INITIAL_POS + " 1,2,1",
    "pending-off": INITIAL_POS + " 32",
    "pending-own": INITIAL_POS + " 20",
    "plies-huge": INITIAL_POS + " - 99999999999999999999",
    "trailing": INITIAL_POS + " - 0 junk",
    # Numbers.
    "int-min": "-2147483648",
    "int-max": "2147483647",
    "int-over": "2147483648",
    "minus": "-",
    "leading-zeros": "-007",
    # Command lines, one argument a line.
    "moves": "moves\n" + INITIAL_POS,
    "moves-capture": "moves\n" + MID_CAPTURE,
    "perft": "perft\n" + KING_ENDGAME + "\n2",
    "perft-bad-depth": "perft\n" + INITIAL_POS + "\n-1",
    "play": "play\n" + INITIAL_POS + "\n22\n18",
    "play-jump": "play\n" + MID_CAPTURE + "\n22\n13",
    "play-off-board": "play\n" + INITIAL_POS + "\n-1\n32",
    "play-draw": "play\n" + INITIAL_POS + " - 40\n22\n18",
    "play-bad-number": "play\n" + INITIAL_POS + "\n22\n18x",
    "best": "best\n" + MID_CAPTURE + "\n2\n1",
    "best-seed-max": "best\n" + KING_ENDGAME + "\n1\n4294967295",
    "best-seed-over": "best\n" + INITIAL_POS + "\n1\n4294967296",
    "bench-extra": "bench\n5",
    "match": "match\npoor\n2\n2\n7",
    "match-options": "match\n--jobs\n2\n1\npoor\n1\n3\n--pdn",
    "help": "--help",
    "version": "--version",
    # The first of --help and --version answers, after a command too.
    "version-before-help": "--version\n[SetUp \"0\"]\n1match\n--help\n" + INITIAL_POS,
    "moves-version": "moves\n" + INITIAL_POS + "\n--version\n--help",
    "unknown-command": "fly\n" + INITIAL_POS,
    "missing-argument": "perft\n" + INITIAL_POS,
    "control-bytes": "moves\n\x1b[31m" + INITIAL[1:] + " w",
    # replay: its standard input follows the command's line.
    "replay-games": "replay\n[Event \"Club\"]\n[Result \"*\"]\n\n1. 22-18 11-15 {even} 2.18x11\n"
                    "8x15 ; so\n*\n\n[FEN \"W:W18:B14\"]\n1. 18x9 1-0\n",
    "replay-fen": "replay\n[SetUp \"1\"]\n[FEN \"W:W30,31:B18,26,27,K1\"]\n1. 30x23 31x24 1... 1x28 *\n"
                  "[FEN \"B:WK29:B1-4\"] 7... 4-8 8. 29x4 *",
    "replay-short-capture": "replay\n[FEN \"W:W30:B18,26,K1\"] 1. 30x14 *\n"
                            "[FEN \"W:W30:B17,18,25,26\"] 1. 30x14 *",
    "replay-bad": "replay\n1. 22-18 *\n[GameType \"0,W,8,8,N1,0\"]\n[Result \"1-0\"]\n"
                  "1. 22-18 11-15 2. 18x11 8x15 1-0\n",
    "replay-annotated": "replay\n\xef\xbb\xbf%header\n[Result \"1-1\"]\n1. 22-18! $1 11-15(!?) "
                        "2. 18:11 8x 15 $14 1-1\n[GameType \"99,W,8,8,A0,0\"]\n1. c3-d4 0-2\n"
                        "[FEN \"B:WK29:BK1:H30:F12.\"] 1. 1-5 ... 29-25 0-0",
    "replay-variations": "replay\n1. 22-18 (1. 23-19 11-16 (1... 9-13 (10-14)) 2. 19-15) (21-17) "
                         "11-15 2. 18x11 *\n[GameType \"25\"] *\n1. 11-15 *",
    "replay-deep-variation": "replay\n1. 22-18 " + "(22-17 " * 150 + ")" * 150 + " *",
    # tally: the whole of a match of one game, then that game twice.
    "tally-match": "tally\n" + MATCH_GAME,
    "tally-twice": "tally\n" + MATCH_GAME + "\n" + MATCH_GAME,
}


def value(v):
    """One from/to value as the rules target reads it."""
    if -1 <= v <= 32:
        return bytes([v + 1])
    return b"\xf0" + struct.pack("<i", v)


def rules_seed(squares, side, moves, plies=0, pending=(), memo=(0, 0, 0)):
    victims = "wW" if side == "b" else "bB"
    data = squares.encode() + side.encode() + bytes([plies])
    data += value(memo[0]) + value(memo[1]) + bytes([memo[2]])
    data += bytes([len(pending)])
    listed = []
    for square in pending:
        left = [n for n in range(32) if squares[n] in victims and n not in listed]
        data += bytes([left.index(square)])
        listed.append(square)
    for origin, target in moves:
        data += value(origin) + value(target)
    return data


RULES_SEEDS = {
    "opening": rules_seed(INITIAL, "w", [(22, 18), (9, 13), (18, 14), (10, 17), (21, 14)]),
    "black-opening": rules_seed(INITIAL, "b", [(8, 12), (8, 13), (11, 15)]),
    "king-lands-beyond": rules_seed(board({28: "W", 10: "b", 0: "B"}), "w", [(28, 3), (28, 7)]),
    "kings-capture-first": rules_seed(board({28: "W", 25: "w", 21: "b", 10: "b", 0: "B"}), "w",
                                      [(25, 16), (28, 17)]),
    "lone-kings": rules_seed(board({28: "W", 0: "B"}), "w",
                             [(28, 24), (0, 5), (24, 21), (5, 0), (21, 3)]),
    "double-jump": rules_seed(board({29: "w", 25: "b", 17: "b", 0: "B"}), "w",
                              [(29, 22), (22, 13)]),
    "two-capturers": rules_seed(board({29: "w", 30: "w", 25: "b", 26: "b", 17: "b", 0: "B"}),
                                "w", [(29, 22), (30, 21), (30, 23)]),
    "king-takes-over": rules_seed(board({29: "W", 25: "w", 21: "b", 22: "b", 13: "b", 0: "B"}),
                                  "w", [(25, 16), (16, 9), (29, 18)]),
    "draw-at-41": rules_seed(INITIAL, "w", [(22, 18)], plies=40),
    "goes-on-at-40": rules_seed(INITIAL, "w", [(22, 18), (9, 13)], plies=39),
    "crowning": rules_seed(board({4: "w", 27: "b", 16: "W", 15: "B"}), "w", [(4, 0), (27, 31)]),
    "pending-blocks": rules_seed(board({22: "w", 25: "b", 17: "b", 0: "B"}), "w",
                                 [(22, 13), (22, 11)], pending=(25,)),
    "pending-king-path": rules_seed(board({31: "W", 22: "b", 13: "b", 0: "B"}), "w",
                                    [(31, 8), (31, 17)], pending=(22,)),
    "last-piece": rules_seed(board({21: "w", 17: "b"}), "w", [(21, 12)]),
    "no-move-left": rules_seed(board({4: "w", 0: "b", 9: "w"}), "w", [(9, 5)]),
    "wide-values": rules_seed(INITIAL, "w", [(-1, 32), (-2**31, 2**31 - 1), (1000, -1000),
                                             (22, 2**31 - 1)]),
    "stale-memo": rules_seed(INITIAL, "w", [(22, 18), (22, 18)], memo=(22, 18, 2)),
    "twelve-kings": rules_seed("WWWWWWWWWWWW........BBBBBBBBBBBB", "b",
                               [(20, 16), (11, 15), (21, 17)]),
    "full-pending": rules_seed("bbbbbbbbbbbb........WWWWWWWWWWWW", "w", [(20, 16)],
                               pending=tuple(range(12))),
}


def write(directory, seeds):
    """Replaces the seeds, keeping the inputs that open-ended fuzzing found
    (scripts/fuzz-open.sh names them found-*)."""
    path = os.path.join(HERE, "corpus", directory)
    os.makedirs(path, exist_ok=True)
    for name in os.listdir(path):
        if not name.startswith("found-"):
            os.remove(os.path.join(path, name))
    for name, data in seeds.items():
        with open(os.path.join(path, name), "wb") as seed:
            seed.write(data if isinstance(data, bytes) else data.encode("latin-1"))


write("cli", CLI_SEEDS)
write("rules", RULES_SEEDS)
