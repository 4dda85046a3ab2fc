"""Makes the benchmark's installations: make_libraries.py <program folder>
<photo folder> <out folder> <games>... gives <out>/lib<games> for each
count, a copy of the program folder whose Jpgs holds one picture per game
(hard links to the photos, in turn) and whose names.txt lists the games'
names, one a line (UTF-8), oldest first. The benchmark adds the games to
the database. Made here rather than under Wine, where every new file in a
folder costs a look through all the others."""
import os
import pathlib
import shutil
import sys

WORDS = ["疯狂赛车", "宝石消除", "森林探险", "海底世界", "功夫小子", "泡泡龙", "三国战记", "魔法城堡"]


def main():
    dist, photos, out = map(pathlib.Path, sys.argv[1:4])
    count = len(list(photos.glob("*.jpg")))
    shutil.rmtree(out, ignore_errors=True)
    for games in map(int, sys.argv[4:]):
        lib = out / f"lib{games}"
        shutil.copytree(dist, lib)
        names = [WORDS[i % len(WORDS)] + str(i) for i in range(1, games + 1)]
        for i, name in enumerate(names):
            os.link(photos / f"{i % count}.jpg", lib / "Jpgs" / f"{name}.jpg")
        (lib / "names.txt").write_text("".join(n + "\n" for n in names), encoding="utf-8")


main()
