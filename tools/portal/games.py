"""The demo portal's catalogue: every game it offers, and the few entries
that exist only so that the programs' refusals can be tried.

A game's name travels inside a command link, where the programs drop every
"(", ")" and "'" and cut at ",", and becomes a file name in the program
folder; the names below therefore use none of these characters, nor any that
a Windows file name cannot hold (the refusal entries excepted)."""
from dataclasses import dataclass, field

FLASH = "flash"    # saved Flash game: the movie is downloaded into \Games\
STREAM = "stream"  # streamed Flash game: movie address with "?nosave"
WEB = "web"        # web game: played in the player program

# Catalogue pages (category folders of the address builders).
TOPLEFT, HOT, PELLOW, FEATURE = "topleft", "hot", "pellow", "feature"


@dataclass(frozen=True)
class Game:
    id: int
    name: str
    kind: str
    intro: str
    plays: int                      # for the ranking page
    featured: bool = False
    absolute_thumb: bool = False    # thumbnail given as a full address on its game page
    absolute_movie: bool = False    # movie given as a full address on its game page
    levels: tuple = field(default=())  # web games: the titles of its pages after the first

    @property
    def page(self):
        return f"/game/{self.id}.html"

    @property
    def thumb(self):
        # Named by number, never after the game: the download lands under this
        # name before it is renamed, and "1.swf"/"2.swf" are program files.
        return f"/img/g{self.id}.jpg"

    @property
    def movie(self):
        if self.kind == WEB:
            return ""
        path = f"/swf/g{self.id}.swf"
        return path + "?nosave" if self.kind == STREAM else path

    @property
    def slow_movie(self):
        """The same movie served slowly: the address its game page gives when asked with "?slow=1"."""
        return f"/swf/slow/g{self.id}.swf" if self.kind == FLASH else self.movie

    @property
    def play(self):
        """The web game's own page (always a full address: the programs use it unchanged)."""
        return f"/webgame/{self.id}/index.html" if self.kind == WEB else ""


def _flash(i, name, intro, plays, **kw):
    return Game(i, name, FLASH, intro, plays, **kw)


def _stream(i, name, intro, plays, **kw):
    return Game(i, name, STREAM, intro, plays, **kw)


def _web(i, name, intro, plays, levels, **kw):
    return Game(i, name, WEB, intro, plays, levels=levels, **kw)


GAMES = (
    _flash(1, "泡泡龙大战", "发射彩色泡泡，三个同色即可消除。", 9120, featured=True),
    _flash(2, "连连看", "找出两张相同的图案并把它们连起来。", 15800, absolute_thumb=True),
    _flash(3, "黄金矿工", "放下钩子抓金块，在时限内完成目标。", 20310, absolute_movie=True),
    _flash(4, "Space Rocks", "Steer the ship and break every rock before it breaks you.", 4410),
    _flash(5, "宝石 迷阵", "交换相邻宝石，连成一线就能得分。", 11230, featured=True, absolute_thumb=True,
           absolute_movie=True),
    _flash(6, "Tower Guard", "Build towers along the road and stop every wave.", 3980),
    _flash(7, "小猪快跑", "帮小猪躲开障碍，一路跑回家。", 7020),
    _flash(8, "疯狂赛车", "方向键控制赛车，冲过终点线。", 12900, absolute_thumb=True),
    _flash(9, "Jungle Jump", "Jump from vine to vine and collect the bananas.", 2560),
    _flash(10, "切水果", "用鼠标划过水果，小心别碰到炸弹。", 18700, featured=True),
    _flash(11, "方块消除", "旋转落下的方块，填满一行即可消除。", 25050, absolute_movie=True),
    _flash(12, "深海 探险", "驾驶潜水艇寻找沉没的宝藏。", 5230),
    _flash(13, "Pixel Pong", "A game of table tennis for one player against the machine.", 1840),
    _flash(14, "火柴人格斗", "操纵火柴人连续出招，击败所有对手。", 9940, absolute_thumb=True),
    _stream(15, "坦克大战", "保护基地，消灭来犯的敌方坦克。", 16620, featured=True),
    _stream(16, "Star Miner", "Mine the asteroid belt and sell the ore at the station.", 2970,
            absolute_movie=True),
    _stream(17, "五子棋", "先在横竖斜任一方向连成五子者获胜。", 13480),
    _stream(18, "消灭星星", "点击两个以上相连的同色星星将其消除。", 21400, absolute_thumb=True),
    _stream(19, "Bubble Pop 2", "Pop the bubbles in pairs before they reach the top.", 3310),
    _stream(20, "植物 守卫", "种下植物守住草坪。", 17750, absolute_thumb=True, absolute_movie=True),
    _stream(21, "中国象棋", "与电脑对弈一局象棋。", 14200),
    _stream(22, "Ice Skater", "Skate the frozen lake and draw figures on the ice.", 1290),
    _web(23, "三国 群英", "招募武将，攻城略地，一统天下。", 30500,
         ("招募武将", "攻城")),
    _web(24, "云海仙途", "御剑飞行，拜入仙门修炼。", 22800, ("拜师", "御剑")),
    _web(25, "Dragon Realm", "Raise a dragon and fly it across the realm.", 6100,
         ("Hatchery", "Sky Race"), featured=True),
    _web(26, "开心小镇", "种菜养鸡，和邻居一起建设小镇。", 19300, ("菜园", "集市")),
    _web(27, "海岛大亨", "经营一座海岛度假村。", 8700, ("码头", "酒店")),
    _web(28, "江湖侠客行", "行走江湖，行侠仗义。", 12600, ("客栈", "擂台")),
    _web(29, "Galaxy Wars", "Command a fleet and defend the colonies.", 5400, ("Shipyard", "Battle")),
    _web(30, "魔法 学院", "在学院里学习咒语，参加魔法比赛。", 10100, ("图书馆", "比赛")),
    _web(31, "City Builder", "Lay out roads and grow a city from a village.", 4700, ("Roads", "Harbour")),
    _web(32, "星辰 战记", "驾驶机甲在星辰之间作战。", 15900, ("机库", "出击"), featured=True),
    _web(33, "Farm Friends", "Plant, harvest and trade with your friends.", 3900, ("Barn", "Market")),
    _web(34, "Pirate Cove", "Sail from island to island and find the hidden gold.", 2800, ("Tavern", "Treasure")),
)

# Entries that exist so that the programs' refusals can be tried; they are
# listed only on the checks page. Their "games" are made-up commands.
EVIL_NAME = "..\\..\\evil"
EVIL = Game(90, EVIL_NAME, FLASH, "名字不能用作文件名。", 0)
SHORT = Game(91, "缺少字段", FLASH, "命令的字段不够。", 0)
ODD = Game(92, "未知命令", FLASH, "命令的种类无人认识。", 0)
CHECKS = (EVIL, SHORT, ODD)

BY_ID = {g.id: g for g in GAMES + CHECKS}


def flash_games():
    return [g for g in GAMES if g.kind != WEB]


def web_games():
    return [g for g in GAMES if g.kind == WEB]


def ranking():
    return sorted(GAMES, key=lambda g: -g.plays)


def featured():
    return [g for g in GAMES if g.featured]


def search(keyword):
    """Games whose name contains the keyword, letter case ignored."""
    k = keyword.strip().casefold()
    return [g for g in GAMES if k and k in g.name.casefold()]
