#!/usr/bin/env python3
"""Builds a reproducible benchmark tree: FILES files spread evenly over DIRS
directories (two levels deep), with sizes from a fixed seed. Files are sparse,
so the tree costs inodes, not disk space. Running it again on an existing tree
of the same shape does nothing."""
import os
import random
import sys


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_tree.py ROOT FILES DIRS")
    root, files, dirs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    stamp = root.rstrip("/") + ".shape"  # beside the tree, not in it
    shape = f"{files} {dirs}\n"
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
        os.ftruncate(fd, rng.randrange(0, 1 << 20))
        os.close(fd)
    with open(stamp, "w") as f:
        f.write(shape)


if __name__ == "__main__":
    main()
