#!/usr/bin/env python3
"""Builds a reproducible benchmark tree: FILES files spread evenly over DIRS
directories (two levels deep), with sizes from a fixed seed. Files are sparse
(up to 1 MiB), so the tree costs inodes, not disk space; with --filled MAX they
hold written bytes instead, up to MAX each, for the commands that copy them.
Running it again on an existing tree of the same shape does nothing."""
import os
import random
import sys


def main():
    args = sys.argv[1:]
    filled = 0
    if len(args) == 5 and args[0] == "--filled":
        filled, args = int(args[1]), args[2:]
    if len(args) != 3:
        sys.exit("usage: make_tree.py [--filled MAX] ROOT FILES DIRS")
    root, files, dirs = args[0], int(args[1]), int(args[2])
    stamp = root.rstrip("/") + ".shape"  # beside the tree, not in it
    shape = f"{files} {dirs}\n" if not filled else f"{files} {dirs} filled {filled}\n"
    if os.path.exists(stamp) and open(stamp).read() == shape:
        return
    rng = random.Random(20240611)
    top = max(1, int(dirs ** 0.5))
    paths = []
    for i in range(top):
        paths.append(os.path.join(root, f"top{i:03d}"))
    for j in range(dirs - top):
        paths.append(os.path.join(paths[j % top], f"sub{j:05d}"))
    for p in paths:
        os.makedirs(p, exist_ok=True)
    for k in range(files):
        directory = paths[k % len(paths)]
        name = os.path.join(directory, f"file{k:06d}.{rng.choice(['txt', 'log', 'dat', 'doc'])}")
        fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
        if filled:
            os.write(fd, rng.randbytes(rng.randrange(0, filled)))
        else:
            os.ftruncate(fd, rng.randrange(0, 1 << 20))
        os.close(fd)
    with open(stamp, "w") as f:
        f.write(shape)


if __name__ == "__main__":
    main()
