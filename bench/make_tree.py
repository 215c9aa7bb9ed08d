#!/usr/bin/env python3
"""Generates a test tree for walk_bench.

    make_tree.py DEST [--entries N] [--seed S]

About N entries (default 1,000,000): one folder per 20 entries, varied depth,
some Chinese names, some dot-folders, mixed extensions (about 11% .txt), and
about 0.1% of the names containing the keyword "needle".
"""
import argparse
import os
import random

EXTS = ["txt"] * 11 + ["jpg"] * 10 + ["png"] * 8 + ["dll"] * 8 + ["exe"] * 6 + ["log"] * 8 + \
       ["doc"] * 7 + ["xml"] * 7 + ["json"] * 7 + ["c"] * 6 + ["h"] * 6 + ["dat"] * 8 + ["mp3"] * 8
WORDS = ["report", "image", "data", "backup", "notes", "build", "cache", "photo", "music", "temp",
         "报告", "照片", "文档", "备份", "音乐", "资料"]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--entries", type=int, default=1_000_000)
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args()
    rnd = random.Random(args.seed)
    folders_wanted = max(1, args.entries // 20)
    os.makedirs(args.dest, exist_ok=True)
    folders = [args.dest]
    depth = {args.dest: 0}
    made = 0
    while len(folders) < folders_wanted:
        # Prefer recent folders so that some chains grow deep.
        parent = folders[-1 - int(rnd.expovariate(1 / 200)) % len(folders)]
        if depth[parent] >= 14:
            parent = rnd.choice(folders[: max(1, len(folders) // 4)])
        name = "%s_%d" % (rnd.choice(WORDS), len(folders))
        if rnd.random() < 0.02:
            name = "." + name
        path = os.path.join(parent, name)
        os.mkdir(path)
        folders.append(path)
        depth[path] = depth[parent] + 1
        made += 1
    files = args.entries - made
    for i in range(files):
        folder = folders[rnd.randrange(len(folders))]
        stem = "%s_%d" % (rnd.choice(WORDS), i)
        if rnd.random() < 0.001:
            stem = "needle_" + stem
        with open(os.path.join(folder, "%s.%s" % (stem, rnd.choice(EXTS))), "wb"):
            pass
    print("folders=%d files=%d" % (len(folders), files))


if __name__ == "__main__":
    main()
