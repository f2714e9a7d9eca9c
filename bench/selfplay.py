#!/usr/bin/env python3
"""Games of tori-engine against itself, for the benchmark corpus and the
scripted test sessions.

The engine only plays the upper side. The lower side's moves come from a second
tori-engine that sees the board turned by 180 degrees (each code negated, the
hands exchanged); its reply is turned back and entered as a `man` command, just
as a player would enter it with the mouse.

  selfplay.py ENGINE corpus OUT            positions before every computer move
  selfplay.py ENGINE session LEVEL SEAT IN OUT
                                           one whole game as a command script
                                           (SEAT: com = the computer moves first)
"""
import subprocess
import sys

MAX_PLIES = 160


class Engine:
    def __init__(self, path):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def ask(self, line):
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()
        return self.p.stdout.readline().rstrip("\n")

    def tell(self, line):
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()

    def close(self):
        self.tell("quit")
        self.p.wait()


def turned(position_line):
    v = [int(x) for x in position_line.split()[1:]]
    board, com, man = v[:49], v[49:55], v[55:61]
    board = [-c for c in reversed(board)]
    return "position " + " ".join(str(x) for x in board + man + com)


def play(path, com_level, man_level, com_first, on_command=None, on_position=None):
    a, b = Engine(path), Engine(path)
    log = []

    def send(line, reply_expected=True):
        log.append(line)
        if on_command:
            on_command(line)
        return a.ask(line) if reply_expected else a.tell(line)

    send("level %d" % com_level, False)
    b.tell("level %d" % man_level)
    com_to_move = com_first
    for _ in range(MAX_PLIES):
        if com_to_move:
            shown = a.ask("show")
            if on_position:
                on_position(shown)
            reply = send("go")
            if not reply.startswith("com ") or reply == "com none" or "winner=none" not in reply:
                break
        else:
            shown = a.ask("show")
            b.tell(turned(shown))
            if on_position:
                on_position(turned(shown))
            reply = b.ask("go")
            if not reply.startswith("com ") or reply == "com none":
                break
            fc, fr, tc, tr, _piece, placed = (int(x) for x in reply.split()[1:7])
            if fc == -1:
                fc, fr = 9, fr + 1
            else:
                fc, fr = 8 - fc, 8 - fr
            answer = send("man %d %d %d %d %d" % (fc, fr, 8 - tc, 8 - tr, -placed))
            if "winner=none" not in answer:
                break
        com_to_move = not com_to_move
    send("show")
    a.close()
    b.close()
    return log


def main():
    path, mode = sys.argv[1], sys.argv[2]
    if mode == "corpus":
        seen = []
        for com_first in (True, False):
            for com_level in (1, 2, 3):
                for man_level in (1, 2, 3):
                    play(path, com_level, man_level, com_first, on_position=lambda p: seen.append(p))
        with open(sys.argv[3], "w") as out:
            unique = list(dict.fromkeys(seen))
            out.write("\n".join(unique) + "\n")
        print("%d positions (%d distinct)" % (len(seen), len(unique)))
    elif mode == "session":
        level, seat = int(sys.argv[3]), sys.argv[4]
        # The lower side plays another level, so that every game ends well
        # before the record fills.
        log = play(path, level, {1: 3, 2: 1, 3: 2}[level], seat == "com")
        with open(sys.argv[5], "w") as out:
            out.write("\n".join(log + ["quit"]) + "\n")
        with open(sys.argv[6], "w") as out:
            reply = subprocess.run([path], input="\n".join(log + ["quit"]) + "\n", capture_output=True, text=True)
            out.write(reply.stdout)
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
